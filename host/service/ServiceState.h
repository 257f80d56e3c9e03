#pragma once
// The learning service's stored state, in its own SQLite file: the courses
// each user owns and used recently, teacher-set assignments, submitted
// scores and word results, achievements, received uploads and shares.

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

struct TStoredScore
{
    qint64 id = 0;
    qint64 uid = 0;
    QString kind; // "type" of the score record
    int pointCaseType = 0;
    qint64 lessonId = 0;
    qint64 sentenceId = 0;
    double score = 0;
    QString time; // "yyyy-MM-dd HH:mm:ss"
};

struct TStoredAssignment
{
    qint64 id = 0;
    qint64 uid = 0;
    qint64 bookId = 0;
    qint64 unitId = 0;
    qint64 lessonId = 0; // 0 for a word unit
    QString type;        // "L" or "W"
    QString title;
};

class TServiceState
{
public:
    TServiceState() = default;
    ~TServiceState();
    TServiceState(const TServiceState &) = delete;
    TServiceState &operator=(const TServiceState &) = delete;

    // Opens (creating when needed) the database file and its tables.
    bool Open(const QString &file);
    QString Error() const { return m_error; }

    // A user seen for the first time; false when already known.
    bool IsKnownUser(qint64 uid);
    void MarkUserKnown(qint64 uid);

    void AddOwned(qint64 uid, qint64 bookId, bool fromRecommendation);
    bool Owns(qint64 uid, qint64 bookId);
    // Owned book ids in the order added, with their "isRecommend" flag.
    QList<QPair<qint64, bool>> Owned(qint64 uid);
    // Marks a book used now; the recent list is newest first.
    void TouchRecent(qint64 uid, qint64 bookId, const QString &time);
    QList<qint64> Recent(qint64 uid);

    qint64 AddAssignment(const TStoredAssignment &a);
    QList<TStoredAssignment> Assignments(qint64 uid, qint64 bookId);

    qint64 AddScore(const TStoredScore &s, const QString &recordText);
    QList<TStoredScore> Scores(qint64 uid);
    // The best score for an item; nothing when none was stored.
    std::optional<double> BestScore(qint64 uid, qint64 lessonId);

    void AddWordResult(qint64 uid, qint64 wordId, double score, const QString &time);
    // Best score per studied word.
    QList<QPair<qint64, double>> WordResults(qint64 uid);

    qint64 AddAchievement(qint64 uid, qint64 scoreId, const QString &medal);
    bool HasAchievement(qint64 uid, qint64 achievementId);

    void AddUpload(const QString &key, const QString &fileName, const QString &storedPath, qint64 size,
                   const QString &time);
    bool HasUpload(const QString &key);
    int UploadCount();

    void AddShare(qint64 uid, qint64 achievementId, const QString &uuid, const QString &time);
    int ShareCount(qint64 uid);

private:
    bool Exec(const QString &sql);

    QString m_connection;
    QString m_error;
};
