#pragma once
// The grading result object the study module decodes.
//
// Word (mode 0): "overall" and one "details" entry {"char", "score",
// "phone": [{"char", "score"}…]} with phone symbols in the module's
// notation (lower-case ARPAbet). Sentence (mode 1): "overall", "accuracy",
// "integrity", "fluency" {"overall"}, and "details" per word {"char",
// "score"}. Passage (mode 2): as a sentence, with "details" per sentence
// {"text", "score", "words": [{"char", "score"}…]}. Scores are 0–100 with
// one decimal.

#include "OfflineGrader.h"

#include <nlohmann/json.hpp>

namespace grader {

nlohmann::ordered_json GradeResultJson(TGradeMode mode, const TCalibration &c, const TUtterance &u);

} // namespace grader
