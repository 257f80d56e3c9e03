#pragma once
// From goodness of pronunciation to the 0–100 scores of a result.
//
// Phone: its GOP against the free loop, plus weighted GOPs against the likely
// substitutes of learners (from their alignment and over the phone's own
// frames) and against the best base phone over its own frames, minus the
// same blend's median in correct speech (the phone's expected value), goes
// through a logistic curve whose middle and slope were fitted on synthetic
// speech (docs/offline-grader.md).
// Word: the same curve applied to a blend of the mean and the worst of its
// normalised phone GOPs, so one replaced phone in a long word still counts;
// a word the alignment skipped, or that lies mostly in silence, is not read
// and scores 0. Sentence (over the words with an English pronunciation):
// accuracy is the mean score of its words weighted by their phones (an
// unread word counts 0), integrity the share of words found (read, scoring
// at least the read floor, and not a word left out that the alignment put in
// anyway: the stretch around it is explained as well without it), fluency
// comes from the speaking rate and the pauses, and overall weighs the three,
// with integrity and fluency counting in full only once the accuracy reaches
// the gate.

#include "Utterance.h"

#include <map>
#include <string>
#include <vector>

namespace grader {

struct TCalibration
{
    // Expected GOP of each phone in correct speech; phones not listed use
    // `defaultExpected`.
    std::map<std::string, double> expected;
    double defaultExpected = -2.0;
    double mid = -4.0;                  // normalised GOP that scores 50
    double slope = 1.5;                 // GOP units per logistic unit
    double worstWeight = 0.5;           // share of the worst phone in a word's GOP
    double competitorWeight = 1.0;      // weight of the competitor GOP in a phone's GOP
    double segmentWeight = 0;           // weight of the segment GOP (best speech phone)
    double segmentCompetitorWeight = 0; // weight of the segment GOP against the substitutes
    double silenceLimit = 0.6;          // a word with more silence than this was not read
    double readFloor = 25;              // a word under this score counts as not found for integrity
    // A word whose presence (TWordEval::presence) is no more than this was
    // put in by the alignment where the speaker left it out: the stretch
    // around it is explained as well without it. It counts as not found.
    double minPresence = -25;
    // Where the presence is unknown: a word whose phones average no more
    // frames than this was squeezed in by the alignment (three frames is the
    // shortest a phone model can take), as happens to a word left out.
    double minFramesPerPhone = 3.0;
    // Below this accuracy, integrity and fluency count in proportion to it,
    // so that speech of another text that happens to hold the reference's
    // short words in order cannot earn a fair overall from them.
    double accuracyGate = 60;

    // The calibration fitted for the installed model.
    static const TCalibration &Fitted();
};

// 0–100 from a normalised GOP through the logistic curve.
double GopToScore(const TCalibration &c, double normalisedGop);

// A phone's blend of GOPs, before its expected value is taken off.
double BlendedGop(const TCalibration &c, const TPhoneEval &phone);

// The blend minus the phone's expected value.
double NormalisedGop(const TCalibration &c, const TPhoneEval &phone);

double PhoneScore(const TCalibration &c, const TPhoneEval &phone);

// The word's normalised GOP (blend of mean and worst phone, by frames).
double WordGop(const TCalibration &c, const TWordEval &word);

// True when the word was heard at all: aligned and not mostly silence.
bool WordRead(const TCalibration &c, const TWordEval &word);

// 0 for a word not read.
double WordScore(const TCalibration &c, const TWordEval &word);

// True when the word counts as found for integrity, given its score: read,
// scoring at least the read floor, and present (or, where the presence is
// unknown, not squeezed into the shortest span the model allows).
bool WordFound(const TCalibration &c, const TWordEval &word, double score);

// False for a word the grader has no English pronunciation for (a word in
// another script): nobody can read it as English, so it counts neither for
// nor against the reading.
bool WordGradable(const TWordEval &word);

struct TSentenceScores
{
    double accuracy = 0;
    double integrity = 0;
    double fluency = 0;
    double overall = 0;
};

// Fluency 0–100 from the phones per second of speech and the pauses between
// words (frames), given how many words were found.
double FluencyScore(int phones, int speechFrames, const std::vector<int> &pauses, int wordsFound, int wordsTotal);

// Weights of overall: accuracy, integrity, fluency.
inline constexpr double kAccuracyWeight = 0.6;
inline constexpr double kIntegrityWeight = 0.2;
inline constexpr double kFluencyWeight = 0.2;

// Scores of `words` (indices into utterance.words) given their word scores.
TSentenceScores SentenceScores(const TCalibration &c, const TUtterance &u, const std::vector<double> &wordScores,
                               const std::vector<int> &words);

// Rounded to one decimal, as results carry them; 0 for a value that is not
// finite.
double Round1(double v);

} // namespace grader
