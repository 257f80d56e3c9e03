#include "HostNotices.h"

#include "LearningServiceSim.h"
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

std::optional<QString> SampleAssignment(TLearningServiceSim &service, qint64 uid)
{
    // The service builds the notice from the user's stored assignments, so
    // the unit and lessons it names are ones the module finds unfinished in
    // the assignment details it asks for next.
    for (const json &book : service.Catalog().Books()) {
        if (!Flag(book, "owned") || Id(book) <= 0)
            continue;
        if (auto notice = service.AssignmentNotice(uid, Id(book)))
            return notice;
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
