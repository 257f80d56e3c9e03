// The frame's animations: the score level reward with its sound fall-back and
// its silence while the host closes the module, the figure and welcome
// animations with their parents, sizes and loop flags, and the unit progress.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include "PackBook.h"
#include "Render.h"
#include "TFrameAnimation.h"
#include "TPngAni.h"
#include "TProgressBar.h"
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

TEST(ScoreAni, FallsBackToTheArchiveSoundAndKeepsItAsTheLevelFile)
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
    const auto play = h.host.sound->Calls().Last(QStringLiteral("PlayFile"));
    ASSERT_TRUE(play.has_value());
    EXPECT_EQ(play->args, (QStringList{file, QStringLiteral("false"), QStringLiteral("0")}));
    ASSERT_TRUE(h.judge->HasBitmap());
    EXPECT_EQ(centre(h.judge->Bitmap()), kGoldColor);

    // Configured on the judge area but not started.
    ASSERT_NE(h.frame->ScoreAni, nullptr);
    ASSERT_NE(h.frame->ScoreAni->View(), nullptr);
    EXPECT_EQ(h.frame->ScoreAni->View()->parentWidget(), h.judge);
    EXPECT_EQ(h.frame->ScoreAni->View()->geometry(), h.judge->rect());
    EXPECT_FALSE(h.frame->ScoreAni->IsLooping());
    EXPECT_FALSE(h.frame->ScoreAni->IsPlaying());

    // Next time the file is there: the archive is not asked again, and the
    // previous animation object is replaced.
    QPointer<TFrameAnimation> oldView = h.frame->ScoreAni->View();
    const int asked = h.host.archive->RequestCount(entry);
    h.frame->PlayScoreAni(99.5, h.judge);
    EXPECT_EQ(h.host.archive->RequestCount(entry), asked);
    EXPECT_EQ(h.PlayFileCalls(), 2);
    EXPECT_TRUE(oldView.isNull());
}

TEST(ScoreAni, AnExistingLevelFileWinsAndAMissingSoundLeavesThePictureSilent)
{
    ScoringHost h;
    // Silver: the file on disk is played as it is.
    const QString silver = h.SoundFile(QStringLiteral("ScoreBackSilver"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(silver).absolutePath()));
    {
        QFile f(silver);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("local");
    }
    h.host.archive->AddEntry(QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3"), "archive");
    h.frame->PlayScoreAni(75, h.judge);
    QFile f(silver);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("local"));
    EXPECT_EQ(h.host.archive->RequestCount(QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3")), 0);
    EXPECT_EQ(h.host.sound->Calls().Last(QStringLiteral("PlayFile"))->args.value(0), silver);

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
    for (const int code : {10003, 10005}) {
        ScoringHost h;
        h.host.archive->AddEntry(QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"), "gold");
        h.frame->PlayScoreAni(90, h.judge);
        ASSERT_NE(h.frame->ScoreAni, nullptr);
        h.host.sound->Calls().Clear();
        h.host.archive->ClearRequests();
        h.judge->ClearBitmap();

        // The host's request arrives through the module like any message.
        h.host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":%1}").arg(code));
        ASSERT_EQ(h.frame->curMsgCode, code);
        h.frame->PlayScoreAni(90, h.judge);
        EXPECT_EQ(h.frame->ScoreAni, nullptr) << code; // the old one is freed
        EXPECT_EQ(h.PlayFileCalls(), 0) << code;
        EXPECT_FALSE(h.judge->HasBitmap()) << code;
        EXPECT_TRUE(h.host.archive->Requests().isEmpty()) << code;
    }

    // A message that arrives after the close request does not lift the
    // silence: the frame is still closing.
    ScoringHost h;
    h.host.archive->AddEntry(QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"), "gold");
    h.host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
    h.host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":42,\"errorCode\":0}"));
    ASSERT_NE(h.frame->curMsgCode, 10003);
    h.frame->PlayScoreAni(90, h.judge);
    EXPECT_EQ(h.PlayFileCalls(), 0);
    EXPECT_FALSE(h.judge->HasBitmap());
}

TEST(FigureAni, ReadAndRecordFiguresTakeTheirParentsSizesAndReplaceEachOther)
{
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("cartoon"), 4);
    h.host.archive->AddAnimation(QStringLiteral("manRecorder"), 3);
    auto *spot = new TRectangle(h.frame);
    spot->SetBounds(1, 2, 30, 30);

    h.frame->PlayReadAni(QStringLiteral("cartoon"), spot);
    EXPECT_EQ(h.frame->RecordAni, nullptr);
    ASSERT_NE(h.frame->ReadAni, nullptr);
    EXPECT_EQ(spot->geometry(), QRect(817, 106, 136, 90));
    TFrameAnimation *read = h.frame->ReadAni->View();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->parentWidget(), spot);
    EXPECT_EQ(read->geometry(), QRect(0, 0, 90, 136));
    EXPECT_EQ(h.frame->ReadAni->FrameCount(), 4);
    EXPECT_TRUE(h.frame->ReadAni->IsLooping());
    EXPECT_TRUE(h.frame->ReadAni->IsPlaying());

    QPointer<TFrameAnimation> readView = read;
    h.frame->PlayRecordAni(QStringLiteral("manRecorder"), spot);
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    EXPECT_TRUE(readView.isNull());
    ASSERT_NE(h.frame->RecordAni, nullptr);
    EXPECT_EQ(spot->geometry(), QRect(817, 106, 160, 85));
    TFrameAnimation *rec = h.frame->RecordAni->View();
    EXPECT_EQ(rec->geometry(), QRect(0, 0, 85, 160));
    EXPECT_TRUE(h.frame->RecordAni->IsLooping());
    EXPECT_TRUE(h.frame->RecordAni->IsPlaying());

    // While a stop is pending the figure goes and nothing new starts; the
    // parent keeps its place.
    QPointer<TFrameAnimation> recView = rec;
    spot->SetBounds(5, 5, 50, 50);
    h.frame->bStop = true;
    h.frame->PlayReadAni(QStringLiteral("cartoon"), spot);
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    EXPECT_EQ(h.frame->RecordAni, nullptr);
    EXPECT_TRUE(recView.isNull());
    EXPECT_EQ(spot->geometry(), QRect(5, 5, 50, 50));
    h.frame->PlayRecordAni(QStringLiteral("manRecorder"), spot);
    EXPECT_EQ(h.frame->RecordAni, nullptr);
}

TEST(FigureAni, AnAnimationThatWentWithItsParentIsNotFreedAgain)
{
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("cartoon"), 2);
    h.host.archive->AddAnimation(QStringLiteral("manRecorder"), 2);
    auto *modeArea = new TRectangle(h.frame);
    h.frame->PlayReadAni(QStringLiteral("cartoon"), modeArea);
    ASSERT_NE(h.frame->ReadAni, nullptr);
    delete modeArea; // e.g. a mode frame freed when its page is left
    EXPECT_EQ(h.frame->ReadAni, nullptr);
    // The next figure frees the old field first: nothing left to free twice.
    auto *next = new TRectangle(h.frame);
    h.frame->PlayRecordAni(QStringLiteral("manRecorder"), next);
    EXPECT_NE(h.frame->RecordAni, nullptr);

    auto *judge = new TRectangle(h.frame);
    h.frame->PlayScoreAni(90, judge);
    ASSERT_NE(h.frame->ScoreAni, nullptr);
    delete judge;
    EXPECT_EQ(h.frame->ScoreAni, nullptr);
    h.frame->PlayScoreAni(90, h.judge);
    EXPECT_NE(h.frame->ScoreAni, nullptr);
}

TEST(FigureAni, RenderedReadFigureShowsItsFirstFrameInItsOwnBounds)
{
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("cartoon"), 2, QSize(90, 136));
    auto *stage = new TRectangle(h.frame);
    stage->SetBounds(0, 0, 1024, 300);
    stage->SetFillColor(0xFFFFFFFF);
    auto *spot = new TRectangle(stage);
    spot->SetFillColor(0xFF20C020);
    h.frame->PlayReadAni(QStringLiteral("cartoon"), spot);

    const QImage image = RenderToImage(stage);
    const QString png = QDir::tempPath() + QStringLiteral("/scoring_read_figure.png");
    RenderToPng(stage, png);
    const QColor first = FakeArchive::FrameColor(0);
    // Inside the figure (the left 90 of the spot's 136, its 90 visible rows).
    EXPECT_EQ(image.pixelColor(817 + 45, 106 + 45), first);
    EXPECT_EQ(image.pixelColor(817 + 2, 106 + 88), first);
    // Right of the figure but inside the spot: the spot's own fill.
    EXPECT_EQ(image.pixelColor(817 + 120, 106 + 45), QColor(0x20, 0xC0, 0x20));
    // Below the spot the figure is clipped away.
    EXPECT_EQ(image.pixelColor(817 + 45, 106 + 100), QColor(Qt::white));
}

TEST(WelcomeAni, PlaysOnceOverTheWholeParentAndHidesAtTheEnd)
{
    ClockSpeed speed(20);
    ScoringHost h;
    h.host.archive->AddAnimation(QStringLiteral("WelcomeToStudy"), 3);
    TRectangle *parent = h.frame->Rectangle_WelcomeAniBackground;
    ASSERT_NE(parent, nullptr);
    const QRect place = parent->geometry();

    h.frame->PlayWelcomeAni();
    ASSERT_NE(h.frame->WelcomeAni, nullptr);
    TFrameAnimation *view = h.frame->WelcomeAni->View();
    EXPECT_EQ(view->parentWidget(), parent);
    EXPECT_EQ(view->geometry(), QRect(QPoint(0, 0), parent->size()));
    EXPECT_EQ(h.frame->WelcomeAni->ListName(), QStringLiteral("ani\\WelcomeToStudy\\filelist.txt"));
    EXPECT_FALSE(h.frame->WelcomeAni->IsLooping());
    EXPECT_TRUE(h.frame->WelcomeAni->IsPlaying());
    EXPECT_EQ(parent->geometry(), place); // the parent stays where it is

    EXPECT_TRUE(WaitUntil([&] { return !h.frame->WelcomeAni->IsPlaying(); }, StatedMs{2000}));
    EXPECT_FALSE(view->isVisibleTo(parent));

    // A new welcome replaces the old; none starts while a stop is pending.
    QPointer<TFrameAnimation> old = view;
    h.frame->bStop = true;
    h.frame->PlayWelcomeAni();
    EXPECT_EQ(h.frame->WelcomeAni, nullptr);
    EXPECT_TRUE(old.isNull());
}

TEST(UnitProgress, StoresOnTheFirstUnitWithTheIdOnly)
{
    ScoringHost h;
    h.frame->PackBook = std::make_unique<TeduPack_Book>();
    for (const qint64 id : {5, 7, 7}) {
        TeduPack_Unit u;
        u.Id = id;
        h.frame->PackBook->Units.append(u);
    }
    h.frame->PackBook->Units[2].SetFinishPercent(10);
    h.frame->DisplayProgressBar(7, 40, 81.25);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[1].FinishPercent(), 40);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[1].AverageScore(), 81.25f);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[0].FinishPercent(), 0);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[2].FinishPercent(), 10);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[2].AverageScore(), 0);

    // An unknown id changes nothing; no book is not a crash.
    h.frame->DisplayProgressBar(99, 100, 100);
    EXPECT_FLOAT_EQ(h.frame->PackBook->Units[0].FinishPercent(), 0);
    h.frame->PackBook.reset();
    h.frame->DisplayProgressBar(7, 1, 1);
}

} // namespace
