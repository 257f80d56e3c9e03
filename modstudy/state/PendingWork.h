#pragma once
// A note in the host log that a step was reached whose work a subsystem of
// the module does not carry out yet, so that nothing is skipped silently.

#include <QString>

// Logs "info：<member>: <what> is not available yet (<subsystem>)".
void LogPendingWork(const QString &member, const QString &what, const QString &subsystem);
