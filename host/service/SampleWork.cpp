// The sample account's study history and the notice that pushes one of a
// user's assignments, so a host run shows progress, finished and unfinished
// assignment marks and an assignment that opens by itself.
#include "LearningServiceSim.h"

#include <set>

using json = nlohmann::ordered_json;

namespace {

// The first owned book of a course type with at least `units` units.
qint64 FirstOwnedBook(TServiceState &state, TServiceCatalog &catalog, qint64 uid, const QString &type, int units)
{
    for (const auto &[bookId, fromGoods] : state.Owned(uid)) {
        Q_UNUSED(fromGoods);
        const auto book = catalog.Book(bookId);
        if (!book || QString::fromStdString(book->value("courseType", std::string())) != type)
            continue;
        const TBookOutline &outline = catalog.Outline(bookId);
        if (outline.valid && outline.units.size() >= units)
            return bookId;
    }
    return 0;
}

} // namespace

void TLearningServiceSim::SeedSampleWork(qint64 uid)
{
    const QString now = Now();
    const auto passage = [&](qint64 lessonId, double score) {
        TStoredScore s;
        s.uid = uid;
        s.kind = QStringLiteral("L");
        s.pointCaseType = 5;
        s.lessonId = lessonId;
        s.score = score;
        s.time = now;
        m_state.AddScore(
            s, QString::fromStdString(
                   json{{"uid", uid}, {"lessonId", lessonId}, {"score", score}, {"pointCaseType", 5}}.dump()));
    };
    const auto assign = [&](qint64 bookId, const TOutlineUnit &unit, qint64 lessonId, const QString &type) {
        TStoredAssignment a;
        a.uid = uid;
        a.bookId = bookId;
        a.unitId = unit.id;
        a.lessonId = lessonId;
        a.type = type;
        a.title = QStringLiteral("作业：") + unit.name;
        m_state.AddAssignment(a);
    };

    // Textbook: the first unit read in full, one lesson of the second, and
    // the seventh unit's first two lessons assigned with only the first one
    // read.
    if (const qint64 book = FirstOwnedBook(m_state, m_catalog, uid, QStringLiteral("L"), 7)) {
        const QList<TOutlineUnit> &units = m_catalog.Outline(book).units;
        const double unitOne[] = {92, 78, 66};
        for (int i = 0; i < units[0].lessons.size() && i < 3; ++i)
            passage(units[0].lessons[i].id, unitOne[i]);
        if (!units[1].lessons.isEmpty())
            passage(units[1].lessons[0].id, 55);
        const TOutlineUnit &seventh = units[6];
        if (seventh.lessons.size() >= 2) {
            assign(book, seventh, seventh.lessons[0].id, QStringLiteral("L"));
            assign(book, seventh, seventh.lessons[1].id, QStringLiteral("L"));
            passage(seventh.lessons[0].id, 88);
        }
    }
    // Word book: two words of the first unit studied; the second unit
    // assigned as well.
    if (const qint64 book = FirstOwnedBook(m_state, m_catalog, uid, QStringLiteral("W"), 2)) {
        const QList<TOutlineUnit> &units = m_catalog.Outline(book).units;
        const double scores[] = {90, 70};
        for (int i = 0; i < units[0].wordIds.size() && i < 2; ++i)
            m_state.AddWordResult(uid, units[0].wordIds[i], scores[i], now);
        assign(book, units[1], 0, QStringLiteral("W"));
    }
}

bool TLearningServiceSim::AssignmentFinished(qint64 uid, const TStoredAssignment &a)
{
    if (a.type != QLatin1String("W"))
        return m_state.BestScore(uid, a.lessonId).has_value();
    std::set<qint64> studied;
    for (const auto &[word, score] : m_state.WordResults(uid)) {
        Q_UNUSED(score);
        studied.insert(word);
    }
    for (const TOutlineUnit &u : m_catalog.Outline(a.bookId).units) {
        if (u.id != a.unitId)
            continue;
        for (qint64 w : u.wordIds)
            if (!studied.count(w))
                return false;
        return !u.wordIds.isEmpty();
    }
    return false;
}

std::optional<QString> TLearningServiceSim::AssignmentNotice(qint64 uid, qint64 bookId)
{
    const auto book = m_catalog.Book(bookId);
    if (!book)
        return std::nullopt;
    SeedUser(uid);
    const QList<TStoredAssignment> all = m_state.Assignments(uid, bookId);
    qint64 unit = 0;
    for (const TStoredAssignment &a : all) {
        if (!AssignmentFinished(uid, a)) {
            unit = a.unitId;
            break;
        }
    }
    if (unit == 0)
        return std::nullopt;
    json entries = json::array();
    for (const TStoredAssignment &a : all) {
        if (a.unitId == unit)
            entries.push_back({{"assignmentId", a.id},
                               {"unitId", a.unitId},
                               {"lessonId", a.lessonId},
                               {"title", a.title.toStdString()}});
    }
    const bool words = book->value("courseType", std::string()) == "W";
    const json content{{"courseType", words ? "W" : "L"}, {"assignments", entries}};
    const json notice{{"apiCode", 10000}, {"content", content.dump()}};
    return QString::fromStdString(notice.dump());
}
