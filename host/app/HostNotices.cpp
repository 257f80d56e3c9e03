#include "HostNotices.h"

#include "ServiceCatalog.h"

namespace hostnotice {

using json = nlohmann::ordered_json;

namespace {

QString Text(const json &j)
{
    return QString::fromStdString(j.dump(-1, ' ', false, json::error_handler_t::replace));
}

std::string Str(const json &book, const char *key)
{
    const auto it = book.find(key);
    return it != book.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool Flag(const json &book, const char *key)
{
    const auto it = book.find(key);
    return it != book.end() && it->is_boolean() && it->get<bool>();
}

qint64 Id(const json &book)
{
    const auto it = book.find("lessonId");
    return it != book.end() && it->is_number_integer() ? it->get<qint64>() : 0;
}

} // namespace

std::optional<int> ApiCode(const QString &text)
{
    const json j = json::parse(text.toStdString(), nullptr, false);
    if (!j.is_object())
        return std::nullopt;
    const auto it = j.find("apiCode");
    if (it == j.end() || !it->is_number_integer())
        return std::nullopt;
    return it->get<int>();
}

QString Bare(int code)
{
    return Text(json{{"apiCode", code}});
}

std::optional<QString> SampleAssignment(TServiceCatalog &catalog)
{
    for (const json &book : catalog.Books()) {
        if (!Flag(book, "owned") || Str(book, "courseType") != "L" || Id(book) <= 0)
            continue;
        const TBookOutline &outline = catalog.Outline(Id(book));
        if (!outline.valid || outline.units.isEmpty())
            continue;
        const TOutlineUnit &unit = outline.units.first();
        const json content{
            {"courseType", "L"},
            {"assignments", json::array({json{{"assignmentId", 1},
                                              {"unitId", unit.id},
                                              {"lessonId", Id(book)},
                                              {"title", unit.name.toStdString()}}})}};
        // The content travels as a JSON text inside the notice.
        return Text(json{{"apiCode", kAssignment}, {"content", Text(content).toStdString()}});
    }
    return std::nullopt;
}

std::optional<QString> RecentLesson(const TServiceCatalog &catalog)
{
    for (const json &book : catalog.Books()) {
        if (!Flag(book, "recent") || Id(book) <= 0)
            continue;
        return Text(json{{"apiCode", kRecentLesson}, {"lessonId", Id(book)}, {"lessonName", Str(book, "lessonName")}});
    }
    return std::nullopt;
}

} // namespace hostnotice
