#pragma once
// The host's log. Every "error:" and "info：" text of the module goes here.

#include "basemod_export.h"

#include <QString>

#include <functional>

using TLogSink = std::function<void(const QString &line)>;

// Appends one line to the host's log (the current sink). Never throws.
BASEMOD_EXPORT void procSaveLog(const QString &text);

// Replaces the sink that receives every line and returns the previous one.
// An empty sink restores the default: the file set by SetLogFile, or
// "log/study.log" beside the running executable, one time-stamped line per
// call.
BASEMOD_EXPORT TLogSink SetLogSink(TLogSink sink);

// Sets the file of the default sink (created on the first line).
BASEMOD_EXPORT void SetLogFile(const QString &path);
