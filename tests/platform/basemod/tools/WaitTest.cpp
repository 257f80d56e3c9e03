#include "Wait.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(WaitTime, RunsTimersDuringTheWaitAndEndsWhenTheirHandlerSetsTheStopFlag)
{
    bool stop = false;
    int ticks = 0;
    QTimer t;
    t.setInterval(1);
    QObject::connect(&t, &QTimer::timeout, &t, [&] {
        if (++ticks == 3)
            stop = true;
    });
    t.start();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(WaitFor(10000, &stop), TWaitEnd::Stopped);
    EXPECT_GE(ticks, 3);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(WaitTime, ReportsAGuardDeletedDuringTheWaitWithoutReadingItsFlag)
{
    struct Owner : QObject
    {
        bool stop = false;
    };
    auto *owner = new Owner;
    QTimer::singleShot(1, owner, [owner] { delete owner; });
    // The flag lives inside the deleted object: WaitTime must not read it.
    EXPECT_FALSE(WaitTime(10000, owner->stop, owner));
}
