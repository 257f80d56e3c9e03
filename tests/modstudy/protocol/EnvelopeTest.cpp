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

TEST(EnvelopeReaders, MissingOrUnusableMembersReadAsZeroOrEmpty)
{
    const auto empty = Body("{}");
    EXPECT_EQ(ReadApiCode(empty), 0);
    EXPECT_EQ(ReadErrorCode(empty), 0);
    EXPECT_EQ(ReadErrorText(empty), QString());

    // Wrong kinds never throw and never pass for a code.
    const auto wrong = Body(R"({"apiCode":"shelf","errorCode":true,"errorText":null})");
    EXPECT_EQ(ReadApiCode(wrong), 0);
    EXPECT_EQ(ReadErrorCode(wrong), 0);
    EXPECT_EQ(ReadErrorText(wrong), QString());
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":2004.5})")), 0);

    // Readers on a value that is not an object see no members.
    EXPECT_EQ(ReadApiCode(nlohmann::ordered_json(5)), 0);
    EXPECT_EQ(ReadErrorText(nlohmann::ordered_json::array()), QString());
}

TEST(EnvelopeReaders, ReadsCodesAndErrorText)
{
    const auto m = Body(R"({"errorText":"课程不存在","apiCode":36,"errorCode":3501})");
    EXPECT_EQ(ReadApiCode(m), acAddMyCourseResult);
    EXPECT_EQ(ReadErrorCode(m), 3501);
    EXPECT_EQ(ReadErrorText(m), QStringLiteral("课程不存在"));

    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":99999})")), acNetworkFailure);
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":2004.0})")), 2004);
    EXPECT_EQ(ReadErrorText(Body(R"({"errorText":17})")), QStringLiteral("17"));
}

TEST(EnvelopeReaders, ACodeOutsideThirtyTwoBitsMatchesNothingInsteadOfWrappingRound)
{
    // 2^32 + 2004 would wrap to 2004 (the shelf reply) in a 32-bit field.
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":4294969300})")), 0);
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":-4294965292})")), 0);
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":18446744073709551615})")), 0);
    EXPECT_EQ(ReadApiCode(Body(R"({"apiCode":1e300})")), 0);
}

TEST(EnvelopeReaders, ReadsSixtyFourBitIdsExactly)
{
    const auto m = Body(R"({"achivementId":9007199254740993,"big":18446744073709551615,"neg":-5})");
    EXPECT_EQ(ReadInt64Member(m, "achivementId"), 9007199254740993LL);
    EXPECT_EQ(ReadInt64Member(m, "big"), std::nullopt);
    EXPECT_EQ(ReadInt64Member(m, "neg"), -5);
    EXPECT_EQ(ReadInt64Member(m, "absent"), std::nullopt);
}

TEST(EnvelopeReaders, NumbersSentAsTextReadAsNumbersAndOtherTextStaysRefused)
{
    const auto m = Body(R"({"apiCode":"2004","lessonId":" 1001 ","score":"85","half":"77.5",)"
                        R"("word":"12abc","empty":"","flag":true,"fraction":"12.5"})");
    EXPECT_EQ(ReadApiCode(m), acAllBooksShelf);
    EXPECT_EQ(ReadInt64Member(m, "lessonId"), 1001);
    EXPECT_EQ(ReadInt64Member(m, "score"), 85);
    EXPECT_EQ(ReadDoubleMember(m, "score"), 85.0);
    EXPECT_EQ(ReadDoubleMember(m, "half"), 77.5);
    for (const char *refused : {"word", "empty", "flag", "absent"}) {
        EXPECT_EQ(ReadInt64Member(m, refused), std::nullopt) << refused;
        EXPECT_EQ(ReadDoubleMember(m, refused), std::nullopt) << refused;
    }
    // An integer member is whole: "12.5" is no id.
    EXPECT_EQ(ReadInt64Member(m, "fraction"), std::nullopt);
}

TEST(OpenIncomingMessage, LogsAReportedErrorForAnyCodeAndStillLetsDispatchGoOn)
{
    LogCapture log;
    const TIncomingMessage m =
        OpenIncomingMessage(QStringLiteral(R"({"apiCode":1062,"errorCode":5,"errorText":"查询失败"})"));
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.apiCode, 1062);
    EXPECT_EQ(m.errorCode, 5);
    EXPECT_EQ(m.errorText, QStringLiteral("查询失败"));
    ASSERT_EQ(log.Lines().size(), 1);
    EXPECT_TRUE(log.Lines()[0].startsWith(QStringLiteral("error:")));
    EXPECT_TRUE(log.Lines()[0].contains(QStringLiteral("查询失败")));
    EXPECT_TRUE(log.Lines()[0].contains(QStringLiteral("1062")));

    // A message with no code at all is still opened (it matches nothing) and
    // its error is still logged.
    log.Clear();
    const TIncomingMessage noCode = OpenIncomingMessage(QStringLiteral(R"({"errorCode":7,"errorText":"x"})"));
    EXPECT_TRUE(noCode.ok);
    EXPECT_EQ(noCode.apiCode, 0);
    EXPECT_EQ(log.Lines().size(), 1);

    // Success, or an error code of 0 or below, logs nothing.
    log.Clear();
    EXPECT_TRUE(OpenIncomingMessage(QStringLiteral(R"({"apiCode":2004,"errorCode":0,"errorText":"ok"})")).ok);
    EXPECT_TRUE(OpenIncomingMessage(QStringLiteral(R"({"apiCode":2004,"errorCode":-1})")).ok);
    EXPECT_TRUE(log.Lines().isEmpty());
}
