#pragma once
// Grading beside the event loop: the grading engines hand a finished
// recording to a scorer that takes a fifth of the recording's length or
// more, so it runs on a worker thread while events are dispatched and the
// page stays responsive.
//
// The worker gets copies only (the scorer and its arguments are captured by
// value): if `context` is deleted by an event handled during the wait, the
// grading still finishes safely and its result is dropped. A scorer that
// throws leaves the "error:" log line the engines have always written.

#include "Log.h"
#include "Wait.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <exception>
#include <future>
#include <optional>
#include <utility>

// The scorer's result; nullopt when it threw. `gone` is set when `context`
// was deleted during the wait (then nothing of it may be touched).
template<typename Work>
auto GradeOnWorker(Work work, QObject *context, bool &gone) -> std::optional<decltype(work())>
{
    gone = false;
    auto job = std::async(std::launch::async, std::move(work));
    while (job.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        if (WaitFor(10, nullptr, context) == TWaitEnd::Gone) {
            gone = true;
            return std::nullopt;
        }
    }
    try {
        return job.get();
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:Evaluate grading failed: ") + QString::fromUtf8(e.what()));
        return std::nullopt;
    }
}
