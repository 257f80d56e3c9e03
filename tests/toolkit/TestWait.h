#pragma once
// Bounded, condition-based wait for toolkit tests: dispatches events until the
// condition holds or the real-time limit runs out. (The toolkit sits below the
// base package and cannot use its wait.)

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

template <typename Pred>
bool WaitUntil(Pred pred, int limitMs = 5000)
{
    QDeadlineTimer deadline(limitMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents();
    }
    return true;
}
