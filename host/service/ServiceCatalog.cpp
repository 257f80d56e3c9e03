#include "ServiceCatalog.h"

#include "PackBook.h"

#include <QDir>
#include <QFile>

using json = nlohmann::ordered_json;

namespace {

std::optional<json> FindBy(const json &list, const char *key, qint64 id)
{
    for (const json &e : list)
        if (e.contains(key) && e[key].is_number_integer() && e[key].get<qint64>() == id)
            return e;
    return std::nullopt;
}

QString Text(const json &o, const char *key)
{
    return o.contains(key) && o[key].is_string() ? QString::fromStdString(o[key].get<std::string>()) : QString();
}

} // namespace

bool TServiceCatalog::Load(const QString &servedFolder)
{
    m_folder = servedFolder;
    m_outlines.clear();
    QFile f(QDir(servedFolder).filePath(QStringLiteral("catalog.json")));
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("no catalog in ") + servedFolder;
        return false;
    }
    const json doc = json::parse(f.readAll().toStdString(), nullptr, false);
    if (!doc.is_object() || !doc.value("books", json()).is_array() || !doc.value("materials", json()).is_array()
        || !doc.value("recommended", json()).is_array()) {
        m_error = QStringLiteral("catalog is not an object with books, materials and recommended");
        return false;
    }
    m_books = doc["books"];
    m_materials = doc["materials"];
    m_recommended = doc["recommended"];
    m_error.clear();
    return true;
}

std::optional<json> TServiceCatalog::Book(qint64 lessonId) const
{
    return FindBy(m_books, "lessonId", lessonId);
}

std::optional<json> TServiceCatalog::Material(qint64 materialId) const
{
    return FindBy(m_materials, "materialId", materialId);
}

std::optional<json> TServiceCatalog::Goods(qint64 goodsId) const
{
    return FindBy(m_recommended, "goodsId", goodsId);
}

const TBookOutline &TServiceCatalog::Outline(qint64 bookId)
{
    auto found = m_outlines.constFind(bookId);
    if (found != m_outlines.constEnd())
        return *found;
    TBookOutline outline;
    const std::optional<json> book = Book(bookId);
    if (!book) {
        outline.error = QStringLiteral("no such book");
    } else {
        TeduPack_Book pack;
        const QString path = QDir(m_folder).filePath(Text(*book, "url"));
        if (!pack.funcDecodeResourceFile(path)) {
            outline.error = pack.DecodeError();
        } else {
            outline.valid = true;
            // Word ids run through the whole book in unit order, starting at
            // book id × 1000 + 1, the way the packages number them.
            qint64 nextWord = bookId * 1000 + 1;
            for (const TeduPack_Unit &u : pack.Units) {
                TOutlineUnit unit;
                unit.id = u.Id;
                unit.name = u.Name;
                for (const TeduPack_Lesson &l : u.Lessons)
                    unit.lessons.append({l.Id, l.Name});
                for (int i = 0; i < u.WordCount; ++i)
                    unit.wordIds.append(nextWord++);
                outline.units.append(unit);
            }
        }
    }
    return *m_outlines.insert(bookId, outline);
}

qint64 TServiceCatalog::BookOfUnit(qint64 unitId)
{
    for (const json &b : m_books) {
        const qint64 id = b.value("lessonId", qint64(0));
        for (const TOutlineUnit &u : Outline(id).units)
            if (u.id == unitId)
                return id;
    }
    return 0;
}

TItemPlace TServiceCatalog::Place(qint64 itemId)
{
    for (const json &b : m_books) {
        const qint64 id = b.value("lessonId", qint64(0));
        for (const TOutlineUnit &u : Outline(id).units) {
            if (u.id == itemId)
                return {id, Text(b, "lessonName"), u.name, QString()};
            for (const TOutlineLesson &l : u.lessons)
                if (l.id == itemId)
                    return {id, Text(b, "lessonName"), u.name, l.name};
        }
    }
    return {};
}

json TServiceCatalog::PackageRecord(const json &book)
{
    json r = json::object();
    r["courseCode"] = book.value("courseCode", std::string());
    r["courseType"] = book.value("courseType", std::string());
    r["lessonId"] = book.value("lessonId", qint64(0));
    // The package's address in the served folder: its last segment is the
    // package file name, and it is the key its download address is asked by.
    r["packageName"] = Text(book, "url").toStdString();
    r["packagePic"] = book.value("packagePic", std::string());
    r["packageTitle"] = book.value("lessonName", std::string());
    r["version"] = book.value("version", std::string());
    r["versionNo"] = book.value("versionNo", qint64(0));
    return r;
}
