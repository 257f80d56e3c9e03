#include "StudyClock.h"
#include "TTimer.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(StudyClock, ScalesDurationsAndNeverRoundsAPositiveWaitToZero)
{
    StudyClock::setSpeed(50);
    EXPECT_EQ(StudyClock::scaled(12000), 240);
    EXPECT_EQ(StudyClock::scaled(10), 1);
    EXPECT_EQ(StudyClock::scaled(0), 0);
    StudyClock::setSpeed(0.1); // slower than real time is not allowed
    EXPECT_DOUBLE_EQ(StudyClock::speed(), 1.0);
    EXPECT_EQ(StudyClock::scaled(200), 200);
}

class TimerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        StudyClock::setSpeed(10);
        // The first event round of a fresh process is slow (platform and
        // fonts load); let it pass before measuring periods.
        waitPeriods(10, 2);
    }
    void TearDown() override { StudyClock::setSpeed(1); }

    // Lets n periods of a reference timer pass, without a fixed sleep.
    static bool waitPeriods(int intervalMs, int n)
    {
        TTimer ref(nullptr, true, intervalMs);
        int ticks = 0;
        QObject::connect(&ref, &TTimer::Timer, &ref, [&](TTimer *) { ++ticks; });
        return WaitUntil([&] { return ticks >= n; });
    }
};

TEST_F(TimerTest, FiresOnlyWhileEnabledWithAnInterval)
{
    TTimer timer(nullptr, true, 100), off(nullptr, false, 100), zero(nullptr, true, 0);
    int ticks = 0, others = 0;
    TTimer *seen = nullptr;
    QObject::connect(&timer, &TTimer::Timer, &timer, [&](TTimer *sender) {
        ++ticks;
        seen = sender;
    });
    for (TTimer *t : {&off, &zero})
        QObject::connect(t, &TTimer::Timer, t, [&](TTimer *) { ++others; });
    ASSERT_TRUE(WaitUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(seen, &timer);
    EXPECT_EQ(others, 0);

    timer.SetEnabled(false);
    const int atStop = ticks;
    ASSERT_TRUE(waitPeriods(100, 4));
    EXPECT_EQ(ticks, atStop);
    off.SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return others >= 1; }));
}

TEST_F(TimerTest, ReEnablingInsideItsHandlerArmsAFullInterval)
{
    // 300 ms stated = 30 ms real at speed 10.
    TTimer timer(nullptr, true, 300);
    QElapsedTimer clock;
    QList<qint64> at;
    QObject::connect(&timer, &TTimer::Timer, &timer, [&](TTimer *t) {
        at << clock.elapsed();
        t->SetEnabled(false);
        if (at.size() < 4)
            t->SetEnabled(true);
    });
    clock.start();
    ASSERT_TRUE(WaitUntil([&] { return at.size() == 4; }));
    for (int i = 1; i < at.size(); ++i)
        EXPECT_GE(at[i] - at[i - 1], StudyClock::scaled(300) - 2) << "gap " << i;
    // After the fourth tick the handler left it off.
    ASSERT_TRUE(waitPeriods(300, 3));
    EXPECT_EQ(at.size(), 4);
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(TimerTest, ChangingTheIntervalWhileEnabledRestartsThePeriod)
{
    // 2000 ms stated = 200 ms real.
    QElapsedTimer sinceArmed;
    TTimer timer(nullptr, true, 2000);
    sinceArmed.start();
    int ticks = 0;
    QElapsedTimer sinceChange;
    qint64 firstTickAfterChange = -1;
    QObject::connect(&timer, &TTimer::Timer, &timer, [&](TTimer *) {
        if (ticks++ == 0)
            firstTickAfterChange = sinceChange.elapsed();
    });
    // Let half of the first period pass, then change the interval.
    ASSERT_TRUE(WaitUntil([&] { return sinceArmed.elapsed() >= StudyClock::scaled(1000); }));
    if (ticks != 0)
        GTEST_SKIP() << "event loop stalled past the first period; nothing to measure";
    sinceChange.start();
    timer.SetInterval(1500);
    ASSERT_TRUE(WaitUntil([&] { return ticks >= 1; }));
    // A period that was not restarted would end at most 100 ms after the
    // change; a restarted one takes the full 150 ms.
    EXPECT_GE(firstTickAfterChange, StudyClock::scaled(1500) - 2);
}

TEST_F(TimerTest, TickDueWhileItsHandlerWaitsIsNotDeliveredInsideIt)
{
    TTimer timer(nullptr, true, 100);
    int depth = 0, maxDepth = 0, ticks = 0;
    QObject::connect(&timer, &TTimer::Timer, &timer, [&](TTimer *t) {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        t->SetEnabled(false);
        if (ticks == 1) {
            // A handler that re-arms its timer and then keeps dispatching
            // events for several periods.
            t->SetEnabled(true);
            waitPeriods(100, 4);
        }
        --depth;
    });
    ASSERT_TRUE(WaitUntil([&] { return ticks >= 2; }));
    EXPECT_EQ(maxDepth, 1);
    EXPECT_FALSE(timer.InHandler());
}

TEST_F(TimerTest, HandlerMayDeleteItsTimer)
{
    auto *timer = new TTimer(nullptr, true, 100);
    QPointer<TTimer> watch(timer);
    int ticks = 0;
    QObject context;
    QObject::connect(timer, &TTimer::Timer, &context, [&](TTimer *t) {
        ++ticks;
        delete t;
    });
    ASSERT_TRUE(WaitUntil([&] { return watch.isNull(); }));
    EXPECT_EQ(ticks, 1);
}

} // namespace
