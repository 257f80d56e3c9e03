#include "PassageText.h"

#include "PackBook.h"

#include <gtest/gtest.h>

using namespace PassageText;

namespace {

TeduPack_Lesson Lesson(const QList<QStringList> &parts)
{
    TeduPack_Lesson lesson;
    for (const QStringList &texts : parts) {
        TeduPack_Part part;
        for (const QString &t : texts) {
            TeduPack_Sentence s;
            s.Text = t;
            part.Sentences.append(s);
        }
        lesson.Parts.append(part);
    }
    return lesson;
}

QString Words(int n)
{
    QStringList w;
    for (int i = 0; i < n; ++i)
        w << QStringLiteral("word");
    return w.join(QLatin1Char(' ')) + QLatin1Char('.');
}

TEST(PassageText, ReadingRepeatAndTheTwoEngineReferences)
{
    const TeduPack_Lesson lesson =
        Lesson({{QStringLiteral("Yes,I do."), QStringLiteral("Well...")}, {QStringLiteral("  Bye!\r\n")}});
    EXPECT_EQ(ReadingText(lesson), QStringLiteral("Yes, I do. Well... Bye! "));
    EXPECT_EQ(RepeatText(lesson), QStringLiteral("Yes, I do. Well... Bye! "));
    EXPECT_EQ(PlainReference(ReadingText(lesson)), QStringLiteral("Yes, I do. Well  Bye! "));
    EXPECT_EQ(SentenceLines(lesson), QStringLiteral("Yes,I do.\r\nWell...\r\n  Bye!\r\n\r\n"));
    EXPECT_EQ(MaterialLines(QStringLiteral("Hi!\r\nHow are you? Fine.")),
              QStringLiteral("Hi!\r\n How are you?\r\n Fine.\r\n"));
}

TEST(PassageText, ReadingTimeIsSixTenthsOfASecondPerWordPlusFive)
{
    EXPECT_EQ(PassageSeconds(Words(40)), 29);
    EXPECT_EQ(PassageSeconds(Words(50)), 35);
    // The count is taken before "..." becomes a blank, and "..." is no word.
    EXPECT_EQ(PassageSeconds(Words(49) + QStringLiteral(" ... end")), 35);
    EXPECT_EQ(BackupName(9, 8, 7, 6), QStringLiteral("9-8-7-6.wav"));
}

} // namespace
