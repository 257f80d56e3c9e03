#pragma once
// What the learning service offers, read from the served folder: the catalog
// of books, teaching materials and recommended courses, and the outline of
// every book (units, lessons, word ids) read from its resource package.

#include <nlohmann/json.hpp>

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

struct TOutlineLesson
{
    qint64 id = 0;
    QString name;
};

struct TOutlineUnit
{
    qint64 id = 0;
    QString name;
    QList<TOutlineLesson> lessons; // lesson books
    QList<qint64> wordIds;         // word books
};

struct TBookOutline
{
    bool valid = false; // the package was there and could be read
    QString error;      // why not, when not valid
    QList<TOutlineUnit> units;
};

// Where an id (lesson, word unit or sentence's lesson) sits in the catalog.
struct TItemPlace
{
    qint64 bookId = 0;
    QString bookName;
    QString unitName;
    QString lessonName;
};

class TServiceCatalog
{
public:
    using json = nlohmann::ordered_json;

    // Reads <servedFolder>/catalog.json. False (with Error()) when it is
    // missing or not the expected object.
    bool Load(const QString &servedFolder);
    QString Error() const { return m_error; }
    QString ServedFolder() const { return m_folder; }

    const json &Books() const { return m_books; }
    const json &Materials() const { return m_materials; }
    const json &Recommended() const { return m_recommended; }

    std::optional<json> Book(qint64 lessonId) const;
    std::optional<json> Material(qint64 materialId) const;
    std::optional<json> Goods(qint64 goodsId) const;

    // The book's units from its package (read once, then kept).
    const TBookOutline &Outline(qint64 bookId);
    // The book that has a unit with this id; 0 when none.
    qint64 BookOfUnit(qint64 unitId);
    // Book, unit and lesson names of a lesson id or a word unit id.
    TItemPlace Place(qint64 itemId);

    // The package record members of a book, as the package-record and
    // course-contents replies carry them.
    static json PackageRecord(const json &book);

private:
    QString m_folder;
    QString m_error;
    json m_books = json::array();
    json m_materials = json::array();
    json m_recommended = json::array();
    QHash<qint64, TBookOutline> m_outlines;
};
