#include "GradingResults.h"

using nlohmann::ordered_json;

namespace {

ordered_json wrap(const ordered_json &result, TResultEmbedding embedding)
{
    ordered_json out = ordered_json::object();
    out["result"] = embedding == TResultEmbedding::Text ? ordered_json(result.dump()) : result;
    return out;
}

ordered_json units(const QList<TScoredUnit> &list)
{
    ordered_json arr = ordered_json::array();
    for (const TScoredUnit &u : list) {
        ordered_json e = ordered_json::object();
        e["char"] = u.text.toStdString();
        e["score"] = u.score;
        arr.push_back(e);
    }
    return arr;
}

} // namespace

ordered_json SentenceGrading(const QList<TScoredUnit> &words, double overall, double accuracy, double fluency,
                             double integrity, TResultEmbedding embedding)
{
    ordered_json r = ordered_json::object();
    r["overall"] = overall;
    r["accuracy"] = accuracy;
    r["integrity"] = integrity;
    r["fluency"] = ordered_json{{"overall", fluency}};
    r["details"] = units(words);
    return wrap(r, embedding);
}

ordered_json WordGrading(const QString &word, double overall, const QList<TScoredUnit> &phonemes,
                         TResultEmbedding embedding)
{
    ordered_json detail = ordered_json::object();
    detail["char"] = word.toStdString();
    detail["score"] = overall;
    detail["phone"] = units(phonemes);
    ordered_json r = ordered_json::object();
    r["overall"] = overall;
    r["details"] = ordered_json::array({detail});
    return wrap(r, embedding);
}

ordered_json PassageGrading(const QList<TScoredSentence> &sentences, double overall, TResultEmbedding embedding)
{
    ordered_json details = ordered_json::array();
    for (const TScoredSentence &s : sentences) {
        ordered_json e = ordered_json::object();
        e["text"] = s.text.toStdString();
        e["score"] = s.score;
        e["words"] = units(s.words);
        details.push_back(e);
    }
    ordered_json r = ordered_json::object();
    r["overall"] = overall;
    r["details"] = details;
    return wrap(r, embedding);
}

ordered_json UngradedResult()
{
    ordered_json r = ordered_json::object();
    r["details"] = ordered_json::array();
    return wrap(r, TResultEmbedding::Object);
}

QList<TScoredUnit> ScoreWords(const QString &sentence, double score)
{
    QList<TScoredUnit> out;
    for (const QString &w : sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.append(TScoredUnit{w, score});
    return out;
}
