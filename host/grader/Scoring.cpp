#include "Scoring.h"

#include <algorithm>
#include <cmath>

namespace grader {

double Round1(double v)
{
    // A score that could not be computed is 0, never a null in the result.
    if (!std::isfinite(v))
        return 0;
    return std::round(v * 10.0) / 10.0;
}

double GopToScore(const TCalibration &c, double normalisedGop)
{
    const double z = (normalisedGop - c.mid) / c.slope;
    return 100.0 / (1.0 + std::exp(-z));
}

double BlendedGop(const TCalibration &c, const TPhoneEval &phone)
{
    return phone.gop + c.competitorWeight * phone.competitorGop + c.segmentWeight * phone.segmentGop
           + c.segmentCompetitorWeight * phone.segmentCompetitorGop;
}

double NormalisedGop(const TCalibration &c, const TPhoneEval &phone)
{
    const auto it = c.expected.find(phone.phone);
    const double expected = it != c.expected.end() ? it->second : c.defaultExpected;
    return BlendedGop(c, phone) - expected;
}

double PhoneScore(const TCalibration &c, const TPhoneEval &phone)
{
    return GopToScore(c, NormalisedGop(c, phone));
}

double WordGop(const TCalibration &c, const TWordEval &word)
{
    if (word.phones.empty())
        return -1e9;
    double sum = 0;
    double frames = 0;
    double worst = 1e9;
    for (const TPhoneEval &p : word.phones) {
        const double g = NormalisedGop(c, p);
        const double n = p.endFrame - p.startFrame + 1;
        sum += g * n;
        frames += n;
        worst = std::min(worst, g);
    }
    const double mean = sum / frames;
    return (1.0 - c.worstWeight) * mean + c.worstWeight * worst;
}

bool WordRead(const TCalibration &c, const TWordEval &word)
{
    if (!word.aligned || word.phones.empty())
        return false;
    double silent = 0;
    double frames = 0;
    for (const TPhoneEval &p : word.phones) {
        const double n = p.endFrame - p.startFrame + 1;
        silent += p.silenceShare * n;
        frames += n;
    }
    return silent <= c.silenceLimit * frames;
}

double WordScore(const TCalibration &c, const TWordEval &word)
{
    if (!WordRead(c, word))
        return 0;
    return GopToScore(c, WordGop(c, word));
}

bool WordGradable(const TWordEval &word)
{
    return !word.reference.empty();
}

bool WordFound(const TCalibration &c, const TWordEval &word, double score)
{
    if (!WordRead(c, word) || score < c.readFloor)
        return false;
    if (word.presenceKnown)
        return word.presence > c.minPresence;
    double frames = 0;
    for (const TPhoneEval &p : word.phones)
        frames += p.endFrame - p.startFrame + 1;
    return frames > c.minFramesPerPhone * static_cast<double>(word.phones.size());
}

double FluencyScore(int phones, int speechFrames, const std::vector<int> &pauses, int wordsFound, int wordsTotal)
{
    if (wordsFound == 0 || wordsTotal == 0 || speechFrames <= 0)
        return 0;
    // Fluent read speech runs at about 9 to 15 phones a second; slower or
    // faster costs points linearly down to 0 at 3 and at 25.
    const double rate = phones * 100.0 / speechFrames;
    double rateScore = 100;
    if (rate < 9)
        rateScore = std::max(0.0, 100.0 * (rate - 3) / 6);
    else if (rate > 15)
        rateScore = std::max(0.0, 100.0 * (25 - rate) / 10);
    // A pause between words up to 0.3 s is breathing; each longer one costs
    // 10 points per second beyond that, at most 40 in all.
    double pausePenalty = 0;
    for (int frames : pauses)
        if (frames > 30)
            pausePenalty += (frames - 30) / 10.0;
    pausePenalty = std::min(40.0, pausePenalty);
    const double found = static_cast<double>(wordsFound) / wordsTotal;
    return std::clamp((rateScore - pausePenalty) * found, 0.0, 100.0);
}

TSentenceScores SentenceScores(const TCalibration &c, const TUtterance &u, const std::vector<double> &wordScores,
                               const std::vector<int> &words)
{
    TSentenceScores s;
    if (words.empty())
        return s;
    int found = 0;
    int phones = 0;
    int speech = 0;
    double weighted = 0;
    double weights = 0;
    int total = 0;
    for (int w : words) {
        const TWordEval &word = u.words[static_cast<std::size_t>(w)];
        if (!WordGradable(word))
            continue;
        ++total;
        const double score = wordScores[static_cast<std::size_t>(w)];
        // Accuracy is over every word of the text, an unread one counting 0,
        // so that reading one word well does not make a sentence accurate;
        // each word weighs as many phones as its pronunciation has, so that
        // "a" and "the" found in another text count little.
        const double weight = static_cast<double>(std::max<std::size_t>(1, word.reference.size()));
        weighted += weight * score;
        weights += weight;
        if (WordFound(c, word, score))
            ++found;
        if (WordRead(c, word)) {
            phones += static_cast<int>(word.phones.size());
            for (const TPhoneEval &p : word.phones)
                speech += p.endFrame - p.startFrame + 1;
        }
    }
    if (total == 0)
        return s;
    s.accuracy = weighted / weights;
    s.integrity = 100.0 * found / total;
    s.fluency = FluencyScore(phones, speech, u.pauses, found, total);
    const double gate = c.accuracyGate > 0 ? std::min(1.0, s.accuracy / c.accuracyGate) : 1.0;
    s.overall = kAccuracyWeight * s.accuracy + gate * (kIntegrityWeight * s.integrity + kFluencyWeight * s.fluency);
    return s;
}

} // namespace grader
