#include "PhoneSet.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace grader {

namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// espeak-ng (English voices) phoneme mnemonics → model phones. Diphthongs
// ending in a schwa or r-colouring of American English become vowel + R.
const std::unordered_map<std::string, std::vector<std::string>> &espeakTable()
{
    static const std::unordered_map<std::string, std::vector<std::string>> t = {
        // Consonants.
        {"p", {"P"}},
        {"b", {"B"}},
        {"t", {"T"}},
        {"d", {"D"}},
        {"k", {"K"}},
        {"g", {"G"}},
        {"t#", {"T"}},
        {"d#", {"D"}},
        {"f", {"F"}},
        {"v", {"V"}},
        {"T", {"TH"}},
        {"D", {"DH"}},
        {"s", {"S"}},
        {"z", {"Z"}},
        {"S", {"SH"}},
        {"Z", {"ZH"}},
        {"h", {"HH"}},
        {"x", {"HH"}},
        {"m", {"M"}},
        {"n", {"N"}},
        {"N", {"NG"}},
        {"l", {"L"}},
        {"r", {"R"}},
        {"r-", {"R"}},
        {"w", {"W"}},
        {"j", {"Y"}},
        {"tS", {"CH"}},
        {"dZ", {"JH"}},
        {"n-", {"N"}},
        {"m-", {"M"}},
        {"l-", {"L"}},
        {"?", {"T"}},
        // Vowels.
        {"a", {"AE"}},
        {"aa", {"AE"}},
        {"a#", {"AH"}},
        {"A:", {"AA"}},
        {"A", {"AA"}},
        {"0", {"AA"}},
        {"O:", {"AO"}},
        {"O", {"AO"}},
        {"V", {"AH"}},
        {"@", {"AH"}},
        {"@2", {"AH"}},
        {"@5", {"AH"}},
        {"@L", {"AH", "L"}},
        {"3", {"ER"}},
        {"3:", {"ER"}},
        {"E", {"EH"}},
        {"e", {"EH"}},
        {"I", {"IH"}},
        {"I2", {"IH"}},
        {"I#", {"IH"}},
        {"i", {"IY"}},
        {"i:", {"IY"}},
        {"U", {"UH"}},
        {"u:", {"UW"}},
        {"u", {"UW"}},
        // Diphthongs.
        {"aI", {"AY"}},
        {"aU", {"AW"}},
        {"eI", {"EY"}},
        {"oU", {"OW"}},
        {"OI", {"OY"}},
        {"aI@", {"AY", "ER"}},
        {"aI3", {"AY", "ER"}},
        {"aU@", {"AW", "ER"}},
        {"A@", {"AA", "R"}},
        {"O@", {"AO", "R"}},
        {"o@", {"AO", "R"}},
        {"e@", {"EH", "R"}},
        {"i@", {"IY", "R"}},
        {"i@3", {"IY", "R"}},
        {"U@", {"UH", "R"}},
    };
    return t;
}

} // namespace

const std::vector<std::string> &ModelPhones()
{
    static const std::vector<std::string> phones = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                                    "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                                    "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                                    "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
    return phones;
}

bool IsModelPhone(std::string_view phone)
{
    const auto &all = ModelPhones();
    return std::find(all.begin(), all.end(), phone) != all.end();
}

std::string NormalizePhone(std::string_view phone)
{
    std::string p = upper(phone);
    while (!p.empty() && std::isdigit(static_cast<unsigned char>(p.back())))
        p.pop_back();
    return IsModelPhone(p) ? p : std::string();
}

std::string ModulePhone(std::string_view modelPhone)
{
    std::string out(modelPhone);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> EspeakToModelPhones(std::string_view mnemonics)
{
    std::vector<std::string> out;
    const auto &table = espeakTable();
    std::size_t i = 0;
    while (i < mnemonics.size()) {
        while (i < mnemonics.size() && std::isspace(static_cast<unsigned char>(mnemonics[i])))
            ++i;
        std::size_t end = i;
        while (end < mnemonics.size() && !std::isspace(static_cast<unsigned char>(mnemonics[end])))
            ++end;
        std::string token(mnemonics.substr(i, end - i));
        i = end;
        // Stress ('  ,) and syllable-break marks (% = _) carry no phone.
        std::erase_if(token, [](char c) { return c == '\'' || c == ',' || c == '%' || c == '=' || c == '_'; });
        if (token.empty())
            continue;
        auto it = table.find(token);
        // A length mark the table does not list ("e:") falls back to the
        // short vowel.
        if (it == table.end() && token.size() > 1 && token.back() == ':')
            it = table.find(token.substr(0, token.size() - 1));
        if (it != table.end())
            out.insert(out.end(), it->second.begin(), it->second.end());
    }
    return out;
}

} // namespace grader
