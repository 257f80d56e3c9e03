#include "Scoring.h"

namespace grader {

// Fitted by `grader_eval --fit` on the "fit" items of bench/grader/pairs.txt
// (12 sentences with a minimal-pair replacement each, read by five synthetic
// voices; none of them is an evaluation item): the expected GOP of a phone is
// its median over the correct readings, the worst-phone weight is the one
// that separates correct from replaced words best, and the logistic curve is
// a regression of correct (1) against replaced (0) words on the word GOP.
const TCalibration &TCalibration::Fitted()
{
    static const TCalibration c = [] {
        TCalibration f;
        f.expected = {{"AA", -18.96}, {"AE", 0.20},   {"AH", -15.83}, {"AO", -34.14}, {"AW", -15.44}, {"AY", -13.41},
                      {"B", -14.02},  {"CH", -16.00}, {"D", -13.64},  {"DH", -4.51},  {"EH", -6.78},  {"ER", -12.46},
                      {"EY", -11.66}, {"F", -13.13},  {"G", -29.66},  {"HH", -1.29},  {"IH", -11.15}, {"IY", -5.18},
                      {"K", -21.50},  {"L", -27.81},  {"M", -9.78},   {"N", -12.13},  {"NG", -12.43}, {"OW", -16.46},
                      {"P", -10.76},  {"R", -16.64},  {"S", -8.32},   {"SH", -1.04},  {"T", -21.54},  {"TH", -6.68},
                      {"UH", -14.21}, {"UW", -1.81},  {"W", -1.65},   {"Y", -7.96},   {"Z", -11.00}};
        f.defaultExpected = -12.88;
        f.worstWeight = 0.2;
        f.competitorWeight = 1.25;
        f.mid = -24.78;
        f.slope = 13.18;
        return f;
    }();
    return c;
}

} // namespace grader
