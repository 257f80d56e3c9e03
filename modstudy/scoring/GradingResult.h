#pragma once
// Decoding of one grading result, the JSON text the grading engine hands back
// after a recording was graded.
//
// Only the member "result" is read. Its value is taken as text and parsed
// again, so an engine that embeds the result object and one that sends it as
// a string holding the object's JSON decode to the same numbers. The decoded
// object carries "overall" (every grading), "accuracy", "integrity" and
// "fluency" {"overall"} (sentences) and "details": one entry per unit of the
// reference text, shaped by what was graded:
//   a word      {"char", "score", "phone": [{"char", "score"}, ...]}
//   a sentence  {"char", "score"}                  one entry per word
//   a passage   {"text", "score", "words": [{"char", "score"}, ...]}
//                                                  one entry per sentence

#include "JsonModel.h"

#include <QList>
#include <QString>

enum class TDetailShape { Sentence, Passage, Word };

// A scored piece inside a detail: a phoneme of a word or a word of a
// passage sentence.
struct TScoredPiece
{
    QString text;
    double score = 0;
};

struct TGradingDetail
{
    TDetailShape shape = TDetailShape::Sentence;
    QString text; // "char" of a word entry, "text" of a passage sentence
    double score = 0;
    QList<TScoredPiece> phones; // word entries: the phonemes in the engine's notation
    QList<TScoredPiece> words;  // passage entries: the sentence's words
    TJson entry;                // the detail entry itself, as the engine gave it
};

struct TGradingResult
{
    // False when the result has no "overall": the recording counts as not
    // graded and the sentence views show nothing for it.
    bool graded = false;
    double overall = 0;
    double accuracy = 0;
    double integrity = 0;
    double fluency = 0;
    QList<TGradingDetail> details; // empty when "details" is missing or empty
};

// The result object of a grading: "result" read as text and parsed again.
// An empty or unparsable "result" (the word drill's placeholder) gives an
// empty object.
TJson ResultObject(const TJson &grading);

// What one "details" entry describes: a passage sentence when it carries
// "text" or "words", a word with phonemes when it carries "phone", otherwise
// a word of a sentence.
TDetailShape DetailShape(const TJson &entry);

TGradingResult DecodeGradingResult(const TJson &grading);
// The same from the engine's text; a text that is not a JSON object decodes
// as not graded.
TGradingResult DecodeGradingResult(const QString &gradingText);

// "overall" of one grading, 0 when there is none.
double GradingOverall(const TJson &grading);
