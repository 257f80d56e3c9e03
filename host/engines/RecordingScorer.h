#pragma once
// Grading of a finished recording: given the mode, the reference text and the
// recorded WAV file, the whole result text the grading engine hands out
// ({"result": …}); empty when the recording cannot be graded.

#include "SimGrading.h"

#include <QString>

#include <functional>

using TRecordingScorer = std::function<QString(TGradeMode mode, const QString &text, const QString &wavPath)>;

// The simulated grader applied to a real recording: the scores follow the
// reference text and the recording's length read from the WAV header. Empty
// for a file that is not a readable WAV.
QString SimScoreRecording(TGradeMode mode, const QString &text, const QString &wavPath);
