#include "ScoreRounding.h"

#include <cmath>
#include <limits>

int Nearest(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double lower = std::floor(value);
    const double diff = value - lower;
    double rounded;
    if (diff < 0.5)
        rounded = lower;
    else if (diff > 0.5)
        rounded = lower + 1;
    else
        rounded = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}
