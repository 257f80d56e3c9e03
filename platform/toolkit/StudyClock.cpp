#include "StudyClock.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {
std::atomic<double> g_speed{1.0};
}

namespace StudyClock {

double speed()
{
    return g_speed.load();
}

void setSpeed(double factor)
{
    g_speed.store(std::max(1.0, factor));
}

int scaled(int ms)
{
    if (ms <= 0)
        return 0;
    const double real = std::floor(ms / g_speed.load());
    return std::max(1, static_cast<int>(real));
}

} // namespace StudyClock
