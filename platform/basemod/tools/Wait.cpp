#include "Wait.h"

#include "StudyClock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {
// Real-time period at which the stop flag is looked at while no event arrives.
constexpr int kPollMs = 5;
} // namespace

TWaitEnd WaitFor(int ms, const bool *stop, const QObject *guard)
{
    if (!stop)
        return WaitForCondition(ms, {}, guard);
    return WaitForCondition(
        ms, [stop] { return *stop; }, guard);
}

TWaitEnd WaitForCondition(int ms, const std::function<bool()> &done, const QObject *guard)
{
    const bool guarded = guard != nullptr;
    QPointer<const QObject> watch(guard);
    auto end = [&]() -> std::optional<TWaitEnd> {
        if (guarded && watch.isNull())
            return TWaitEnd::Gone;
        if (done && done())
            return TWaitEnd::Stopped;
        return std::nullopt;
    };

    QCoreApplication::processEvents();
    if (auto e = end())
        return *e;

    QDeadlineTimer deadline(StudyClock::scaled(ms));
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (end() || deadline.hasExpired())
            loop.quit();
    });
    QTimer finish;
    finish.setSingleShot(true);
    QObject::connect(&finish, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (guarded)
        QObject::connect(guard, &QObject::destroyed, &loop, &QEventLoop::quit);
    poll.start();
    finish.start(std::max<qint64>(0, deadline.remainingTime()));
    loop.exec();

    if (auto e = end())
        return *e;
    return TWaitEnd::Elapsed;
}

void WaitTime(int ms, const bool &stop)
{
    WaitFor(ms, &stop, nullptr);
}

bool WaitTime(int ms, const bool &stop, const QObject *guard)
{
    return WaitFor(ms, &stop, guard) != TWaitEnd::Gone;
}
