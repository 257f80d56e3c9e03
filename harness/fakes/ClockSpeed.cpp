#include "ClockSpeed.h"

#include "StudyClock.h"

ClockSpeed::ClockSpeed(double factor)
{
    StudyClock::setSpeed(factor);
}

ClockSpeed::~ClockSpeed()
{
    StudyClock::setSpeed(1);
}
