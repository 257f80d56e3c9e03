#pragma once
// The reference text cut into what is graded: sentences and words.

#include <string>
#include <vector>

namespace grader {

// The words of `text` as the learner sees them, without surrounding
// punctuation ("Don't," → "Don't"); blanks separate words.
std::vector<std::string> SplitWords(const std::string &text);

// The sentences of a passage, cut after ".", "!" and "?" followed by a blank
// (not after a title such as "Mr." or "Dr.", nor after "e.g." and "i.e.");
// a sentence without words is dropped.
std::vector<std::string> SplitSentences(const std::string &text);

// The dictionary key of a word: lower case, curly apostrophes made straight.
std::string WordKey(const std::string &word);

} // namespace grader
