// The frame's result views: the passage table folding and unfolding, the word
// rows with their phoneme chips, and on a running frame the result page (a
// result shown in a fresh view, the word speech asked for and played; its
// return button is FramePages'),
// the score level reward with its sound fall-back and its silence while the
// host closes the module, and the figures' life: gone with their parents and
// not started while a stop is pending.

#include "MyRectangle.h"
#include "StudyDisplayFrame.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordPhonemeFrame.h"
#include "WordTable.h"

#include "ClockSpeed.h"
#include "FakeArchive.h"
#include "GradingResults.h"
#include "TestHost.h"
#include "TestMouse.h"

#include "JsonModel.h"

#include "TPngAni.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Json = nlohmann::ordered_json;

QString Text(const Json &j)
{
    return QString::fromStdString(j.dump());
}

// A sentence of `n` words "w0" ... scored 50 + i.
TScoredSentence Sentence(const QString &text, int n)
{
    TScoredSentence s{text, 70, {}};
    for (int i = 0; i < n; ++i)
        s.words.push_back({QStringLiteral("w%1").arg(i), 50.0 + i});
    return s;
}

Json PassageDoc(const QList<QList<TScoredSentence>> &parts)
{
    Json doc = {{"parts", Json::array()}, {"audios", Json::array()}, {"achiveType", "L"}, {"partcount", 1}};
    double overall = 60;
    for (const QList<TScoredSentence> &p : parts)
        doc["parts"].push_back(PassageGrading(p, overall += 10, TResultEmbedding::Text));
    return doc;
}

Json WordDoc(const QList<Json> &entries)
{
    Json doc = {
        {"uid", 7}, {"bookId", 1}, {"unitId", 2}, {"wordTotalCount", entries.size()}, {"wordResult", Json::array()}};
    for (const Json &e : entries)
        doc["wordResult"].push_back(e);
    return doc;
}

QList<TScoredUnit> Phonemes(int n)
{
    QList<TScoredUnit> out;
    for (int i = 0; i < n; ++i)
        out.push_back({QStringLiteral("p%1").arg(i), 60.0 + i});
    return out;
}

class ResultView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(768, 543);
        view = new TStudyDisplayFrame(&parent, 768, 543);
        view->SetUIArchive(archive);
        view->SetwordTextClick([this](TControl *c) { clicked << c->TagString(); });
        parent.show();
    }
    QList<double> RowYs() const
    {
        QList<double> ys;
        for (const TMyRectangle *cell : view->FSentenceContent)
            ys << cell->Y();
        return ys;
    }

    QWidget parent;
    TStudyDisplayFrame *view = nullptr;
    std::shared_ptr<FakeArchive> archive = std::make_shared<FakeArchive>();
    QStringList clicked;
};

TEST_F(ResultView, SentencesOfAllPartsGiveRowsThatUnfoldIntoStripsOfWordsAndFoldBack)
{
    // Two parts: the rows of both; the total is the parts' (70 + 80) over
    // partcount 1.
    view->DisplayPartScore(Text(PassageDoc({{Sentence(QStringLiteral(" A. "), 3), Sentence(QStringLiteral("B."), 17)},
                                            {Sentence(QStringLiteral("C."), 2), Sentence(QStringLiteral("D."), 0)}})));
    ASSERT_EQ(view->FSentenceContent.size(), 4);
    EXPECT_EQ(view->FSentenceContent[0]->Text->Text(), QStringLiteral("A."));
    EXPECT_DOUBLE_EQ(view->TotalScore(), 150);
    const QList<double> folded = RowYs();

    // Seventeen words: strips of 8, 8 and 1 below the sentence (the arithmetic
    // is ResultLayout's); the rows below move down.
    ClickMiddle(view->FSentenceContent[1]->Text);
    ASSERT_EQ(view->WordTables.size(), 3);
    EXPECT_EQ(view->WordTables[1]->Texts[7]->Text(), QStringLiteral("w15"));
    EXPECT_FALSE(view->WordTables[2]->PlayButtons[1]->Visible());
    EXPECT_EQ(view->FSentenceDetailbtn[1]->Tag(), 1);
    const double strips = 3 * TWordTable::kHeight - 2;
    EXPECT_EQ(RowYs(), (QList<double>{folded[0], folded[1], folded[2] + strips, folded[3] + strips}));

    // A word's play button asks for its speech.
    ClickMiddle(view->WordTables[2]->PlayButtons[0]);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("w16")});

    // The unfold button of another row unfolds that one and folds this one.
    ClickMiddle(view->FSentenceDetailbtn[0]);
    ASSERT_EQ(view->WordTables.size(), 1);
    EXPECT_EQ(view->FSentenceDetailbtn[0]->Tag(), 1);
    EXPECT_EQ(view->FSentenceDetailbtn[1]->Tag(), 0);

    // Clicking the unfolded sentence again folds it: every row back in place.
    ClickMiddle(view->FSentenceContent[0]->Text);
    EXPECT_TRUE(view->WordTables.isEmpty());
    EXPECT_EQ(view->FSentenceDetailbtn[0]->Tag(), 0);
    EXPECT_EQ(RowYs(), folded);
    // Score cells and buttons move with their sentence cells.
    for (int i = 0; i < view->FSentenceContent.size(); ++i) {
        EXPECT_DOUBLE_EQ(view->FSentenceScore[i]->Y(), folded[i]) << i;
        EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[i]->Y(), folded[i] + 5) << i;
    }
}

TEST_F(ResultView, DocumentsOrPartsWithoutDetailsGiveNoRows)
{
    for (const QString &doc : {QStringLiteral(R"({"partcount":1})"), QStringLiteral("not json"),
                               QStringLiteral(R"({"parts":[],"partcount":1})")}) {
        view->DisplayPartScore(doc);
        EXPECT_TRUE(view->FSentenceContent.isEmpty()) << doc.toStdString();
    }
    // A part without details adds no rows.
    Json doc = PassageDoc({{Sentence(QStringLiteral("A."), 2)}});
    doc["parts"].push_back({{"result", {{"overall", 50}}}});
    view->DisplayPartScore(Text(doc));
    EXPECT_EQ(view->FSentenceContent.size(), 1);
}

TEST_F(ResultView, WordRowsWithChipLinesAndNoRowForAPlaceholder)
{
    view->DisplayWordScore_New(
        Text(WordDoc({WordGrading(QStringLiteral("banana"), 80, Phonemes(6)), Json{{"result", ""}},
                      WordGrading(QStringLiteral("cats"), 90, Phonemes(4), TResultEmbedding::Text),
                      WordGrading(QStringLiteral("a"), 75, {})})));
    ASSERT_EQ(view->WordDetails.size(), 3);
    TStudyWordScoreDetailsFrame *six = view->WordDetails[0];
    TStudyWordScoreDetailsFrame *four = view->WordDetails[1];
    TStudyWordScoreDetailsFrame *none = view->WordDetails[2];

    // Six phonemes: two lines, chips 4 and 5 then two empty ones (the places
    // are ResultLayout's). Exactly four: no padding.
    ASSERT_EQ(six->Phonemes().size(), 8);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(six->Phonemes()[j]->Button_PhonemePlay->Visible(), j < 6) << j;
    EXPECT_EQ(six->Phonemes()[5]->Button_PhonemePlay->TagString(), QStringLiteral("p5"));
    EXPECT_EQ(four->Phonemes().size(), 4);
    // No "phone": word and score, no chips, and still a visible row.
    EXPECT_TRUE(none->Phonemes().isEmpty());
    EXPECT_EQ(none->Label_WordContent->Text(), QStringLiteral("a"));
    EXPECT_GT(none->Height(), 0);

    ClickMiddle(four->Button_Play);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("cats")});
}

class ResultPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.Start(false);
        host.sound->SetPlayDuration(30);
        F().curSelectLessonId = 111;
        F().CurSelectPartCount = 1;
    }
    TStudyFrame &F() { return *host.Frame(); }
    TStudyDisplayFrame *View() { return qobject_cast<TStudyDisplayFrame *>(F().StudyDisplayFrame.data()); }

    TestHost host;
};

// Showing a passage result, its submission and the share button are the
// passage reading scenario's and PassageModes'.
TEST_F(ResultPage, ASecondResultReplacesTheViewAndAClickedWordIsSpoken)
{
    ClockSpeed fast(20);
    F().DisplayScore(5, Text(PassageDoc({{Sentence(QStringLiteral("A."), 3)}})));
    const QPointer<TStudyDisplayFrame> first = View();
    F().DisplayScore(5, Text(PassageDoc({{Sentence(QStringLiteral("A."), 3)}})));
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(View(), nullptr);
    ClickMiddle(View()->FSentenceContent[0]->Text);
    TButton *play = View()->WordTables[0]->PlayButtons[1];
    host.requests.clear();
    ClickMiddle(play);
    const QList<TSentText> asked = TestHost::WithCode(host.requests, 281);
    ASSERT_EQ(asked.size(), 1);
    const Json request = Json::parse(asked[0].text.toStdString());
    EXPECT_EQ(request["text"], "w1");
    EXPECT_TRUE(play->IsPressed());

    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"errorCode":0,"url":"http://127.0.0.1:1/speech/a.wav"})"));
    const QList<TFakeCall> urls = host.sound->Calls().Named(QStringLiteral("PlayUrl"));
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(urls[0].args, (QStringList{QStringLiteral("http://127.0.0.1:1/speech/a.wav"), QStringLiteral("true")}));
    EXPECT_FALSE(play->IsPressed());

    // A failed speech request releases the button; a blank word asks nothing.
    ClickMiddle(play);
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"errorCode":5,"errorText":"语音合成失败"})"));
    EXPECT_FALSE(play->IsPressed());
    host.requests.clear();
    TButton blank;
    F().WordResultTextClick(&blank);
    EXPECT_TRUE(TestHost::WithCode(host.requests, 281).isEmpty());
    EXPECT_FALSE(blank.IsPressed());

    // Without a clicked control the speech plays without waiting.
    F().LastRectangleClickControl = nullptr;
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"url":"http://127.0.0.1:1/speech/b.wav"})"));
    const QList<TFakeCall> all = host.sound->Calls().Named(QStringLiteral("PlayUrl"));
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[1].args.value(1), QStringLiteral("false"));
}

// The frame (no user infos, so no shelf request is pending) with a main path
// of its own, the gold level's picture and a judge area for the reward.
class ScoreAni : public ResultPage
{
protected:
    void SetUp() override
    {
        ResultPage::SetUp();
        F().SetMainPath(dir.path() + QLatin1Char('/'));
        host.archive->AddPicture(QStringLiteral("png\\ScoreBackGold.png"), Qt::yellow, QSize(20, 20));
        judge = new TRectangle(&F());
        judge->SetBounds(10, 10, 180, 120);
    }
    QString SoundFile(const QString &level) const { return dir.path() + QStringLiteral("/data/") + level + ".mp3"; }
    int PlayFileCalls() const { return host.sound->Calls().Count(QStringLiteral("PlayFile")); }
    QString LastPlayed() const
    {
        return host.sound->Calls().Last(QStringLiteral("PlayFile")).value_or(TFakeCall{}).args.value(0);
    }

    QTemporaryDir dir;
    TRectangle *judge = nullptr;
};

class FigureAni : public ScoreAni
{};

TEST_F(ScoreAni, TheLevelSoundIsItsFileOrElseTheArchivesKeptAsTheFileAndWithoutEitherItIsSilent)
{
    const QByteArray mp3("ID3-gold-sound");
    host.archive->AddEntry(QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"), mp3);

    F().PlayScoreAni(90, judge);
    const QString file = SoundFile(QStringLiteral("ScoreBackGold"));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), mp3);
    EXPECT_EQ(LastPlayed(), file);
    EXPECT_TRUE(judge->HasBitmap()); // the level's picture

    // Silver: the file on disk is played as it is, not the archive's.
    const QString silver = SoundFile(QStringLiteral("ScoreBackSilver"));
    QFile f(silver);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    host.archive->AddEntry(QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3"), "archive");
    F().PlayScoreAni(75, judge);
    EXPECT_EQ(f.size(), 0);
    EXPECT_EQ(LastPlayed(), silver);

    // Bad: no file and no sound in the archive: silent.
    host.sound->Calls().Clear();
    F().PlayScoreAni(50, judge);
    EXPECT_EQ(PlayFileCalls(), 0);
    EXPECT_FALSE(QFileInfo::exists(SoundFile(QStringLiteral("ScoreBackBad"))));
}

TEST_F(ScoreAni, ShowsAndPlaysNothingWhileTheHostClosesOrSwitches)
{
    host.archive->AddEntry(QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"), "gold");
    const auto silent = [this](const char *after) {
        host.sound->Calls().Clear();
        judge->ClearBitmap();
        F().PlayScoreAni(90, judge);
        EXPECT_EQ(F().ScoreAni, nullptr) << after; // the old one is freed
        EXPECT_EQ(PlayFileCalls(), 0) << after;
        EXPECT_FALSE(judge->HasBitmap()) << after;
    };
    // The host's requests arrive through the module like any message. A
    // message after the close request does not lift the silence: the frame
    // is still closing.
    F().PlayScoreAni(90, judge);
    ASSERT_NE(F().ScoreAni, nullptr);
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":10005})"));
    silent("switch");
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":10003})"));
    silent("close");
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":42,"errorCode":0})"));
    silent("a message after the close");
}

TEST_F(FigureAni, AnAnimationThatWentWithItsParentIsNotFreedAgainAndNoneStartsWhileStopping)
{
    host.archive->AddAnimation(QStringLiteral("cartoon"), 2);
    auto *modeArea = new TRectangle(&F());
    F().PlayReadAni(QStringLiteral("cartoon"), modeArea);
    ASSERT_NE(F().ReadAni, nullptr);
    delete modeArea; // e.g. a mode frame freed when its page is left
    EXPECT_EQ(F().ReadAni, nullptr);
    // The next figure frees the old field first: nothing left to free twice.
    F().PlayRecordAni(QStringLiteral("cartoon"), new TRectangle(&F()));
    EXPECT_NE(F().RecordAni, nullptr);

    // While a stop is pending the figure goes and nothing new starts.
    F().bStop = true;
    F().PlayReadAni(QStringLiteral("cartoon"), new TRectangle(&F()));
    EXPECT_EQ(F().RecordAni, nullptr);
    EXPECT_EQ(F().ReadAni, nullptr);
    F().PlayWelcomeAni();
    EXPECT_EQ(F().WelcomeAni, nullptr);
}

} // namespace
