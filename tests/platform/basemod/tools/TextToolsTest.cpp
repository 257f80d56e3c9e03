#include "Phonetic.h"
#include "TextTools.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GetWordCount, CountsWordsAndIgnoresPunctuationOnlyTokens)
{
    EXPECT_EQ(GetWordCount(QString()), 0);
    EXPECT_EQ(GetWordCount(QStringLiteral("   \t\r\n ")), 0);
    EXPECT_EQ(GetWordCount(QStringLiteral("Hello, world!")), 2);
    EXPECT_EQ(GetWordCount(QStringLiteral("Wait - what ... ?")), 2);
    EXPECT_EQ(GetWordCount(QStringLiteral("  leading   and trailing  ")), 3);
    EXPECT_EQ(GetWordCount(QStringLiteral("line\r\nbreaks\tand tabs")), 4);
}

TEST(GetWordCount, KeepsJoinedWordsTogetherAndSplitsEllipses)
{
    EXPECT_EQ(GetWordCount(QStringLiteral("I don't know.")), 3);
    EXPECT_EQ(GetWordCount(QStringLiteral("I don\u2019t know.")), 3);
    EXPECT_EQ(GetWordCount(QStringLiteral("a well-known fact")), 3);
    EXPECT_EQ(GetWordCount(QStringLiteral("It costs 3.5 dollars, or 1,000 yuan.")), 7);
    EXPECT_EQ(GetWordCount(QStringLiteral("the U.S.A. team")), 3);
    EXPECT_EQ(GetWordCount(QStringLiteral("Hello...world")), 2);
    EXPECT_EQ(GetWordCount(QStringLiteral("yes,no")), 2);
    EXPECT_EQ(GetWordCount(QStringLiteral("'quoted' -dash- end.")), 3);
}

TEST(AddSpace, SeparatesAtTheMarkAndEndsWithOneBlank)
{
    const QString sep = QStringLiteral(", ");
    EXPECT_EQ(AddSpace(QStringLiteral("Hello."), sep), QStringLiteral("Hello. "));
    EXPECT_EQ(AddSpace(QStringLiteral("Yes,I do."), sep), QStringLiteral("Yes, I do. "));
    EXPECT_EQ(AddSpace(QStringLiteral("Yes , I do"), sep), QStringLiteral("Yes, I do "));
    EXPECT_EQ(AddSpace(QStringLiteral("Yes,   I do"), sep), QStringLiteral("Yes, I do "));
    EXPECT_EQ(AddSpace(QStringLiteral("  Well,  "), sep), QStringLiteral("Well, "));
    EXPECT_EQ(AddSpace(QStringLiteral("It is 1,000 yuan"), sep), QStringLiteral("It is 1,000 yuan "));
    EXPECT_EQ(AddSpace(QStringLiteral("\"Hi,\" he said"), sep), QStringLiteral("\"Hi,\" he said "));
    EXPECT_EQ(AddSpace(QString(), sep), QString());
    EXPECT_EQ(AddSpace(QStringLiteral(" \r\n"), sep), QString());
}

TEST(AddSpace, IsStableAndJoinsSentencesWithoutDoubleBlanks)
{
    const QString sep = QStringLiteral(", ");
    const QStringList sentences = {QStringLiteral("Good morning,Tom."), QStringLiteral("How are you? "),
                                   QStringLiteral("Fine , thanks.")};
    QString passage;
    for (const QString &s : sentences) {
        const QString once = AddSpace(s, sep);
        EXPECT_EQ(AddSpace(once, sep), once) << s.toStdString();
        passage += once;
    }
    EXPECT_EQ(passage, QStringLiteral("Good morning, Tom. How are you? Fine, thanks. "));
    EXPECT_EQ(GetWordCount(passage), 8);
    EXPECT_FALSE(passage.contains(QStringLiteral("  ")));
}

TEST(AddSpace, UsesTheBlanksOfTheSeparator)
{
    EXPECT_EQ(AddSpace(QStringLiteral("a;b"), QStringLiteral(";  ")), QStringLiteral("a;  b  "));
    EXPECT_EQ(AddSpace(QStringLiteral("a,b"), QStringLiteral(",")), QStringLiteral("a, b "));
    EXPECT_EQ(AddSpace(QStringLiteral("a,b"), QString()), QStringLiteral("a,b "));
}

TEST(PrecisionChange, RoundsToOneDecimalWithHalvesToEven)
{
    EXPECT_DOUBLE_EQ(PrecisionChange(85.0), 85.0);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.25), 72.2);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.35), 72.4);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.45), 72.4);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.55), 72.6);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.251), 72.3);
    EXPECT_DOUBLE_EQ(PrecisionChange(72.249999), 72.2);
    EXPECT_DOUBLE_EQ(PrecisionChange(99.95), 100.0);
    EXPECT_DOUBLE_EQ(PrecisionChange(0.05), 0.0);
    EXPECT_DOUBLE_EQ(PrecisionChange(0.15), 0.2);
    EXPECT_DOUBLE_EQ(PrecisionChange(59.96), 60.0);
    EXPECT_DOUBLE_EQ(PrecisionChange(-2.25), -2.2);
    EXPECT_DOUBLE_EQ(PrecisionChange(-2.35), -2.4);
    // An average such as 254 / 3 is cut to a displayable value.
    EXPECT_DOUBLE_EQ(PrecisionChange(254.0 / 3.0), 84.7);
    EXPECT_DOUBLE_EQ(PrecisionChange(1.0 / 3.0), 0.3);
}

TEST(PrecisionChange, GivesZeroForValuesThatAreNotScores)
{
    EXPECT_EQ(PrecisionChange(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(PrecisionChange(std::numeric_limits<double>::infinity()), 0.0);
    const double z = PrecisionChange(-0.04);
    EXPECT_EQ(z, 0.0);
    EXPECT_FALSE(std::signbit(z));
}

TEST(PhonemeToPhonetic, MapsEngineSymbolsIgnoringCaseAndStress)
{
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ih")), QStringLiteral("ɪ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ae")), QStringLiteral("æ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("th")), QStringLiteral("θ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("dh")), QStringLiteral("ð"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("sh")), QStringLiteral("ʃ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ng")), QStringLiteral("ŋ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("er")), QStringLiteral("ɜː"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ax")), QStringLiteral("ə"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("iy")), QStringLiteral("iː"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("jh")), QStringLiteral("dʒ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ch")), QStringLiteral("tʃ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("zh")), QStringLiteral("ʒ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("y")), QStringLiteral("j"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("SH")), QStringLiteral("ʃ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral(" Th ")), QStringLiteral("θ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("AH0")), QStringLiteral("ʌ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ey1")), QStringLiteral("eɪ"));
}

TEST(PhonemeToPhonetic, ReturnsUnknownSymbolsUnchanged)
{
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("XYZ")), QStringLiteral("XYZ"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("sil")), QStringLiteral("sil"));
    EXPECT_EQ(PhonemeToPhonetic(QStringLiteral("ih7")), QStringLiteral("ih7"));
    EXPECT_EQ(PhonemeToPhonetic(QString()), QString());
}
