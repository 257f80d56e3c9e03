#pragma once
// Runs the study clock faster while it lives and restores real time after.

#include "StudyClock.h"

class ClockSpeed
{
public:
    explicit ClockSpeed(double factor) { StudyClock::setSpeed(factor); }
    ~ClockSpeed() { StudyClock::setSpeed(1); }
    ClockSpeed(const ClockSpeed &) = delete;
    ClockSpeed &operator=(const ClockSpeed &) = delete;
};
