#include "StudyClock.h"

#include <gtest/gtest.h>

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
