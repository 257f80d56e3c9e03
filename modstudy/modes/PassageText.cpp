#include "PassageText.h"

#include "ScoreRounding.h"

#include "PackBook.h"
#include "TextTools.h"

namespace PassageText {

namespace {
const QString kSep = QStringLiteral(", ");
const QString kLineBreak = QStringLiteral("\r\n");
} // namespace

QString ReadingText(const TeduPack_Lesson &lesson)
{
    QString text;
    for (const TeduPack_Part &part : lesson.Parts) {
        for (const TeduPack_Sentence &s : part.Sentences) {
            text += AddSpace(s.Text, kSep);
            if (!text.endsWith(QLatin1Char(' ')))
                text += QLatin1Char(' ');
        }
    }
    return text.remove(kLineBreak);
}

QString RepeatText(const TeduPack_Lesson &lesson)
{
    QString text;
    for (const TeduPack_Part &part : lesson.Parts)
        for (const TeduPack_Sentence &s : part.Sentences)
            text += AddSpace(s.Text, kSep);
    return text;
}

QString PlainReference(const QString &text)
{
    QString out = text;
    out.remove(kLineBreak);
    out.remove(QLatin1Char('\n'));
    out.remove(QLatin1Char('\r'));
    return out.replace(QLatin1String("..."), QLatin1String(" "));
}

QString SentenceLines(const TeduPack_Lesson &lesson)
{
    QString text;
    for (const TeduPack_Part &part : lesson.Parts)
        for (const TeduPack_Sentence &s : part.Sentences)
            text += s.Text + kLineBreak;
    return text;
}

QString MaterialLines(const QString &text)
{
    QString out = text;
    out.replace(kLineBreak, QLatin1String(" "));
    for (const char *mark : {"...", "?", ".", "!"})
        out.replace(QLatin1String(mark), QLatin1String(mark) + kLineBreak);
    return out;
}

int PassageSeconds(const QString &text)
{
    return Nearest(GetWordCount(text) * 0.6) + 5;
}

QString BackupName(qint64 bookId, qint64 unitId, qint64 lessonId, qint64 firstPartId)
{
    return QStringLiteral("%1-%2-%3-%4.wav").arg(bookId).arg(unitId).arg(lessonId).arg(firstPartId);
}

} // namespace PassageText
