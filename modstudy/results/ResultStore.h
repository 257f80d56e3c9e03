#pragma once
// The local result store: unfinished passage readings and word drills kept in
// one SQLite database file, so that a learner can continue where they
// stopped. Each operation takes its key and values as one JSON object and
// answers with JSON text; no failure leaves an operation, each is written to
// the host log with the operation's own error line.

#include <QString>

class QSqlDatabase;
struct TStoreTable;

class TResultStore
{
public:
    // databasePath: the database file (normally "config/WordDatabase" under
    // the folder of the host executable). Its folder, the file and the two
    // tables are created by the first operation that finds them missing.
    explicit TResultStore(const QString &databasePath);
    ~TResultStore();
    TResultStore(const TResultStore &) = delete;
    TResultStore &operator=(const TResultStore &) = delete;

    // Adds a row for a lesson's unfinished passage reading: members "uid",
    // "bookId", "unitId", "lessonId", "partTotalCount", "partId",
    // "partIndex", "partResult", "partAudio". True when stored.
    bool InsertPartResult(const QString &Json);
    // The first stored row for the key "uid", "bookId", "unitId",
    // "lessonId" as compact JSON text, or "" when there is none or on failure.
    QString SelectPartResult(const QString &Json);
    // Removes every row of the key "uid", "bookId", "unitId", "lessonId".
    void DeletePartResult(const QString &Json);

    // Adds a row for a word unit's unfinished drill: members "uid",
    // "bookId", "unitId", "wordTotalCount", "wordId", "wordIndex",
    // "wordResult". True when stored.
    bool InsertWordResult(const QString &Json);
    // The first stored row for the key "uid", "bookId", "unitId" as compact
    // JSON text, or "" when there is none or on failure.
    QString SelectWordResult(const QString &Json);
    // Removes every row of the key "uid", "bookId", "unitId".
    void DeleteWordResult(const QString &Json);

    const QString &DatabasePath() const { return m_databasePath; }
    // Name of this store's own database connection.
    const QString &ConnectionName() const { return m_connectionName; }

private:
    // Opens the connection, creating the folder, the file and any missing
    // table. Throws TStoreError on failure.
    void Open(QSqlDatabase &db) const;
    // Runs a statement binding every column of the table (insert) or its key
    // columns (delete) from the argument.
    void Execute(const TStoreTable &table, const QString &Json, bool insert);
    // Runs the table's select for the argument's key.
    QString Select(const TStoreTable &table, const QString &Json);
    // Writes an operation's failure to the log: the operation's error line,
    // then the reason as an "info：" line.
    static void LogFailure(const QString &errorLine, const QString &reason);

    QString m_databasePath;
    QString m_connectionName;
};
