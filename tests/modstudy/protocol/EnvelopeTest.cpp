// The envelope of an incoming message: parsing, the readers of its members
// and the common part that logs a reported failure.

#include "ApiCodes.h"
#include "Envelope.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace {

nlohmann::ordered_json Body(const char *text)
{
    TParsedMessage p = ParseMessage(QString::fromUtf8(text));
    EXPECT_TRUE(p.ok) << text;
    return p.body;
}

} // namespace

TEST(ParseMessage, RefusesEverythingButOneJsonObjectWithoutThrowing)
{
    for (const char *bad : {"", "   ", "{", "{\"apiCode\":", "not json", "{\"a\":1}x", "42", "\"text\"",
                            "[{\"apiCode\":2004}]", "null"}) {
        TParsedMessage p;
        EXPECT_NO_THROW(p = ParseMessage(QString::fromUtf8(bad)));
        EXPECT_FALSE(p.ok) << bad;
        EXPECT_FALSE(p.failure.isEmpty()) << bad;
        EXPECT_TRUE(p.body.is_null()) << bad;
    }
    TParsedMessage good = ParseMessage(QStringLiteral(R"({"apiCode":14,"url":"http://x/测试.png"})"));
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(good.body["url"].get<std::string>(), "http://x/测试.png");
}

TEST(EnvelopeReaders, TheCodeIsAThirtyTwoBitWholeNumberAndAnythingElseMatchesNothing)
{
    const struct
    {
        const char *text;
        int apiCode;
    } cases[] = {
        {R"({})", 0},
        {R"({"apiCode":"shelf"})", 0},
        {R"({"apiCode":true})", 0},
        {R"({"apiCode":2004.5})", 0},
        {R"({"apiCode":99999})", acNetworkFailure},
        {R"({"apiCode":2004.0})", acAllBooksShelf},
        {R"({"apiCode":"2004"})", acAllBooksShelf},
        // 2^32 + 2004 would wrap to 2004 (the shelf reply) in a 32-bit field.
        {R"({"apiCode":4294969300})", 0},
        {R"({"apiCode":-4294965292})", 0},
        {R"({"apiCode":18446744073709551615})", 0},
        {R"({"apiCode":1e300})", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadApiCode(Body(c.text)), c.apiCode) << c.text;
    EXPECT_EQ(ReadApiCode(nlohmann::ordered_json(5)), 0) << "not an object: no members";
}

TEST(EnvelopeReaders, ErrorCodeAndTextOrZeroAndEmpty)
{
    const auto m = Body(R"({"errorText":"课程不存在","apiCode":36,"errorCode":3501})");
    EXPECT_EQ(ReadErrorCode(m), 3501);
    EXPECT_EQ(ReadErrorText(m), QStringLiteral("课程不存在"));
    EXPECT_EQ(ReadErrorText(Body(R"({"errorText":17})")), QStringLiteral("17"));
    const auto wrong = Body(R"({"errorCode":true,"errorText":null})");
    EXPECT_EQ(ReadErrorCode(wrong), 0);
    EXPECT_EQ(ReadErrorText(wrong), QString());
    EXPECT_EQ(ReadErrorCode(Body("{}")), 0);
    EXPECT_EQ(ReadErrorText(nlohmann::ordered_json::array()), QString());
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
        {R"({"apiCode":2004,"errorCode":-1})", 2004, false},
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
