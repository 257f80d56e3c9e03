#include "WaitUntil.h"

#include "StudyClock.h"
#include "Wait.h"

#include <QObject>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {
// Real-time period at which the condition is evaluated.
constexpr int kCheckMs = 1;
} // namespace

bool WaitUntil(const std::function<bool()> &condition, StatedMs limit)
{
    if (condition())
        return true;
    bool met = false;
    QObject context;
    QTimer check;
    check.setInterval(kCheckMs);
    QObject::connect(&check, &QTimer::timeout, &context, [&] {
        if (!met && condition())
            met = true;
    });
    check.start();
    WaitFor(limit.ms, &met);
    return met || condition();
}

bool WaitUntil(const std::function<bool()> &condition, RealMs limit)
{
    const double stated = std::ceil(limit.ms * StudyClock::speed());
    const int ms =
        stated > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(stated);
    return WaitUntil(condition, StatedMs{ms});
}
