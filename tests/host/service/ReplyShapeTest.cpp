// Every reply of the simulator carries the members the module reads from it,
// with the types it reads them as.

#include "ServiceTestSupport.h"
#include "ServiceErrors.h"
#include "TeduAssignDetail.h"
#include "TeduUserOwnFreeGoods.h"

#include <map>
#include <string>
#include <vector>

using namespace service_test;

namespace {

enum class T { Int, Num, Str, Arr, Obj };

struct TMember
{
    std::string path; // "a" is a member of the reply; "a[].b" a member of every element of array "a"
    T type;
};

// The package records of 2102, which 1132 lists too.
const std::vector<TMember> kPackageItems = {{"items", T::Arr},
                                            {"items[].courseCode", T::Str},
                                            {"items[].courseType", T::Str},
                                            {"items[].lessonId", T::Int},
                                            {"items[].packageName", T::Str},
                                            {"items[].packagePic", T::Str},
                                            {"items[].packageTitle", T::Str},
                                            {"items[].version", T::Str},
                                            {"items[].versionNo", T::Int}};

std::vector<TMember> Plus(std::vector<TMember> members, TMember more)
{
    members.push_back(std::move(more));
    return members;
}

// What the module reads from each reply, by reply code.
const std::map<int, std::vector<TMember>> kReplyMembers = {
    {2004,
     {{"userBooksRequently", T::Arr},
      {"userBooks", T::Arr},
      {"outsideBooks", T::Arr},
      {"userMaterials", T::Obj},
      {"userMaterials.userOwnMaterialsVox", T::Arr},
      {"userMaterials.userOwnMaterialsSelf", T::Arr},
      {"recommBooks", T::Arr},
      {"userBooks[].uid", T::Int},
      {"userBooks[].packagePic", T::Str},
      {"userBooks[].courseCode", T::Str},
      {"userBooks[].isRecommend", T::Int},
      {"userBooks[].lessonId", T::Int},
      {"userBooks[].lessonName", T::Str},
      {"userBooks[].orderId", T::Int},
      {"userBooks[].url", T::Str},
      {"userBooks[].version", T::Str},
      {"userBooks[].versionNo", T::Int},
      {"userBooks[].courseType", T::Str},
      {"userBooksRequently[].lessonId", T::Int},
      {"userBooksRequently[].url", T::Str},
      {"userBooksRequently[].packagePic", T::Str},
      {"userBooksRequently[].courseType", T::Str},
      {"outsideBooks[].lessonId", T::Int},
      {"outsideBooks[].url", T::Str},
      {"userMaterials.userOwnMaterialsSelf[].uid", T::Int},
      {"userMaterials.userOwnMaterialsSelf[].materialId", T::Int},
      {"userMaterials.userOwnMaterialsSelf[].origiVoice", T::Str},
      {"userMaterials.userOwnMaterialsSelf[].teacherId", T::Int},
      {"userMaterials.userOwnMaterialsSelf[].title", T::Str},
      {"userMaterials.userOwnMaterialsSelf[].picture", T::Str},
      {"userMaterials.userOwnMaterialsSelf[].isNetMate", T::Int},
      {"recommBooks[].description", T::Str},
      {"recommBooks[].goodsId", T::Int},
      {"recommBooks[].goodsLevel", T::Str},
      {"recommBooks[].goodsName", T::Str},
      {"recommBooks[].goodsPic", T::Str},
      {"recommBooks[].isRecomm", T::Int},
      {"recommBooks[].lessonId", T::Int},
      {"recommBooks[].memo", T::Str},
      {"recommBooks[].price", T::Num},
      {"recommBooks[].wordCount", T::Int},
      {"recommBooks[].tradePrice", T::Num},
      {"recommBooks[].rebate", T::Num}}},
    {2102, kPackageItems},
    {14, {{"key", T::Str}, {"url", T::Str}}},
    {12, {{"uploadurl", T::Str}, {"fields", T::Obj}}},
    {36, {{"errorCode", T::Int}}},
    {1132, Plus(kPackageItems, {"items[].hasGoods", T::Int})},
    {2022, {{"items", T::Arr}, {"items[].content", T::Str}, {"items[].origiVoice", T::Str}}},
    {2030, {}},
    {2128,
     {{"items", T::Arr},
      {"items[].unitId", T::Int},
      {"items[].wordsCount", T::Int},
      {"items[].completeCount", T::Int},
      {"items[].avgScore", T::Num}}},
    {2130,
     {{"items", T::Arr},
      {"items[].unitId", T::Int},
      {"items[].lessonCount", T::Int},
      {"items[].completeCount", T::Int},
      {"items[].avgScore", T::Num}}},
    {1146,
     {{"assignDetails", T::Arr},
      {"assignWordss", T::Arr},
      {"assignDetails[].areaid", T::Int},
      {"assignDetails[].assigndetailid", T::Int},
      {"assignDetails[].assignmentid", T::Int},
      {"assignDetails[].assigntype", T::Str},
      {"assignDetails[].finishcount", T::Int},
      {"assignDetails[].lessonid", T::Int},
      {"assignDetails[].title", T::Str},
      {"assignDetails[].unitid", T::Int},
      {"assignDetails[].finishwords", T::Str},
      {"assignWordss[].assignmentid", T::Int},
      {"assignWordss[].unFinishWords", T::Arr},
      {"assignWordss[].unFinishWords[].wordsid", T::Int}}},
    {1156, {{"items", T::Arr}, {"items[].score", T::Num}}},
    {42, {{"point", T::Int}, {"eMoneys", T::Int}, {"medalName", T::Str}, {"achivementId", T::Int}}},
    {76, {{"errorCode", T::Int}}},
    {1084, {}},
    {1062,
     {{"total", T::Int},
      {"items", T::Arr},
      {"items[].bookName", T::Str},
      {"items[].unitName", T::Str},
      {"items[].lessonName", T::Str},
      {"items[].score", T::Num},
      {"items[].lastTime", T::Str},
      {"items[].pointCaseType", T::Int}}},
    {282, {{"url", T::Str}}},
};

bool HasType(const json &v, T t)
{
    switch (t) {
    case T::Int: return v.is_number_integer();
    case T::Num: return v.is_number();
    case T::Str: return v.is_string();
    case T::Arr: return v.is_array();
    case T::Obj: return v.is_object();
    }
    return false;
}

// Checks `path` below `v`; counts the values checked so that an empty array
// cannot pass a member check unnoticed.
void CheckPath(const json &v, const std::string &path, T t, const std::string &where, int &seen)
{
    const size_t cut = path.find_first_of(".[");
    const std::string head = path.substr(0, cut);
    ASSERT_TRUE(v.is_object()) << where;
    ASSERT_TRUE(v.contains(head)) << where << " lacks \"" << head << "\"";
    const json &child = v[head];
    if (cut == std::string::npos) {
        EXPECT_TRUE(HasType(child, t)) << where << "." << head << " has the wrong type: " << child.dump();
        ++seen;
        return;
    }
    if (path[cut] == '.') {
        CheckPath(child, path.substr(cut + 1), t, where + "." + head, seen);
        return;
    }
    // "[]." : every element
    ASSERT_TRUE(child.is_array()) << where << "." << head;
    for (size_t i = 0; i < child.size(); ++i)
        CheckPath(child[i], path.substr(cut + 3), t, where + "." + head + "[" + std::to_string(i) + "]", seen);
}

class ReplyShapeTest : public ServiceTest
{
protected:
    void ExpectShape(const QString &request, int replyCode)
    {
        const json r = Ask(request);
        SCOPED_TRACE(r.dump());
        ASSERT_EQ(r.value("apiCode", -1), replyCode);
        EXPECT_EQ(r.value("errorCode", -1), 0) << r.value("errorText", std::string());
        const auto members = kReplyMembers.find(replyCode);
        ASSERT_NE(members, kReplyMembers.end());
        for (const TMember &m : members->second) {
            int seen = 0;
            CheckPath(r, m.path, m.type, std::to_string(replyCode), seen);
            EXPECT_GT(seen, 0) << replyCode << ": no value checked for " << m.path;
        }
        checked.push_back(replyCode);
    }
    std::vector<int> checked;
};

TEST_F(ReplyShapeTest, EveryReplyCarriesWhatTheModuleReads)
{
    const TRequestIdentity who = Learner();
    ExpectShape(Request::QueryALLBooks(who), 2004);
    ExpectShape(Request::QueryPackageVersion(who, 1001, QStringLiteral("U"), false), 2102);
    ExpectShape(Request::QueryPackageVersion(who, 100101, QStringLiteral("U"), true), 2102);
    ExpectShape(Request::GetDownLoadURLResource(who, QStringLiteral("packages/happy_english_1.7z")), 14);
    ExpectShape(Request::GetUpLoadURLResource(who, QStringLiteral("share-1")), 12);
    ExpectShape(Request::QueryFreeGoods(kUid, 3001), 1132);
    ExpectShape(Request::AddMyCourse(kUid, 3001), 36);
    ExpectShape(Request::MaterialContent(who, 2001), 2022);
    ExpectShape(Request::QueryLesson(who, QStringLiteral("single"), 1001), 2030);
    ExpectShape(Request::QueryWordFinish(who, 1002), 2128);
    ExpectShape(Request::QueryFinishLesson(who, 1001), 2130);
    ExpectShape(Request::QueryAssignmentStatus(who, 1002, QStringLiteral("W")), 1146);

    ExpectShape(ScoreRequest(1001011, 88.5), 42);
    ExpectShape(Request::QueryAssignmentMaxScore(who, 1, 1001011), 1156);
    ExpectShape(Request::SingleWordResult(who, 1002001, 77, QStringLiteral("{}")), 76);
    ExpectShape(Request::StudyQueryScore(who, QStringLiteral("2000-01-01 00:00:00"),
                                         QStringLiteral("2999-12-31 23:59:59"), false, 10, 1),
                1062);
    ExpectShape(Request::GetTTSAudio(QStringLiteral("apple")), 282);
    EXPECT_EQ(checked.size(), 17u);
}

TEST_F(ReplyShapeTest, ShareIsAcceptedOnlyForAnUploadedRecordingOfAnOwnScore)
{
    const qint64 achievement = Ask(ScoreRequest(1001011, 70)).value("achivementId", qint64(0));
    ASSERT_GT(achievement, 0);

    const json early = Ask(Request::ShareAudio(Learner(), achievement, QStringLiteral("rec-1")));
    EXPECT_EQ(early.value("apiCode", 0), 1084);
    EXPECT_GT(early.value("errorCode", 0), 0) << "a share of a recording never uploaded";

    m_sim.State().AddUpload(QStringLiteral("rec-1"), QStringLiteral("a.mp3"), QString(), 3, QString());
    EXPECT_EQ(Ask(Request::ShareAudio({kUid + 1, 0}, achievement, QStringLiteral("rec-1"))).value("errorCode", 0),
              kErrNotFound)
        << "another user's achievement";
    ExpectShape(Request::ShareAudio(Learner(), achievement, QStringLiteral("rec-1")), 1084);
    EXPECT_EQ(m_sim.State().ShareCount(kUid), 1);
}

// The base package's records read the course-contents and assignment
// replies; each member they keep must come back with the value sent.
template<typename TRecord>
void ExpectRecordsKeepEveryMember(const json &elements)
{
    ASSERT_FALSE(elements.empty());
    for (const json &e : elements) {
        TRecord record;
        record.LoadFromJson(e);
        const TJson back = record.AsJson();
        for (const auto &[key, value] : back.items()) {
            ASSERT_TRUE(e.contains(key)) << key;
            EXPECT_EQ(value, e[key]) << key << " in " << e.dump();
        }
    }
}

TEST_F(ReplyShapeTest, BasePackageRecordsReadEveryMemberSent)
{
    ExpectRecordsKeepEveryMember<TeduUserOwnFreeGoods>(Ask(Request::QueryFreeGoods(kUid, 3004))["items"]);
    ExpectRecordsKeepEveryMember<TeduAssignDetail>(
        Ask(Request::QueryAssignmentStatus(Learner(), 1002, QStringLiteral("W")))["assignDetails"]);
    ExpectRecordsKeepEveryMember<TeduAssignDetail>(
        Ask(Request::QueryAssignmentStatus(Learner(), 1001, QStringLiteral("L")))["assignDetails"]);
}

} // namespace
