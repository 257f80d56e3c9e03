#pragma once
// Word → pronunciations: the CMU pronouncing dictionary that ships with the
// acoustic model, and espeak-ng's rules for words it lacks.

#include <string>
#include <unordered_map>
#include <vector>

namespace grader {

using TPronunciation = std::vector<std::string>; // model phones

class TLexicon
{
public:
    // Reads a dictionary in the CMU format ("word PH1 PH2 …", alternates as
    // "word(2) …"); stress digits are dropped. False when it cannot be read.
    bool Load(const std::string &path);
    // Adds one entry (tests, and words learnt at run time).
    void Add(const std::string &word, TPronunciation phones);

    // Every known pronunciation of `word` (case and curly apostrophes
    // ignored), the main one first; else espeak-ng's one; none for a word
    // without a letter of the English alphabet or a digit (another script).
    std::vector<TPronunciation> Pronounce(const std::string &word) const;

    std::size_t Size() const { return m_entries.size(); }

private:
    std::unordered_map<std::string, std::vector<TPronunciation>> m_entries;
};

} // namespace grader
