#pragma once
// The passage text of passage reading laid out word by word, and the search
// that finds the sentence being played among its words.

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The words of a text split at runs of spaces; leading and trailing spaces
// give no empty words.
QStringList SplitWords(const QString &text);

struct TWordPlace
{
    double x = 0;
    double y = 0;
};
// Places words of the given sizes in lines of at most `lineWidth`: each word
// goes right after the previous one while it fits, else it starts a new line
// under the previous word. A word wider than a line gets a line of its own.
QList<TWordPlace> FlowWords(const QList<QSizeF> &sizes, double lineWidth);
// Height of a flowed text: the last word's bottom plus 10; 0 without words.
double FlowHeight(const QList<TWordPlace> &places, const QList<QSizeF> &sizes);

// Index of the first word, at `from` or later, where the phrase's words
// follow one another in `words` (compared trimmed and case-insensitively);
// -1 when there is none, when `from` is negative, when `words` is empty or
// when the phrase has more words than the text. A phrase without words is
// found at `from`.
int FindPhrase(const QStringList &words, const QString &phrase, int from);

// Position of the first case-insensitive occurrence of the trimmed word in
// the text, also at its very start; -1 when absent or the word is blank.
int FindWordInText(const QString &text, const QString &word);
