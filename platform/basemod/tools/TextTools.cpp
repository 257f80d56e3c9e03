#include "TextTools.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool joinsWord(QChar c, QChar before, QChar after)
{
    if (!isWordChar(before) || !isWordChar(after))
        return false;
    switch (c.unicode()) {
    case u'\'':
    case u'\u2019': // right single quotation mark used as apostrophe
    case u'-':
    case u'.': return true;
    case u',': return before.isDigit() && after.isDigit();
    default: return false;
    }
}

} // namespace

int GetWordCount(const QString &text)
{
    int count = 0;
    bool inWord = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (isWordChar(c)) {
            if (!inWord)
                ++count;
            inWord = true;
        } else if (inWord && i + 1 < n && joinsWord(c, text.at(i - 1), text.at(i + 1))) {
            // stays inside the word
        } else {
            inWord = false;
        }
    }
    return count;
}

QString AddSpace(const QString &text, const QString &sep)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString();

    const QString mark = sep.trimmed();
    QString gap;
    if (mark.isEmpty()) {
        gap = sep;
    } else {
        const qsizetype at = sep.indexOf(mark);
        gap = sep.mid(at + mark.size());
    }
    if (gap.isEmpty())
        gap = QStringLiteral(" ");

    if (mark.isEmpty())
        return t + gap;

    QString out;
    out.reserve(t.size() + 16);
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        if (!QStringView(t).mid(i).startsWith(mark)) {
            out += t.at(i);
            ++i;
            continue;
        }
        const qsizetype after = i + mark.size();
        const bool betweenDigits = i > 0 && t.at(i - 1).isDigit() && after < n && t.at(after).isDigit();
        if (betweenDigits) {
            out += mark;
            i = after;
            continue;
        }
        while (!out.isEmpty() && out.back().isSpace())
            out.chop(1);
        out += mark;
        qsizetype j = after;
        while (j < n && t.at(j).isSpace())
            ++j;
        if (j < n && (j > after || t.at(j).isLetter()))
            out += gap;
        i = j;
    }
    while (!out.isEmpty() && out.back().isSpace())
        out.chop(1);
    return out + gap;
}

double PrecisionChange(double value)
{
    if (!std::isfinite(value))
        return 0.0;
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    // Beyond this the value has no fractional digits worth rounding.
    if (magnitude >= 1e15)
        return value;

    // Shortest decimal text that reads back as the same double.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    const std::string digits(buf, res.ptr);
    const auto dot = digits.find('.');
    const std::string whole = digits.substr(0, dot);
    const std::string frac = dot == std::string::npos ? std::string() : digits.substr(dot + 1);

    std::int64_t kept = std::stoll(whole);
    for (int k = 0; k < kScoreDecimals; ++k)
        kept = kept * 10 + (k < static_cast<int>(frac.size()) ? frac[k] - '0' : 0);

    if (static_cast<int>(frac.size()) > kScoreDecimals) {
        const char first = frac[kScoreDecimals];
        const bool restNonZero = frac.find_first_not_of('0', kScoreDecimals + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (restNonZero || kept % 2 != 0)))
            ++kept;
    }

    double scale = 1.0;
    for (int k = 0; k < kScoreDecimals; ++k)
        scale *= 10.0;
    const double rounded = static_cast<double>(kept) / scale;
    if (rounded == 0.0)
        return 0.0;
    return negative ? -rounded : rounded;
}
