#pragma once
// Bounded condition waits for tests: events keep being dispatched (timers
// fire, queued calls run) until the condition holds or the time is up.

#include <functional>

// A time limit on the study clock (it shrinks when the clock runs faster).
struct StatedMs
{
    int ms;
};

// A time limit in real time, whatever the study clock's speed.
struct RealMs
{
    int ms;
};

// True as soon as `condition` holds; false when the limit passed first.
bool WaitUntil(const std::function<bool()> &condition, StatedMs limit);
bool WaitUntil(const std::function<bool()> &condition, RealMs limit = RealMs{5000});
