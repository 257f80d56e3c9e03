// The messages both ways: the requests the module builds, and the envelope of
// an incoming message (the readers of its members and the common part that
// logs a reported failure; text that is no message shows in the
// dispatcher's tests).

#include "ApiCodes.h"
#include "Envelope.h"
#include "LogCapture.h"
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

namespace {

nlohmann::ordered_json Body(const char *text)
{
    TParsedMessage p = ParseMessage(QString::fromUtf8(text));
    EXPECT_TRUE(p.ok) << text;
    return p.body;
}

} // namespace

TEST(EnvelopeReaders, TheCodeIsAThirtyTwoBitWholeNumberAndAnythingElseMatchesNothing)
{
    const struct
    {
        const char *text;
        int apiCode;
    } cases[] = {
        {R"({})", 0},
        {R"({"apiCode":"shelf"})", 0},
        {R"({"apiCode":2004.5})", 0},
        {R"({"apiCode":99999})", acNetworkFailure},
        {R"({"apiCode":2004.0})", acAllBooksShelf},
        {R"({"apiCode":"2004"})", acAllBooksShelf},
        // 2^32 + 2004 would wrap to 2004 (the shelf reply) in a 32-bit field.
        {R"({"apiCode":4294969300})", 0},
        {R"({"apiCode":1e300})", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadApiCode(Body(c.text)), c.apiCode) << c.text;
    EXPECT_EQ(ReadApiCode(nlohmann::ordered_json(5)), 0) << "not an object: no members";
}

TEST(EnvelopeReaders, IdsAreExactSixtyFourBitIntegersAlsoWhenSentAsText)
{
    const auto m = Body(R"({"id":9007199254740993,"big":18446744073709551615,"neg":-5,"text":" 1001 ",)"
                        R"("score":"85","half":"77.5","word":"12abc","empty":"","flag":true,"fraction":"12.5"})");
    EXPECT_EQ(ReadInt64Member(m, "id"), 9007199254740993LL);
    EXPECT_EQ(ReadInt64Member(m, "neg"), -5);
    EXPECT_EQ(ReadInt64Member(m, "text"), 1001);
    EXPECT_EQ(ReadInt64Member(m, "score"), 85);
    EXPECT_EQ(ReadDoubleMember(m, "score"), 85.0);
    EXPECT_EQ(ReadDoubleMember(m, "half"), 77.5);
    // Beyond 64 bits or not whole ("12.5" is no id), or no number at all.
    for (const char *refused : {"big", "fraction", "word", "empty", "flag", "absent"})
        EXPECT_EQ(ReadInt64Member(m, refused), std::nullopt) << refused;
    for (const char *refused : {"word", "empty", "flag", "absent"})
        EXPECT_EQ(ReadDoubleMember(m, refused), std::nullopt) << refused;
}

TEST(OpenIncomingMessage, AReportedErrorOfAnyCodeIsLoggedOnceAndTheMessageStillOpens)
{
    const struct
    {
        const char *text;
        int apiCode;
        bool logged;
    } cases[] = {
        {R"({"apiCode":1062,"errorCode":5,"errorText":"查询失败"})", 1062, true},
        {R"({"errorCode":7,"errorText":"查询失败"})", 0, true}, // no code: opened, matches nothing
        {R"({"apiCode":2004,"errorCode":0,"errorText":"ok"})", 2004, false},
    };
    for (const auto &c : cases) {
        LogCapture log;
        const TIncomingMessage m = OpenIncomingMessage(QString::fromUtf8(c.text));
        ASSERT_TRUE(m.ok) << c.text;
        EXPECT_EQ(m.apiCode, c.apiCode) << c.text;
        ASSERT_EQ(log.Lines().size(), c.logged ? 1 : 0) << c.text;
        if (c.logged) {
            EXPECT_TRUE(log.Lines()[0].startsWith(QStringLiteral("error:"))) << c.text;
            EXPECT_TRUE(log.Lines()[0].contains(QStringLiteral("查询失败"))) << c.text;
        }
    }
    const TIncomingMessage m = OpenIncomingMessage(QStringLiteral(R"({"apiCode":1062,"errorCode":5,"errorText":"x"})"));
    EXPECT_EQ(m.errorCode, 5);
    EXPECT_EQ(m.errorText, QStringLiteral("x"));
}
