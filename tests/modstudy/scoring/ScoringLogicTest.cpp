// The scoring logic, without a window: decoding grading results (both ways of
// carrying "result", the three detail shapes, results not graded), the score
// scales, rounding, totals and documents, and the layout arithmetic and word
// search of the result views and the passage text.

#include "GradingResult.h"
#include "ResultLayout.h"
#include "ScoreDocuments.h"
#include "ScoreRounding.h"
#include "ScoreScales.h"
#include "ScoreTotals.h"
#include "WordFlow.h"

#include "GradingResults.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Every decoded field as one text, so two decodings compare in one go.
QString Dump(const TGradingResult &r)
{
    QString out = QStringLiteral("%1 %2 %3 %4 %5|")
                      .arg(int(r.graded))
                      .arg(r.overall)
                      .arg(r.accuracy)
                      .arg(r.integrity)
                      .arg(r.fluency);
    for (const TGradingDetail &d : r.details) {
        out += QStringLiteral("%1:%2:%3[").arg(int(d.shape)).arg(d.text).arg(d.score);
        for (const TScoredPiece &p : d.phones + d.words)
            out += p.text + QLatin1Char('=') + QString::number(p.score) + QLatin1Char(' ');
        out += QLatin1Char(']');
    }
    return out;
}

TEST(GradingDecode, EmbeddedAndStringResultDecodeTheSame)
{
    const QList<TScoredUnit> words{
        {QStringLiteral("How"), 91}, {QStringLiteral("are"), 72.5}, {QStringLiteral("you"), 58}};
    const auto sentence = SentenceGrading(words, 74.5, 80, 66, 95, TResultEmbedding::Text);
    ASSERT_TRUE(sentence["result"].is_string());
    const TGradingResult a = DecodeGradingResult(SentenceGrading(words, 74.5, 80, 66, 95));
    EXPECT_EQ(Dump(a), Dump(DecodeGradingResult(sentence)));
    EXPECT_EQ(Dump(a), Dump(DecodeGradingResult(QString::fromStdString(sentence.dump()))));
    EXPECT_EQ(Dump(a), QStringLiteral("1 74.5 80 95 66|0:How:91[]0:are:72.5[]0:you:58[]"));
}

TEST(GradingDecode, EachDetailsShapeKeepsItsFields)
{
    const TGradingResult word = DecodeGradingResult(WordGrading(
        QStringLiteral("ship"), 81, {{QStringLiteral("sh"), 95}, {QStringLiteral("ih"), 70}, {QStringLiteral("p"), 62}},
        TResultEmbedding::Text));
    EXPECT_EQ(Dump(word), QStringLiteral("1 81 0 0 0|2:ship:81[sh=95 ih=70 p=62 ]"));

    const TGradingResult passage = DecodeGradingResult(PassageGrading(
        {{QStringLiteral("Tom is here."), 90, {{QStringLiteral("Tom"), 99}, {QStringLiteral("here"), 86}}},
         {QStringLiteral("Where is Ann?"), 55, {}}},
        72.5));
    EXPECT_EQ(Dump(passage), QStringLiteral("1 72.5 0 0 0|1:Tom is here.:90[Tom=99 here=86 ]1:Where is Ann?:55[]"));
    // The entry itself is kept for the views that unfold a sentence.
    EXPECT_EQ(S(passage.details[1].entry, "text"), QStringLiteral("Where is Ann?"));
    // A passage sentence is recognised by its text even without words.
    EXPECT_EQ(DetailShape(SO(QStringLiteral("{\"text\":\"Hi.\",\"score\":70}"))), TDetailShape::Passage);
}

TEST(GradingDecode, ResultsWithoutOverallOrDetailsAreNotGraded)
{
    EXPECT_EQ(Dump(DecodeGradingResult(UngradedResult())), QStringLiteral("0 0 0 0 0|"));
    // A score of 0 is a grading, not a missing one.
    EXPECT_TRUE(DecodeGradingResult(SO(QStringLiteral("{\"result\":{\"overall\":0}}"))).graded);

    // The word drill's placeholder, an empty text, a text that is not JSON
    // and a "result" that is not an object: nothing graded, no rows.
    for (const QString &t : {QStringLiteral("{\"result\":\"\"}"), QString(), QStringLiteral("not json"),
                             QStringLiteral("{\"result\":\"[1,2]\"}"), QStringLiteral("{\"result\":\"{oops\"}")})
        EXPECT_EQ(Dump(DecodeGradingResult(t)), QStringLiteral("0 0 0 0 0|")) << t.toStdString();

    // Entries that are not objects are skipped, the others kept.
    const TGradingResult mixed = DecodeGradingResult(
        SO(QStringLiteral("{\"result\":{\"overall\":50,\"details\":[3,{\"char\":\"a\",\"score\":50}]}}")));
    EXPECT_EQ(Dump(mixed), QStringLiteral("1 50 0 0 0|0:a:50[]"));
}

TJson wordGrading(double overall, TResultEmbedding e = TResultEmbedding::Object)
{
    return WordGrading(QStringLiteral("w"), overall, {{QStringLiteral("w"), overall}}, e);
}

TEST(ScoreScales, BoundariesTakeTheHigherColourAndLevel)
{
    const QList<std::pair<double, unsigned>> colours{
        {85, 0xFF000000u}, {84.99, 0xFFFFB512u}, {70, 0xFFFFB512u},          {69.99, 0xFFC832FAu},
        {60, 0xFFC832FAu}, {59.99, 0xFFFF0202u}, {std::nan(""), 0xFFFF0202u}};
    for (const auto &[score, colour] : colours)
        EXPECT_EQ(ScoreColor(score), colour) << score;

    const QList<std::pair<double, QString>> levels{
        {85, QStringLiteral("ScoreBackGold")},         {84.99, QStringLiteral("ScoreBackSilver")},
        {75, QStringLiteral("ScoreBackSilver")},       {74.99, QStringLiteral("ScoreBackCopper")},
        {65, QStringLiteral("ScoreBackCopper")},       {64.99, QStringLiteral("ScoreBackBad")},
        {std::nan(""), QStringLiteral("ScoreBackBad")}};
    for (const auto &[score, level] : levels)
        EXPECT_EQ(ScoreLevelName(ScoreLevelOf(score)), level) << score;
}

TEST(ScoreRounding, NearestSendsHalvesToTheEvenNeighbour)
{
    const QList<std::pair<double, int>> cases{{0.5, 0},    {1.5, 2},    {-1.5, -2},     {-2.5, -2},
                                              {2.4999, 2}, {2.5001, 3}, {200.0 / 3, 67}};
    for (const auto &[value, nearest] : cases)
        EXPECT_EQ(Nearest(value), nearest) << value;
    EXPECT_EQ(Nearest(std::nan("")), 0);
    EXPECT_EQ(Nearest(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(Nearest(1e300), std::numeric_limits<int>::max());
}

TEST(ScoreTotals, PassageTotalDividesByPartCountAndFallsBackToThePartsWithTheLogLine)
{
    LogCapture log;
    TJson doc =
        MakePassageRepeatDocument({PassageGrading({}, 80.3), PassageGrading({}, 70.16, TResultEmbedding::Text)});
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 150.5); // partcount 1: 150.46 rounded
    PutI(doc, "partcount", 2);
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2); // 75.23
    EXPECT_TRUE(log.Lines().isEmpty());

    // A part count that cannot divide: the number of parts divides instead.
    PutI(doc, "partcount", 0);
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2);
    EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("error:TotalScore div tmpPartCount")});
    // No parts: nothing to show, nothing to divide, nothing logged.
    log.Clear();
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(MakePassageRepeatDocument({})), 0);
    EXPECT_TRUE(log.Lines().isEmpty());
}

TEST(ScoreDocuments, FiveWordUnitKeepsTheAttemptsAboveThirtyAfterRounding)
{
    const double s1 = 88.4, s3 = 71.3;
    TWordScoreHeader h;
    h.uid = 9000000001LL;
    h.wordTotalCount = 5;
    // Word 2 scored 30.05, which rounds (half to even) to 30.0: not above.
    // 30.06 rounds to 30.1 and is kept. Word 4 was never tried; index 9 lies
    // outside the unit.
    const TJson doc = MakeWordScoreDocument(h, {{0, wordGrading(s1)},
                                                {1, wordGrading(30.05)},
                                                {2, wordGrading(s3, TResultEmbedding::Text)},
                                                {4, wordGrading(30.06)},
                                                {9, wordGrading(99)}});
    EXPECT_EQ(I64(doc, "uid"), 9000000001LL);
    const TJson results = A(doc, "wordResult");
    ASSERT_EQ(results.size(), 5u);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[0])), s1);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[2])), s3);
    for (int i : {1, 3})
        EXPECT_EQ(AsJSon(results[i]), QStringLiteral("{\"result\":\"\"}")) << i;
    EXPECT_FALSE(IsWordResultPlaceholder(results[4]));
    // (88.4 + 71.3 + 30.06) / 5 = 37.95 -> 38; a unit without words is scored 0.
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 5), 38);
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 0), 0);
    EXPECT_DOUBLE_EQ(SingleWordScore(QStringLiteral("garbage")), 0);
}

TEST(ResultLayout, ChipsGoFourToALineSharingTheirBorders)
{
    // Chips of 154 x 33 to the right of the 160 wide word cell.
    const struct
    {
        int j;
        double x, y;
    } places[] = {{0, 159, 0}, {3, 618, 0}, {4, 159, 32}, {9, 312, 64}};
    for (const auto &p : places) {
        const TChipPlace c = ChipPlace(p.j, 154, 33, 160);
        EXPECT_DOUBLE_EQ(c.x, p.x) << p.j;
        EXPECT_DOUBLE_EQ(c.y, p.y) << p.j;
    }
    // Padding fills only an unfinished last line.
    const QList<std::pair<int, int>> cases{{0, 0}, {3, 1}, {4, 0}, {5, 3}};
    for (const auto &[count, padding] : cases)
        EXPECT_EQ(ChipPadding(count), padding) << count;
}

TEST(ResultLayout, SentenceRowsFoldAndUnfold)
{
    const QList<double> heights{20, 40, 20, 20, 20};
    EXPECT_EQ(FoldedRowYs(heights), (QList<double>{0, 34, 88, 122, 156}));
    // Row 1 unfolded over 197: the rows after it move down, the others stay.
    EXPECT_EQ(UnfoldedRowYs(heights, 1, 197), (QList<double>{0, 34, 285, 319, 353}));
    EXPECT_EQ(UnfoldedRowYs(heights, 4, 197), FoldedRowYs(heights));
    // A sentence without words moves nothing; a row out of range neither.
    EXPECT_EQ(UnfoldedRowYs(heights, 1, 0), FoldedRowYs(heights));
    EXPECT_EQ(UnfoldedRowYs(heights, 7, 50), FoldedRowYs(heights));
    EXPECT_TRUE(FoldedRowYs({}).isEmpty());
}

TEST(ResultLayout, WordsUnfoldInStripsOfEight)
{
    const QList<std::pair<int, QList<int>>> cases{{0, {}}, {8, {8}}, {9, {8, 1}}, {17, {8, 8, 1}}};
    for (const auto &[count, sizes] : cases)
        EXPECT_EQ(WordStripSizes(count), sizes) << count;
    // Strips overlap by one line; their columns scale with the strip.
    EXPECT_DOUBLE_EQ(StackedStripsHeight({99, 99, 99}), 295);
    EXPECT_DOUBLE_EQ(WordStripColumnX(5, 838), 524);
    EXPECT_DOUBLE_EQ(WordStripColumnWidth(838), 106);
    EXPECT_EQ(DecimalScoreText(72.25), QStringLiteral("72.25"));
}

TEST(WordFlow, SplitsAtRunsOfSpacesFillsLinesThenWraps)
{
    EXPECT_EQ(SplitWords(QStringLiteral("  Hello  world ")),
              (QStringList{QStringLiteral("Hello"), QStringLiteral("world")}));
    EXPECT_TRUE(SplitWords(QStringLiteral("   ")).isEmpty());
    // Width 100: 40 + 50 fit, the third word (30) does not and starts a line.
    const QList<QSizeF> sizes{{40, 20}, {50, 20}, {30, 20}, {60, 20}};
    const QList<TWordPlace> places = FlowWords(sizes, 100);
    ASSERT_EQ(places.size(), 4);
    const TWordPlace expected[] = {{0, 0}, {40, 0}, {0, 20}, {30, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(places[i].x, expected[i].x) << i;
        EXPECT_DOUBLE_EQ(places[i].y, expected[i].y) << i;
    }
    EXPECT_DOUBLE_EQ(FlowHeight(places, sizes), 50);
}

TEST(WordFlow, PhraseAndWordSearch)
{
    const QStringList words = SplitWords(QStringLiteral("I said that I LIKE apples very much "));
    const struct
    {
        const char *phrase;
        int from;
        int found;
    } cases[] = {
        {"I like apples", 0, 3},   // words 3 to 5, case-insensitively
        {"I said", 1, -1},         // only before `from`
        {"very much more", 0, -1}, // its first words match only at the end
        {"said", -1, -1},          // a failed search leaves -1
        {"", 2, 2},                // nothing to find: the place stays
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindPhrase(words, QString::fromLatin1(c.phrase), c.from), c.found) << c.phrase;
    EXPECT_EQ(FindPhrase({}, QStringLiteral("a"), 0), -1);

    // A word in an example, also at its start.
    const QString example = QStringLiteral("Apple trees grow apples.");
    EXPECT_EQ(FindWordInText(example, QStringLiteral("apple")), 0);
    EXPECT_EQ(FindWordInText(example, QStringLiteral(" TREES ")), 6);
    EXPECT_EQ(FindWordInText(example, QStringLiteral("  ")), -1);
}

} // namespace
