#pragma once
// Conversions between the result store's JSON texts and the values of a table
// row: reading an operation's argument and writing a selected row.

#include "JsonModel.h"

#include <QString>
#include <QVariant>

#include <stdexcept>

class QSqlRecord;
struct TStoreTable;

// A failure inside a store operation; its text goes to the log beside the
// operation's own error line.
class TStoreError : public std::runtime_error
{
public:
    explicit TStoreError(const QString &message);
};

// Parses an operation's argument, which must be a JSON object.
// Throws TStoreError otherwise.
TJson ParseStoreArgument(const QString &json);

// The value bound for an integer column: the member as a 64-bit integer, 0
// when the member is missing or null. Whole numbers written as 12.0 or as the
// text "12" are accepted. A number with a fraction, a number outside the
// 64-bit range, other text, a boolean or a container throws TStoreError
// rather than being rounded, clamped or zeroed: an id changed on the way in
// would file the result under another learner, course or unit.
qint64 StoreIntegerMember(const TJson &argument, const QString &name);

// The value bound for a text column: the member's text when it is a string,
// its compact JSON text when it is an object, array, number or boolean (so
// that it selects back as the same value), and empty text (never NULL) when
// it is missing or null.
QString StoreTextMember(const TJson &argument, const QString &name);

// A stored text column as the JSON value it holds. NULL and blank text give
// an empty array (nothing gathered yet). Text that is not JSON keeps the row
// readable: it becomes a JSON string with that text, and an "info：" line
// naming the column goes to the log.
TJson StoredTextValue(const QVariant &value, const QString &column);

// The compact JSON text of one selected row: the table's integer columns as
// integers (NULL as 0), then its text columns as JSON values, in table order.
// A column missing from the row, or an integer column holding something that
// is not a number, throws TStoreError.
QString StoreRowJson(const TStoreTable &table, const QSqlRecord &record);
