#pragma once
// The two score documents built around grading results.
//
// Passage score document (passage reading and passage repeat), handed to the
// result view and to submission:
//   "parts"       one grading result per graded recording (the whole object
//                 the engine returned, with its "result")
//   "audios"      passage reading only: [{"audio": WAV path}, ...]
//   "achiveType"  "S" or "L" (passage repeat always "L")
//   "partcount"   number the total is divided by, always 1
//
// Word score document (word drill), handed to the word result view and kept
// for resuming a drill:
//   "uid", "bookId", "unitId", "wordTotalCount", "wordId", "wordIndex",
//   "wordResult": exactly "wordTotalCount" entries in unit order; entry i is
//   the grading of word i when it scored above 30, else {"result": ""}.

#include "JsonModel.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Passage reading: the parts with their recordings' WAV paths.
TJson MakePassageReadingDocument(const QList<TJson> &parts, const QStringList &audioFiles, const QString &achiveType);
// Passage repeat: the parts only, kind "L".
TJson MakePassageRepeatDocument(const QList<TJson> &parts);

// The kind letter a submission sends for a passage document: "S" when its
// "achiveType" is "S", otherwise "L".
QString PassageSubmissionKind(const TJson &document);

// The entry of a word that was not graded above 30 in the drill.
TJson WordResultPlaceholder();
// True for an entry whose "result" is empty: it is never shown as a graded word.
bool IsWordResultPlaceholder(const TJson &entry);

struct TWordScoreHeader
{
    qint64 uid = 0;
    qint64 bookId = 0;
    qint64 unitId = 0;
    int wordTotalCount = 0; // the unit's number of words
    qint64 wordId = 0;      // "wordsId" of the word the drill stopped on
    int wordIndex = 0;      // zero-based index of that word
};

// The word score document. `gradings` maps a word's zero-based index to the
// grading it got in this drill; a grading whose attempt score (WordAttemptScore)
// is 30 or less, and every word without one, gets the placeholder. Indexes
// outside the unit are ignored.
TJson MakeWordScoreDocument(const TWordScoreHeader &header, const QMap<int, TJson> &gradings);
