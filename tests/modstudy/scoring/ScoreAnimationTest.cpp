// The frame's animations: the score level reward with its sound fall-back and
// its silence while the host closes the module, and the figure and welcome
// animations with their parents, sizes and loop flags. (A unit's progress is
// CoursePage's.)

#include "TestHost.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include "TFrameAnimation.h"
#include "TPngAni.h"
#include "TRectangle.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QColor kGoldColor(0xD4, 0xA0, 0x17);
const QColor kBadColor(0x55, 0x55, 0x55);

// A started frame (no user infos, so no shelf request is pending) whose
// main path is a fresh folder.
struct ScoringHost
{
    ScoringHost()
    {
        host.Start(false);
        frame = host.Frame();
        frame->SetMainPath(dir.path() + QLatin1Char('/'));
        host.archive->AddPicture(QStringLiteral("png\\ScoreBackGold.png"), kGoldColor, QSize(20, 20));
        host.archive->AddPicture(QStringLiteral("png\\ScoreBackBad.png"), kBadColor, QSize(20, 20));
        judge = new TRectangle(frame);
        judge->SetBounds(10, 10, 180, 120);
        judge->SetFill(TRectangle::FillKind::None);
    }

    QString SoundFile(const QString &level) const { return dir.path() + QStringLiteral("/data/") + level + ".mp3"; }
    int PlayFileCalls() const { return host.sound->Calls().Count(QStringLiteral("PlayFile")); }

    QTemporaryDir dir;
    TestHost host;
    TStudyFrame *frame = nullptr;
    TRectangle *judge = nullptr;
};

QColor centre(const QImage &image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(ScoreAni, TheLevelSoundIsItsFileOrElseTheArchivesKeptAsTheFileAndWithoutEitherThePictureIsSilent)
{
    ScoringHost h;
    const QByteArray mp3("ID3-gold-sound");
    const QString entry = QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3");
    h.host.archive->AddEntry(entry, mp3);

    h.frame->PlayScoreAni(85, h.judge); // exactly 85 is gold
    const QString file = h.SoundFile(QStringLiteral("ScoreBackGold"));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), mp3);
    EXPECT_EQ(h.host.sound->Calls().Last(QStringLiteral("PlayFile")).value_or(TFakeCall{}).args,
              (QStringList{file, QStringLiteral("false"), QStringLiteral("0")}));
    EXPECT_EQ(centre(h.judge->Bitmap()), kGoldColor);

    // Configured on the judge area but not started.
    ASSERT_NE(h.frame->ScoreAni, nullptr);
    EXPECT_EQ(h.frame->ScoreAni->View()->parentWidget(), h.judge);
    EXPECT_FALSE(h.frame->ScoreAni->IsPlaying());

    // Next time the file is there: the archive is not asked again, and the
    // previous animation object is replaced.
    QPointer<TFrameAnimation> oldView = h.frame->ScoreAni->View();
    const int asked = h.host.archive->RequestCount(entry);
    h.frame->PlayScoreAni(99.5, h.judge);
    EXPECT_EQ(h.host.archive->RequestCount(entry), asked);
    EXPECT_EQ(h.PlayFileCalls(), 2);
    EXPECT_TRUE(oldView.isNull());

    // Silver: the file on disk is played as it is.
    const QString silver = h.SoundFile(QStringLiteral("ScoreBackSilver"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(silver).absolutePath()));
    QFile f(silver);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    h.host.archive->AddEntry(QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3"), "archive");
    h.frame->PlayScoreAni(75, h.judge);
    EXPECT_EQ(f.size(), 0);
    EXPECT_EQ(h.host.archive->RequestCount(QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3")), 0);
    EXPECT_EQ(h.host.sound->Calls().Last(QStringLiteral("PlayFile")).value_or(TFakeCall{}).args.value(0), silver);

    // Bad (64.99): no file and no sound in the archive: the picture only.
    h.host.sound->Calls().Clear();
    h.frame->PlayScoreAni(64.99, h.judge);
    EXPECT_EQ(h.PlayFileCalls(), 0);
    EXPECT_FALSE(QFileInfo::exists(h.SoundFile(QStringLiteral("ScoreBackBad"))));
    EXPECT_EQ(centre(h.judge->Bitmap()), kBadColor);
    EXPECT_EQ(h.host.archive->RequestCount(QStringLiteral("png\\ScoreBackBad.png")), 1);
}

TEST(ScoreAni, ShowsAndPlaysNothingWhileTheHostClosesOrSwitches)
{
    ScoringHost h;
    h.host.archive->AddEntry(QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"), "gold");
    const auto silent = [&h](const char *after) {
        h.host.sound->Calls().Clear();
        h.host.archive->ClearRequests();
        h.judge->ClearBitmap();
        h.frame->PlayScoreAni(90, h.judge);
        EXPECT_EQ(h.frame->ScoreAni, nullptr) << after; // the old one is freed
        EXPECT_EQ(h.PlayFileCalls(), 0) << after;
        EXPECT_FALSE(h.judge->HasBitmap()) << after;
        EXPECT_TRUE(h.host.archive->Requests().isEmpty()) << after;
    };
    // The host's requests arrive through the module like any message. A
    // message after the close request does not lift the silence: the frame
    // is still closing.
    h.frame->PlayScoreAni(90, h.judge);
    ASSERT_NE(h.frame->ScoreAni, nullptr);
    h.host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":10005})"));
    silent("switch");
    h.host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":10003})"));
    silent("close");
    h.host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":42,"errorCode":0})"));
    silent("a message after the close");
}

TEST(FigureAni, ReadAndRecordFiguresTakeTheirParentsSizesAndReplaceEachOther)
{
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("cartoon"), 4);
    h.host.archive->AddAnimation(QStringLiteral("manRecorder"), 3);
    auto *spot = new TRectangle(h.frame);

    // The reading figure's parent is wide and low, its animation tall and
    // narrow; the recording figure's likewise, and each replaces the other.
    h.frame->PlayReadAni(QStringLiteral("cartoon"), spot);
    ASSERT_NE(h.frame->ReadAni, nullptr);
    EXPECT_EQ(spot->geometry(), QRect(817, 106, 136, 90));
    EXPECT_EQ(h.frame->ReadAni->View()->geometry(), QRect(0, 0, 90, 136));
    EXPECT_TRUE(h.frame->ReadAni->IsLooping());
    QPointer<TFrameAnimation> readView = h.frame->ReadAni->View();
    h.frame->PlayRecordAni(QStringLiteral("manRecorder"), spot);
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    EXPECT_TRUE(readView.isNull());
    ASSERT_NE(h.frame->RecordAni, nullptr);
    EXPECT_EQ(spot->geometry(), QRect(817, 106, 160, 85));
    EXPECT_EQ(h.frame->RecordAni->View()->geometry(), QRect(0, 0, 85, 160));

    // While a stop is pending the figure goes and nothing new starts.
    QPointer<TFrameAnimation> recView = h.frame->RecordAni->View();
    h.frame->bStop = true;
    h.frame->PlayReadAni(QStringLiteral("cartoon"), spot);
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    EXPECT_TRUE(recView.isNull());
    h.frame->PlayRecordAni(QStringLiteral("manRecorder"), spot);
    EXPECT_EQ(h.frame->RecordAni, nullptr);
}

TEST(FigureAni, AnAnimationThatWentWithItsParentIsNotFreedAgain)
{
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("cartoon"), 2);
    auto *modeArea = new TRectangle(h.frame);
    h.frame->PlayReadAni(QStringLiteral("cartoon"), modeArea);
    ASSERT_NE(h.frame->ReadAni, nullptr);
    delete modeArea; // e.g. a mode frame freed when its page is left
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    // The next figure frees the old field first: nothing left to free twice.
    h.frame->PlayRecordAni(QStringLiteral("cartoon"), new TRectangle(h.frame));
    EXPECT_NE(h.frame->RecordAni, nullptr);

    auto *judge = new TRectangle(h.frame);
    h.frame->PlayScoreAni(90, judge);
    ASSERT_NE(h.frame->ScoreAni, nullptr);
    delete judge;
    EXPECT_EQ(h.frame->ScoreAni, nullptr);
    h.frame->PlayScoreAni(90, h.judge);
    EXPECT_NE(h.frame->ScoreAni, nullptr);
}

TEST(WelcomeAni, PlaysOnceOverTheWholeParentAndHidesAtTheEnd)
{
    ClockSpeed speed(20);
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("WelcomeToStudy"), 3);
    TRectangle *parent = h.frame->Rectangle_WelcomeAniBackground;
    h.frame->PlayWelcomeAni();
    ASSERT_NE(h.frame->WelcomeAni, nullptr);
    TFrameAnimation *view = h.frame->WelcomeAni->View();
    EXPECT_EQ(view->geometry(), QRect(QPoint(0, 0), parent->size()));
    EXPECT_FALSE(h.frame->WelcomeAni->IsLooping());
    EXPECT_TRUE(WaitUntil([&] { return !h.frame->WelcomeAni->IsPlaying(); }, StatedMs{2000}));
    EXPECT_FALSE(view->isVisibleTo(parent));

    // A new welcome replaces the old; none starts while a stop is pending.
    QPointer<TFrameAnimation> old = view;
    h.frame->bStop = true;
    h.frame->PlayWelcomeAni();
    EXPECT_EQ(h.frame->WelcomeAni, nullptr);
    EXPECT_TRUE(old.isNull());
}

} // namespace
