// The answers of the learning service simulator, one function per request.
#include "LearningServiceSim.h"

#include "ServiceErrors.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

using json = nlohmann::ordered_json;

namespace {

json Ok(int replyCode)
{
    json r = json::object();
    r["apiCode"] = replyCode;
    r["errorCode"] = 0;
    r["errorText"] = "";
    return r;
}

std::string S(const QString &s)
{
    return s.toStdString();
}

double TwoDecimals(double v)
{
    return std::round(v * 100.0) / 100.0;
}

// A shelf tile of one of the three book lists.
json BookTile(const json &book, qint64 uid, bool fromGoods)
{
    json t = json::object();
    t["uid"] = uid;
    t["packagePic"] = book.value("packagePic", std::string());
    t["courseCode"] = book.value("courseCode", std::string());
    t["isRecommend"] = fromGoods ? 1 : 0;
    t["lessonId"] = book.value("lessonId", qint64(0));
    t["lessonName"] = book.value("lessonName", std::string());
    t["orderId"] = book.value("orderId", qint64(0));
    t["url"] = book.value("url", std::string());
    t["version"] = book.value("version", std::string());
    t["versionNo"] = book.value("versionNo", qint64(0));
    t["courseType"] = book.value("courseType", std::string());
    return t;
}

json MaterialTile(const json &m, qint64 uid)
{
    json t = json::object();
    t["uid"] = uid;
    t["materialId"] = m.value("materialId", qint64(0));
    t["origiVoice"] = m.value("origiVoice", std::string());
    t["teacherId"] = m.value("teacherId", qint64(0));
    t["title"] = m.value("title", std::string());
    t["picture"] = m.value("picture", std::string());
    t["isNetMate"] = m.value("isNetMate", qint64(0));
    return t;
}

} // namespace

json TLearningServiceSim::Shelf(qint64 uid)
{
    json r = Ok(2004);
    json recent = json::array(), own = json::array(), outside = json::array();
    const auto owned = m_state.Owned(uid);
    for (qint64 id : m_state.Recent(uid)) {
        const auto book = m_catalog.Book(id);
        const auto it = std::find_if(owned.begin(), owned.end(), [id](const auto &p) { return p.first == id; });
        if (book && it != owned.end())
            recent.push_back(BookTile(*book, uid, it->second));
    }
    // A book from an outside source is listed there only: the module puts
    // outside books and its own extracurricular books into one box, where
    // the same book would otherwise show twice.
    for (const auto &[id, fromGoods] : owned) {
        const auto book = m_catalog.Book(id);
        if (!book)
            continue;
        (book->value("outside", false) ? outside : own).push_back(BookTile(*book, uid, fromGoods));
    }
    // Materials of the learning platform ("isNetMate" 1) and those the
    // user's teachers set.
    json vox = json::array(), self = json::array();
    for (const json &m : m_catalog.Materials())
        (m.value("isNetMate", 0) == 1 ? vox : self).push_back(MaterialTile(m, uid));
    json goods = json::array();
    for (json g : m_catalog.Recommended()) {
        g.erase("includes");
        g.erase("tileColor");
        goods.push_back(g);
    }
    r["userBooksRequently"] = recent;
    r["userBooks"] = own;
    r["outsideBooks"] = outside;
    r["userMaterials"] = {{"userOwnMaterialsVox", vox}, {"userOwnMaterialsSelf", self}};
    r["recommBooks"] = goods;
    return r;
}

json TLearningServiceSim::PackageRecord(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    const QString queryType = NeedText(req, "queryType");
    qint64 bookId = 0;
    if (queryType == QLatin1String("resPackage")) {
        bookId = m_catalog.BookOfUnit(NeedInt(req, "unitId"));
    } else if (queryType == QLatin1String("single")) {
        bookId = NeedInt(req, "lessonId");
    } else {
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：queryType")};
    }
    const auto book = m_catalog.Book(bookId);
    if (!book)
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    if (queryType == QLatin1String("single") && m_state.Owns(uid, bookId))
        m_state.TouchRecent(uid, bookId, Now());
    json r = Ok(2102);
    r["items"] = json::array({TServiceCatalog::PackageRecord(*book)});
    return r;
}

json TLearningServiceSim::DownloadAddress(const json &req)
{
    const QString key = NeedText(req, "key");
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    const QStringList segments = path.split(QLatin1Char('/'));
    const QFileInfo file(QDir(m_catalog.ServedFolder()).filePath(path));
    if (path.isEmpty() || segments.contains(QStringLiteral("..")) || !file.isFile())
        throw TServiceFailure{kErrNotFound, QStringLiteral("资源不存在：") + key};
    json r = Ok(14);
    r["key"] = S(key);
    r["url"] = S(Served(QLatin1Char('/') + path));
    return r;
}

json TLearningServiceSim::UploadAddress(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    const QString key = NeedText(req, "key");
    if (key.trimmed().isEmpty())
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：key")};
    json r = Ok(12);
    r["key"] = S(key);
    r["uploadurl"] = S(Served(QStringLiteral("/upload")));
    // Form fields the upload must carry, as texts.
    r["fields"] = {{"key", S(key)}, {"uid", std::to_string(uid)}};
    return r;
}

json TLearningServiceSim::AddCourse(const json &req)
{
    const qint64 userId = NeedInt(req, "userId");
    const auto goods = m_catalog.Goods(NeedInt(req, "goodsId"));
    if (!goods)
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    if (goods->value("price", 0.0) > 0 && goods->value("tradePrice", 0.0) > 0)
        throw TServiceFailure{kErrNotFree, QStringLiteral("该课程需要购买后才能添加")};
    SeedUser(userId);
    for (const json &id : goods->value("includes", json::array()))
        if (id.is_number_integer() && m_catalog.Book(id.get<qint64>()))
            m_state.AddOwned(userId, id.get<qint64>(), true);
    return Ok(36);
}

json TLearningServiceSim::CourseContents(const json &req)
{
    const qint64 userId = NeedInt(req, "userId");
    const auto goods = m_catalog.Goods(NeedInt(req, "goodsId"));
    if (!goods)
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    SeedUser(userId);
    json items = json::array();
    for (const json &id : goods->value("includes", json::array())) {
        const auto book = id.is_number_integer() ? m_catalog.Book(id.get<qint64>()) : std::nullopt;
        if (!book)
            continue;
        json e = TServiceCatalog::PackageRecord(*book);
        e["hasGoods"] = m_state.Owns(userId, id.get<qint64>()) ? 1 : 0;
        items.push_back(e);
    }
    json r = Ok(1132);
    r["items"] = items;
    return r;
}

json TLearningServiceSim::MaterialContent(const json &req)
{
    const auto m = m_catalog.Material(NeedInt(req, "materialId"));
    if (!m)
        throw TServiceFailure{kErrNotFound, QStringLiteral("教材不存在")};
    json e = json::object();
    e["materialId"] = m->value("materialId", qint64(0));
    e["title"] = m->value("title", std::string());
    e["content"] = m->value("text", std::string());
    e["origiVoice"] = m->value("origiVoice", std::string());
    e["contentPicture"] = m->value("contentPicture", std::string());
    json r = Ok(2022);
    r["items"] = json::array({e});
    return r;
}

json TLearningServiceSim::Lessons(const json &req)
{
    const QString queryType = NeedText(req, "queryType");
    const qint64 bookId = queryType == QLatin1String("list") ? NeedInt(req, "parentId") : NeedInt(req, "lessonId");
    if (!m_catalog.Book(bookId))
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    json items = json::array();
    for (const TOutlineUnit &u : m_catalog.Outline(bookId).units) {
        json e = json::object();
        e["unitId"] = u.id;
        e["unitName"] = S(u.name);
        json lessons = json::array();
        for (const TOutlineLesson &l : u.lessons)
            lessons.push_back({{"lessonId", l.id}, {"lessonName", S(l.name)}});
        e["lessons"] = lessons;
        e["wordsCount"] = u.wordIds.size();
        items.push_back(e);
    }
    json r = Ok(2030);
    r["items"] = items;
    return r;
}

json TLearningServiceSim::LessonProgress(qint64 uid, qint64 bookId)
{
    if (!m_catalog.Book(bookId))
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    json items = json::array();
    for (const TOutlineUnit &u : m_catalog.Outline(bookId).units) {
        int done = 0;
        double sum = 0;
        for (const TOutlineLesson &l : u.lessons)
            if (const auto best = m_state.BestScore(uid, l.id)) {
                ++done;
                sum += *best;
            }
        items.push_back({{"unitId", u.id},
                         {"lessonCount", u.lessons.size()},
                         {"completeCount", done},
                         {"avgScore", done ? TwoDecimals(sum / done) : 0.0}});
    }
    json r = Ok(2130);
    r["items"] = items;
    return r;
}

json TLearningServiceSim::WordProgress(qint64 uid, qint64 bookId)
{
    if (!m_catalog.Book(bookId))
        throw TServiceFailure{kErrNotFound, QStringLiteral("课程不存在")};
    std::map<qint64, double> best;
    for (const auto &[word, score] : m_state.WordResults(uid))
        best[word] = score;
    json items = json::array();
    for (const TOutlineUnit &u : m_catalog.Outline(bookId).units) {
        int done = 0;
        double sum = 0;
        for (qint64 w : u.wordIds)
            if (const auto it = best.find(w); it != best.end()) {
                ++done;
                sum += it->second;
            }
        items.push_back({{"unitId", u.id},
                         {"wordsCount", u.wordIds.size()},
                         {"completeCount", done},
                         {"avgScore", done ? TwoDecimals(sum / done) : 0.0}});
    }
    json r = Ok(2128);
    r["items"] = items;
    return r;
}
