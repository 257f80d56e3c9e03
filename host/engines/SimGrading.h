#pragma once
// The simulated grader's results. A result depends only on the reference text
// and the length of the recording, so the same attempt always gets the same
// scores, and a recording shorter than the text needs leaves its last words
// unspoken (scored 0).

#include <QString>
#include <QStringList>

#include <nlohmann/json.hpp>

enum class TGradeMode {
    Word = 0,
    Sentence = 1,
    Passage = 2,
};

// Milliseconds a speaker needs for `text` (the simulated learner's speech).
qint64 SimSpeechMs(const QString &text);

// The words of `text` without surrounding punctuation ("Don't," → "Don't").
QStringList SimWords(const QString &text);

// The sentences of a passage, split after ".", "!" and "?".
QStringList SimSentences(const QString &text);

// Lower-case phoneme symbols for a word, from its spelling.
QStringList SimPhonemes(const QString &word);

// The "result" object for a recording of `recordedMs` against `text`.
// Mode 0: "overall", "details" with one word entry and its "phone" entries.
// Mode 1: "overall", "accuracy", "integrity", "fluency" {"overall"},
// "details" per word. Mode 2: as mode 1 with "details" per sentence ("text",
// "score", "words").
nlohmann::ordered_json SimGradeResult(TGradeMode mode, const QString &text, qint64 recordedMs);
