// Start-up and closing: the announcement, the course shelf request and the
// shelf reply's gate; the close handshake.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "StudyClock.h"
#include "WaitUntil.h"

#include "TTimer.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

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
    EXPECT_TRUE(host.Frame()->Timer_QueryAllBook->Enabled());

    ASSERT_TRUE(
        WaitUntil([&] { return host.Frame()->bResponse && host.Frame()->WorkState == wsIdle; }, StatedMs{5000}));
    ASSERT_EQ(host.requests.size(), 1);
    const TSentText &first = host.requests[0];
    const double statedMs = (first.realMs - host.jobs[0].realMs) * StudyClock::speed();
    EXPECT_GE(statedMs, 360);
    EXPECT_LE(statedMs, 3000);
    EXPECT_TRUE(timerOffDuringWait) << "the first tick disables the timer";
    EXPECT_EQ(stateDuringWait, wsBusy) << "the shelf request waits for its reply";
    EXPECT_EQ(first.text, QStringLiteral("{\"apiCode\":2003,\"uid\":424242424242,\"actionType\":2}"));
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
}

// The close handshake: stop everything at once, answer only once the frame
// is idle again.

// Starts the module and answers its shelf request, so that the frame is idle.
void StartIdle(TestHost &host)
{
    host.AnswerShelfOnce();
    host.Start();
    ASSERT_TRUE(
        WaitUntil([&] { return host.Frame()->bResponse && host.Frame()->RunningHandlers() == 0; }, StatedMs{5000}));
    ASSERT_EQ(host.Frame()->WorkState, wsIdle);
}

TEST(FrameClose, CloseDuringARecordingStopsAtOnceAndAnswersOnlyWhenIdle)
{
    ClockSpeed speed(50);
    TestHost host;
    StartIdle(host);
    TStudyFrame *frame = host.Frame();
    host.grade->SetEvaluateDuration(60000);
    host.sound->StartRecord(QString());

    int stopRecordAtOnce = -1;
    int stopPlayAtOnce = -1;
    QTimer::singleShot(20, frame, [&] {
        const int records = host.sound->Calls().Count(QStringLiteral("StopRecord"));
        const int plays = host.sound->Calls().Count(QStringLiteral("StopPlay"));
        host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
        stopRecordAtOnce = host.sound->Calls().Count(QStringLiteral("StopRecord")) - records;
        stopPlayAtOnce = host.sound->Calls().Count(QStringLiteral("StopPlay")) - plays;
    });

    // The recording step of a study mode: recording state, then a grading
    // call that waits and is ended by the frame's stop flag.
    frame->WorkState = wsRecording;
    host.grade->EvaluateStoppable(1, QStringLiteral("How are you?"), QString(), 60, frame->bStop);
    ASSERT_EQ(host.grade->Evaluations().size(), 1);
    EXPECT_TRUE(host.grade->Evaluations()[0].stoppedEarly);
    EXPECT_EQ(stopRecordAtOnce, 1);
    EXPECT_EQ(stopPlayAtOnce, 1);
    EXPECT_EQ(frame->ExitMode, QStringLiteral("close"));
    EXPECT_TRUE(frame->bCloseForm);
    EXPECT_TRUE(frame->bStop);
    EXPECT_TRUE(frame->Timer_Close->Enabled());

    // Still recording: several Timer_Close periods pass without an answer.
    EXPECT_FALSE(WaitUntil([&] { return !TestHost::WithCode(host.jobs, 10004).isEmpty(); }, StatedMs{1200}));

    frame->WorkState = wsIdle;
    ASSERT_TRUE(WaitUntil([&] { return !TestHost::WithCode(host.jobs, 10004).isEmpty(); }, StatedMs{2000}));
    const QList<TSentText> answers = TestHost::WithCode(host.jobs, 10004);
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers[0].text, QStringLiteral("{\"apiCode\":10004}"));
    EXPECT_EQ(answers[0].frameState, wsIdle);
    EXPECT_FALSE(frame->Timer_Close->Enabled());
    EXPECT_TRUE(TestHost::WithCode(host.requests, 10004).isEmpty()) << "the answer goes on the job channel";
}

TEST(FrameClose, CloseBeforeTheShelfRequestMeansNoRequestAfterTheAnswer)
{
    ClockSpeed speed(20);
    TestHost host;
    host.Start();
    // The shelf request waits 400 ms for its timer; the host closes first.
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
    ASSERT_TRUE(WaitUntil([&] { return !TestHost::WithCode(host.jobs, 10004).isEmpty(); }, StatedMs{3000}));
    // Several shelf-timer periods later still nothing went out.
    EXPECT_FALSE(WaitUntil([&] { return !host.requests.isEmpty(); }, StatedMs{1500}));
    EXPECT_TRUE(host.requests.isEmpty()) << host.requests.value(0).text.toStdString();
}

} // namespace
