#include "Phonetic.h"

#include <QHash>

namespace {

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> t = {
        // Monophthongs.
        {QStringLiteral("aa"), QStringLiteral("ɑː")},
        {QStringLiteral("ae"), QStringLiteral("æ")},
        {QStringLiteral("ah"), QStringLiteral("ʌ")},
        {QStringLiteral("ao"), QStringLiteral("ɔː")},
        {QStringLiteral("ax"), QStringLiteral("ə")},
        {QStringLiteral("axr"), QStringLiteral("ə")},
        {QStringLiteral("eh"), QStringLiteral("e")},
        {QStringLiteral("er"), QStringLiteral("ɜː")},
        {QStringLiteral("ih"), QStringLiteral("ɪ")},
        {QStringLiteral("ix"), QStringLiteral("ɪ")},
        {QStringLiteral("iy"), QStringLiteral("iː")},
        {QStringLiteral("oh"), QStringLiteral("ɒ")},
        {QStringLiteral("uh"), QStringLiteral("ʊ")},
        {QStringLiteral("uw"), QStringLiteral("uː")},
        {QStringLiteral("ux"), QStringLiteral("uː")},
        // Diphthongs.
        {QStringLiteral("aw"), QStringLiteral("aʊ")},
        {QStringLiteral("ay"), QStringLiteral("aɪ")},
        {QStringLiteral("ey"), QStringLiteral("eɪ")},
        {QStringLiteral("ow"), QStringLiteral("əʊ")},
        {QStringLiteral("oy"), QStringLiteral("ɔɪ")},
        {QStringLiteral("ea"), QStringLiteral("eə")},
        {QStringLiteral("ia"), QStringLiteral("ɪə")},
        {QStringLiteral("ua"), QStringLiteral("ʊə")},
        // Plosives and affricates.
        {QStringLiteral("b"), QStringLiteral("b")},
        {QStringLiteral("d"), QStringLiteral("d")},
        {QStringLiteral("g"), QStringLiteral("ɡ")},
        {QStringLiteral("k"), QStringLiteral("k")},
        {QStringLiteral("p"), QStringLiteral("p")},
        {QStringLiteral("t"), QStringLiteral("t")},
        {QStringLiteral("dx"), QStringLiteral("t")},
        {QStringLiteral("q"), QStringLiteral("ʔ")},
        {QStringLiteral("ch"), QStringLiteral("tʃ")},
        {QStringLiteral("jh"), QStringLiteral("dʒ")},
        {QStringLiteral("ts"), QStringLiteral("ts")},
        {QStringLiteral("dz"), QStringLiteral("dz")},
        {QStringLiteral("tr"), QStringLiteral("tr")},
        {QStringLiteral("dr"), QStringLiteral("dr")},
        // Fricatives.
        {QStringLiteral("dh"), QStringLiteral("ð")},
        {QStringLiteral("th"), QStringLiteral("θ")},
        {QStringLiteral("f"), QStringLiteral("f")},
        {QStringLiteral("v"), QStringLiteral("v")},
        {QStringLiteral("s"), QStringLiteral("s")},
        {QStringLiteral("z"), QStringLiteral("z")},
        {QStringLiteral("sh"), QStringLiteral("ʃ")},
        {QStringLiteral("zh"), QStringLiteral("ʒ")},
        {QStringLiteral("hh"), QStringLiteral("h")},
        {QStringLiteral("h"), QStringLiteral("h")},
        // Nasals, liquids and glides.
        {QStringLiteral("m"), QStringLiteral("m")},
        {QStringLiteral("n"), QStringLiteral("n")},
        {QStringLiteral("ng"), QStringLiteral("ŋ")},
        {QStringLiteral("nx"), QStringLiteral("ŋ")},
        {QStringLiteral("em"), QStringLiteral("əm")},
        {QStringLiteral("en"), QStringLiteral("ən")},
        {QStringLiteral("el"), QStringLiteral("əl")},
        {QStringLiteral("l"), QStringLiteral("l")},
        {QStringLiteral("r"), QStringLiteral("r")},
        {QStringLiteral("w"), QStringLiteral("w")},
        {QStringLiteral("wh"), QStringLiteral("w")},
        {QStringLiteral("y"), QStringLiteral("j")},
    };
    return t;
}

} // namespace

QString PhonemeToPhonetic(const QString &phoneme)
{
    const QString key = phoneme.trimmed().toLower();
    const auto &t = table();
    auto it = t.constFind(key);
    if (it != t.constEnd())
        return it.value();
    if (key.size() > 1 && key.back() >= u'0' && key.back() <= u'2') {
        it = t.constFind(key.left(key.size() - 1));
        if (it != t.constEnd())
            return it.value();
    }
    return phoneme;
}
