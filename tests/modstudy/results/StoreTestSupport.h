#pragma once
// A second, independent connection to a store's database file, for looking
// at and tampering with what the store wrote.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

class TRawDatabase
{
public:
    explicit TRawDatabase(const QString &path) : m_name(QStringLiteral("raw-") + QString::number(++Counter()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~TRawDatabase()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    TRawDatabase(const TRawDatabase &) = delete;
    TRawDatabase &operator=(const TRawDatabase &) = delete;

    bool Exec(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        return query.exec(statement);
    }
    // First column of the first row, or an invalid value.
    QVariant Value(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement) || !query.next())
            return {};
        return query.value(0);
    }

private:
    static int &Counter()
    {
        static int counter = 0;
        return counter;
    }
    QString m_name;
};
