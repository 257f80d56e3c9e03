#include "ArchiveReader.h"

#include "Wait.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>

namespace {
// Each wait slice; the loop looks at the limits between slices. The run ends
// as soon as the reader finishes (WaitFor returns when the wake flag is set).
constexpr int kSliceMs = 50;
// Starting is fork and exec; a program that cannot start in this time is
// treated as missing.
constexpr int kStartMs = 10000;
// After a kill the reader is gone within milliseconds; the bound only keeps
// a stuck kernel from hanging the user interface.
constexpr int kReapMs = 5000;
// Standard error is kept for classifying failures; a reader that writes
// megabytes of warnings must not fill memory.
constexpr qsizetype kMaxErrorText = 64 * 1024;
} // namespace

TArchiveReader::TArchiveReader(QString program) : m_program(std::move(program))
{
}

void TArchiveReader::SetLimits(int stallMs, int totalMs)
{
    m_stallMs = std::max(1, stallMs);
    m_totalMs = std::max(1, totalMs);
}

void TArchiveReader::Abort()
{
    m_abort = true;
    m_wake = true;
}

QString TArchiveReader::DefaultProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("7zz"));
}

TReaderOutcome TArchiveReader::Run()
{
    TReaderOutcome outcome;
    m_wake = false;
    m_abort = false;
    if (m_program.isEmpty()) {
        outcome.kind = TReaderOutcome::StartFailed;
        return outcome;
    }

    QProcess process;
    process.setProgram(m_program);
    process.setArguments(m_arguments);
    // Entry names are printed in the locale's encoding: force UTF-8 so that
    // Chinese file names survive, whatever the user's locale is.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);

    bool stopping = false;
    bool consumerStopped = false;
    bool finished = false;
    bool startFailed = false;
    QElapsedTimer sinceOutput;

    auto drainOutput = [&] {
        const QByteArray chunk = process.readAllStandardOutput();
        if (chunk.isEmpty() || stopping)
            return;
        sinceOutput.restart();
        if (!m_sink) {
            outcome.output += chunk;
            return;
        }
        if (!m_sink(chunk)) {
            stopping = true;
            consumerStopped = true;
            m_wake = true;
        }
    };
    auto drainError = [&] {
        const QByteArray chunk = process.readAllStandardError();
        if (outcome.errorText.size() < kMaxErrorText)
            outcome.errorText += chunk.left(kMaxErrorText - outcome.errorText.size());
    };

    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process, drainOutput);
    QObject::connect(&process, &QProcess::readyReadStandardError, &process, drainError);
    QObject::connect(&process, &QProcess::finished, &process, [&](int, QProcess::ExitStatus) {
        finished = true;
        m_wake = true;
    });
    QObject::connect(&process, &QProcess::errorOccurred, &process, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            startFailed = true;
            m_wake = true;
        }
    });

    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(kStartMs) || startFailed) {
        QObject::disconnect(&process, nullptr, nullptr, nullptr);
        process.kill();
        process.waitForFinished(kReapMs);
        outcome.kind = TReaderOutcome::StartFailed;
        return outcome;
    }
    // The password, then end of input: the reader can never wait for more.
    if (!m_input.isEmpty())
        process.write(m_input + '\n');
    process.closeWriteChannel();

    QElapsedTimer total;
    total.start();
    sinceOutput.start();
    bool timedOut = false;
    while (!m_wake) {
        WaitFor(kSliceMs, &m_wake);
        if (m_wake)
            break;
        if (sinceOutput.elapsed() > m_stallMs || total.elapsed() > m_totalMs) {
            timedOut = true;
            break;
        }
    }

    if (finished && !consumerStopped && !m_abort) {
        // Output still buffered when the exit was seen belongs to the run.
        drainOutput();
        drainError();
        outcome.kind = consumerStopped ? TReaderOutcome::Stopped : TReaderOutcome::Finished;
        outcome.exitCode = process.exitCode();
        outcome.crashed = process.exitStatus() == QProcess::CrashExit;
    } else {
        stopping = true;
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kReapMs);
        }
        drainError();
        if (m_abort)
            outcome.kind = TReaderOutcome::Aborted;
        else if (consumerStopped)
            outcome.kind = TReaderOutcome::Stopped;
        else if (timedOut)
            outcome.kind = TReaderOutcome::TimedOut;
        else
            outcome.kind = TReaderOutcome::StartFailed; // woken by a start error
    }
    QObject::disconnect(&process, nullptr, nullptr, nullptr);
    return outcome;
}
