#include "ServiceState.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

QSqlQuery Prepared(const QString &connection, const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(connection));
    q.prepare(sql);
    return q;
}

} // namespace

TServiceState::~TServiceState()
{
    if (m_connection.isEmpty())
        return;
    QSqlDatabase::database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool TServiceState::Open(const QString &file)
{
    m_connection = QStringLiteral("learning-service-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    if (!db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    const char *tables[] = {
        "CREATE TABLE IF NOT EXISTS users (uid INTEGER PRIMARY KEY)",
        "CREATE TABLE IF NOT EXISTS owned (uid INTEGER, bookId INTEGER, isRecommend INTEGER,"
        " seq INTEGER PRIMARY KEY AUTOINCREMENT, UNIQUE(uid, bookId))",
        "CREATE TABLE IF NOT EXISTS recent (uid INTEGER, bookId INTEGER, time TEXT,"
        " seq INTEGER, PRIMARY KEY(uid, bookId))",
        "CREATE TABLE IF NOT EXISTS assignments (id INTEGER PRIMARY KEY AUTOINCREMENT, uid INTEGER,"
        " bookId INTEGER, unitId INTEGER, lessonId INTEGER, type TEXT, title TEXT)",
        "CREATE TABLE IF NOT EXISTS scores (id INTEGER PRIMARY KEY AUTOINCREMENT, uid INTEGER,"
        " kind TEXT, pointCaseType INTEGER, lessonId INTEGER, sentenceId INTEGER, score REAL,"
        " time TEXT, record TEXT)",
        "CREATE TABLE IF NOT EXISTS wordResults (id INTEGER PRIMARY KEY AUTOINCREMENT, uid INTEGER,"
        " wordId INTEGER, score REAL, time TEXT)",
        "CREATE TABLE IF NOT EXISTS achievements (id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " uid INTEGER, scoreId INTEGER, medal TEXT)",
        "CREATE TABLE IF NOT EXISTS uploads (key TEXT PRIMARY KEY, fileName TEXT, path TEXT,"
        " size INTEGER, time TEXT)",
        "CREATE TABLE IF NOT EXISTS shares (id INTEGER PRIMARY KEY AUTOINCREMENT, uid INTEGER,"
        " achievementId INTEGER, uuid TEXT, time TEXT)",
    };
    for (const char *sql : tables)
        if (!Exec(QString::fromLatin1(sql)))
            return false;
    return true;
}

bool TServiceState::Exec(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection));
    if (!q.exec(sql)) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

bool TServiceState::IsKnownUser(qint64 uid)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT 1 FROM users WHERE uid = ?"));
    q.addBindValue(uid);
    return q.exec() && q.next();
}

void TServiceState::MarkUserKnown(qint64 uid)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("INSERT OR IGNORE INTO users VALUES (?)"));
    q.addBindValue(uid);
    q.exec();
}

void TServiceState::AddOwned(qint64 uid, qint64 bookId, bool fromRecommendation)
{
    QSqlQuery q = Prepared(m_connection,
                           QStringLiteral("INSERT OR IGNORE INTO owned (uid, bookId, isRecommend) VALUES (?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(bookId);
    q.addBindValue(fromRecommendation ? 1 : 0);
    q.exec();
}

bool TServiceState::Owns(qint64 uid, qint64 bookId)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT 1 FROM owned WHERE uid = ? AND bookId = ?"));
    q.addBindValue(uid);
    q.addBindValue(bookId);
    return q.exec() && q.next();
}

QList<QPair<qint64, bool>> TServiceState::Owned(qint64 uid)
{
    QList<QPair<qint64, bool>> out;
    QSqlQuery q =
        Prepared(m_connection, QStringLiteral("SELECT bookId, isRecommend FROM owned WHERE uid = ? ORDER BY seq"));
    q.addBindValue(uid);
    if (q.exec())
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toInt() != 0});
    return out;
}

void TServiceState::TouchRecent(qint64 uid, qint64 bookId, const QString &time)
{
    QSqlQuery q =
        Prepared(m_connection, QStringLiteral("INSERT OR REPLACE INTO recent (uid, bookId, time, seq)"
                                              " VALUES (?, ?, ?, (SELECT COALESCE(MAX(seq), 0) + 1 FROM recent))"));
    q.addBindValue(uid);
    q.addBindValue(bookId);
    q.addBindValue(time);
    q.exec();
}

QList<qint64> TServiceState::Recent(qint64 uid)
{
    QList<qint64> out;
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT bookId FROM recent WHERE uid = ? ORDER BY seq DESC"));
    q.addBindValue(uid);
    if (q.exec())
        while (q.next())
            out.append(q.value(0).toLongLong());
    return out;
}

qint64 TServiceState::AddAssignment(const TStoredAssignment &a)
{
    QSqlQuery q =
        Prepared(m_connection,
                 QStringLiteral(
                     "INSERT INTO assignments (uid, bookId, unitId, lessonId, type, title) VALUES (?, ?, ?, ?, ?, ?)"));
    q.addBindValue(a.uid);
    q.addBindValue(a.bookId);
    q.addBindValue(a.unitId);
    q.addBindValue(a.lessonId);
    q.addBindValue(a.type);
    q.addBindValue(a.title);
    return q.exec() ? q.lastInsertId().toLongLong() : 0;
}

QList<TStoredAssignment> TServiceState::Assignments(qint64 uid, qint64 bookId)
{
    QList<TStoredAssignment> out;
    QSqlQuery q =
        Prepared(m_connection, QStringLiteral("SELECT id, uid, bookId, unitId, lessonId, type, title FROM assignments"
                                              " WHERE uid = ? AND bookId = ? ORDER BY id"));
    q.addBindValue(uid);
    q.addBindValue(bookId);
    if (q.exec())
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong(),
                        q.value(3).toLongLong(), q.value(4).toLongLong(), q.value(5).toString(),
                        q.value(6).toString()});
    return out;
}

qint64 TServiceState::AddScore(const TStoredScore &s, const QString &recordText)
{
    QSqlQuery q = Prepared(
        m_connection,
        QStringLiteral("INSERT INTO scores (uid, kind, pointCaseType, lessonId, sentenceId, score, time, record)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(s.uid);
    q.addBindValue(s.kind);
    q.addBindValue(s.pointCaseType);
    q.addBindValue(s.lessonId);
    q.addBindValue(s.sentenceId);
    q.addBindValue(s.score);
    q.addBindValue(s.time);
    q.addBindValue(recordText);
    return q.exec() ? q.lastInsertId().toLongLong() : 0;
}

QList<TStoredScore> TServiceState::Scores(qint64 uid)
{
    QList<TStoredScore> out;
    QSqlQuery q =
        Prepared(m_connection,
                 QStringLiteral("SELECT id, uid, kind, pointCaseType, lessonId, sentenceId, score, time FROM scores"
                                " WHERE uid = ? ORDER BY time DESC, id DESC"));
    q.addBindValue(uid);
    if (q.exec())
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toInt(),
                        q.value(4).toLongLong(), q.value(5).toLongLong(), q.value(6).toDouble(),
                        q.value(7).toString()});
    return out;
}

std::optional<double> TServiceState::BestScore(qint64 uid, qint64 lessonId)
{
    QSqlQuery q =
        Prepared(m_connection, QStringLiteral("SELECT MAX(score) FROM scores WHERE uid = ? AND lessonId = ?"));
    q.addBindValue(uid);
    q.addBindValue(lessonId);
    if (q.exec() && q.next() && !q.value(0).isNull())
        return q.value(0).toDouble();
    return std::nullopt;
}

void TServiceState::AddWordResult(qint64 uid, qint64 wordId, double score, const QString &time)
{
    QSqlQuery q = Prepared(m_connection,
                           QStringLiteral("INSERT INTO wordResults (uid, wordId, score, time) VALUES (?, ?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(wordId);
    q.addBindValue(score);
    q.addBindValue(time);
    q.exec();
}

QList<QPair<qint64, double>> TServiceState::WordResults(qint64 uid)
{
    QList<QPair<qint64, double>> out;
    QSqlQuery q = Prepared(m_connection,
                           QStringLiteral("SELECT wordId, MAX(score) FROM wordResults WHERE uid = ? GROUP BY wordId"));
    q.addBindValue(uid);
    if (q.exec())
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toDouble()});
    return out;
}

qint64 TServiceState::AddAchievement(qint64 uid, qint64 scoreId, const QString &medal)
{
    QSqlQuery q =
        Prepared(m_connection, QStringLiteral("INSERT INTO achievements (uid, scoreId, medal) VALUES (?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(scoreId);
    q.addBindValue(medal);
    return q.exec() ? q.lastInsertId().toLongLong() : 0;
}

bool TServiceState::HasAchievement(qint64 uid, qint64 achievementId)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT 1 FROM achievements WHERE uid = ? AND id = ?"));
    q.addBindValue(uid);
    q.addBindValue(achievementId);
    return q.exec() && q.next();
}

void TServiceState::AddUpload(const QString &key, const QString &fileName, const QString &storedPath, qint64 size,
                              const QString &time)
{
    QSqlQuery q = Prepared(
        m_connection,
        QStringLiteral("INSERT OR REPLACE INTO uploads (key, fileName, path, size, time) VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(key);
    q.addBindValue(fileName);
    q.addBindValue(storedPath);
    q.addBindValue(size);
    q.addBindValue(time);
    q.exec();
}

bool TServiceState::HasUpload(const QString &key)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT 1 FROM uploads WHERE key = ?"));
    q.addBindValue(key);
    return q.exec() && q.next();
}

int TServiceState::UploadCount()
{
    QSqlQuery q(QSqlDatabase::database(m_connection));
    return q.exec(QStringLiteral("SELECT COUNT(*) FROM uploads")) && q.next() ? q.value(0).toInt() : 0;
}

void TServiceState::AddShare(qint64 uid, qint64 achievementId, const QString &uuid, const QString &time)
{
    QSqlQuery q = Prepared(m_connection,
                           QStringLiteral("INSERT INTO shares (uid, achievementId, uuid, time) VALUES (?, ?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(achievementId);
    q.addBindValue(uuid);
    q.addBindValue(time);
    q.exec();
}

int TServiceState::ShareCount(qint64 uid)
{
    QSqlQuery q = Prepared(m_connection, QStringLiteral("SELECT COUNT(*) FROM shares WHERE uid = ?"));
    q.addBindValue(uid);
    return q.exec() && q.next() ? q.value(0).toInt() : 0;
}
