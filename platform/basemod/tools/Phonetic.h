#pragma once
// Engine phoneme symbols shown as phonetic symbols.

#include "basemod_export.h"

#include <QString>

// Turns one phoneme symbol of the grading engine (an ARPAbet-style name such
// as "ih", "ae", "th", "dh", "sh", "ng", "er", "ax") into the phonetic symbol
// shown to the learner ("ɪ", "æ", "θ", "ð", "ʃ", "ŋ", "ɜː", "ə"). Matching
// ignores letter case and surrounding blanks, and a trailing stress digit
// ("ah0", "IY1") is dropped when the symbol without it is known. A symbol
// that is not in the table is returned unchanged.
//
// Vowels follow the British teaching notation (long vowels marked with "ː",
// "ow" as "əʊ", "ao" as "ɔː"). The full table is in Phonetic.cpp.
BASEMOD_EXPORT QString PhonemeToPhonetic(const QString &phoneme);
