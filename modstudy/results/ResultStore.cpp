#include "ResultStore.h"

#include "Log.h"
#include "StoreJson.h"
#include "StoreTables.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace {

QString NextConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("TResultStore-") + QString::number(++counter);
}

QString SqlErrorText(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

// Closes the connection when an operation ends, however it ends. Declared
// before the operation's query so that the query is gone first.
class TConnectionCloser
{
public:
    explicit TConnectionCloser(QSqlDatabase &db) : m_db(db) {}
    ~TConnectionCloser() { m_db.close(); }
    TConnectionCloser(const TConnectionCloser &) = delete;
    TConnectionCloser &operator=(const TConnectionCloser &) = delete;

private:
    QSqlDatabase &m_db;
};

void Prepare(QSqlQuery &query, const QString &statement)
{
    if (!query.prepare(statement))
        throw TStoreError(SqlErrorText(query.lastError()));
}

} // namespace

TResultStore::TResultStore(const QString &databasePath)
    : m_databasePath(databasePath),
      m_connectionName(NextConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_databasePath);
}

TResultStore::~TResultStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    // Every copy of the connection is gone by now, so removal is clean.
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool TResultStore::InsertPartResult(const QString &Json)
{
    try {
        Execute(PartResultTable(), Json, true);
        return true;
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:insert part result"), QString::fromUtf8(e.what()));
    }
    return false;
}

QString TResultStore::SelectPartResult(const QString &Json)
{
    try {
        return Select(PartResultTable(), Json);
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:select part result"), QString::fromUtf8(e.what()));
    }
    return QString();
}

void TResultStore::DeletePartResult(const QString &Json)
{
    try {
        Execute(PartResultTable(), Json, false);
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:Delete part result"), QString::fromUtf8(e.what()));
    }
}

bool TResultStore::InsertWordResult(const QString &Json)
{
    try {
        Execute(WordResultTable(), Json, true);
        return true;
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:insert word result"), QString::fromUtf8(e.what()));
    }
    return false;
}

QString TResultStore::SelectWordResult(const QString &Json)
{
    try {
        return Select(WordResultTable(), Json);
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:select word result"), QString::fromUtf8(e.what()));
    }
    return QString();
}

void TResultStore::DeleteWordResult(const QString &Json)
{
    try {
        Execute(WordResultTable(), Json, false);
    } catch (const std::exception &e) {
        LogFailure(QStringLiteral("error:Delete word result"), QString::fromUtf8(e.what()));
    }
}

void TResultStore::Open(QSqlDatabase &db) const
{
    if (!db.isValid())
        throw TStoreError(QStringLiteral("the SQLite database driver is not available"));
    // An empty name would open a throw-away database and lose every result.
    if (m_databasePath.isEmpty())
        throw TStoreError(QStringLiteral("no database file is set"));
    const QString folder = QFileInfo(m_databasePath).absolutePath();
    if (!QDir().mkpath(folder))
        throw TStoreError(QStringLiteral("cannot create the folder ") + folder);
    if (!db.isOpen() && !db.open())
        throw TStoreError(SqlErrorText(db.lastError()));
    // The installation may ship an empty file, or none, or lose a table
    // between two operations; each operation finds both tables in place.
    QSqlQuery query(db);
    for (const TStoreTable *table : {&PartResultTable(), &WordResultTable()}) {
        if (!query.exec(table->createStatement))
            throw TStoreError(SqlErrorText(query.lastError()));
    }
}

void TResultStore::Execute(const TStoreTable &table, const QString &Json, bool insert)
{
    const TJson argument = ParseStoreArgument(Json);
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    TConnectionCloser closer(db);
    Open(db);

    QSqlQuery query(db);
    Prepare(query, insert ? table.insertStatement : table.deleteStatement);
    const QStringList integers = insert ? table.integerColumns : table.KeyColumns();
    for (const QString &column : integers)
        query.bindValue(QLatin1Char(':') + column, QVariant::fromValue(StoreIntegerMember(argument, column)));
    if (insert) {
        for (const QString &column : table.textColumns)
            query.bindValue(QLatin1Char(':') + column, StoreTextMember(argument, column));
    }
    if (!query.exec())
        throw TStoreError(SqlErrorText(query.lastError()));
    query.finish();
}

QString TResultStore::Select(const TStoreTable &table, const QString &Json)
{
    const TJson argument = ParseStoreArgument(Json);
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    TConnectionCloser closer(db);
    Open(db);

    QSqlQuery query(db);
    query.setForwardOnly(true);
    Prepare(query, table.selectStatement);
    for (const QString &column : table.KeyColumns())
        query.bindValue(QLatin1Char(':') + column, QVariant::fromValue(StoreIntegerMember(argument, column)));
    if (!query.exec())
        throw TStoreError(SqlErrorText(query.lastError()));
    if (!query.next()) {
        if (query.lastError().isValid())
            throw TStoreError(SqlErrorText(query.lastError()));
        return QString();
    }
    const QString row = StoreRowJson(table, query.record());
    query.finish();
    return row;
}

void TResultStore::LogFailure(const QString &errorLine, const QString &reason)
{
    procSaveLog(errorLine);
    procSaveLog(QStringLiteral("info：") + errorLine.mid(6) + QStringLiteral(": ") + reason);
}
