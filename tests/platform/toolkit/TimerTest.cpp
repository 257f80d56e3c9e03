#include "StudyClock.h"
#include "TTimer.h"
#include "WaitUntil.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(StudyClock, ScalesDurationsAndNeverRoundsAPositiveWaitToZero)
{
    StudyClock::setSpeed(50);
    EXPECT_EQ(StudyClock::scaled(12000), 240);
    EXPECT_EQ(StudyClock::scaled(10), 1);
    StudyClock::setSpeed(0.1); // slower than real time is not allowed
    EXPECT_EQ(StudyClock::scaled(200), 200);
}

class TimerTest : public ::testing::Test
{
protected:
    void SetUp() override { StudyClock::setSpeed(10); }
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
