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
    EXPECT_EQ(ScoreColor(100), 0xFF000000u);
    EXPECT_EQ(ScoreColor(85), 0xFF000000u);
    EXPECT_EQ(ScoreColor(84.99), 0xFFFFB512u);
    EXPECT_EQ(ScoreColor(70), 0xFFFFB512u);
    EXPECT_EQ(ScoreColor(69.99), 0xFFC832FAu);
    EXPECT_EQ(ScoreColor(60), 0xFFC832FAu);
    EXPECT_EQ(ScoreColor(59.99), 0xFFFF0202u);
    EXPECT_EQ(ScoreColor(0), 0xFFFF0202u);
    EXPECT_EQ(ScoreColor(std::nan("")), 0xFFFF0202u);

    EXPECT_EQ(ScoreLevelOf(85), TScoreLevel::Gold);
    EXPECT_EQ(ScoreLevelOf(84.99), TScoreLevel::Silver);
    EXPECT_EQ(ScoreLevelOf(75), TScoreLevel::Silver);
    EXPECT_EQ(ScoreLevelOf(74.99), TScoreLevel::Copper);
    EXPECT_EQ(ScoreLevelOf(65), TScoreLevel::Copper);
    EXPECT_EQ(ScoreLevelOf(64.99), TScoreLevel::Bad);
    EXPECT_EQ(ScoreLevelOf(std::nan("")), TScoreLevel::Bad);

    EXPECT_EQ(ScoreLevelName(TScoreLevel::Gold), QStringLiteral("ScoreBackGold"));
    EXPECT_EQ(ScoreLevelName(TScoreLevel::Silver), QStringLiteral("ScoreBackSilver"));
    EXPECT_EQ(ScoreLevelName(TScoreLevel::Copper), QStringLiteral("ScoreBackCopper"));
    EXPECT_EQ(ScoreLevelName(TScoreLevel::Bad), QStringLiteral("ScoreBackBad"));
    EXPECT_EQ(ScoreLevelPicture(QStringLiteral("ScoreBackGold")), QStringLiteral("png\\ScoreBackGold.png"));
    EXPECT_EQ(ScoreLevelSoundFile(QStringLiteral("ScoreBackBad")), QStringLiteral("data\\ScoreBackBad.mp3"));
    EXPECT_EQ(ScoreLevelSoundEntry(QStringLiteral("ScoreBackSilver")),
              QStringLiteral("ani\\ScoreBackSilver\\ScoreBackSilver.mp3"));
}

TEST(ScoreRounding, NearestSendsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(Nearest(0.5), 0);
    EXPECT_EQ(Nearest(1.5), 2);
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(3.5), 4);
    EXPECT_EQ(Nearest(-0.5), 0);
    EXPECT_EQ(Nearest(-1.5), -2);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(2.4999), 2);
    EXPECT_EQ(Nearest(2.5001), 3);
    EXPECT_EQ(Nearest(66.66666), 67);
    // 2 of 3 lessons done: 66.67 %, 1 of 8: 12.5 % -> 12.
    EXPECT_EQ(Nearest(2.0 / 3.0 * 100), 67);
    EXPECT_EQ(Nearest(1.0 / 8.0 * 100), 12);
    EXPECT_EQ(Nearest(std::nan("")), 0);
    EXPECT_EQ(Nearest(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(Nearest(1e300), std::numeric_limits<int>::max());
}

TEST(ScoreTotals, PassageTotalDividesByPartCountAndFallsBackToThePartsWithTheLogLine)
{
    LogCapture log;
    const TJson p1 = PassageGrading({}, 80.3);
    const TJson p2 = PassageGrading({}, 70.16, TResultEmbedding::Text);
    TJson doc = MakePassageRepeatDocument({p1, p2});
    // partcount is 1: the sum, rounded to one decimal.
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 150.5); // 150.46
    EXPECT_TRUE(log.Lines().isEmpty());

    PutI(doc, "partcount", 2);
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2); // 75.23

    for (const qint64 bad : {qint64(0), qint64(-3)}) {
        log.Clear();
        PutI(doc, "partcount", bad);
        EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2);
        EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("error:TotalScore div tmpPartCount")});
    }
    log.Clear();
    doc.erase("partcount");
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(doc), 75.2);
    EXPECT_EQ(log.Lines().size(), 1);

    // No parts: nothing to show, nothing to divide.
    log.Clear();
    EXPECT_DOUBLE_EQ(PassageDisplayTotal(MakePassageRepeatDocument({})), 0);
    EXPECT_TRUE(log.Lines().isEmpty());
}

TEST(ScoreTotals, PassageSubmissionScoreIsTheRoundedSumOrZeroWithoutParts)
{
    const TJson doc = MakePassageReadingDocument({PassageGrading({}, 72.25, TResultEmbedding::Text)},
                                                 {QStringLiteral("/tmp/a.wav")}, QStringLiteral("S"));
    EXPECT_DOUBLE_EQ(PassageSubmissionScore(doc, 3), 72.2);
    EXPECT_DOUBLE_EQ(PassageSubmissionScore(doc, 0), 0);
    EXPECT_EQ(PassageSubmissionKind(doc), QStringLiteral("S"));
    EXPECT_EQ(PassageSubmissionKind(MakePassageRepeatDocument({})), QStringLiteral("L"));
    TJson other = doc;
    PutS(other, "achiveType", QStringLiteral("s"));
    EXPECT_EQ(PassageSubmissionKind(other), QStringLiteral("L"));
}

TEST(ScoreDocuments, PassageDocumentsCarryTheirMembersInOrder)
{
    const TJson part = PassageGrading({}, 66);
    const TJson reading = MakePassageReadingDocument({part, part}, {QStringLiteral("a.wav"), QStringLiteral("b.wav")},
                                                     QStringLiteral("L"));
    EXPECT_EQ(Keys(reading), (QStringList{QStringLiteral("parts"), QStringLiteral("audios"),
                                          QStringLiteral("achiveType"), QStringLiteral("partcount")}));
    EXPECT_EQ(A(reading, "parts").size(), 2u);
    EXPECT_EQ(S(A(reading, "audios")[1], "audio"), QStringLiteral("b.wav"));
    EXPECT_EQ(I(reading, "partcount"), 1);
    EXPECT_EQ(A(reading, "parts")[0], part); // the whole grading, "result" and all

    const TJson repeat = MakePassageRepeatDocument({part});
    EXPECT_FALSE(Has(repeat, "audios"));
    EXPECT_EQ(S(repeat, "achiveType"), QStringLiteral("L"));
    EXPECT_EQ(I(repeat, "partcount"), 1);
}

TEST(ScoreDocuments, FiveWordUnitWithWordsOneAndThreeGraded)
{
    const double s1 = 88.4, s3 = 71.3;
    TWordScoreHeader h;
    h.uid = 9000000001LL;
    h.bookId = 12;
    h.unitId = 345;
    h.wordTotalCount = 5;
    h.wordId = 7003;
    h.wordIndex = 4;
    // Word 2 was tried but scored 30 (not above), word 5 scored 12; word 4
    // was never tried; index 9 lies outside the unit.
    const QMap<int, TJson> gradings{{0, wordGrading(s1)},
                                    {1, wordGrading(30.0)},
                                    {2, wordGrading(s3, TResultEmbedding::Text)},
                                    {4, wordGrading(12)},
                                    {9, wordGrading(99)}};
    const TJson doc = MakeWordScoreDocument(h, gradings);
    EXPECT_EQ(Keys(doc), (QStringList{QStringLiteral("uid"), QStringLiteral("bookId"), QStringLiteral("unitId"),
                                      QStringLiteral("wordTotalCount"), QStringLiteral("wordId"),
                                      QStringLiteral("wordIndex"), QStringLiteral("wordResult")}));
    EXPECT_EQ(I64(doc, "uid"), 9000000001LL);
    EXPECT_EQ(I(doc, "wordIndex"), 4);
    const TJson results = A(doc, "wordResult");
    ASSERT_EQ(results.size(), 5u);
    EXPECT_FALSE(IsWordResultPlaceholder(results[0]));
    EXPECT_FALSE(IsWordResultPlaceholder(results[2]));
    for (int i : {1, 3, 4}) {
        EXPECT_TRUE(IsWordResultPlaceholder(results[i])) << i;
        EXPECT_EQ(AsJSon(results[i]), QStringLiteral("{\"result\":\"\"}")) << i;
    }

    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[0])), s1);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[2])), s3);
    EXPECT_DOUBLE_EQ(SingleWordScore(AsJSon(results[3])), 0);
    // (88.4 + 71.3) / 5 = 31.94 -> 31.9
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 5), 31.9);
    // A unit without words is scored 0 rather than divided by zero.
    EXPECT_DOUBLE_EQ(WordUnitScore(doc, 0), 0);
}

TEST(ScoreDocuments, WordAttemptScoreRoundsBeforeTheKeepThreshold)
{
    EXPECT_DOUBLE_EQ(WordAttemptScore(wordGrading(30.04)), 30.0);
    EXPECT_DOUBLE_EQ(WordAttemptScore(wordGrading(30.05)), 30.0); // half to even
    EXPECT_DOUBLE_EQ(WordAttemptScore(wordGrading(30.06)), 30.1);
    TWordScoreHeader h;
    h.wordTotalCount = 2;
    const TJson doc = MakeWordScoreDocument(h, {{0, wordGrading(30.04)}, {1, wordGrading(30.06)}});
    EXPECT_TRUE(IsWordResultPlaceholder(A(doc, "wordResult")[0]));
    EXPECT_FALSE(IsWordResultPlaceholder(A(doc, "wordResult")[1]));
    EXPECT_DOUBLE_EQ(SingleWordScore(QStringLiteral("garbage")), 0);
}

} // namespace
