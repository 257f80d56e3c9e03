// The result view: the passage table folding and unfolding, the word rows
// with their phoneme chips, and the layout of passage reading's text.

#include "MyLabelFrame.h"
#include "MyRectangle.h"
#include "StudyDisplayFrame.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordPhonemeFrame.h"
#include "WordTable.h"

#include "FakeArchive.h"
#include "GradingResults.h"
#include "TestMouse.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"

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
    // Sentence cells, score cells and buttons agree on every row's place.
    void ExpectRowsAligned() const
    {
        for (int i = 0; i < view->FSentenceContent.size(); ++i) {
            EXPECT_DOUBLE_EQ(view->FSentenceScore[i]->Y(), view->FSentenceContent[i]->Y()) << i;
            EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[i]->Y(), view->FSentenceContent[i]->Y() + 5) << i;
        }
    }

    QWidget parent;
    TStudyDisplayFrame *view = nullptr;
    std::shared_ptr<FakeArchive> archive = std::make_shared<FakeArchive>();
    QStringList clicked;
};

TEST_F(ResultView, SentencesOfAllPartsGiveRowsThatUnfoldIntoStripsOfWordsAndFoldBack)
{
    // Two parts: the rows of both, every other one transparent; the total
    // is the parts' (70 + 80) over partcount 1.
    view->DisplayPartScore(Text(PassageDoc({{Sentence(QStringLiteral(" A. "), 3), Sentence(QStringLiteral("B."), 17)},
                                            {Sentence(QStringLiteral("C."), 2), Sentence(QStringLiteral("D."), 0)}})));
    ASSERT_EQ(view->FSentenceContent.size(), 4);
    EXPECT_TRUE(view->Rectangle_PartScoreDetailsTitle->Visible());
    EXPECT_FALSE(view->Rectangle_FullWordScoreDetailsTitle->Visible());
    EXPECT_EQ(view->FSentenceContent[0]->Text->Text(), QStringLiteral("A."));
    EXPECT_EQ(view->FSentenceScore[3]->Text->Text(), QStringLiteral("70"));
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(view->FSentenceScore[n]->Fill() == TRectangle::FillKind::None, n % 2 == 0) << n;
    EXPECT_DOUBLE_EQ(view->TotalScore(), 150);
    const QList<double> folded = RowYs();

    // Seventeen words: strips of 8, 8 and 1 in order below the sentence,
    // each overlapping the one above by a line; the rows below move down.
    ClickMiddle(view->FSentenceContent[1]->Text);
    ASSERT_EQ(view->WordTables.size(), 3);
    EXPECT_DOUBLE_EQ(view->WordTables[0]->Y(), folded[1] + view->FSentenceContent[1]->Height());
    EXPECT_DOUBLE_EQ(view->WordTables[2]->Y(), view->WordTables[0]->Y() + 2 * (TWordTable::kHeight - 1));
    EXPECT_EQ(view->WordTables[1]->Texts[7]->Text(), QStringLiteral("w15"));
    EXPECT_TRUE(view->WordTables[2]->PlayButtons[0]->Visible());
    EXPECT_FALSE(view->WordTables[2]->PlayButtons[1]->Visible());
    EXPECT_EQ(view->FSentenceDetailbtn[1]->Tag(), 1);
    EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[1]->BitmapRotation(), 0);
    const double strips = 3 * TWordTable::kHeight - 2;
    EXPECT_EQ(RowYs(), (QList<double>{folded[0], folded[1], folded[2] + strips, folded[3] + strips}));
    ExpectRowsAligned();

    // A word's play button asks for its speech.
    ClickMiddle(view->WordTables[2]->PlayButtons[0]);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("w16")});

    // The unfold button of another row unfolds that one and folds this one.
    ClickMiddle(view->FSentenceDetailbtn[0]);
    ASSERT_EQ(view->WordTables.size(), 1);
    EXPECT_EQ(view->FSentenceDetailbtn[0]->Tag(), 1);
    EXPECT_EQ(view->FSentenceDetailbtn[1]->Tag(), 0);
    EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[1]->BitmapRotation(), 180);
    EXPECT_DOUBLE_EQ(RowYs()[1], folded[1] + TWordTable::kHeight);

    // Clicking the unfolded sentence again folds it: every row back in place.
    ClickMiddle(view->FSentenceContent[0]->Text);
    EXPECT_TRUE(view->WordTables.isEmpty());
    EXPECT_EQ(view->FSentenceDetailbtn[0]->Tag(), 0);
    EXPECT_EQ(RowYs(), folded);
    ExpectRowsAligned();

    // A sentence without words unfolds to nothing and moves nothing.
    ClickMiddle(view->FSentenceContent[3]->Text);
    EXPECT_TRUE(view->WordTables.isEmpty());
    EXPECT_EQ(RowYs(), folded);
}

TEST_F(ResultView, DocumentsWithoutRowsAndAMissingTriangle)
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

    // Without the triangle picture the buttons do nothing; the text unfolds.
    archive->SetMissing(QStringLiteral("png\\study\\score\\triangle.png"));
    TStudyDisplayFrame bare(&parent, 768, 543);
    bare.SetUIArchive(archive);
    bare.DisplayPartScore(Text(PassageDoc({{Sentence(QStringLiteral("A."), 2)}})));
    ASSERT_EQ(bare.FSentenceDetailbtn.size(), 1);
    EXPECT_FALSE(bare.FSentenceDetailbtn[0]->HasBitmap());
    ClickMiddle(bare.FSentenceDetailbtn[0]);
    EXPECT_TRUE(bare.WordTables.isEmpty());
    ClickMiddle(bare.FSentenceContent[0]->Text);
    EXPECT_EQ(bare.WordTables.size(), 1);
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

TEST_F(ResultView, WordRowsWithChipLinesAndNoRowForAPlaceholder)
{
    view->DisplayWordScore_New(
        Text(WordDoc({WordGrading(QStringLiteral("banana"), 80, Phonemes(6)), Json{{"result", ""}},
                      WordGrading(QStringLiteral("cats"), 90, Phonemes(4), TResultEmbedding::Text),
                      WordGrading(QStringLiteral("a"), 75, {})})));
    EXPECT_TRUE(view->Rectangle_FullWordScoreDetailsTitle->Visible());
    EXPECT_FALSE(view->Rectangle_PartScoreDetailsTitle->Visible());
    ASSERT_EQ(view->WordDetails.size(), 3);
    TStudyWordScoreDetailsFrame *six = view->WordDetails[0];
    TStudyWordScoreDetailsFrame *four = view->WordDetails[1];
    TStudyWordScoreDetailsFrame *none = view->WordDetails[2];

    // Six phonemes: two lines, chips 4 and 5 then two empty ones; the four
    // chips of a line and the score cell fill the row exactly.
    ASSERT_EQ(six->Phonemes().size(), 8);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(six->Phonemes()[j]->Button_PhonemePlay->Visible(), j < 6) << j;
    EXPECT_EQ(six->Phonemes()[5]->Button_PhonemePlay->TagString(), QStringLiteral("p5"));
    EXPECT_EQ(six->Phonemes()[5]->Label_Score->Text(), QStringLiteral("65"));
    EXPECT_DOUBLE_EQ(six->Height(), 65);
    EXPECT_DOUBLE_EQ(six->Rectangle_WordScore->Height(), six->Height());
    EXPECT_DOUBLE_EQ(six->Phonemes()[3]->X() + six->ChipWidth() - 1, six->Rectangle_WordScore->X());
    // Exactly four: no padding; the rows share a border. The order index
    // tags the chips' buttons.
    ASSERT_EQ(four->Phonemes().size(), 4);
    EXPECT_EQ(four->Phonemes()[2]->Button_PhonemePlay->Tag(), 1);
    EXPECT_DOUBLE_EQ(four->Y(), six->Y() + six->Height() - 1);
    // No "phone": word and score, no chips, and still a visible row.
    EXPECT_TRUE(none->Phonemes().isEmpty());
    EXPECT_EQ(none->Label_WordContent->Text(), QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(none->Height(), 33);

    ClickMiddle(four->Button_Play);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("cats")});
    // A row given a placeholder or a result without details is zero high.
    for (const QString &entry : {QStringLiteral(R"({"result":""})"), QStringLiteral(R"({"result":{"overall":50}})")}) {
        none->Display(entry);
        EXPECT_DOUBLE_EQ(none->Height(), 0) << entry.toStdString();
    }
}

TEST_F(ResultView, PressedPhonemeMovesTheAnimationSpotBesideIt)
{
    archive->AddAnimation(QStringLiteral("p1"), 3);
    QList<Json> entries;
    for (int i = 0; i < 12; ++i)
        entries.push_back(WordGrading(QStringLiteral("w%1").arg(i), 80, Phonemes(5)));
    view->DisplayWordScore_New(Text(WordDoc(entries)));
    ASSERT_EQ(view->WordDetails.size(), 12);
    TRectangle *spot = view->Rectangle_AnimationBackground;
    TVertScrollBox *box = view->VertScrollBox_DisplayScore;

    // The first row's second chip: right of it, at the top of the list.
    TStudyWordScoreDetailsFrame *row = view->WordDetails[0];
    TWordPhonemeFrame *chip = row->Phonemes()[1];
    SendMouse(chip->Button_PhonemePlay, QEvent::MouseButtonPress, QPointF(8, 8));
    SendMouse(chip->Button_PhonemePlay, QEvent::MouseButtonRelease, QPointF(8, 8));
    EXPECT_DOUBLE_EQ(spot->X(), chip->X() + chip->Width() + 40);
    EXPECT_DOUBLE_EQ(spot->Y(), 0);
    EXPECT_TRUE(spot->Visible());
    ASSERT_NE(chip->Animation(), nullptr);

    // A row further down with the list scrolled: the spot stays in view.
    box->SetViewportY(box->MaxViewportY());
    TStudyWordScoreDetailsFrame *last = view->WordDetails.last();
    TWordPhonemeFrame *chip4 = last->Phonemes()[4];
    SendMouse(chip4->Button_PhonemePlay, QEvent::MouseButtonPress, QPointF(8, 8));
    EXPECT_EQ(chip->Animation(), nullptr); // the other chip's animation stopped
    EXPECT_GE(spot->Y(), box->ViewportY());
    EXPECT_LE(spot->Y() + spot->Height(), box->ViewportY() + box->ViewportHeight());
    EXPECT_LE(spot->X() + spot->Width(), view->TableWidth());
}

// Colouring phrases is passage reading's listening test (PassageModes).
TEST(MyLabelFrame, WordsFlowAndWrapInsideTheFrame)
{
    QWidget parent;
    TMyLabelFrame frame(&parent);
    frame.SetText(QStringLiteral("Hello  world"));
    ASSERT_EQ(frame.Labels().size(), 2);
    EXPECT_EQ(frame.Labels()[0]->Text(), QStringLiteral("Hello "));
    EXPECT_EQ(frame.Labels()[1]->Text(), QStringLiteral("world "));
    EXPECT_DOUBLE_EQ(frame.Labels()[1]->X(), frame.Labels()[0]->Width());
    EXPECT_DOUBLE_EQ(frame.Height(), frame.Labels()[0]->Height() + 10);

    // A long text wraps inside the frame's width.
    frame.SetText(QString(QStringLiteral("word ")).repeated(40));
    EXPECT_GT(frame.Labels().last()->Y(), 0);
    for (const TLabel *l : frame.Labels())
        EXPECT_LE(l->X() + l->Width(), frame.Width());
    frame.SetText(QStringLiteral("   "));
    EXPECT_TRUE(frame.Labels().isEmpty());
    EXPECT_DOUBLE_EQ(frame.Height(), 0);
}

} // namespace
