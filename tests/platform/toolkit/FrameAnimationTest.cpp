#include "StudyClock.h"
#include "TFrameAnimation.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

namespace {

QList<QImage> frames(int n)
{
    QList<QImage> list;
    for (int i = 0; i < n; ++i) {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(i * 40, 255, 255));
        list << image;
    }
    return list;
}

class FrameAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override { StudyClock::setSpeed(10); }
    void TearDown() override { StudyClock::setSpeed(1); }
};

TEST_F(FrameAnimationTest, SingleRunStepsEveryFrameOnceThenFinishesOnTheLast)
{
    TFrameAnimation ani;
    ani.SetFrames(frames(4));
    ani.SetSpeed(100);
    QList<int> shown;
    int finished = 0;
    QObject::connect(&ani, &TFrameAnimation::Finished, &ani, [&](TFrameAnimation *sender) {
        EXPECT_EQ(sender, &ani);
        ++finished;
    });
    // Record the frame after every event round.
    ani.Start();
    EXPECT_TRUE(ani.IsRunning());
    EXPECT_EQ(ani.CurrentFrame(), 0);
    ASSERT_TRUE(WaitUntil([&] {
        if (shown.isEmpty() || shown.last() != ani.CurrentFrame())
            shown << ani.CurrentFrame();
        return finished > 0;
    }));
    EXPECT_EQ(shown, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(ani.IsRunning());
    EXPECT_EQ(ani.CurrentFrame(), 3);
}

TEST_F(FrameAnimationTest, LoopWrapsAroundStopDoesNotReportFinishedAndNewFramesResetIt)
{
    TFrameAnimation ani;
    int finished = 0;
    QObject::connect(&ani, &TFrameAnimation::Finished, &ani, [&](TFrameAnimation *) { ++finished; });
    ani.Start(); // an empty single run finishes at once
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(ani.IsRunning());

    ani.SetFrames(frames(3));
    ani.SetSpeed(50);
    ani.SetLoop(true);
    ani.Start();
    bool sawLast = false;
    ASSERT_TRUE(WaitUntil([&] {
        sawLast = sawLast || ani.CurrentFrame() == 2;
        return sawLast && ani.CurrentFrame() == 0;
    }));
    EXPECT_TRUE(ani.IsRunning());
    ani.Stop();
    EXPECT_FALSE(ani.IsRunning());
    EXPECT_EQ(finished, 1);

    ani.Start();
    ani.SetFrames(frames(5));
    EXPECT_FALSE(ani.IsRunning());
    EXPECT_EQ(ani.CurrentFrame(), -1);
    EXPECT_EQ(ani.FrameCount(), 5);
}

} // namespace
