#include "ShelfJson.h"

#include <cmath>
#include <limits>

using nlohmann::ordered_json;

namespace Shelf {

namespace {
const ordered_json *Find(const ordered_json &item, const char *key)
{
    if (!item.is_object())
        return nullptr;
    const auto it = item.find(key);
    return it == item.end() ? nullptr : &*it;
}
} // namespace

QString MemberText(const ordered_json &item, const char *key)
{
    const ordered_json *v = Find(item, key);
    if (!v || v->is_null())
        return {};
    if (v->is_string())
        return QString::fromStdString(v->get<std::string>());
    if (v->is_number() || v->is_boolean())
        return QString::fromStdString(v->dump());
    return {};
}

qint64 MemberInt(const ordered_json &item, const char *key)
{
    const ordered_json *v = Find(item, key);
    if (!v)
        return 0;
    if (v->is_number_integer())
        return v->get<qint64>();
    if (v->is_number_float()) {
        const double d = v->get<double>();
        // Out-of-range or not-a-number values would be undefined to convert.
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18)
            return 0;
        return static_cast<qint64>(d);
    }
    if (v->is_boolean())
        return v->get<bool>() ? 1 : 0;
    if (v->is_string()) {
        bool ok = false;
        const qint64 n = QString::fromStdString(v->get<std::string>()).trimmed().toLongLong(&ok);
        return ok ? n : 0;
    }
    return 0;
}

double MemberNumber(const ordered_json &item, const char *key)
{
    const ordered_json *v = Find(item, key);
    if (!v)
        return 0;
    if (v->is_number())
        return v->get<double>();
    if (v->is_string()) {
        bool ok = false;
        const double d = QString::fromStdString(v->get<std::string>()).trimmed().toDouble(&ok);
        return ok && std::isfinite(d) ? d : 0;
    }
    return 0;
}

const ordered_json &MemberArray(const ordered_json &body, const char *key)
{
    static const ordered_json empty = ordered_json::array();
    const ordered_json *v = Find(body, key);
    return v && v->is_array() ? *v : empty;
}

} // namespace Shelf
