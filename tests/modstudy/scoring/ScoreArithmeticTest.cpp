// The score scales, the rounding and the totals of the score documents.

#include "ScoreDocuments.h"
#include "ScoreRounding.h"
#include "ScoreScales.h"
#include "ScoreTotals.h"

#include "GradingResults.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

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
    const QList<std::pair<double, int>> cases{{0.5, 0},    {1.5, 2},   {2.5, 2},       {3.5, 4},
                                              {-0.5, 0},   {-1.5, -2}, {-2.5, -2},     {2.4999, 2},
                                              {2.5001, 3}, {12.5, 12}, {200.0 / 3, 67}};
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
    for (const qint64 bad : {qint64(0), qint64(-3)}) {
        log.Clear();
        PutI(doc, "partcount", bad);
        EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2);
        EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("error:TotalScore div tmpPartCount")});
    }
    // No parts: nothing to show, nothing to divide, nothing logged.
    log.Clear();
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(MakePassageRepeatDocument({})), 0);
    EXPECT_TRUE(log.Lines().isEmpty());
}

TEST(ScoreTotals, PassageSubmissionScoreAndKind)
{
    const TJson doc = MakePassageReadingDocument({PassageGrading({}, 72.25, TResultEmbedding::Text)},
                                                 {QStringLiteral("a.wav")}, QStringLiteral("S"));
    EXPECT_DOUBLE_EQ(PassageSubmissionScore(doc, 3), 72.2);
    EXPECT_DOUBLE_EQ(PassageSubmissionScore(doc, 0), 0);
    EXPECT_EQ(PassageSubmissionKind(doc), QStringLiteral("S"));
    TJson other = doc;
    PutS(other, "achiveType", QStringLiteral("s"));
    EXPECT_EQ(PassageSubmissionKind(other), QStringLiteral("L"));
    EXPECT_EQ(PassageSubmissionKind(MakePassageRepeatDocument({})), QStringLiteral("L"));
}

TEST(ScoreDocuments, FiveWordUnitWithWordsOneAndThreeGraded)
{
    const double s1 = 88.4, s3 = 71.3;
    TWordScoreHeader h;
    h.uid = 9000000001LL;
    h.wordTotalCount = 5;
    // Word 2 scored 30 (not above), word 5 scored 12, word 4 was never
    // tried; index 9 lies outside the unit.
    const TJson doc = MakeWordScoreDocument(h, {{0, wordGrading(s1)},
                                                {1, wordGrading(30.0)},
                                                {2, wordGrading(s3, TResultEmbedding::Text)},
                                                {4, wordGrading(12)},
                                                {9, wordGrading(99)}});
    EXPECT_EQ(I64(doc, "uid"), 9000000001LL);
    const TJson results = A(doc, "wordResult");
    ASSERT_EQ(results.size(), 5u);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[0])), s1);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[2])), s3);
    for (int i : {1, 3, 4})
        EXPECT_EQ(AsJSon(results[i]), QStringLiteral("{\"result\":\"\"}")) << i;
    // (88.4 + 71.3) / 5 = 31.94 -> 31.9; a unit without words is scored 0.
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 5), 31.9);
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 0), 0);
}

TEST(ScoreDocuments, WordAttemptScoreIsRoundedBeforeTheKeepThreshold)
{
    TWordScoreHeader h;
    h.wordTotalCount = 3;
    // 30.04 and 30.05 (half to even) round to 30.0 and are not kept.
    const TJson doc =
        MakeWordScoreDocument(h, {{0, wordGrading(30.04)}, {1, wordGrading(30.05)}, {2, wordGrading(30.06)}});
    EXPECT_TRUE(IsWordResultPlaceholder(A(doc, "wordResult")[0]));
    EXPECT_TRUE(IsWordResultPlaceholder(A(doc, "wordResult")[1]));
    EXPECT_FALSE(IsWordResultPlaceholder(A(doc, "wordResult")[2]));
    EXPECT_DOUBLE_EQ(SingleWordScore(QStringLiteral("garbage")), 0);
}

} // namespace
