// The close and switch handshake: stop everything at once, answer only once
// the frame is idle again.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include "TTimer.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

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

TEST(FrameClose, SwitchRequestIsAnsweredWith10006)
{
    ClockSpeed speed(50);
    TestHost host;
    StartIdle(host);
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10005}"));
    EXPECT_EQ(host.Frame()->ExitMode, QStringLiteral("change"));
    ASSERT_TRUE(WaitUntil([&] { return !TestHost::WithCode(host.jobs, 10006).isEmpty(); }, StatedMs{2000}));
    EXPECT_TRUE(TestHost::WithCode(host.jobs, 10004).isEmpty());
    EXPECT_EQ(TestHost::WithCode(host.jobs, 10006).size(), 1);
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
