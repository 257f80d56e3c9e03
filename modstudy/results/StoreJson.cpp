#include "StoreJson.h"

#include "Log.h"
#include "StoreTables.h"

#include <QSqlRecord>

#include <cmath>
#include <cstdint>
#include <limits>

TStoreError::TStoreError(const QString &message) : std::runtime_error(ToStd(message))
{
}

TJson ParseStoreArgument(const QString &json)
{
    TJson argument;
    QString error;
    if (!TrySO(json, argument, &error))
        throw TStoreError(QStringLiteral("argument: ") + error);
    if (!argument.is_object())
        throw TStoreError(QStringLiteral("argument is not a JSON object"));
    return argument;
}

qint64 StoreIntegerMember(const TJson &argument, const QString &name)
{
    const auto it = argument.find(ToStd(name));
    if (it == argument.end() || it->is_null())
        return 0;
    if (it->is_number_unsigned()) {
        const auto value = it->get<std::uint64_t>();
        if (value <= static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()))
            return static_cast<qint64>(value);
    } else if (it->is_number_integer()) {
        return it->get<std::int64_t>();
    } else if (it->is_number_float()) {
        const double value = it->get<double>();
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (std::isfinite(value) && value == std::trunc(value) && value >= -limit && value < limit)
            return static_cast<qint64>(value);
    } else if (it->is_string()) {
        bool ok = false;
        const qint64 value = AsText(*it).trimmed().toLongLong(&ok);
        if (ok)
            return value;
    }
    throw TStoreError(QStringLiteral("member \"") + name + QStringLiteral("\" is not a 64-bit integer: ")
                      + AsJSon(*it));
}

QString StoreTextMember(const TJson &argument, const QString &name)
{
    const QString text = S(argument, ToStd(name));
    // A null QString would bind SQL NULL; a missing member stores empty text.
    return text.isNull() ? QStringLiteral("") : text;
}

TJson StoredTextValue(const QVariant &value, const QString &column)
{
    if (value.isNull())
        return TJson::array();
    const QString text = value.toString();
    if (text.trimmed().isEmpty())
        return TJson::array();
    TJson parsed = TJson::parse(ToStd(text), nullptr, /*allow_exceptions=*/false);
    if (!parsed.is_discarded())
        return parsed;
    procSaveLog(QStringLiteral("info：stored ") + column + QStringLiteral(" is not JSON; selected as text"));
    return ToStd(text);
}

QString StoreRowJson(const TStoreTable &table, const QSqlRecord &record)
{
    const auto indexOf = [&](const QString &column) {
        const int index = record.indexOf(column);
        if (index < 0)
            throw TStoreError(QStringLiteral("column ") + column + QStringLiteral(" is missing in ") + table.name);
        return index;
    };
    TJson row = TJson::object();
    for (const QString &column : table.integerColumns) {
        const int index = indexOf(column);
        qint64 value = 0;
        if (!record.isNull(index)) {
            bool ok = false;
            value = record.value(index).toLongLong(&ok);
            if (!ok)
                throw TStoreError(QStringLiteral("column ") + column + QStringLiteral(" of ") + table.name
                                  + QStringLiteral(" holds no integer: ") + record.value(index).toString());
        }
        PutI(row, ToStd(column), value);
    }
    for (const QString &column : table.textColumns)
        PutO(row, ToStd(column), StoredTextValue(record.value(indexOf(column)), column));
    return AsJSon(row);
}
