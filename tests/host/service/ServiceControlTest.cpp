// The simulator's failure replies, the asynchronous delivery of its replies
// and the scenario controls (drop, override, delay). What it answers when it
// succeeds is ReplyShapeTest's, and the scenarios drive it end to end.

#include "ServiceErrors.h"
#include "ServiceTestSupport.h"
#include "WaitUntil.h"

using namespace service_test;

namespace {

class ServiceControlTest : public ServiceTest
{
protected:
    // Sends through the asynchronous path and collects the replies.
    void Send(const QString &request) { m_sim.Request(request); }
    bool WaitReplies(size_t count)
    {
        return WaitUntil([&] { return replies.size() >= count; }, RealMs{10000});
    }
    void SetUp() override
    {
        ServiceTest::SetUp();
        m_sim.SetReplySink(
            [this](const QString &text) { replies.push_back(json::parse(text.toStdString(), nullptr, false)); });
    }
    std::vector<json> replies;
};

TEST_F(ServiceControlTest, FailuresAreAnsweredWithCodeAndText)
{
    struct TCase
    {
        QString request;
        int replyCode;
        int errorCode;
        std::string textHas;
    };
    const TCase cases[] = {
        {QStringLiteral(R"({"apiCode":500,"uid":1})"), 501, kErrUnknownCode, "500"},
        // Never answered with a notice code: 10000 would read as an assignment.
        {QStringLiteral(R"({"apiCode":10003,"uid":1})"), 0, kErrUnknownCode, "10003"},
        {QStringLiteral(R"({"apiCode":13,"uid":1})"), 14, kErrMissingMember, "key"},
        {QStringLiteral(R"({"apiCode":13,"uid":1,"key":7})"), 14, kErrBadMember, "key"},
        // A key may not lead out of the served folder, even to a file there is.
        {QStringLiteral(R"({"apiCode":13,"uid":1,"key":"../content/catalog.json"})"), 14, kErrNotFound,
         "../content/catalog.json"},
        {QStringLiteral(R"({"apiCode":2101,"uid":1,"queryType":"single","lessonId":42,"courseType":"L"})"), 2102,
         kErrNotFound, ""},
        {QStringLiteral(R"({"apiCode":41,"uid":1,"pointCaseType":5,"lessonId":1,"score":101})"), 42, kErrBadMember,
         "score"},
        {QStringLiteral(R"({"apiCode":1061,"uid":1,"startTime":"a","endTime":"b","pageSize":0,"pageNum":1})"), 1062,
         kErrBadMember, "pageSize"},
        // A paid course is not added for free.
        {Request::AddMyCourse(kUid, 3006), 36, kErrNotFree, ""},
        {QStringLiteral(R"({"uid":1})"), 0, kErrMissingMember, "apiCode"},
        {QStringLiteral("not json"), 0, kErrBadMember, ""},
    };
    for (const TCase &c : cases) {
        const json r = Ask(c.request);
        SCOPED_TRACE(c.request.toStdString() + " -> " + r.dump());
        EXPECT_EQ(r.value("apiCode", -1), c.replyCode);
        EXPECT_EQ(r.value("errorCode", -1), c.errorCode);
        ASSERT_TRUE(r.contains("errorText") && r["errorText"].is_string());
        EXPECT_FALSE(r["errorText"].get<std::string>().empty());
        EXPECT_NE(r["errorText"].get<std::string>().find(c.textHas), std::string::npos);
    }
}

TEST_F(ServiceControlTest, ADelayedCodeIsAnsweredLateAndAfterTheOthers)
{
    m_sim.Delay(2003, 300);
    Send(Request::QueryALLBooks(Learner()));
    EXPECT_TRUE(replies.empty()) << "a reply must not arrive inside the send";
    Send(Request::QueryFinishLesson(Learner(), 1001));
    ASSERT_TRUE(WaitReplies(2));
    EXPECT_EQ(replies[0].value("apiCode", 0), 2130);
    EXPECT_EQ(replies[1].value("apiCode", 0), 2004);
}

TEST_F(ServiceControlTest, OverriddenReplyIsSentButTheRequestIsStillCarriedOut)
{
    m_sim.OverrideReply(41, QStringLiteral(R"({"apiCode":42,"errorCode":7,"errorText":"忙"})"));
    Send(ScoreRequest(1001011, 90));
    ASSERT_TRUE(WaitReplies(1));
    EXPECT_EQ(replies[0].value("errorCode", 0), 7);
    EXPECT_EQ(replies[0].value("errorText", std::string()), "忙");
    EXPECT_EQ(m_sim.State().Scores(kUid).size(), 1);
}

} // namespace

// Controls limited to the requests whose member starts with a prefix: the
// pictures' download addresses refused, the packages' still given; the
// control given last wins.
TEST_F(ServiceControlTest, ControlsCanBeLimitedToRequestsWhoseMemberStartsWithAPrefix)
{
    const QString refused = QStringLiteral(R"({"apiCode":14,"errorCode":4,"errorText":"资源不存在"})");
    m_sim.OverrideReply(13, refused, {QStringLiteral("key"), QStringLiteral("pics/")});
    const auto address = [](const char *key) {
        return QStringLiteral(R"({"apiCode":13,"uid":%1,"key":"%2"})").arg(kUid).arg(QLatin1String(key));
    };
    Send(address("pics/book/tile_1001.png"));
    Send(address("packages/story_time.7z"));
    ASSERT_TRUE(WaitReplies(2));
    // The package's answer is worked out faster; the order is not fixed.
    const bool refusedFirst = replies[0].value("errorCode", 0) == 4;
    const json &refusedReply = replies[refusedFirst ? 0 : 1];
    const json &packageReply = replies[refusedFirst ? 1 : 0];
    EXPECT_EQ(refusedReply.value("errorCode", 0), 4) << refusedReply.dump();
    EXPECT_EQ(packageReply.value("errorCode", -1), 0) << "a package address is not a picture's";
    EXPECT_EQ(packageReply.value("key", std::string()), "packages/story_time.7z");

    // A request whose member holds another value is answered.
    m_sim.Drop(2101, true, {QStringLiteral("queryType"), QStringLiteral("resPackage")});
    Send(Request::QueryPackageVersion(Learner(), 1001, QStringLiteral("L"), false));
    ASSERT_TRUE(WaitReplies(3));
    EXPECT_EQ(replies[2].value("apiCode", 0), 2102);
    Send(Request::QueryPackageVersion(Learner(), 100107, QStringLiteral("L"), true));
    Send(Request::QueryFinishLesson(Learner(), 1001));
    ASSERT_TRUE(WaitReplies(4));
    EXPECT_EQ(replies[3].value("apiCode", 0), 2130) << "the assignment's package record was dropped";

    // Given later, an unfiltered reply wins over the filtered one.
    m_sim.OverrideReply(13, QStringLiteral(R"({"apiCode":14,"errorCode":9,"errorText":"x"})"));
    Send(address("pics/book/tile_1001.png"));
    ASSERT_TRUE(WaitReplies(5));
    EXPECT_EQ(replies[4].value("errorCode", 0), 9);
}
