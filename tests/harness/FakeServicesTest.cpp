#include "ClockSpeed.h"
#include "FakeArchive.h"
#include "StudyClock.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

TEST(FakeArchive, ServesGeneratedPicturesUnlessMissingAndRecordsRequests)
{
    FakeArchive archive;
    archive.SetPictureSize(QSize(12, 8));
    archive.SetMissing(QStringLiteral("png/study/Gone.png"));
    archive.AddEntry(QStringLiteral("data\\x.bin"), "xyz");

    const auto pic = archive.GetResource(QStringLiteral("png\\study\\UnRecorded.png"));
    ASSERT_TRUE(pic.has_value());
    const QImage image = QImage::fromData(*pic, "PNG");
    EXPECT_EQ(image.size(), QSize(12, 8));
    EXPECT_EQ(image.pixelColor(3, 3), archive.PictureColor());

    EXPECT_FALSE(archive.GetResource(QStringLiteral("png\\study\\Gone.png")).has_value());
    EXPECT_FALSE(archive.GetResource(QStringLiteral("ani\\none\\filelist.txt")).has_value());
    EXPECT_EQ(archive.GetResource(QStringLiteral("data/x.bin")).value(), QByteArray("xyz"));
    archive.SetGeneratePictures(false);
    EXPECT_FALSE(archive.GetResource(QStringLiteral("png\\other.png")).has_value());

    EXPECT_EQ(archive.Requests().size(), 5);
    EXPECT_EQ(archive.RequestCount(QStringLiteral("png/study/Gone.png")), 1);
    EXPECT_EQ(archive.Requests().first(), QStringLiteral("png\\study\\UnRecorded.png"));
}

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
