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

// (A wait that is answered shows in the frame's start-up tests and the
// scenario runs.)
TEST_F(RequestWaitTest, AnUnansweredRequestIsResentOnItsScheduleAndFailsWithItsMessageOnce)
{
    const struct
    {
        TRequestWaitSettings settings;
        QList<int> sendRounds;
        QString failure;
    } cases[] = {
        {ShelfRequestWait(), {0, 25, 50}, QStringLiteral("加载课程失败，请检查网络是否正常")},
        {PackageRecordWait(), {0, 10, 20, 30, 40, 50, 60}, QStringLiteral("网络异常，请重试")},
    };
    for (const auto &c : cases) {
        trace = {};
        FakeFrame frame;
        frame.bResponse = true; // left over from an earlier request: must be cleared
        auto wait = MakeWait(c.settings, &frame);
        EXPECT_EQ(wait->Run(), TRequestWaitEnd::Failed);
        EXPECT_EQ(trace.sendRounds, c.sendRounds);
        EXPECT_EQ(wait->Round(), 61);
        EXPECT_EQ(trace.infos, QStringList{c.failure});
        EXPECT_EQ(trace.states, (QList<TWorkState>{wsBusy, wsIdle}));
        // The first send precedes the busy state; every resend happens while busy.
        EXPECT_EQ(trace.stateAtSend.first(), wsIdle);
        EXPECT_EQ(trace.stateAtSend.count(wsBusy), c.sendRounds.size() - 1);
    }
}

TEST_F(RequestWaitTest, StopEndsTheWaitSilentlyAndOnlyTheShelfRequestStoppedAtOnceLeavesWorkStateAlone)
{
    const struct
    {
        TRequestWaitSettings settings;
        bool atOnce; // set inside the first send, else a second later
        QList<TWorkState> states;
    } cases[] = {
        {ShelfRequestWait(), false, {wsBusy, wsIdle}},
        {ShelfRequestWait(), true, {}},
        {PackageRecordWait(), true, {wsBusy, wsIdle}},
    };
    for (const auto &c : cases) {
        trace = {};
        FakeFrame frame;
        auto wait = MakeWait(c.settings, &frame, [&](int) {
            if (c.atOnce)
                frame.bStop = true;
            else
                QTimer::singleShot(StudyClock::scaled(1000), &frame, [&frame] { frame.bStop = true; });
        });
        EXPECT_EQ(wait->Run(), TRequestWaitEnd::Stopped);
        EXPECT_EQ(wait->Sends(), 1);
        EXPECT_TRUE(trace.infos.isEmpty());
        EXPECT_EQ(trace.states, c.states);
    }
}

TEST_F(RequestWaitTest, AFrameDeletedBeforeOrDuringTheWaitIsNeverTouchedAgain)
{
    enum TWhen { Before, DuringAPoll, InsideAResend };
    const struct
    {
        TWhen when;
        QList<int> sendRounds;
        QList<TWorkState> states; // busy is set before the frame goes; nothing after it
    } cases[] = {
        {Before, {}, {}},
        {DuringAPoll, {0}, {wsBusy}},
        {InsideAResend, {0, 10}, {wsBusy}},
    };
    for (const auto &c : cases) {
        trace = {};
        auto *frame = new FakeFrame;
        QPointer<FakeFrame> watch(frame);
        auto wait = MakeWait(PackageRecordWait(), frame, [&c, frame](int n) {
            if (c.when == DuringAPoll && n == 1)
                QTimer::singleShot(StudyClock::scaled(600), frame, [frame] { delete frame; });
            if (c.when == InsideAResend && n == 2)
                delete frame; // the host closed the module while handling the resend
        });
        if (c.when == Before)
            delete frame;
        EXPECT_EQ(wait->Run(), TRequestWaitEnd::Gone) << c.when;
        EXPECT_TRUE(watch.isNull());
        EXPECT_EQ(trace.sendRounds, c.sendRounds) << c.when;
        EXPECT_EQ(trace.states, c.states) << c.when;
        EXPECT_TRUE(trace.infos.isEmpty());
    }
}
