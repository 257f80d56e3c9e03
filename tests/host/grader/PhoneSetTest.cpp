// Phone names between the dictionary, espeak-ng, the model and the module;
// the lexicon and the reference text's words.

#include "EspeakPhonemes.h"
#include "Lexicon.h"
#include "PhoneSet.h"
#include "TextUnits.h"

#include "Phonetic.h"

#include <QString>
#include <QTemporaryDir>

#include <fstream>

#include <gtest/gtest.h>

using namespace grader;
using Phones = std::vector<std::string>;

TEST(PhoneSetTest, DictionaryPhonesLoseStressAndUnknownOnesAreRejected)
{
    const struct
    {
        const char *in;
        const char *out;
    } cases[] = {{"AH0", "AH"}, {"ih1", "IH"}, {"ER2", "ER"}, {"NG", "NG"}, {"SIL", ""}, {"AX", ""}, {"", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(NormalizePhone(c.in), c.out) << c.in;
    EXPECT_EQ(ModelPhones().size(), 39u);
}

TEST(PhoneSetTest, EveryModelPhoneHasAPhoneticSymbolInTheModule)
{
    // The module shows "phone" entries through its phonetic table; a phone
    // the table does not know would be shown as the raw name.
    for (const std::string &p : ModelPhones()) {
        const QString module = QString::fromStdString(ModulePhone(p));
        EXPECT_EQ(module, module.toLower());
        const QString shown = PhonemeToPhonetic(module);
        EXPECT_FALSE(shown.isEmpty()) << p;
        // Known symbols become IPA; the ones spelled alike (b, d, …) are
        // single letters either way.
        EXPECT_TRUE(shown != module || module.size() == 1) << p << " shown as " << shown.toStdString();
    }
    EXPECT_EQ(PhonemeToPhonetic(QString::fromStdString(ModulePhone("TH"))), QStringLiteral("θ"));
    EXPECT_EQ(PhonemeToPhonetic(QString::fromStdString(ModulePhone("IY"))), QStringLiteral("iː"));
}

TEST(PhoneSetTest, EspeakMnemonicsMapToModelPhones)
{
    const struct
    {
        const char *mnemonics;
        Phones phones;
    } cases[] = {
        {"T 'I N k I N", {"TH", "IH", "NG", "K", "IH", "NG"}},
        {"S 'i: p", {"SH", "IY", "P"}},
        {"f 'aI3 r-", {"F", "AY", "ER", "R"}},
        {"h @ l 'oU", {"HH", "AH", "L", "OW"}},
        {"b 'V t# 3", {"B", "AH", "T", "ER"}},
        {"dZ 'V dZ", {"JH", "AH", "JH"}},
        {"l 'I t# @L", {"L", "IH", "T", "AH", "L"}},
        {"Q %% _ 'e:", {"EH"}}, // unknown dropped, marks ignored, length falls back
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EspeakToModelPhones(c.mnemonics), c.phones) << c.mnemonics;
}

TEST(LexiconTest, ReadsAlternatesAndFallsBack)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("test.dict")).toStdString();
    std::ofstream(path) << ";;; comment\n"
                           "read R IY1 D\n"
                           "read(2) R EH1 D\n"
                           "teacher T IY1 CH ER0\n"
                           "don't D OW1 N T\n"
                           "bad B AE1 XX\n"; // unknown phone: entry dropped
    TLexicon lex;
    ASSERT_TRUE(lex.Load(path));
    EXPECT_EQ(lex.Size(), 3u);
    const auto read = lex.Pronounce("READ");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], (Phones{"R", "IY", "D"}));
    EXPECT_EQ(read[1], (Phones{"R", "EH", "D"}));
    EXPECT_EQ(lex.Pronounce("Don\u2019t").front(), (Phones{"D", "OW", "N", "T"}));
    EXPECT_EQ(lex.Pronounce("teacher's").front(), (Phones{"T", "IY", "CH", "ER", "Z"}));
    // Not in this dictionary: espeak-ng's pronunciation.
    const auto bad = lex.Pronounce("bad");
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_EQ(bad.front(), (Phones{"B", "AE", "D"}));
    EXPECT_FALSE(lex.Pronounce("3").empty()); // espeak-ng reads digits as English
    // Another script has no English pronunciation (espeak-ng would say
    // "Chinese letter").
    EXPECT_TRUE(lex.Pronounce("\u4f60\u597d").empty());
    EXPECT_FALSE(TLexicon().Load(dir.filePath(QStringLiteral("missing")).toStdString()));
}

TEST(TextUnitsTest, WordsAndSentences)
{
    EXPECT_EQ(SplitWords("  Don't, stop!  \"Now\" - 12 "), (Phones{"Don't", "stop", "Now", "12"}));
    EXPECT_TRUE(SplitWords(" ... ! ").empty());
    EXPECT_EQ(SplitSentences("Good morning, Miss Green! How are you? I am fine. ..."),
              (Phones{"Good morning, Miss Green!", "How are you?", "I am fine."}));
    EXPECT_EQ(SplitSentences("No end mark"), (Phones{"No end mark"}));
    EXPECT_EQ(SplitSentences("Mr.Smith is 3.5 m tall."), (Phones{"Mr.Smith is 3.5 m tall."}));
    // A title's full stop does not end the sentence; a word that merely ends
    // in the same letters does.
    EXPECT_EQ(SplitSentences("Mr. Smith met Dr. Lee, e.g. at noon. I came first. It was hot."),
              (Phones{"Mr. Smith met Dr. Lee, e.g. at noon.", "I came first.", "It was hot."}));
    EXPECT_EQ(WordKey("Don\u2019T"), "don't");
}
