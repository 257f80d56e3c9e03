#pragma once
// Pronunciations for words the dictionary lacks, from the espeak-ng
// synthesiser's letter-to-sound rules (American English voice).

#include <string>
#include <vector>

namespace grader {

// Model phones for `word` (may be several words, "12" → "twelve"); empty
// when espeak-ng cannot start or finds no phonemes. Not thread-safe: the
// synthesiser has one global state.
std::vector<std::string> EspeakPronounce(const std::string &word);

} // namespace grader
