#include "JsonModel.h"

#include <cmath>
#include <limits>

namespace {

const TJson *member(const TJson &obj, std::string_view key)
{
    if (!obj.is_object())
        return nullptr;
    auto it = obj.find(std::string(key));
    if (it == obj.end() || it->is_null())
        return nullptr;
    return &*it;
}

qint64 clampToInt64(double v)
{
    if (!std::isfinite(v))
        return 0;
    // Nearest integer, halves to the even neighbour (the default rounding mode).
    const double r = std::nearbyint(v);
    if (r >= 9223372036854775807.0)
        return std::numeric_limits<qint64>::max();
    if (r <= -9223372036854775808.0)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(r);
}

TJson &asObject(TJson &obj)
{
    if (!obj.is_object())
        obj = TJson::object();
    return obj;
}

} // namespace

std::string ToStd(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

QString FromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool TrySO(const QString &text, TJson &out, QString *error)
{
    out = TJson::object();
    TJson parsed = TJson::parse(ToStd(text), nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded()) {
        if (error)
            *error = QStringLiteral("not a JSON text");
        return false;
    }
    if (!parsed.is_object() && !parsed.is_array()) {
        if (error)
            *error = QStringLiteral("JSON text is neither an object nor an array");
        return false;
    }
    out = std::move(parsed);
    return true;
}

TJson SO(const QString &text)
{
    TJson out;
    TrySO(text, out);
    return out;
}

TJson SA(const QString &text)
{
    TJson out;
    if (TrySO(text, out) && out.is_array())
        return out;
    return TJson::array();
}

QString AsJSon(const TJson &value)
{
    return FromStd(value.dump(-1, ' ', /*ensure_ascii=*/false, TJson::error_handler_t::replace));
}

bool Has(const TJson &obj, std::string_view key)
{
    return member(obj, key) != nullptr;
}

QString AsText(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::null:
    case TJson::value_t::discarded: return QString();
    case TJson::value_t::string: return FromStd(value.get_ref<const std::string &>());
    default: return AsJSon(value);
    }
}

qint64 AsInt64(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::number_integer: return value.get<qint64>();
    case TJson::value_t::number_unsigned: {
        const auto u = value.get<quint64>();
        return u > static_cast<quint64>(std::numeric_limits<qint64>::max()) ? std::numeric_limits<qint64>::max()
                                                                            : static_cast<qint64>(u);
    }
    case TJson::value_t::number_float: return clampToInt64(value.get<double>());
    case TJson::value_t::boolean: return value.get<bool>() ? 1 : 0;
    case TJson::value_t::string: {
        const QString t = AsText(value).trimmed();
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (ok)
            return n;
        const double d = t.toDouble(&ok);
        return ok ? clampToInt64(d) : 0;
    }
    default: return 0;
    }
}

double AsDouble(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::number_integer:
    case TJson::value_t::number_unsigned:
    case TJson::value_t::number_float: return value.get<double>();
    case TJson::value_t::boolean: return value.get<bool>() ? 1.0 : 0.0;
    case TJson::value_t::string: {
        bool ok = false;
        const double d = AsText(value).trimmed().toDouble(&ok);
        return ok && std::isfinite(d) ? d : 0.0;
    }
    default: return 0.0;
    }
}

std::optional<qint64> TryInt64(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::number_integer: return value.get<qint64>();
    case TJson::value_t::number_unsigned: {
        const auto u = value.get<quint64>();
        if (u > static_cast<quint64>(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return static_cast<qint64>(u);
    }
    case TJson::value_t::number_float: {
        const double d = value.get<double>();
        // 2^63 is exactly representable; anything at or above it does not fit.
        constexpr double kLimit = 9223372036854775808.0;
        if (std::isfinite(d) && std::trunc(d) == d && d >= -kLimit && d < kLimit)
            return static_cast<qint64>(d);
        return std::nullopt;
    }
    case TJson::value_t::string: {
        bool ok = false;
        const qint64 n = AsText(value).trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<double> TryDouble(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::number_integer:
    case TJson::value_t::number_unsigned:
    case TJson::value_t::number_float: return value.get<double>();
    case TJson::value_t::string: {
        bool ok = false;
        const double d = AsText(value).trimmed().toDouble(&ok);
        return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

bool AsBool(const TJson &value)
{
    switch (value.type()) {
    case TJson::value_t::boolean: return value.get<bool>();
    case TJson::value_t::number_integer:
    case TJson::value_t::number_unsigned:
    case TJson::value_t::number_float: return value.get<double>() != 0.0;
    case TJson::value_t::string: {
        const QString t = AsText(value).trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes"))
            return true;
        bool ok = false;
        const double d = t.toDouble(&ok);
        return ok && d != 0.0;
    }
    default: return false;
    }
}

QString S(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    return m ? AsText(*m) : QString();
}

int I(const TJson &obj, std::string_view key)
{
    const qint64 v = I64(obj, key);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

qint64 I64(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    return m ? AsInt64(*m) : 0;
}

double D(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    return m ? AsDouble(*m) : 0.0;
}

bool B(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    return m ? AsBool(*m) : false;
}

TJson O(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    if (m && m->is_object())
        return *m;
    if (m && m->is_string()) {
        TJson parsed;
        if (TrySO(AsText(*m), parsed) && parsed.is_object())
            return parsed;
    }
    return TJson::object();
}

TJson A(const TJson &obj, std::string_view key)
{
    const TJson *m = member(obj, key);
    if (m && m->is_array())
        return *m;
    if (m && m->is_string()) {
        TJson parsed;
        if (TrySO(AsText(*m), parsed) && parsed.is_array())
            return parsed;
    }
    return TJson::array();
}

void PutS(TJson &obj, std::string_view key, const QString &value)
{
    asObject(obj)[std::string(key)] = ToStd(value);
}

void PutI(TJson &obj, std::string_view key, qint64 value)
{
    asObject(obj)[std::string(key)] = static_cast<std::int64_t>(value);
}

void PutD(TJson &obj, std::string_view key, double value)
{
    asObject(obj)[std::string(key)] = std::isfinite(value) ? value : 0.0;
}

void PutB(TJson &obj, std::string_view key, bool value)
{
    asObject(obj)[std::string(key)] = value;
}

void PutO(TJson &obj, std::string_view key, const TJson &value)
{
    asObject(obj)[std::string(key)] = value;
}

QStringList Keys(const TJson &obj)
{
    QStringList keys;
    if (obj.is_object())
        for (auto it = obj.begin(); it != obj.end(); ++it)
            keys << FromStd(it.key());
    return keys;
}
