// Decoding grading results: both ways of carrying "result", the three detail
// shapes, and results that were not graded.

#include "GradingResult.h"

#include "GradingResults.h"

#include <gtest/gtest.h>

namespace {

QString text(const nlohmann::ordered_json &j)
{
    return QString::fromStdString(j.dump());
}

void ExpectSameDecoding(const TGradingResult &a, const TGradingResult &b)
{
    EXPECT_EQ(a.graded, b.graded);
    EXPECT_DOUBLE_EQ(a.overall, b.overall);
    EXPECT_DOUBLE_EQ(a.accuracy, b.accuracy);
    EXPECT_DOUBLE_EQ(a.integrity, b.integrity);
    EXPECT_DOUBLE_EQ(a.fluency, b.fluency);
    ASSERT_EQ(a.details.size(), b.details.size());
    for (qsizetype i = 0; i < a.details.size(); ++i) {
        EXPECT_EQ(a.details[i].shape, b.details[i].shape);
        EXPECT_EQ(a.details[i].text, b.details[i].text);
        EXPECT_DOUBLE_EQ(a.details[i].score, b.details[i].score);
        ASSERT_EQ(a.details[i].phones.size(), b.details[i].phones.size());
        ASSERT_EQ(a.details[i].words.size(), b.details[i].words.size());
        for (qsizetype k = 0; k < a.details[i].phones.size(); ++k)
            EXPECT_DOUBLE_EQ(a.details[i].phones[k].score, b.details[i].phones[k].score);
        for (qsizetype k = 0; k < a.details[i].words.size(); ++k) {
            EXPECT_EQ(a.details[i].words[k].text, b.details[i].words[k].text);
            EXPECT_DOUBLE_EQ(a.details[i].words[k].score, b.details[i].words[k].score);
        }
    }
}

TEST(GradingDecode, EmbeddedAndStringResultDecodeTheSame)
{
    const QList<TScoredUnit> words{{QStringLiteral("How"), 91}, {QStringLiteral("are"), 72.5},
                                   {QStringLiteral("you"), 58}};
    const auto sentenceObj = SentenceGrading(words, 74.5, 80, 66, 95, TResultEmbedding::Object);
    const auto sentenceText = SentenceGrading(words, 74.5, 80, 66, 95, TResultEmbedding::Text);
    ASSERT_TRUE(sentenceText["result"].is_string());
    const TGradingResult a = DecodeGradingResult(sentenceObj);
    ExpectSameDecoding(a, DecodeGradingResult(sentenceText));
    // ... and the same through the engine's text.
    ExpectSameDecoding(a, DecodeGradingResult(text(sentenceText)));
    EXPECT_TRUE(a.graded);
    EXPECT_DOUBLE_EQ(a.overall, 74.5);
    EXPECT_DOUBLE_EQ(a.accuracy, 80);
    EXPECT_DOUBLE_EQ(a.fluency, 66);
    EXPECT_DOUBLE_EQ(a.integrity, 95);

    const QList<TScoredSentence> sentences{
        {QStringLiteral("I like tea."), 88, ScoreWords(QStringLiteral("I like tea."), 88)},
        {QStringLiteral("She likes milk."), 61, ScoreWords(QStringLiteral("She likes milk."), 61)}};
    ExpectSameDecoding(DecodeGradingResult(PassageGrading(sentences, 74.5, TResultEmbedding::Object)),
                       DecodeGradingResult(PassageGrading(sentences, 74.5, TResultEmbedding::Text)));

    const QList<TScoredUnit> phones{{QStringLiteral("k"), 90}, {QStringLiteral("ae"), 40}, {QStringLiteral("t"), 77}};
    ExpectSameDecoding(DecodeGradingResult(WordGrading(QStringLiteral("cat"), 69, phones, TResultEmbedding::Object)),
                       DecodeGradingResult(WordGrading(QStringLiteral("cat"), 69, phones, TResultEmbedding::Text)));
}

TEST(GradingDecode, EachDetailsShapeKeepsItsFields)
{
    const TGradingResult sentence = DecodeGradingResult(
        SentenceGrading({{QStringLiteral("Good"), 93}, {QStringLiteral("morning"), 64}}, 78, 0, 0, 0));
    ASSERT_EQ(sentence.details.size(), 2);
    EXPECT_EQ(sentence.details[1].shape, TDetailShape::Sentence);
    EXPECT_EQ(sentence.details[1].text, QStringLiteral("morning"));
    EXPECT_DOUBLE_EQ(sentence.details[1].score, 64);
    EXPECT_TRUE(sentence.details[1].phones.isEmpty());

    const TGradingResult word = DecodeGradingResult(
        WordGrading(QStringLiteral("ship"), 81, {{QStringLiteral("sh"), 95}, {QStringLiteral("ih"), 70},
                                                {QStringLiteral("p"), 62}},
                    TResultEmbedding::Text));
    ASSERT_EQ(word.details.size(), 1);
    EXPECT_EQ(word.details[0].shape, TDetailShape::Word);
    EXPECT_EQ(word.details[0].text, QStringLiteral("ship"));
    ASSERT_EQ(word.details[0].phones.size(), 3);
    EXPECT_EQ(word.details[0].phones[1].text, QStringLiteral("ih"));
    EXPECT_DOUBLE_EQ(word.details[0].phones[2].score, 62);

    const TGradingResult passage = DecodeGradingResult(PassageGrading(
        {{QStringLiteral("Tom is here."), 90,
          {{QStringLiteral("Tom"), 99}, {QStringLiteral("is"), 85}, {QStringLiteral("here"), 86}}},
         {QStringLiteral("Where is Ann?"), 55, ScoreWords(QStringLiteral("Where is Ann?"), 55)}},
        72.5));
    ASSERT_EQ(passage.details.size(), 2);
    EXPECT_EQ(passage.details[0].shape, TDetailShape::Passage);
    EXPECT_EQ(passage.details[0].text, QStringLiteral("Tom is here."));
    ASSERT_EQ(passage.details[0].words.size(), 3);
    EXPECT_EQ(passage.details[0].words[2].text, QStringLiteral("here"));
    EXPECT_DOUBLE_EQ(passage.details[0].words[1].score, 85);
    EXPECT_DOUBLE_EQ(passage.details[1].score, 55);
    // The entry itself is kept for the views that unfold a sentence.
    EXPECT_EQ(S(passage.details[1].entry, "text"), QStringLiteral("Where is Ann?"));

    // A passage sentence without words is still a passage sentence.
    EXPECT_EQ(DetailShape(SO(QStringLiteral("{\"text\":\"Hi.\",\"score\":70}"))), TDetailShape::Passage);
}

TEST(GradingDecode, ResultsWithoutOverallOrDetailsAreNotGraded)
{
    const TGradingResult ungraded = DecodeGradingResult(UngradedResult());
    EXPECT_FALSE(ungraded.graded);
    EXPECT_TRUE(ungraded.details.isEmpty());

    // A score of 0 is a grading, not a missing one.
    const TGradingResult zero = DecodeGradingResult(SO(QStringLiteral("{\"result\":{\"overall\":0}}")));
    EXPECT_TRUE(zero.graded);
    EXPECT_TRUE(zero.details.isEmpty());

    // The word drill's placeholder, an empty text, a text that is not JSON
    // and a "result" that is not an object: nothing graded, no rows.
    for (const QString &t : {QStringLiteral("{\"result\":\"\"}"), QString(), QStringLiteral("not json"),
                             QStringLiteral("{\"result\":\"[1,2]\"}"), QStringLiteral("{\"result\":\"{oops\"}")}) {
        const TGradingResult r = DecodeGradingResult(t);
        EXPECT_FALSE(r.graded) << t.toStdString();
        EXPECT_TRUE(r.details.isEmpty()) << t.toStdString();
        EXPECT_DOUBLE_EQ(r.overall, 0) << t.toStdString();
    }

    // Entries that are not objects are skipped, the others kept.
    const TGradingResult mixed = DecodeGradingResult(
        SO(QStringLiteral("{\"result\":{\"overall\":50,\"details\":[3,{\"char\":\"a\",\"score\":50}]}}")));
    ASSERT_EQ(mixed.details.size(), 1);
    EXPECT_EQ(mixed.details[0].text, QStringLiteral("a"));
}

} // namespace
