#pragma once
// Runs the study clock faster while it lives and restores real time after.

class ClockSpeed
{
public:
    explicit ClockSpeed(double factor);
    ~ClockSpeed();
    ClockSpeed(const ClockSpeed &) = delete;
    ClockSpeed &operator=(const ClockSpeed &) = delete;
};
