#include "SimGrading.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

using nlohmann::ordered_json;

namespace {

constexpr qint64 kMsPerWord = 450;
constexpr qint64 kLeadMs = 500;

// A stable number from a text: the first eight bytes of its SHA-1.
quint64 stableHash(const QString &key)
{
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    quint64 v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | static_cast<unsigned char>(digest[i]);
    return v;
}

// A score from 40 to 100: about a third of words land under 60, a quarter
// above 85.
int wordScore(const QString &word, int index, qint64 lengthBucket)
{
    const quint64 h = stableHash(word.toLower() + QLatin1Char('|') + QString::number(index) + QLatin1Char('|')
                                 + QString::number(lengthBucket));
    return 40 + static_cast<int>(h % 61);
}

double round1(double v)
{
    return std::round(v * 10.0) / 10.0;
}

// Recording length in half seconds: the recording's part in the scores.
qint64 bucketOf(qint64 recordedMs)
{
    return recordedMs / 500;
}

struct TScoredWords
{
    ordered_json entries = ordered_json::array();
    double sum = 0;
    int count = 0;
    int spoken = 0;
};

// Scores `words`, the first `spoken` of which the recording covers.
TScoredWords scoreWords(const QStringList &words, int firstIndex, int spoken, qint64 bucket)
{
    TScoredWords out;
    for (int i = 0; i < words.size(); ++i) {
        const bool heard = firstIndex + i < spoken;
        const int score = heard ? wordScore(words[i], firstIndex + i, bucket) : 0;
        out.entries.push_back({{"char", words[i].toStdString()}, {"score", score}});
        out.sum += score;
        ++out.count;
        if (heard)
            ++out.spoken;
    }
    return out;
}

// Words the recording covers: all of them when it lasts the speech time.
int spokenWords(int total, const QString &text, qint64 recordedMs)
{
    const qint64 need = SimSpeechMs(text);
    if (recordedMs >= need)
        return total;
    const qint64 speaking = std::max<qint64>(0, recordedMs - kLeadMs);
    return static_cast<int>(std::min<qint64>(total, speaking / kMsPerWord));
}

void addSentenceScores(ordered_json &result, double overall, int spoken, int total, const QString &text, qint64 bucket)
{
    const double integrity = total == 0 ? 0.0 : 100.0 * spoken / total;
    const double fluencyBase =
        55 + static_cast<double>(stableHash(QStringLiteral("fluency|") + text + QString::number(bucket)) % 46);
    result["accuracy"] = round1(overall);
    result["integrity"] = round1(integrity);
    result["fluency"] = {{"overall", round1(spoken == 0 ? 0.0 : fluencyBase * spoken / total)}};
}

// Two-letter spellings first, then single letters.
const std::pair<const char *, const char *> kDigraphs[] = {
    {"ch", "ch"},   {"sh", "sh"},   {"th", "th"},  {"ng", "ng"}, {"ph", "f"},     {"ck", "k"},  {"wh", "w"},
    {"ee", "iy"},   {"ea", "iy"},   {"oo", "uw"},  {"ou", "aw"}, {"ow", "ow"},    {"oi", "oy"}, {"oy", "oy"},
    {"ai", "ey"},   {"ay", "ey"},   {"er", "er"},  {"ir", "er"}, {"ur", "er"},    {"aw", "ao"}, {"au", "ao"},
    {"ar", "aa r"}, {"or", "ao r"}, {"qu", "k w"}, {"ge", "jh"}, {"gi", "jh ih"}, {"ce", "s"},  {"ci", "s ih"},
};

const char *singleLetter(QChar c)
{
    switch (c.toLatin1()) {
    case 'a': return "ae";
    case 'b': return "b";
    case 'c': return "k";
    case 'd': return "d";
    case 'e': return "eh";
    case 'f': return "f";
    case 'g': return "g";
    case 'h': return "hh";
    case 'i': return "ih";
    case 'j': return "jh";
    case 'k': return "k";
    case 'l': return "l";
    case 'm': return "m";
    case 'n': return "n";
    case 'o': return "aa";
    case 'p': return "p";
    case 'q': return "k";
    case 'r': return "r";
    case 's': return "s";
    case 't': return "t";
    case 'u': return "ah";
    case 'v': return "v";
    case 'w': return "w";
    case 'x': return "k s";
    case 'y': return "y";
    case 'z': return "z";
    default: return nullptr;
    }
}

bool isFunctionWordWithDh(const QString &w)
{
    static const QStringList words = {QStringLiteral("the"),  QStringLiteral("this"),  QStringLiteral("that"),
                                      QStringLiteral("they"), QStringLiteral("there"), QStringLiteral("then"),
                                      QStringLiteral("than"), QStringLiteral("those"), QStringLiteral("these"),
                                      QStringLiteral("them"), QStringLiteral("their"), QStringLiteral("though")};
    return words.contains(w);
}

} // namespace

qint64 SimSpeechMs(const QString &text)
{
    return kLeadMs + kMsPerWord * SimWords(text).size();
}

QStringList SimWords(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList out;
    for (QString token : text.split(space, Qt::SkipEmptyParts)) {
        while (!token.isEmpty() && !token.front().isLetterOrNumber())
            token.remove(0, 1);
        while (!token.isEmpty() && !token.back().isLetterOrNumber())
            token.chop(1);
        if (!token.isEmpty())
            out << token;
    }
    return out;
}

QStringList SimSentences(const QString &text)
{
    static const QRegularExpression end(QStringLiteral("(?<=[.!?])\\s+"));
    QStringList out;
    for (const QString &part : text.split(end, Qt::SkipEmptyParts)) {
        const QString s = part.trimmed();
        if (!SimWords(s).isEmpty())
            out << s;
    }
    return out;
}

QStringList SimPhonemes(const QString &word)
{
    const QString w = word.toLower();
    QStringList out;
    if (isFunctionWordWithDh(w)) {
        out << QStringLiteral("dh");
        out << SimPhonemes(w.mid(2));
        return out;
    }
    int i = 0;
    while (i < w.size()) {
        // A final "e" after a consonant is silent ("make", "home").
        if (w[i] == QLatin1Char('e') && i == w.size() - 1 && w.size() > 2 && !out.isEmpty()) {
            ++i;
            continue;
        }
        bool matched = false;
        if (i + 1 < w.size()) {
            const QString pair = w.mid(i, 2);
            for (const auto &[spelling, symbols] : kDigraphs) {
                if (pair == QLatin1String(spelling)) {
                    out << QString::fromLatin1(symbols).split(QLatin1Char(' '));
                    i += 2;
                    matched = true;
                    break;
                }
            }
        }
        if (matched)
            continue;
        const QChar c = w[i];
        if (c == QLatin1Char('y') && i > 0)
            out << QStringLiteral("iy"); // "happy", "my" as a vowel
        else if (const char *symbols = singleLetter(c))
            out << QString::fromLatin1(symbols).split(QLatin1Char(' '));
        ++i;
    }
    return out;
}

ordered_json SimGradeResult(TGradeMode mode, const QString &text, qint64 recordedMs)
{
    const qint64 bucket = bucketOf(recordedMs);
    ordered_json result = ordered_json::object();
    switch (mode) {
    case TGradeMode::Word: {
        const QStringList words = SimWords(text);
        const QString word = words.isEmpty() ? QString() : words.join(QLatin1Char(' '));
        const bool heard = !word.isEmpty() && recordedMs >= kLeadMs;
        const int score = heard ? wordScore(word, 0, bucket) : 0;
        ordered_json phones = ordered_json::array();
        const QStringList symbols = SimPhonemes(QString(word).remove(QLatin1Char(' ')));
        for (int i = 0; i < symbols.size(); ++i) {
            // Each phoneme scatters around the word's score.
            const int spread = static_cast<int>(stableHash(word + QLatin1Char('#') + QString::number(i)) % 31) - 15;
            const int phoneScore = heard ? std::clamp(score + spread, 0, 100) : 0;
            phones.push_back({{"char", symbols[i].toStdString()}, {"score", phoneScore}});
        }
        result["overall"] = score;
        result["details"] =
            ordered_json::array({{{"char", word.toStdString()}, {"score", score}, {"phone", std::move(phones)}}});
        break;
    }
    case TGradeMode::Sentence: {
        const QStringList words = SimWords(text);
        const int spoken = spokenWords(static_cast<int>(words.size()), text, recordedMs);
        TScoredWords scored = scoreWords(words, 0, spoken, bucket);
        const double overall = scored.count == 0 ? 0.0 : scored.sum / scored.count;
        result["overall"] = round1(overall);
        addSentenceScores(result, overall, spoken, scored.count, text, bucket);
        result["details"] = std::move(scored.entries);
        break;
    }
    case TGradeMode::Passage: {
        const QStringList sentences = SimSentences(text);
        const int total = static_cast<int>(SimWords(text).size());
        const int spoken = spokenWords(total, text, recordedMs);
        ordered_json details = ordered_json::array();
        double sum = 0;
        int index = 0;
        for (const QString &sentence : sentences) {
            const QStringList words = SimWords(sentence);
            TScoredWords scored = scoreWords(words, index, spoken, bucket);
            const double score = round1(scored.sum / std::max(1, scored.count));
            details.push_back(
                {{"text", sentence.toStdString()}, {"score", score}, {"words", std::move(scored.entries)}});
            sum += scored.sum;
            index += static_cast<int>(words.size());
        }
        const double overall = total == 0 ? 0.0 : sum / total;
        result["overall"] = round1(overall);
        addSentenceScores(result, overall, spoken, total, text, bucket);
        result["details"] = std::move(details);
        break;
    }
    }
    return result;
}
