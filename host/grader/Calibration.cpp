#include "Scoring.h"

namespace grader {

// Fitted by `grader_eval --fit` on the "fit" items of bench/grader/pairs.txt
// (12 sentences with a minimal-pair replacement each, read by five synthetic
// voices; none of them is an evaluation item): the expected GOP of a phone is
// its median over the correct readings, the weights of the GOPs and of the
// worst phone are the ones that separate replaced words from every word of
// the correct readings best, the logistic curve is a regression of correct
// (1) against replaced (0) words on the word GOP, the read floor and the
// presence threshold put the most readings with words left out within 10
// points of the share of words read, and the accuracy gate is the lowest that
// keeps speech of another text under 30 overall.
const TCalibration &TCalibration::Fitted()
{
    static const TCalibration c = [] {
        TCalibration f;
        f.expected = {{"AA", -19.45}, {"AE", 0.12},   {"AH", -17.60}, {"AO", -41.27}, {"AW", -18.07}, {"AY", -13.57},
                      {"B", -15.59},  {"CH", -17.19}, {"D", -14.77},  {"DH", -8.05},  {"EH", -19.86}, {"ER", -14.11},
                      {"EY", -16.06}, {"F", -15.00},  {"G", -41.88},  {"HH", -2.94},  {"IH", -24.68}, {"IY", -6.42},
                      {"K", -24.00},  {"L", -30.12},  {"M", -17.76},  {"N", -13.00},  {"NG", -22.30}, {"OW", -17.16},
                      {"P", -9.88},   {"R", -21.73},  {"S", -9.55},   {"SH", -6.40},  {"T", -24.57},  {"TH", -23.93},
                      {"UH", -24.98}, {"UW", -0.29},  {"W", -1.42},   {"Y", -7.95},   {"Z", -11.08}};
        f.defaultExpected = -15.20;
        f.worstWeight = 0.2;
        f.competitorWeight = 2.50;
        f.segmentWeight = 1;
        f.segmentCompetitorWeight = 2;
        f.mid = -56.82;
        f.slope = 27.91;
        f.readFloor = 0;
        f.minPresence = -25;
        f.accuracyGate = 70;
        return f;
    }();
    return c;
}

} // namespace grader
