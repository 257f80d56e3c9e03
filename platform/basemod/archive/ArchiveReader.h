#pragma once
// One run of the external 7z reader program ("7zz").
//
// The password travels on the reader's standard input, never on its command
// line (where other users of the machine could read it from the process
// table). The input is closed right after the password, so a reader that asks
// a second time reads the end of input and gives up instead of hanging.
//
// run() is called on the user-interface thread and keeps dispatching events
// (through WaitFor) while the reader works, so a long extraction does not
// freeze the window. Because of that, handlers may run during the call; they
// may call abort() on the running reader, which makes run() return at once
// with Aborted after the reader has been stopped.
//
// Limits are real time: a reader that writes nothing for `stallMs`, or runs
// longer than `totalMs` in all, is killed and the run ends with TimedOut.

#include "basemod_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct TReaderOutcome
{
    enum Kind {
        Finished,    // the reader exited; see exitCode / crashed
        StartFailed, // the program could not be started
        TimedOut,    // killed after a stall or the total limit
        Stopped,     // the output consumer asked to stop; the reader was killed
        Aborted,     // abort() was called during the run; the reader was killed
    };
    Kind kind = Finished;
    int exitCode = -1;
    bool crashed = false;
    QByteArray errorText; // the reader's standard error (bounded)
    QByteArray output;    // standard output, when no consumer was given
};

class BASEMOD_EXPORT TArchiveReader
{
public:
    // Receives standard output chunk by chunk, in order; returns false to stop
    // the reader (the rest of the output is not needed).
    using TOutputSink = std::function<bool(const QByteArray &chunk)>;

    explicit TArchiveReader(QString program);
    TArchiveReader(const TArchiveReader &) = delete;
    TArchiveReader &operator=(const TArchiveReader &) = delete;

    void SetArguments(const QStringList &arguments) { m_arguments = arguments; }
    // Text written to standard input (a line break is appended) before the
    // input is closed. Empty: the input is closed at once.
    void SetInputLine(const QByteArray &line) { m_input = line; }
    void SetOutputSink(TOutputSink sink) { m_sink = std::move(sink); }
    void SetLimits(int stallMs, int totalMs);

    TReaderOutcome Run();
    // Ends a running Run() from an event handler; harmless at any other time.
    void Abort();

    // The reader program found on PATH ("7zz"), or an empty text.
    static QString DefaultProgram();

private:
    QString m_program;
    QStringList m_arguments;
    QByteArray m_input;
    TOutputSink m_sink;
    int m_stallMs = 30000;
    int m_totalMs = 600000;
    bool m_wake = false;
    bool m_abort = false;
};
