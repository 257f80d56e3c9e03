// Decoding grading results: both ways of carrying "result", the three detail
// shapes, and results that were not graded.

#include "GradingResult.h"

#include "GradingResults.h"

#include <gtest/gtest.h>

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

} // namespace
