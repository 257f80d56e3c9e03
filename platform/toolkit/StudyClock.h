#pragma once
// The one clock every wait and timer of the system goes through.
//
// Code always states the system's real durations (a 200 ms poll, a 400 ms
// timer). Tests speed the clock up so that a 12-second request wait runs in a
// fraction of a second without the code changing its constants.

#include "studytoolkit_export.h"

namespace StudyClock {

// Factor by which time runs faster than real time; 1 is real time.
STUDYTOOLKIT_EXPORT double speed();
// Sets the factor; values below 1 are taken as 1.
STUDYTOOLKIT_EXPORT void setSpeed(double factor);
// Real milliseconds for a stated duration: ms / speed, at least 1 for ms > 0.
STUDYTOOLKIT_EXPORT int scaled(int ms);

} // namespace StudyClock
