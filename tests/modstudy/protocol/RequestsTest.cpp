#include "Envelope.h"
#include "Requests.h"

#include <gtest/gtest.h>

// Each request is compared as exact text: the service reads the members in
// this order, ids must stay exact 64-bit integers and nothing may be added.

namespace {

const TRequestIdentity kUser{9007199254740993LL, 0}; // 2^53 + 1: lost by a double
const TRequestIdentity kSchoolUser{9007199254740993LL, 4611686018427387905LL};

struct TCase
{
    QString built;
    const char *text;
};

void ExpectTexts(std::initializer_list<TCase> cases)
{
    for (const TCase &c : cases)
        EXPECT_EQ(c.built.toStdString(), c.text);
}

} // namespace

TEST(Requests, ShelfRequestNamesTheSchoolAccountOnlyWhenThereIsOne)
{
    ExpectTexts({
        {Request::QueryALLBooks(kUser), R"({"apiCode":2003,"uid":9007199254740993,"actionType":2})"},
        {Request::QueryALLBooks(kSchoolUser),
         R"({"apiCode":2003,"uid":9007199254740993,"actionType":2,"schoolUserId":4611686018427387905})"},
        // A negative school id is still an id.
        {Request::QueryALLBooks({7, -3}), R"({"apiCode":2003,"uid":7,"actionType":2,"schoolUserId":-3})"},
    });
}

TEST(Requests, PackageRecordAsksByUnitForAnAssignmentAndByLessonOtherwise)
{
    ExpectTexts({
        {Request::QueryPackageVersion(kUser, 2147483647, QStringLiteral("W"), true),
         R"({"apiCode":2101,"uid":9007199254740993,"queryType":"resPackage","unitId":2147483647,"courseType":"W"})"},
        {Request::QueryPackageVersion(kUser, 812, QStringLiteral("U"), false),
         R"({"apiCode":2101,"uid":9007199254740993,"queryType":"single","lessonId":812,"courseType":"L"})"},
    });
    // Only an exact "W" is a word course.
    for (const char *other : {"w", "", "L", "W "})
        EXPECT_EQ(Request::QueryPackageVersion(kUser, 1, QString::fromLatin1(other), false).toStdString(),
                  R"({"apiCode":2101,"uid":9007199254740993,"queryType":"single","lessonId":1,"courseType":"L"})")
            << other;
}

TEST(Requests, CourseLessonAndProgressRequests)
{
    ExpectTexts({
        {Request::QueryLesson(kUser, QStringLiteral("list"), 9007199254740995LL),
         R"({"apiCode":2029,"uid":9007199254740993,"queryType":"list","parentId":9007199254740995})"},
        {Request::QueryLesson(kUser, QStringLiteral("List"), 31),
         R"({"apiCode":2029,"uid":9007199254740993,"queryType":"List","lessonId":31})"},
        {Request::QueryFinishLesson(kSchoolUser, 77),
         R"({"apiCode":2129,"uid":9007199254740993,"userId":9007199254740993,"bookId":77})"},
        {Request::QueryWordFinish(kUser, 9007199254740997LL),
         R"({"apiCode":2127,"uid":9007199254740993,"userId":9007199254740993,"bookId":9007199254740997})"},
        {Request::QueryFreeGoods(9007199254740993LL, 55),
         R"({"apiCode":1131,"uid":9007199254740993,"userId":9007199254740993,"goodsId":55})"},
        {Request::AddMyCourse(12, 9007199254740999LL),
         R"({"apiCode":35,"uid":12,"userId":12,"goodsId":9007199254740999})"},
        {Request::MaterialContent(kUser, 4096),
         R"({"apiCode":2021,"uid":9007199254740993,"queryType":"single","materialId":4096})"},
        {Request::QueryAssignmentStatus(kUser, 9007199254740993LL, QStringLiteral("W")),
         R"({"apiCode":1145,"uid":9007199254740993,"assignment":1,"lessonId":9007199254740993,"assignType":"W"})"},
        {Request::QueryAssignmentMaxScore(kUser, 301, 4002),
         R"({"apiCode":1155,"uid":9007199254740993,"userId":9007199254740993,"assignmentId":301,"lessonId":4002})"},
    });
}

TEST(Requests, TransferShareAndNoticeRequests)
{
    ExpectTexts({
        {Request::GetDownLoadURLResource(kUser, QStringLiteral("pics/book/英语 1.png")),
         R"({"apiCode":13,"uid":9007199254740993,"key":"pics/book/英语 1.png"})"},
        // Quotes and backslashes in a key are escaped, not passed raw.
        {Request::GetUpLoadURLResource(kUser, QStringLiteral("goodVoice/1/a\"b\\c.mp3")),
         R"({"apiCode":11,"uid":9007199254740993,"key":"goodVoice/1/a\"b\\c.mp3"})"},
        {Request::ShareAudio(kUser, 9007199254741001LL, QStringLiteral("goodVoice/9007199254740993/x.mp3")),
         R"({"apiCode":1083,"uid":9007199254740993,"achivementId":9007199254741001,)"
         R"("uuid":"goodVoice/9007199254740993/x.mp3"})"},
        {Request::GetTTSAudio(QStringLiteral("don't")), R"({"apiCode":281,"text":"don't"})"},
        {Request::SendMainUpdated(), R"({"apiCode":10007})"},
        {Request::CloseAnswer(QStringLiteral("close")), R"({"apiCode":10004})"},
        {Request::CloseAnswer(QStringLiteral("change")), R"({"apiCode":10006})"},
        {Request::CloseAnswer(QString()), R"({"apiCode":10006})"},
    });
}

TEST(Requests, ScoreHistoryPageSaysWhetherOnlyTheBestScoresAreWanted)
{
    ExpectTexts({
        {Request::StudyQueryScore(kUser, QStringLiteral("2024-05-01 00:00:00"), QStringLiteral("2024-05-31 23:59:59"),
                                  true, 10, 3),
         R"({"apiCode":1061,"uid":9007199254740993,"pointCaseType":0,"studentId":9007199254740993,)"
         R"("startTime":"2024-05-01 00:00:00","endTime":"2024-05-31 23:59:59","isMax":1,"pageSize":10,"pageNum":3})"},
        {Request::StudyQueryScore({5, 0}, QStringLiteral("a"), QStringLiteral("b"), false, 10, 1),
         R"({"apiCode":1061,"uid":5,"pointCaseType":0,"studentId":5,"startTime":"a","endTime":"b","isMax":0,)"
         R"("pageSize":10,"pageNum":1})"},
    });
}

TEST(Requests, WordResultCarriesTheScoreAsANumberAndTheGradingResultAsText)
{
    const QString grading = QStringLiteral(R"({"overall":85.5,"words":[{"word":"apple"}]})");
    const QString msg = Request::SingleWordResult(kUser, 9007199254740993LL, 85.5, grading);
    EXPECT_EQ(msg.toStdString(),
              R"({"apiCode":75,"uid":9007199254740993,"wordAchiveId":0,"pointCaseType":1,"wordsId":9007199254740993,)"
              R"("score":85.5,"accuracy":0,"fluent":0,"integrity":0,)"
              R"("content":"{\"overall\":85.5,\"words\":[{\"word\":\"apple\"}]}"})");
    // The grading text comes back unchanged on the other side.
    const TParsedMessage back = ParseMessage(msg);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(QString::fromStdString(back.body["content"].get<std::string>()), grading);
}
