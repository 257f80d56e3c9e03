#include "ClockSpeed.h"
#include "FakeArchive.h"
#include "FakeSoundEngine.h"
#include "LogCapture.h"
#include "TFrameAnimation.h"
#include "TPngAni.h"
#include "TRectangle.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TPngAniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.SetSize(300, 200);
        list = archive->AddAnimation(QStringLiteral("cartoon"), kFrames, QSize(16, 16));
    }

    // Configured as the screens do; the caller owns the result.
    TPngAni *make(bool loop, int speed)
    {
        auto *ani = new TPngAni(&parent);
        ani->SetAniArchive(archive);
        ani->SetAniSpeed(speed);
        ani->SetAniHeight(90);
        ani->SetAniWidth(136);
        EXPECT_TRUE(ani->LoadAniFile(list));
        ani->SetAniLoopPlay(loop);
        return ani;
    }

    // Colour in the middle of what the animation shows.
    static QColor shownColor(TPngAni *ani)
    {
        const QImage image = ani->View()->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    static constexpr int kFrames = 5;
    TRectangle parent;
    std::shared_ptr<FakeArchive> archive = std::make_shared<FakeArchive>();
    std::shared_ptr<FakeSoundEngine> sound = std::make_shared<FakeSoundEngine>();
    QString list;
};

} // namespace

TEST_F(TPngAniTest, SingleRunShowsEveryFrameInOrderThenCallsTheStopHandlerOnceAndMayHideTheAnimation)
{
    ClockSpeed fast(4);
    std::unique_ptr<TPngAni> ani(make(false, 80));
    EXPECT_FALSE(ani->View()->isVisibleTo(&parent)); // configured, not started

    int stops = 0;
    QList<int> seen;
    ani->SetAniStop([&] {
        seen << ani->ShownFrame();
        ++stops;
    });
    QElapsedTimer clock;
    clock.start();
    ani->PlayAni();
    EXPECT_TRUE(ani->View()->isVisibleTo(&parent));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int f = ani->ShownFrame();
            if (seen.isEmpty() || seen.constLast() != f)
                seen << f;
            return stops > 0;
        },
        RealMs{5000}));
    // Five frames of 80 stated ms at speed 4: at least 100 ms of real time.
    EXPECT_GE(clock.elapsed(), 90);
    EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3, 4, 4}));
    EXPECT_FALSE(ani->IsPlaying());
    EXPECT_FALSE(WaitUntil([&] { return stops > 1; }, RealMs{100}));

    // A second run uses the frames decoded by LoadAniFile; with the flag the
    // animation is hidden when the run ends.
    ani->PlayAni(true);
    EXPECT_TRUE(WaitUntil([&] { return stops == 2; }, RealMs{5000}));
    EXPECT_FALSE(ani->View()->isVisibleTo(&parent));
    EXPECT_EQ(archive->RequestCount(QStringLiteral("ani\\cartoon\\cartoon_004.png")), 1);
}

TEST_F(TPngAniTest, LoopingRunStartsOverUntilStopAniAndLeavesTheChosenFrame)
{
    std::unique_ptr<TPngAni> ani(make(true, 10));
    int stops = 0;
    ani->SetAniStop([&] { ++stops; });
    ani->PlayAni();
    bool sawLast = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            if (ani->ShownFrame() == kFrames - 1)
                sawLast = true;
            return sawLast && ani->ShownFrame() == 0;
        },
        RealMs{5000}));
    EXPECT_TRUE(ani->IsPlaying());

    ani->StopAni(asLastFrame);
    EXPECT_FALSE(ani->IsPlaying());
    EXPECT_EQ(ani->ShownFrame(), kFrames - 1);
    EXPECT_EQ(shownColor(ani.get()), FakeArchive::FrameColor(kFrames - 1));
    EXPECT_FALSE(WaitUntil([&] { return ani->ShownFrame() != kFrames - 1 || stops > 0; }, RealMs{80}));

    ani->StopAni(asHidden);
    EXPECT_EQ(ani->ShownFrame(), -1);

    // Playing again brings back every frame; stopping keeps the one showing.
    ani->PlayAni();
    EXPECT_TRUE(WaitUntil([&] { return ani->ShownFrame() == 2; }, RealMs{5000}));
    ani->StopAni(asCurrentFrame);
    EXPECT_EQ(ani->ShownFrame(), 2);
    EXPECT_EQ(stops, 0);
}

TEST_F(TPngAniTest, DeletingItInItsStopHandlerOrWhileRunningIsSafe)
{
    QPointer<TPngAni> ani = make(false, 5);
    QPointer<TFrameAnimation> view = ani->View();
    int stops = 0;
    ani->SetAniStop([&] {
        ++stops;
        delete ani.data();
    });
    ani->PlayAni();
    EXPECT_TRUE(WaitUntil([&] { return ani.isNull() && view.isNull(); }, RealMs{5000}));
    EXPECT_EQ(stops, 1);

    // Deleted while running: stopped without the handler.
    ani = make(false, 20);
    ani->SetAniStop([&] { ++stops; });
    ani->PlayAni();
    EXPECT_TRUE(WaitUntil([&] { return ani->ShownFrame() >= 1; }, RealMs{5000}));
    delete ani.data();
    EXPECT_TRUE(parent.findChildren<TFrameAnimation *>().isEmpty());
    EXPECT_FALSE(WaitUntil([&] { return stops > 1; }, RealMs{150}));
}

TEST_F(TPngAniTest, SoundOfTheListIsWrittenOutAndPlayedWithoutWaiting)
{
    const QString withSound = archive->AddAnimation(QStringLiteral("ScoreBackGold"), 2, QSize(8, 8), "ID3-gold-sound");
    TPngAni ani(&parent);
    ani.SetAniArchive(archive);
    ani.SetAniSnd(sound);
    ASSERT_TRUE(ani.LoadAniFile(withSound));
    ani.PlayAni();
    const auto call = sound->Calls().Last(QStringLiteral("PlayFile"));
    ASSERT_TRUE(call.has_value());
    EXPECT_EQ(call->args.mid(1), (QStringList{"false", "0"}));
    QFile f(call->args[0]);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("ID3-gold-sound"));
}

TEST_F(TPngAniTest, MissingListIsLoggedAndASingleRunStillEndsButNotInsidePlayAni)
{
    LogCapture log;
    TPngAni ani(&parent);
    ani.SetAniArchive(archive);
    EXPECT_FALSE(ani.LoadAniFile(QStringLiteral("ani\\absent\\filelist.txt")));
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")).size(), 1);
    bool inPlay = false;
    int stops = 0;
    bool calledInsidePlay = false;
    ani.SetAniStop([&] {
        calledInsidePlay = inPlay;
        ++stops;
    });
    inPlay = true;
    ani.PlayAni();
    inPlay = false;
    EXPECT_TRUE(WaitUntil([&] { return stops == 1; }, RealMs{5000}));
    EXPECT_FALSE(calledInsidePlay);
}
