#include "TextUnits.h"

#include <cctype>

namespace grader {

namespace {

// Letters and digits of any script count as word characters: bytes of a
// multi-byte UTF-8 sequence are kept.
bool isWordByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalnum(u);
}

std::string trimmed(const std::string &s)
{
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

// Titles and Latin abbreviations whose full stop does not end a sentence
// ("Mr. Green", "e.g. a cat"), lower case.
bool isAbbreviation(const std::string &sentence)
{
    static const char *const kAbbreviations[] = {"mr.", "mrs.", "ms.", "dr.",  "prof.", "st.",
                                                 "jr.", "sr.",  "mt.", "e.g.", "i.e.",  "vs."};
    std::size_t start = sentence.find_last_of(" \t\n\r\"'(");
    start = start == std::string::npos ? 0 : start + 1;
    const std::string last = WordKey(sentence.substr(start));
    for (const char *a : kAbbreviations)
        if (last == a)
            return true;
    return false;
}

} // namespace

std::vector<std::string> SplitWords(const std::string &text)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        std::size_t end = i;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        std::size_t a = i;
        std::size_t b = end;
        while (a < b && !isWordByte(text[a]))
            ++a;
        while (b > a && !isWordByte(text[b - 1]))
            --b;
        if (b > a)
            out.push_back(text.substr(a, b - a));
        i = end;
    }
    return out;
}

std::vector<std::string> SplitSentences(const std::string &text)
{
    std::vector<std::string> out;
    std::string current;
    auto flush = [&] {
        std::string s = trimmed(current);
        if (!SplitWords(s).empty())
            out.push_back(std::move(s));
        current.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        current += text[i];
        const char c = text[i];
        if ((c == '.' || c == '!' || c == '?') && i + 1 < text.size()
            && std::isspace(static_cast<unsigned char>(text[i + 1])) && !(c == '.' && isAbbreviation(current)))
            flush();
    }
    flush();
    return out;
}

std::string WordKey(const std::string &word)
{
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        // U+2019 (right single quotation mark) is E2 80 99 in UTF-8.
        if (i + 2 < word.size() && static_cast<unsigned char>(word[i]) == 0xE2
            && static_cast<unsigned char>(word[i + 1]) == 0x80 && static_cast<unsigned char>(word[i + 2]) == 0x99) {
            out += '\'';
            i += 2;
            continue;
        }
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(word[i])));
    }
    return out;
}

} // namespace grader
