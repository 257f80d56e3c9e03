#include "RequestWait.h"
#include "StudyClock.h"

#include <QList>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The frame fields the wait works on; the wait must stop touching them once
// the frame is deleted.
struct FakeFrame : QObject
{
    bool bResponse = false;
    bool bStop = false;
};

// What the wait did through its callbacks, kept outside the frame.
struct Trace
{
    QList<TWorkState> states;      // every WorkState assignment
    QStringList infos;             // every ShowInfo
    QList<int> sendRounds;         // poll counter at every send
    QList<TWorkState> stateAtSend; // WorkState seen by each send
    TWorkState current = wsIdle;
};

class RequestWaitTest : public ::testing::Test
{
protected:
    void SetUp() override { StudyClock::setSpeed(100); }
    void TearDown() override { StudyClock::setSpeed(1); }

    // Builds a wait whose send records the poll counter and then runs `onSend`
    // with the number of the send (1 for the first).
    std::unique_ptr<TRequestWait> MakeWait(const TRequestWaitSettings &settings, FakeFrame *frame,
                                           std::function<void(int)> onSend = {})
    {
        auto holder = std::make_shared<TRequestWait *>(nullptr);
        auto wait = std::make_unique<TRequestWait>(
            settings,
            [this, holder, onSend] {
                trace.sendRounds << (*holder)->Round();
                trace.stateAtSend << trace.current;
                if (onSend)
                    onSend(trace.sendRounds.size());
            },
            frame->bResponse, frame->bStop,
            [this](TWorkState s) {
                trace.states << s;
                trace.current = s;
            },
            [this](const QString &text) { trace.infos << text; }, frame);
        *holder = wait.get();
        return wait;
    }

    Trace trace;
};

} // namespace

TEST_F(RequestWaitTest, UnansweredShelfRequestIsSentThreeTimesAndFailsWithItsMessageOnce)
{
    FakeFrame frame;
    frame.bResponse = true; // left over from an earlier request: must be cleared
    auto wait = MakeWait(ShelfRequestWait(), &frame);
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Failed);
    EXPECT_EQ(trace.sendRounds, (QList<int>{0, 25, 50}));
    EXPECT_EQ(wait->Sends(), 3);
    EXPECT_EQ(wait->Round(), 61);
    EXPECT_EQ(trace.infos, QStringList{QStringLiteral("加载课程失败，请检查网络是否正常")});
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
    // The first send precedes the busy state; every resend happens while busy.
    EXPECT_EQ(trace.stateAtSend, (QList<TWorkState>{wsIdle, wsBusy, wsBusy}));
    EXPECT_FALSE(frame.bResponse);
}

TEST_F(RequestWaitTest, UnansweredPackageRecordRequestIsSentSevenTimes)
{
    FakeFrame frame;
    auto wait = MakeWait(PackageRecordWait(), &frame);
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Failed);
    EXPECT_EQ(trace.sendRounds, (QList<int>{0, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(trace.infos, QStringList{QStringLiteral("网络异常，请重试")});
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
}

TEST_F(RequestWaitTest, AnswerArrivingAfterTheFirstResendEndsTheWaitWithoutMessage)
{
    FakeFrame frame;
    auto wait = MakeWait(ShelfRequestWait(), &frame, [&frame](int n) {
        if (n == 2) // the reply comes in through the event loop, during the next poll
            QTimer::singleShot(0, &frame, [&frame] { frame.bResponse = true; });
    });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Answered);
    EXPECT_EQ(trace.sendRounds, (QList<int>{0, 25}));
    EXPECT_LT(wait->Round(), 50);
    EXPECT_TRUE(trace.infos.isEmpty());
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
}

TEST_F(RequestWaitTest, ReplyHandedBackFromInsideTheSendNeedsNoPoll)
{
    FakeFrame frame;
    auto wait = MakeWait(PackageRecordWait(), &frame, [&frame](int) { frame.bResponse = true; });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Answered);
    EXPECT_EQ(wait->Round(), 0);
    EXPECT_EQ(wait->Sends(), 1);
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
}

TEST_F(RequestWaitTest, TheWaitEndsAsSoonAsTheReplyIsHandledNotAtTheEndOfThePoll)
{
    // On the real clock: the reply comes at once, and the wait must be over
    // long before its 200 ms poll would end.
    StudyClock::setSpeed(1);
    FakeFrame frame;
    bool pollWouldHaveEnded = false;
    QTimer::singleShot(150, &frame, [&] { pollWouldHaveEnded = true; });
    auto wait = MakeWait(PackageRecordWait(), &frame,
                         [&frame](int) { QTimer::singleShot(0, &frame, [&frame] { frame.bResponse = true; }); });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Answered);
    EXPECT_FALSE(pollWouldHaveEnded);
    EXPECT_EQ(wait->Round(), 0);
    EXPECT_EQ(wait->Sends(), 1);
}

TEST_F(RequestWaitTest, NoResendOnceTheReplyHasArrived)
{
    // Resending every poll: the reply arrives during the first poll, so the
    // poll's resend would only fetch a second, stray copy of the reply.
    FakeFrame frame;
    TRequestWaitSettings everyPoll{1, QStringLiteral("x"), false};
    auto wait = MakeWait(everyPoll, &frame, [&frame](int n) {
        if (n == 1)
            QTimer::singleShot(0, &frame, [&frame] { frame.bResponse = true; });
    });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Answered);
    EXPECT_EQ(wait->Sends(), 1);
}

TEST_F(RequestWaitTest, StopDuringTheWaitEndsItSilently)
{
    FakeFrame frame;
    auto wait = MakeWait(ShelfRequestWait(), &frame, [&frame](int n) {
        if (n == 1)
            QTimer::singleShot(StudyClock::scaled(1000), &frame, [&frame] { frame.bStop = true; });
    });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Stopped);
    EXPECT_EQ(wait->Sends(), 1);
    EXPECT_LT(wait->Round(), 25);
    EXPECT_TRUE(trace.infos.isEmpty());
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
}

TEST_F(RequestWaitTest, ShelfRequestStoppedRightAfterItsFirstSendLeavesWorkStateAlone)
{
    FakeFrame frame;
    auto shelf = MakeWait(ShelfRequestWait(), &frame, [&frame](int) { frame.bStop = true; });
    EXPECT_EQ(shelf->Run(), TRequestWaitEnd::Stopped);
    EXPECT_TRUE(trace.states.isEmpty());
    EXPECT_TRUE(trace.infos.isEmpty());

    // The package record wait has no such exception: busy, then idle again.
    frame.bStop = false;
    auto package = MakeWait(PackageRecordWait(), &frame, [&frame](int) { frame.bStop = true; });
    EXPECT_EQ(package->Run(), TRequestWaitEnd::Stopped);
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
    EXPECT_TRUE(trace.infos.isEmpty());
}

TEST_F(RequestWaitTest, FrameDeletedDuringAPollEndsTheWaitWithoutTouchingIt)
{
    auto *frame = new FakeFrame;
    QPointer<FakeFrame> watch(frame);
    auto wait = MakeWait(ShelfRequestWait(), frame, [frame](int n) {
        if (n == 1)
            QTimer::singleShot(StudyClock::scaled(600), frame, [frame] { delete frame; });
    });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Gone);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(wait->Sends(), 1);
    // Busy was set before the frame went; nothing after it (no idle, no message).
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy}));
    EXPECT_TRUE(trace.infos.isEmpty());
}

TEST_F(RequestWaitTest, FrameDeletedInsideAResendEndsTheWaitWithoutTouchingIt)
{
    auto *frame = new FakeFrame;
    auto wait = MakeWait(PackageRecordWait(), frame, [frame](int n) {
        if (n == 2)
            delete frame; // the host closed the module while handling the resend
    });
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Gone);
    EXPECT_EQ(trace.sendRounds, (QList<int>{0, 10}));
    EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy}));
    EXPECT_TRUE(trace.infos.isEmpty());
}

TEST_F(RequestWaitTest, AlreadyGoneGuardDoesNothing)
{
    auto *frame = new FakeFrame;
    auto wait = MakeWait(PackageRecordWait(), frame);
    delete frame;
    EXPECT_EQ(wait->Run(), TRequestWaitEnd::Gone);
    EXPECT_EQ(wait->Sends(), 0);
    EXPECT_TRUE(trace.states.isEmpty());
}
