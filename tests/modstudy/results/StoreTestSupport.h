#pragma once
// A second, independent connection to a store's database file, for looking
// at and tampering with what the store wrote. One at a time.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

class TRawDatabase
{
public:
    explicit TRawDatabase(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        db.open();
    }
    ~TRawDatabase()
    {
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }

    bool Exec(const QString &statement) { return QSqlQuery(QSqlDatabase::database(kName, false)).exec(statement); }
    // First column of the first row, or an invalid value.
    QVariant Value(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(kName, false));
        if (!query.exec(statement) || !query.next())
            return {};
        return query.value(0);
    }

private:
    inline static const QString kName = QStringLiteral("raw");
};
