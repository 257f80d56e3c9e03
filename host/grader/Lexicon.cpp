#include "Lexicon.h"

#include "EspeakPhonemes.h"
#include "PhoneSet.h"
#include "TextUnits.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace grader {

bool TLexicon::Load(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string word;
        if (!(fields >> word) || word.starts_with(";;;"))
            continue;
        if (const auto paren = word.find('('); paren != std::string::npos && paren > 0)
            word.resize(paren);
        TPronunciation phones;
        std::string phone;
        bool ok = true;
        while (fields >> phone) {
            if (phone.starts_with('#')) // trailing comment
                break;
            std::string p = NormalizePhone(phone);
            if (p.empty()) {
                ok = false;
                break;
            }
            phones.push_back(std::move(p));
        }
        if (ok && !phones.empty())
            m_entries[WordKey(word)].push_back(std::move(phones));
    }
    return !m_entries.empty();
}

void TLexicon::Add(const std::string &word, TPronunciation phones)
{
    m_entries[WordKey(word)].push_back(std::move(phones));
}

std::vector<TPronunciation> TLexicon::Pronounce(const std::string &word) const
{
    const std::string key = WordKey(word);
    if (const auto it = m_entries.find(key); it != m_entries.end())
        return it->second;
    // "teacher's" without its dictionary entry: the stem plus Z.
    if (key.size() > 2 && key.ends_with("'s")) {
        if (const auto it = m_entries.find(key.substr(0, key.size() - 2)); it != m_entries.end()) {
            TPronunciation p = it->second.front();
            p.push_back("Z");
            return {p};
        }
    }
    // Only a word with a letter of the English alphabet or a digit is read as
    // English: for a word in another script espeak-ng's English voice says
    // the script's name ("Chinese letter") instead.
    if (std::none_of(key.begin(), key.end(), [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)); }))
        return {};
    TPronunciation guessed = EspeakPronounce(word);
    if (guessed.empty())
        return {};
    return {guessed};
}

} // namespace grader
