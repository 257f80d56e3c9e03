#pragma once
// The grader's analyses of every reading of the evaluation, written as text,
// one line per word, so that scoring rules can be studied without decoding
// the speech again.

#include "EvalData.h"

#include "OfflineGrader.h"

#include <functional>
#include <string>
#include <vector>

// `analyse(text, wav)` decodes one reading. Writes, for each set, voice and
// item, the correct, replaced, omitted and unrelated readings (the correct
// audio graded against the next item's text).
//   U <set> <voice> <item> <rendition> <frames> <pauses, comma-separated>
//   W <set> <voice> <item> <rendition> <word> <text> <role> <aligned> <phones>
// role: "target" (the replaced word's place), "omitted" (left out of the
// omitted reading), "-" otherwise; phones: phone:start:end:gop:competitor
// gop:silence share:heard as, separated by ";".
bool WriteAnalyses(const std::string &path, const std::string &dir, const std::vector<TVoice> &voices,
                   const std::vector<std::pair<std::string, std::vector<TEvalItem>>> &sets,
                   const std::function<grader::TUtterance(const std::string &, const std::string &)> &analyse);
