#include "AniFrameList.h"
#include "ClockSpeed.h"
#include "FakeArchive.h"
#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "StudyClock.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

TEST(FakeCustomMessage, AnswersFromTheQueueAndRecordsCaptionsOfTheNextQuestionOnly)
{
    FakeCustomMessage msg;
    msg.QueueAnswer(mrYes);
    msg.SetOkCaption(QStringLiteral("确定"));
    msg.SetCancelCaption(QStringLiteral("取消"));
    EXPECT_EQ(msg.AskQuestion(QStringLiteral("是否下载？"), mbYesNo), mrYes);
    msg.ShowInfo(QStringLiteral("网络异常，请重试"));
    EXPECT_EQ(msg.AskQuestion(QStringLiteral("再问"), mbYesNo), mrNo);

    ASSERT_EQ(msg.Questions().size(), 2);
    const TQuestionRecord &first = msg.Questions()[0];
    EXPECT_EQ(first.text, QStringLiteral("是否下载？"));
    EXPECT_EQ(first.buttons, 3);
    EXPECT_EQ(first.okCaption, QStringLiteral("确定"));
    EXPECT_EQ(first.cancelCaption, QStringLiteral("取消"));
    EXPECT_FALSE(first.unplanned);
    const TQuestionRecord &second = msg.Questions()[1];
    EXPECT_TRUE(second.okCaption.isEmpty());
    EXPECT_TRUE(second.unplanned);
    EXPECT_NE(second.answer, mrYes);
    EXPECT_EQ(msg.UnplannedQuestions(), 1);
    EXPECT_EQ(msg.Infos(), QStringList{QStringLiteral("网络异常，请重试")});
}

TEST(FakeCustomHint, TracksTheShownHint)
{
    FakeCustomHint hint;
    hint.ShowHint(QStringLiteral("Book"), 3);
    EXPECT_TRUE(hint.IsShown());
    EXPECT_EQ(hint.Text(), QStringLiteral("Book"));
    hint.HideHint();
    EXPECT_FALSE(hint.IsShown());
    EXPECT_EQ(hint.Calls().Names(), (QStringList{"ShowHint", "HideHint"}));
}

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

TEST(FakeArchive, AnimationFrameListNamesFramesItServesInOrder)
{
    FakeArchive archive;
    const QString list = archive.AddAnimation(QStringLiteral("ExpEffect"), 4, QSize(10, 20), "mp3bytes");
    EXPECT_EQ(list, QStringLiteral("ani\\ExpEffect\\filelist.txt"));

    const TAniFrameList parsed = ParseAniFrameList(archive.GetResource(list).value());
    ASSERT_EQ(parsed.frames.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const auto bytes = archive.GetResource(AniEntryName(list, parsed.frames[i]));
        ASSERT_TRUE(bytes.has_value()) << i;
        const QImage frame = QImage::fromData(*bytes, "PNG");
        EXPECT_EQ(frame.size(), QSize(10, 20));
        EXPECT_EQ(frame.pixelColor(0, 0), FakeArchive::FrameColor(i)) << i;
    }
    EXPECT_NE(FakeArchive::FrameColor(0), FakeArchive::FrameColor(1));
    EXPECT_EQ(archive.GetResource(AniEntryName(list, parsed.sound)).value(), QByteArray("mp3bytes"));
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
