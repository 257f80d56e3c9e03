#include "Phonetic.h"
#include "TextTools.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GetWordCount, CountsWordsKeepsJoinedWordsTogetherAndIgnoresPunctuation)
{
    const std::pair<const char *, int> cases[] = {
        {"   \t\r\n ", 0},         {"Wait - what ... ?", 2}, {"line\r\nbreaks\tand tabs", 4},
        {"I don\u2019t know.", 3}, {"a well-known fact", 3}, {"It costs 3.5 dollars, or 1,000 yuan.", 7},
        {"the U.S.A. team", 3},    {"Hello...world", 2},     {"yes,no", 2}};
    for (const auto &[text, count] : cases)
        EXPECT_EQ(GetWordCount(QString::fromUtf8(text)), count) << text;
}

TEST(AddSpace, SeparatesAtTheMarkWithTheSeparatorsBlanksAndEndsWithOneBlank)
{
    const QString sep = QStringLiteral(", ");
    const std::pair<const char *, const char *> cases[] = {{"Yes,I do.", "Yes, I do. "},
                                                           {"Yes , I do", "Yes, I do "},
                                                           {"  Well,  ", "Well, "},
                                                           {"It is 1,000 yuan", "It is 1,000 yuan "},
                                                           {"\"Hi,\" he said", "\"Hi,\" he said "},
                                                           {" \r\n", ""}};
    for (const auto &[text, spaced] : cases)
        EXPECT_EQ(AddSpace(QString::fromUtf8(text), sep), QString::fromUtf8(spaced)) << text;
    EXPECT_EQ(AddSpace(QStringLiteral("a;b"), QStringLiteral(";  ")), QStringLiteral("a;  b  "));
    EXPECT_EQ(AddSpace(QStringLiteral("a,b"), QString()), QStringLiteral("a,b "));
}

TEST(AddSpace, IsStableAndJoinsSentencesWithoutDoubleBlanks)
{
    const QString sep = QStringLiteral(", ");
    QString passage;
    for (const char *s : {"Good morning,Tom.", "How are you? ", "Fine , thanks."}) {
        const QString once = AddSpace(QString::fromLatin1(s), sep);
        EXPECT_EQ(AddSpace(once, sep), once) << s;
        passage += once;
    }
    EXPECT_EQ(passage, QStringLiteral("Good morning, Tom. How are you? Fine, thanks. "));
    EXPECT_EQ(GetWordCount(passage), 8);
}

TEST(PrecisionChange, RoundsToOneDecimalWithHalvesToEvenAndZeroForNonScores)
{
    const std::pair<double, double> cases[] = {{85.0, 85.0},   {72.25, 72.2}, {72.35, 72.4},      {72.251, 72.3},
                                               {99.95, 100.0}, {-2.25, -2.2}, {254.0 / 3.0, 84.7}};
    for (const auto &[value, rounded] : cases)
        EXPECT_DOUBLE_EQ(PrecisionChange(value), rounded) << value;
    EXPECT_EQ(PrecisionChange(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(PrecisionChange(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_FALSE(std::signbit(PrecisionChange(-0.04)));
}

TEST(PhonemeToPhonetic, MapsEngineSymbolsIgnoringCaseAndStressAndKeepsUnknownOnes)
{
    const std::pair<const char *, const char *> cases[] = {{" Th ", "θ"}, {"AH0", "ʌ"}, {"XYZ", "XYZ"}, {"ih7", "ih7"}};
    for (const auto &[symbol, phonetic] : cases)
        EXPECT_EQ(PhonemeToPhonetic(QString::fromUtf8(symbol)), QString::fromUtf8(phonetic)) << symbol;
}
