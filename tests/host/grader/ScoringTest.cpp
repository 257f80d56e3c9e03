// From goodness of pronunciation to phone, word and sentence scores.

#include "Scoring.h"

#include <gtest/gtest.h>

using namespace grader;

namespace {

TCalibration calibration()
{
    TCalibration c;
    c.expected = {{"IH", -10.0}, {"SH", -2.0}};
    c.defaultExpected = -5.0;
    c.mid = -8.0;
    c.slope = 4.0;
    c.worstWeight = 0.5;
    c.silenceLimit = 0.6;
    c.readFloor = 25;
    return c;
}

TPhoneEval phone(const char *p, int start, int end, double gop, double silence = 0)
{
    TPhoneEval e;
    e.phone = p;
    e.startFrame = start;
    e.endFrame = end;
    e.gop = gop;
    e.silenceShare = silence;
    return e;
}

TWordEval word(std::vector<TPhoneEval> phones, bool aligned = true)
{
    TWordEval w;
    w.text = "ship";
    w.aligned = aligned;
    w.phones = std::move(phones);
    return w;
}

} // namespace

TEST(ScoringTest, PhonesAreScoredOnACurveFromTheirGopBeyondTheExpected)
{
    const TCalibration c = calibration();
    EXPECT_DOUBLE_EQ(GopToScore(c, c.mid), 50.0);
    double last = -1;
    for (double g = -40; g <= 10; g += 2) {
        const double s = GopToScore(c, g);
        EXPECT_GT(s, last);
        EXPECT_LE(s, 100.0);
        last = s;
    }
    EXPECT_GT(GopToScore(c, 0), 85.0);
    EXPECT_LT(GopToScore(c, -30), 1.0);
    // The same raw GOP is good for a phone that is usually far from the loop
    // and poor for one usually close to it.
    EXPECT_DOUBLE_EQ(NormalisedGop(c, phone("IH", 0, 9, -12)), -2.0);
    EXPECT_DOUBLE_EQ(NormalisedGop(c, phone("SH", 0, 9, -12)), -10.0);
    EXPECT_DOUBLE_EQ(NormalisedGop(c, phone("ZH", 0, 9, -12)), -7.0); // default
    EXPECT_GT(PhoneScore(c, phone("IH", 0, 9, -12)), PhoneScore(c, phone("SH", 0, 9, -12)));

    // Each GOP counts with its own weight.
    TCalibration w = c;
    w.competitorWeight = 2;
    w.segmentWeight = 0.5;
    w.segmentCompetitorWeight = 3;
    TPhoneEval p = phone("IH", 0, 9, -12);
    p.competitorGop = -1;
    p.segmentGop = -4;
    p.segmentCompetitorGop = -0.5;
    EXPECT_DOUBLE_EQ(NormalisedGop(w, p), -12 - 2 - 2 - 1.5 + 10);
}

TEST(ScoringTest, WordGopBlendsFrameWeightedMeanAndWorstPhone)
{
    const TCalibration c = calibration();
    // Normalised: SH 0 over 10 frames, IH -20 over 10 frames: mean -10, worst
    // -20, blend -15.
    const TWordEval w = word({phone("SH", 0, 9, -2), phone("IH", 10, 19, -30)});
    EXPECT_DOUBLE_EQ(WordGop(c, w), -15.0);
    TCalibration meanOnly = c;
    meanOnly.worstWeight = 0;
    EXPECT_DOUBLE_EQ(WordGop(meanOnly, w), -10.0);
    // A long good phone does not hide a short bad one as much as a mean would.
    const TWordEval longGood = word({phone("SH", 0, 89, -2), phone("IH", 90, 99, -30)});
    EXPECT_LT(WordScore(c, longGood), WordScore(meanOnly, longGood));
}

TEST(ScoringTest, WordsNotHeardScoreZero)
{
    const TCalibration c = calibration();
    const struct
    {
        TWordEval w;
        bool read;
    } cases[] = {
        {word({phone("SH", 0, 9, -2)}), true},
        {word({phone("SH", 0, 9, -2)}, false), false},                              // skipped by the alignment
        {word({}), false},                                                          // nothing aligned
        {word({phone("SH", 0, 9, -2, 0.9), phone("IH", 10, 19, -10, 0.5)}), false}, // 70 % silence
        {word({phone("SH", 0, 9, -2, 0.9), phone("IH", 10, 19, -10, 0.2)}), true},  // 55 % silence
    };
    for (const auto &c2 : cases) {
        EXPECT_EQ(WordRead(c, c2.w), c2.read);
        if (!c2.read)
            EXPECT_EQ(WordScore(c, c2.w), 0.0);
        else
            EXPECT_GT(WordScore(c, c2.w), 0.0);
    }
}

TEST(ScoringTest, AWordIsFoundByItsPresenceWhereItIsKnown)
{
    const TCalibration c = calibration();
    TWordEval w = word({phone("SH", 0, 9, -2)});
    EXPECT_TRUE(WordFound(c, w, 90));
    w.presenceKnown = true;
    w.presence = c.minPresence + 0.5;
    EXPECT_TRUE(WordFound(c, w, 90));
    w.presence = c.minPresence;
    EXPECT_FALSE(WordFound(c, w, 90)); // the stretch is explained as well without it
    // Squeezed into three frames: not found unless its presence is known to
    // be clear.
    TWordEval squeezed = word({phone("SH", 0, 2, -2)});
    EXPECT_FALSE(WordFound(c, squeezed, 90));
    squeezed.presenceKnown = true;
    squeezed.presence = c.minPresence + 40;
    EXPECT_TRUE(WordFound(c, squeezed, 90));
}

TEST(ScoringTest, FluencyFollowsRateAndPauses)
{
    const struct
    {
        int phones;
        int frames;
        std::vector<int> pauses;
        int found;
        int total;
        double expected;
    } cases[] = {
        {12, 100, {}, 5, 5, 100},       // 12 phones a second
        {6, 100, {}, 5, 5, 50},         // slow: 6/s
        {2, 100, {}, 5, 5, 0},          // far too slow
        {20, 100, {}, 5, 5, 50},        // fast: 20/s
        {12, 100, {20, 30}, 5, 5, 100}, // short pauses are free
        {12, 100, {80}, 5, 5, 95},      // 0.5 s beyond 0.3 s
        {12, 100, {1000}, 5, 5, 60},    // the pause penalty stops at 40
        {12, 100, {}, 2, 4, 50},        // half the words found
        {12, 100, {}, 0, 4, 0},         {0, 0, {}, 3, 4, 0},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(FluencyScore(c.phones, c.frames, c.pauses, c.found, c.total), c.expected, 1e-9)
            << c.phones << "/" << c.frames;
}

TEST(ScoringTest, SentenceScoresWeighWordsByPhonesAndCountOnlyWordsFound)
{
    TCalibration c = calibration();
    c.accuracyGate = 80;
    auto withReference = [](TWordEval w, std::size_t phones) {
        w.reference.assign(phones, "AH");
        return w;
    };
    TUtterance u;
    u.words = {withReference(word({phone("SH", 0, 9, -2)}), 3), withReference(word({phone("IH", 10, 19, -10)}), 1),
               withReference(word({}, false), 2),
               // Squeezed into three frames, the shortest a phone can take:
               // the alignment put a word left out there.
               withReference(word({phone("IH", 20, 22, -10)}), 1)};
    const std::vector<double> scores = {90, 80, 0, 50};
    const TSentenceScores s = SentenceScores(c, u, scores, {0, 1, 2, 3});
    EXPECT_DOUBLE_EQ(s.accuracy, 400.0 / 7); // (90·3 + 80·1 + 0·2 + 50·1) / 7 phones
    EXPECT_DOUBLE_EQ(s.integrity, 50.0);
    EXPECT_GT(s.fluency, 0.0);
    // Under the gate, integrity and fluency count in proportion to accuracy.
    EXPECT_NEAR(s.overall,
                kAccuracyWeight * s.accuracy
                    + s.accuracy / 80 * (kIntegrityWeight * s.integrity + kFluencyWeight * s.fluency),
                1e-9);
    c.accuracyGate = 50;
    const TSentenceScores full = SentenceScores(c, u, scores, {0, 1, 2, 3});
    EXPECT_NEAR(full.overall,
                kAccuracyWeight * full.accuracy + kIntegrityWeight * full.integrity + kFluencyWeight * full.fluency,
                1e-9);
    // A word under the read floor is not found either.
    EXPECT_DOUBLE_EQ(SentenceScores(c, u, {90, 10, 0, 50}, {0, 1, 2, 3}).integrity, 25.0);
    EXPECT_EQ(SentenceScores(c, u, {0, 0, 0, 0}, {0, 1, 2, 3}).overall, 0.0);
    EXPECT_EQ(SentenceScores(c, u, scores, {}).overall, 0.0);
    EXPECT_DOUBLE_EQ(Round1(45.04), 45.0);
    EXPECT_DOUBLE_EQ(Round1(45.06), 45.1);
}
