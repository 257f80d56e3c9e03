#pragma once
// The score record of one graded sentence of sentence practice.
//
// Practice is not counted in the lesson's results; only this record goes to
// the host, and only for a recording that scored above 30.

#include "GradingResult.h"

#include "TeduPartScore.h"

#include <QString>

namespace StudyModes {

// The study type of a sentence score.
inline constexpr int kSentencePointType = 2;
// Scores at or below this are not sent.
inline constexpr double kSentenceSendAbove = 30.0;

// The record of a graded result: kind "L", study type 2, the overall score,
// accuracy, integrity and fluency as whole numbers, the engine's whole result
// text, the sentence and user ids; the lesson and reference ids are 0 and the
// remark empty.
TeduPartScore SentenceScoreRecord(const TGradingResult &graded, const QString &resultText, qint64 sentenceId,
                                  qint64 userId);

// Whether a graded sentence's record is sent: only a result with "overall"
// above 30.
bool SentenceScoreIsSent(const TGradingResult &graded);

} // namespace StudyModes
