#pragma once
// The grammar a recording is aligned against, one arc per phone.
//
// States run left to right. Before each word and after the last one an
// optional silence may be heard; each word is one chain of phone arcs per
// pronunciation, and a null arc with a small probability skips the whole
// word (a word the speaker left out). Because the decoder reports only the
// labels it passed, ParseAlignment walks the same graph to learn which word
// and phone each reported segment belongs to.

#include "Lexicon.h"

#include <optional>
#include <string>
#include <vector>

namespace grader {

inline constexpr const char *kSilenceLabel = "<sil>";

struct TArc
{
    int from = 0;
    int to = 0;
    std::string label; // a model phone, kSilenceLabel, or empty for a null arc
    double prob = 1.0;
    int word = -1;  // phone arcs: the word's index
    int phone = -1; // phone arcs: the phone's index in its pronunciation
    int pron = -1;  // phone arcs: the pronunciation's index
    bool skip = false;
    bool competitor = false; // a phone heard instead of the reference one
};

struct TAlignGraph
{
    int states = 0;
    int start = 0;
    int final = 0;
    std::vector<TArc> arcs;
};

struct TGraphOptions
{
    double silenceProb = 0.3; // an optional pause at a word boundary
    double skipProb = 1e-12;  // leaving a word out
    // With competitors: each phone arc gets parallel arcs for the phones a
    // learner is likely to say instead (CompetitorPhones), each with this
    // probability.
    bool competitors = false;
    double competitorProb = 0.2;
};

// Phones learners of English commonly say instead of `phone`: long and short
// vowels (IY/IH, UW/UH), open vowels (AE/EH/AH/AA/AO), /θ/ → /s/ /t/ /f/,
// /ð/ → /d/ /z/, /v/ ↔ /w/ /b/, /l/ ↔ /r/ /n/, voicing pairs (P/B, T/D,
// K/G, S/Z), /ʃ/ ↔ /s/ /tʃ/, final nasals and diphthongs that are flattened.
const std::vector<std::string> &CompetitorPhones(const std::string &phone);

// The graph for words given by their pronunciations (a word without any is
// left out of the graph and can only be skipped).
TAlignGraph BuildAlignGraph(const std::vector<std::vector<TPronunciation>> &words, const TGraphOptions &options);

// Which arc each decoded label passed, or nullopt when the labels are not a
// path of the graph. Among equal paths the one with the fewest skipped words
// wins.
std::optional<std::vector<int>> ParseAlignment(const TAlignGraph &graph, const std::vector<std::string> &labels);

} // namespace grader
