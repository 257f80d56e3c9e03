#pragma once
// Text and score helpers of the base package.

#include "basemod_export.h"

#include <QString>

// Number of words of an English reference text. A word is a run of letters
// or digits; an apostrophe, hyphen or full stop between two such characters
// joins them ("don't", "well-known", "U.S.A", "3.5"), as does a comma between
// two digits ("1,000"). Everything else separates words, so a token made of
// punctuation only ("-", "...", "!") is not a word and "Hello...world" is two.
BASEMOD_EXPORT int GetWordCount(const QString &text);

// Prepares one sentence text for joining into a passage text: the pieces are
// separated by `sep` (", " in every use) and the result can be appended to the
// previous sentence directly.
//
// Let mark be `sep` without its surrounding blanks (",") and gap the blanks
// after it (" "; one blank when `sep` has none):
//  - the text is trimmed; an empty or blank text gives "";
//  - every mark directly followed by a letter gets the gap inserted after it
//    ("Yes,I do" -> "Yes, I do"); blanks before a mark are removed
//    ("Yes , I" -> "Yes, I"); a mark between digits stays ("1,000");
//  - the result ends with the gap, never doubled ("Hello." -> "Hello. ").
// Applying it twice gives the same text as applying it once.
BASEMOD_EXPORT QString AddSpace(const QString &text, const QString &sep);

// Rounds a score for display and sending: to one decimal place, to the
// nearest, with halves going to the even neighbour. The decision is made on
// the shortest decimal text of the value, so 72.25 gives 72.2, 72.35 gives
// 72.4 and 72.45 gives 72.4 although none of them is exact in binary. A value
// that is not finite gives 0; negative zero gives 0.
BASEMOD_EXPORT double PrecisionChange(double value);

// Number of decimal places kept by PrecisionChange.
inline constexpr int kScoreDecimals = 1;
