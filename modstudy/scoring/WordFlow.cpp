#include "WordFlow.h"

#include <QRegularExpression>

QStringList SplitWords(const QString &text)
{
    static const QRegularExpression spaces(QStringLiteral(" +"));
    return text.split(spaces, Qt::SkipEmptyParts);
}

QList<TWordPlace> FlowWords(const QList<QSizeF> &sizes, double lineWidth)
{
    QList<TWordPlace> places;
    places.reserve(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (i == 0) {
            places.push_back({0, 0});
            continue;
        }
        const TWordPlace &prev = places[i - 1];
        const double right = prev.x + sizes[i - 1].width() + sizes[i].width();
        if (lineWidth >= right)
            places.push_back({prev.x + sizes[i - 1].width(), prev.y});
        else
            places.push_back({0, prev.y + sizes[i - 1].height()});
    }
    return places;
}

double FlowHeight(const QList<TWordPlace> &places, const QList<QSizeF> &sizes)
{
    if (places.isEmpty() || sizes.size() < places.size())
        return 0;
    return places.last().y + sizes[places.size() - 1].height() + 10;
}

int FindPhrase(const QStringList &words, const QString &phrase, int from)
{
    if (words.isEmpty() || from < 0)
        return -1;
    const QStringList parts = SplitWords(phrase);
    const qsizetype n = parts.size();
    if (n > words.size())
        return -1;
    for (qsizetype s = from; s + n <= words.size(); ++s) {
        bool match = true;
        for (qsizetype j = 0; j < n && match; ++j)
            match = words[s + j].trimmed().compare(parts[j].trimmed(), Qt::CaseInsensitive) == 0;
        if (match)
            return static_cast<int>(s);
    }
    return -1;
}

int FindWordInText(const QString &text, const QString &word)
{
    const QString w = word.trimmed();
    if (w.isEmpty())
        return -1;
    return static_cast<int>(text.indexOf(w, 0, Qt::CaseInsensitive));
}
