#pragma once
// Waits that keep the user-interface thread alive.
//
// Every wait of the system that dispatches events goes through WaitFor: it is
// bounded, it returns early when the caller's stop flag turns true, and it
// watches a guard object so that a caller whose object was deleted by an event
// handled during the wait learns it and touches nothing more.

#include "basemod_export.h"

#include <QObject>

#include <functional>

enum class TWaitEnd {
    Elapsed, // the time ran out
    Stopped, // the stop flag became true
    Gone,    // the guard object was destroyed during the wait
};

// Waits `ms` (stated time; the study clock may run faster) while dispatching
// user-interface events. `stop` may be null; it is read only while `guard`
// (when given) is alive. A flag already true returns Stopped at once, after
// one round of event dispatch.
BASEMOD_EXPORT TWaitEnd WaitFor(int ms, const bool *stop, const QObject *guard = nullptr);

// Waits `ms` as WaitFor does, returning Stopped as soon as `done()` is true.
// `done` is called only while `guard` (when given) is alive.
BASEMOD_EXPORT TWaitEnd WaitForCondition(int ms, const std::function<bool()> &done, const QObject *guard = nullptr);

// The base package's wait: `ms` milliseconds, returning early when `stop`
// becomes true.
BASEMOD_EXPORT void WaitTime(int ms, const bool &stop);

// The same wait with a guard; returns false when the guard was destroyed, in
// which case the caller must return without touching the guarded object.
BASEMOD_EXPORT bool WaitTime(int ms, const bool &stop, const QObject *guard);
