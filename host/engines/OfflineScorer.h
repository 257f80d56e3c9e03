#pragma once
// The offline pronunciation grader (host/grader) as the grading engine's
// scorer: the engine records as before and the grader scores the WAV file.

#include "TSimGradeEngine.h"

// Loads the acoustic model and dictionary now (about half a second) and
// returns a scorer that grades one recording at a time. Throws
// std::runtime_error when the model files are missing.
TGradeScorer MakeOfflineScorer();
