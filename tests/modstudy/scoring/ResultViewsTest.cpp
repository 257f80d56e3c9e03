// The result view: the passage table folding and unfolding, the word rows
// with their phoneme chips, the total with its fall-back, and the passage
// text of passage reading.

#include "MyLabelFrame.h"
#include "MyRectangle.h"
#include "StudyDisplayFrame.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordPhonemeFrame.h"
#include "WordTable.h"

#include "FakeArchive.h"
#include "GradingResults.h"
#include "LogCapture.h"
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

Json PassageDoc(const QList<QList<TScoredSentence>> &parts, Json partcount = 1)
{
    Json doc = {{"parts", Json::array()}, {"audios", Json::array()}, {"achiveType", "L"}, {"partcount", partcount}};
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

TEST_F(ResultView, TwoPartsGiveFiveRowsEveryOtherTransparent)
{
    view->DisplayPartScore(
        Text(PassageDoc({{Sentence(QStringLiteral(" One. "), 2), Sentence(QStringLiteral("Two."), 2),
                          Sentence(QStringLiteral("Three."), 2)},
                         {Sentence(QStringLiteral("Four."), 2), Sentence(QStringLiteral("Five."), 0)}})));
    ASSERT_EQ(view->FSentenceContent.size(), 5);
    EXPECT_TRUE(view->Rectangle_PartScoreDetailsTitle->Visible());
    EXPECT_FALSE(view->Rectangle_FullWordScoreDetailsTitle->Visible());
    for (int n = 0; n < 5; ++n) {
        TMyRectangle *cell = view->FSentenceContent[n];
        const bool transparent = n % 2 == 0;
        EXPECT_EQ(cell->Fill() == TRectangle::FillKind::None, transparent) << n;
        EXPECT_EQ(view->FSentenceScore[n]->Fill() == TRectangle::FillKind::None, transparent) << n;
        EXPECT_EQ(view->FSentenceScore[n]->Text->Text(), QStringLiteral("70"));
        EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[n]->BitmapRotation(), 180);
        if (n > 0) {
            EXPECT_DOUBLE_EQ(cell->Y(),
                             view->FSentenceContent[n - 1]->Y() + view->FSentenceContent[n - 1]->Height() + 14);
        }
    }
    EXPECT_EQ(view->FSentenceContent[0]->Text->Text(), QStringLiteral("One."));
    // (70 + 80) / partcount 1, no error logged.
    EXPECT_DOUBLE_EQ(view->TotalScore(), 150);
}

TEST_F(ResultView, SeventeenWordsUnfoldIntoStripsAndFoldBack)
{
    view->DisplayPartScore(Text(PassageDoc({{Sentence(QStringLiteral("A."), 3), Sentence(QStringLiteral("B."), 17),
                                             Sentence(QStringLiteral("C."), 2), Sentence(QStringLiteral("D."), 0)}})));
    ASSERT_EQ(view->FSentenceContent.size(), 4);
    const QList<double> folded = RowYs();

    ClickMiddle(view->FSentenceContent[1]->Text);
    ASSERT_EQ(view->WordTables.size(), 3);
    const int sizes[] = {8, 8, 1};
    double y = view->FSentenceContent[1]->Y() + view->FSentenceContent[1]->Height();
    int word = 0;
    for (int t = 0; t < 3; ++t) {
        TWordTable *table = view->WordTables[t];
        EXPECT_DOUBLE_EQ(table->Y(), y) << t;
        y += table->Height() - 1;
        for (int c = 0; c < 8; ++c) {
            const bool used = c < sizes[t];
            EXPECT_EQ(table->PlayButtons[c]->Visible(), used) << t << c;
            if (used) {
                EXPECT_EQ(table->Texts[c]->Text(), QStringLiteral("w%1").arg(word++));
            }
        }
    }
    EXPECT_EQ(view->FSentenceDetailbtn[1]->Tag(), 1);
    EXPECT_DOUBLE_EQ(view->FSentenceDetailbtn[1]->BitmapRotation(), 0);
    const double strips = 3 * TWordTable::kHeight - 2;
    const QList<double> open = RowYs();
    EXPECT_DOUBLE_EQ(open[0], folded[0]);
    EXPECT_DOUBLE_EQ(open[1], folded[1]);
    EXPECT_DOUBLE_EQ(open[2], folded[2] + strips);
    EXPECT_DOUBLE_EQ(open[3], folded[3] + strips);
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
    LogCapture log;
    for (const QString &doc : {QStringLiteral(R"({"partcount":1})"), QStringLiteral("not json"),
                               QStringLiteral(R"({"parts":[],"partcount":1})")}) {
        view->DisplayPartScore(doc);
        EXPECT_TRUE(view->FSentenceContent.isEmpty()) << doc.toStdString();
        EXPECT_TRUE(view->VertScrollBox_DisplayScore->ContentHeight() == 0) << doc.toStdString();
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

TEST_F(ResultView, TotalFallsBackToThePartCountWhenItCannotDivide)
{
    const QList<TScoredSentence> part{Sentence(QStringLiteral("A."), 1)};
    const struct
    {
        Json partcount;
        double total;
        bool logged;
    } cases[] = {{1, 150, false}, {2, 75, false}, {0, 75, true}, {Json(), 75, true}};
    for (const auto &c : cases) {
        LogCapture log;
        Json doc = PassageDoc({part, part}, c.partcount);
        if (c.partcount.is_null())
            doc.erase("partcount");
        view->DisplayPartScore(Text(doc));
        EXPECT_DOUBLE_EQ(view->TotalScore(), c.total) << c.partcount.dump();
        EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:TotalScore div tmpPartCount")).size(), c.logged ? 1 : 0)
            << c.partcount.dump();
    }
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

TEST_F(ResultView, WordRowsWithChipLines)
{
    const Json placeholder = {{"result", ""}};
    view->DisplayWordScore_New(
        Text(WordDoc({WordGrading(QStringLiteral("banana"), 80, Phonemes(6)), placeholder,
                      WordGrading(QStringLiteral("cats"), 90, Phonemes(4), TResultEmbedding::Text),
                      WordGrading(QStringLiteral("a"), 75, {})})));
    EXPECT_TRUE(view->Rectangle_FullWordScoreDetailsTitle->Visible());
    EXPECT_FALSE(view->Rectangle_PartScoreDetailsTitle->Visible());
    // The placeholder gives no row.
    ASSERT_EQ(view->WordDetails.size(), 3);
    TStudyWordScoreDetailsFrame *six = view->WordDetails[0];
    TStudyWordScoreDetailsFrame *four = view->WordDetails[1];
    TStudyWordScoreDetailsFrame *none = view->WordDetails[2];

    // Six phonemes: two lines, chips 4 and 5 then two empty ones.
    ASSERT_EQ(six->Phonemes().size(), 8);
    const double cw = six->ChipWidth();
    for (int j = 0; j < 8; ++j) {
        TWordPhonemeFrame *chip = six->Phonemes()[j];
        const bool real = j < 6;
        EXPECT_EQ(chip->Button_PhonemePlay->Visible(), real) << j;
        EXPECT_EQ(chip->Label_Content->Visible(), real) << j;
        if (real) {
            EXPECT_EQ(chip->Button_PhonemePlay->TagString(), QStringLiteral("p%1").arg(j));
            EXPECT_EQ(chip->Button_PhonemePlay->Tag(), 0);
            EXPECT_DOUBLE_EQ(chip->Button_PhonemePlay->TagFloat(), j);
            EXPECT_EQ(chip->Label_Score->Text(), QString::number(60 + j));
        }
    }
    EXPECT_DOUBLE_EQ(six->Height(), 65);
    EXPECT_DOUBLE_EQ(six->Rectangle_WordScore->Height(), six->Height());
    EXPECT_EQ(six->Label_WordContent->Text(), QStringLiteral("banana"));
    EXPECT_EQ(six->Label_WordScore->Text(), QStringLiteral("80"));
    // The four chips and the score cell fill the row exactly.
    EXPECT_DOUBLE_EQ(six->Phonemes()[3]->X() + cw - 1, six->Rectangle_WordScore->X());

    // Exactly four: no padding. The order index tags the chips' buttons.
    ASSERT_EQ(four->Phonemes().size(), 4);
    EXPECT_EQ(four->Phonemes()[2]->Button_PhonemePlay->Tag(), 1);
    EXPECT_DOUBLE_EQ(four->Y(), six->Y() + six->Height() - 1);
    EXPECT_DOUBLE_EQ(four->Height(), 33);

    // No "phone": word and score, no chips, and still a visible row.
    EXPECT_TRUE(none->Phonemes().isEmpty());
    EXPECT_EQ(none->Label_WordContent->Text(), QStringLiteral("a"));
    EXPECT_EQ(none->Label_WordScore->Text(), QStringLiteral("75"));
    EXPECT_DOUBLE_EQ(none->Height(), 33);

    // The word's play button asks for the word's speech.
    ClickMiddle(four->Button_Play);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("cats")});
}

TEST_F(ResultView, PlaceholderRowIsZeroHigh)
{
    QWidget p;
    TStudyWordScoreDetailsFrame row(&p);
    for (const QString &entry : {QStringLiteral(R"({"result":""})"), QStringLiteral(R"({"result":{"overall":50}})")}) {
        row.Display(entry);
        EXPECT_DOUBLE_EQ(row.Height(), 0) << entry.toStdString();
        EXPECT_TRUE(row.Phonemes().isEmpty());
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

TEST(MyLabelFrame, WordsFlowAndPhrasesColour)
{
    QWidget parent;
    TMyLabelFrame frame(&parent);
    frame.SetText(QStringLiteral("Hello  world"));
    ASSERT_EQ(frame.Labels().size(), 2);
    EXPECT_EQ(frame.Labels()[0]->Text(), QStringLiteral("Hello "));
    EXPECT_EQ(frame.Labels()[1]->Text(), QStringLiteral("world "));
    EXPECT_DOUBLE_EQ(frame.Labels()[1]->X(), frame.Labels()[0]->Width());
    EXPECT_DOUBLE_EQ(frame.Height(), frame.Labels()[0]->Height() + 10);

    frame.SetText(QStringLiteral("We said that I like apples very much"));
    // Words 3 to 5 coloured, the next search starts at word 6.
    EXPECT_EQ(frame.SetColor(QStringLiteral("i  LIKE apples"), 0xFFFFA417), 6);
    for (int i = 0; i < frame.Labels().size(); ++i)
        EXPECT_EQ(frame.Labels()[i]->Color(), (i >= 3 && i <= 5) ? 0xFFFFA417u : 0xFF000000u) << i;
    frame.SetSelStart(6);
    EXPECT_EQ(frame.SetColor(QStringLiteral("very much indeed"), 0xFFFFA417), -1);
    EXPECT_EQ(frame.SetColor(QStringLiteral("I like"), 0xFFFFA417), -1); // before the selection start
    frame.SetSelStart(-1);
    EXPECT_EQ(frame.SetColor(QStringLiteral("We"), 0xFFFFA417), -1);
    frame.ClearLabelColor();
    for (const TLabel *l : frame.Labels())
        EXPECT_EQ(l->Color(), 0xFF000000u);

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
