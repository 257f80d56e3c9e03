#include "Scoring.h"

namespace grader {

// Fitted by `grader_eval --fit` on the "fit" items of bench/grader/pairs.txt
// (12 sentences with a minimal-pair replacement each, read by five synthetic
// voices; none of them is an evaluation item): the expected GOP of a phone is
// its median over the correct readings, the competitor and worst-phone
// weights are the ones that separate correct from replaced words best, the
// logistic curve is a regression of correct (1) against replaced (0) words on
// the word GOP, the read floor brings integrity closest to the share of words
// read in the readings with words left out, and the accuracy gate is the
// lowest that keeps speech of another text under 30 overall.
const TCalibration &TCalibration::Fitted()
{
    static const TCalibration c = [] {
        TCalibration f;
        f.expected = {{"AA", -20.47}, {"AE", 0.12},   {"AH", -16.87}, {"AO", -33.74}, {"AW", -17.02}, {"AY", -13.77},
                      {"B", -14.48},  {"CH", -14.30}, {"D", -14.56},  {"DH", -6.43},  {"EH", -10.22}, {"ER", -13.59},
                      {"EY", -15.32}, {"F", -14.49},  {"G", -36.81},  {"HH", -2.52},  {"IH", -11.15}, {"IY", -4.67},
                      {"K", -21.49},  {"L", -28.90},  {"M", -12.75},  {"N", -12.87},  {"NG", -12.85}, {"OW", -15.76},
                      {"P", -9.44},   {"R", -16.84},  {"S", -9.34},   {"SH", -0.84},  {"T", -21.80},  {"TH", -14.91},
                      {"UH", -7.36},  {"UW", -0.06},  {"W", -1.36},   {"Y", -8.44},   {"Z", -11.05}};
        f.defaultExpected = -13.43;
        f.worstWeight = 0.1;
        f.competitorWeight = 2.0;
        f.mid = -26.49;
        f.slope = 14.96;
        f.readFloor = 0;
        f.accuracyGate = 80;
        return f;
    }();
    return c;
}

} // namespace grader
