// The bounded wait every test relies on: a wait that always succeeded
// would make the tests that use it pass whatever the code does.

#include "ClockSpeed.h"
#include "StudyClock.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(WaitUntil, ReturnsWhenAConditionSetByATimerHoldsAndFailsAfterItsLimit)
{
    bool flag = false;
    QObject context;
    QTimer::singleShot(10, &context, [&] { flag = true; });
    EXPECT_TRUE(WaitUntil([&] { return flag; }, RealMs{5000}));

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(WaitUntil([] { return false; }, RealMs{60}));
    EXPECT_GE(clock.elapsed(), 55);
    EXPECT_LT(clock.elapsed(), 3000);

    {
        ClockSpeed fast(100);
        EXPECT_DOUBLE_EQ(StudyClock::speed(), 100);
        clock.restart();
        EXPECT_FALSE(WaitUntil([] { return false; }, StatedMs{10000}));
        EXPECT_LT(clock.elapsed(), 3000); // 100 ms of real time
    }
    EXPECT_DOUBLE_EQ(StudyClock::speed(), 1);
}
