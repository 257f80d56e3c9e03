#pragma once
// Builders of grading results in the engine's format: an object whose
// "result" holds "overall", for sentences "accuracy", "integrity" and
// "fluency" (an object with its own "overall"), and "details" with one entry
// per word (with its phonemes for a single word) or per sentence of a passage.
// The "result" may be embedded as an object or as a text holding the object's
// JSON; code reading results must decode both the same.

#include <QList>
#include <QString>

#include <nlohmann/json.hpp>

enum class TResultEmbedding { Object, Text };

struct TScoredUnit
{
    QString text; // a word, a phoneme symbol
    double score = 0;
};

struct TScoredSentence
{
    QString text;
    double score = 0;
    QList<TScoredUnit> words;
};

// A graded sentence: one "details" entry per word ("char", "score").
nlohmann::ordered_json SentenceGrading(const QList<TScoredUnit> &words, double overall, double accuracy, double fluency,
                                       double integrity, TResultEmbedding embedding = TResultEmbedding::Object);

// A graded single word: one "details" entry with "char", "score" and "phone"
// (the phonemes' "char" and "score").
nlohmann::ordered_json WordGrading(const QString &word, double overall, const QList<TScoredUnit> &phonemes,
                                   TResultEmbedding embedding = TResultEmbedding::Object);

// A graded passage: one "details" entry per sentence ("text", "score",
// "words").
nlohmann::ordered_json PassageGrading(const QList<TScoredSentence> &sentences, double overall,
                                      TResultEmbedding embedding = TResultEmbedding::Object);

// A result the engine could not grade: no "overall", empty "details".
nlohmann::ordered_json UngradedResult();

// Sentence words all scored alike, split at spaces.
QList<TScoredUnit> ScoreWords(const QString &sentence, double score);
