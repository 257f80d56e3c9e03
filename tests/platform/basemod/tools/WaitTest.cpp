#include "Wait.h"

#include <QTimer>

#include <gtest/gtest.h>

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
