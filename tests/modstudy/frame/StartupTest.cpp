// Start-up: the announcement, the course shelf request with its resends and
// failure message, and the shelf reply's gate.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "StudyClock.h"
#include "WaitUntil.h"

#include "TTimer.h"

#include <gtest/gtest.h>

namespace {

const QString kShelfFailure = QStringLiteral("加载课程失败，请检查网络是否正常");

nlohmann::ordered_json Parse(const QString &text)
{
    return nlohmann::ordered_json::parse(text.toStdString());
}

TEST(FrameStartup, AnnouncesItselfThenAsksForTheShelfAfterTheTimer)
{
    ClockSpeed speed(20);
    TestHost host;
    host.login->SetUid(424242424242LL);
    TWorkState stateDuringWait = wsIdle;
    bool timerOffDuringWait = false;
    host.onRequest = [&](const QString &) {
        host.Later([&] {
            stateDuringWait = host.Frame()->WorkState;
            timerOffDuringWait = !host.Frame()->Timer_QueryAllBook->Enabled();
            host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2004}"));
        });
    };
    host.Start();

    ASSERT_EQ(host.jobs.size(), 1);
    EXPECT_EQ(host.jobs[0].text, QStringLiteral("{\"apiCode\":10007}"));
    EXPECT_TRUE(host.requests.isEmpty()) << "the shelf request waits for its timer";
    EXPECT_TRUE(host.Frame()->Timer_QueryAllBook->Enabled());

    ASSERT_TRUE(
        WaitUntil([&] { return host.Frame()->bResponse && host.Frame()->WorkState == wsIdle; }, StatedMs{5000}));
    ASSERT_EQ(host.requests.size(), 1);
    const TSentText &first = host.requests[0];
    EXPECT_EQ(TestHost::Code(first.text), 2003);
    const double statedMs = (first.realMs - host.jobs[0].realMs) * StudyClock::speed();
    EXPECT_GE(statedMs, 360);
    EXPECT_LE(statedMs, 3000);
    EXPECT_TRUE(timerOffDuringWait) << "the first tick disables the timer";
    EXPECT_EQ(stateDuringWait, wsBusy) << "the shelf request waits for its reply";
    EXPECT_EQ(first.text, QStringLiteral("{\"apiCode\":2003,\"uid\":424242424242,\"actionType\":2}"));
}

TEST(FrameStartup, SchoolUserIdIsSentOnlyWhenTheAccountHasOne)
{
    ClockSpeed speed(50);
    for (const qint64 school : {qint64(0), qint64(9000000001LL)}) {
        TestHost host;
        host.login->SetSchoolUserId(school);
        host.AnswerShelfOnce();
        host.Start();
        ASSERT_TRUE(WaitUntil([&] { return host.Frame()->bResponse; }, StatedMs{5000}));
        const auto body = Parse(host.requests[0].text);
        if (school == 0) {
            EXPECT_FALSE(body.contains("schoolUserId")) << body.dump();
        } else {
            ASSERT_TRUE(body.contains("schoolUserId")) << body.dump();
            EXPECT_EQ(body["schoolUserId"].get<qint64>(), school);
        }
    }
}

TEST(FrameStartup, ShelfReplyArrivingTwiceIsProcessedOnce)
{
    ClockSpeed speed(50);
    TestHost host;
    int cursorAfterFirst = -1;
    int cursorAfterSecond = -1;
    host.onRequest = [&](const QString &) {
        if (host.requests.size() > 1)
            return;
        host.Later([&] {
            TStudyFrame *frame = host.Frame();
            frame->MyCourseIndex = 5;
            frame->RecommandIndex = 6;
            host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2004}"));
            cursorAfterFirst = frame->MyCourseIndex + frame->RecommandIndex;
            // The copy earned by a resend changes nothing.
            frame->MyCourseIndex = 5;
            frame->RecommandIndex = 6;
            host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2004}"));
            cursorAfterSecond = frame->MyCourseIndex + frame->RecommandIndex;
        });
    };
    host.Start();
    ASSERT_TRUE(WaitUntil([&] { return cursorAfterSecond >= 0 && host.Frame()->WorkState == wsIdle; }, StatedMs{5000}));
    EXPECT_EQ(cursorAfterFirst, 0);
    EXPECT_EQ(cursorAfterSecond, 11);
    EXPECT_TRUE(host.Frame()->bResponse);
    EXPECT_EQ(host.Frame()->curMsgCode, 2004);

    // Answered: no resend and no failure message later on.
    EXPECT_FALSE(WaitUntil(
        [&] { return TestHost::WithCode(host.requests, 2003).size() > 1 || !host.message->Infos().isEmpty(); },
        StatedMs{6000}));
}

} // namespace
