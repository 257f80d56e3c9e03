#include "TeduLastAssignMent.h"

namespace {

qint64 idOf(const TJson &entry, std::string_view name, std::string_view lower)
{
    return Has(entry, name) ? I64(entry, name) : I64(entry, lower);
}

} // namespace

bool TeduLastAssignMent::SetJson(const QString &text)
{
    courseType.clear();
    Items.clear();

    TJson doc;
    if (!TrySO(text, doc)) {
        // The content may arrive as a JSON string that holds the JSON text.
        const TJson asString = TJson::parse(ToStd(text), nullptr, false);
        if (!asString.is_string() || !TrySO(AsText(asString), doc))
            return false;
    }

    TJson entries;
    if (doc.is_array()) {
        entries = doc;
    } else if (Has(doc, "assignments")) {
        entries = A(doc, "assignments");
        courseType = S(doc, "courseType");
    } else {
        return false;
    }

    for (const TJson &e : entries) {
        if (!e.is_object())
            continue;
        TeduLastAssignItem item;
        item.assignmentId = idOf(e, "assignmentId", "assignmentid");
        item.unitId = idOf(e, "unitId", "unitid");
        item.lessonId = idOf(e, "lessonId", "lessonid");
        item.title = S(e, "title");
        if (courseType.isEmpty())
            courseType = S(e, "courseType");
        Items.append(item);
    }
    return true;
}

QString TeduLastAssignMent::AsJsonText() const
{
    TJson doc = TJson::object();
    PutS(doc, "courseType", courseType);
    TJson entries = TJson::array();
    for (const TeduLastAssignItem &item : Items) {
        TJson e = TJson::object();
        PutI(e, "assignmentId", item.assignmentId);
        PutI(e, "unitId", item.unitId);
        PutI(e, "lessonId", item.lessonId);
        PutS(e, "title", item.title);
        entries.push_back(std::move(e));
    }
    PutO(doc, "assignments", entries);
    return AsJSon(doc);
}

qint64 TeduLastAssignMent::FirstUnitId() const
{
    return Items.isEmpty() ? 0 : Items.first().unitId;
}

bool TeduLastAssignMent::HasUnit(qint64 unitId) const
{
    for (const TeduLastAssignItem &item : Items)
        if (item.unitId == unitId)
            return true;
    return false;
}

bool TeduLastAssignMent::HasLesson(qint64 lessonId) const
{
    for (const TeduLastAssignItem &item : Items)
        if (item.lessonId == lessonId)
            return true;
    return false;
}
