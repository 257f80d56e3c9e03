#pragma once
// The two tables of the local result store: their columns, the statements
// the store runs on them and the declarations it uses to create them when the
// database lacks them.

#include <QString>
#include <QStringList>

struct TStoreTable
{
    QString name;
    // Columns holding 64-bit integers, in the order of the table; the first
    // ones are the key.
    QStringList integerColumns;
    // Number of leading integer columns that make up the key.
    int keyCount = 0;
    // Columns holding JSON text, after the integer columns.
    QStringList textColumns;
    QString insertStatement;
    QString selectStatement;
    QString deleteStatement;
    QString createStatement;

    QStringList KeyColumns() const { return integerColumns.mid(0, keyCount); }
    // Every column in table order.
    QStringList Columns() const { return integerColumns + textColumns; }
};

// Unfinished passage readings, one row per (uid, bookId, unitId, lessonId).
const TStoreTable &PartResultTable();
// Unfinished word drills, one row per (uid, bookId, unitId).
const TStoreTable &WordResultTable();
