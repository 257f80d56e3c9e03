#pragma once
// Totals and averages of the score documents. Every score that is shown or
// submitted passes through PrecisionChange (one decimal, halves to even).

#include "JsonModel.h"

#include <QString>

// A score of this or less is neither submitted nor kept.
inline constexpr double kMinKeptScore = 30.0;

// The score of one word attempt: PrecisionChange of its "overall".
double WordAttemptScore(const TJson &grading);

// The score of one "wordResult" entry given as JSON text: its "result"
// parsed again, "overall" as a number; 0 for the placeholder entry and for a
// text that is not JSON.
double SingleWordScore(const QString &entryText);

// The result view's total of a passage document: the sum of "overall" over
// "parts" divided by "partcount", rounded. When "partcount" cannot divide
// (0, missing or negative), "error:TotalScore div tmpPartCount" is logged and
// the number of parts divides instead. A document without parts gives 0.
double PassageDisplayTotal(const TJson &document);

// The submitted score of a passage document: 0 when the lesson's part count
// is 0 (or less), else the rounded sum of the parts' "overall" values.
double PassageSubmissionScore(const TJson &document, int lessonPartCount);

// The submitted score of a word document: 0 when the unit has no words, else
// the rounded sum of the entries' single word scores divided by the unit's
// word count. Placeholders count as 0, so words not graded lower the average.
double WordUnitScore(const TJson &document, int unitWordCount);
