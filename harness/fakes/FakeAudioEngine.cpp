#include "FakeAudioEngine.h"

#include "FakeWav.h"
#include "StudyClock.h"
#include "Wait.h"

#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>

namespace {
// Stated length of one wait slice; the interrupt flag is looked at between
// slices, the caller's stop flag continuously.
constexpr int kSliceMs = 20;
} // namespace

FakeAudioEngine::~FakeAudioEngine()
{
    if (m_run)
        m_run->interrupted = true;
}

void FakeAudioEngine::QueueResult(const QString &json)
{
    m_queue.enqueue(json);
}

void FakeAudioEngine::QueueResult(const nlohmann::ordered_json &result)
{
    m_queue.enqueue(QString::fromStdString(result.dump()));
}

void FakeAudioEngine::Interrupt()
{
    if (m_run)
        m_run->interrupted = true;
}

QString FakeAudioEngine::GetLastResult()
{
    m_calls.Add(QStringLiteral("GetLastResult"));
    return m_lastResult;
}

bool FakeAudioEngine::IsEngineReady()
{
    m_calls.Add(QStringLiteral("IsEngineReady"));
    return m_ready;
}

nlohmann::ordered_json &FakeAudioEngine::GetEngineParams()
{
    m_calls.Add(QStringLiteral("GetEngineParams"));
    return m_params;
}

void FakeAudioEngine::SetEngineParams(const nlohmann::ordered_json &params)
{
    m_calls.Add(QStringLiteral("SetEngineParams"), {QString::fromStdString(params.dump())});
    m_params = params;
}

void FakeAudioEngine::Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds)
{
    m_calls.Add(QStringLiteral("Evaluate"), {QString::number(mode), wavFileName, text, QString::number(seconds)});
    evaluate(TEvaluateCall{QStringLiteral("Evaluate"), mode, text, wavFileName, seconds}, nullptr);
}

QString FakeAudioEngine::EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                                           bool &stop)
{
    m_calls.Add(QStringLiteral("EvaluateStoppable"),
                {QString::number(mode), text, wavFileName, QString::number(seconds)});
    const bool alive =
        evaluate(TEvaluateCall{QStringLiteral("EvaluateStoppable"), mode, text, wavFileName, seconds}, &stop);
    if (!alive)
        return QString();
    return m_evaluations.constLast().stoppedEarly ? QStringLiteral("stopped") : QStringLiteral("done");
}

bool FakeAudioEngine::evaluate(TEvaluateCall call, const bool *stop)
{
    m_lastResult.clear();
    auto run = std::make_shared<Run>();
    m_run = run;

    int ms = m_durationMs;
    if (call.seconds > 0)
        ms = std::min(ms, call.seconds * 1000);
    QDeadlineTimer deadline(StudyClock::scaled(ms));
    for (;;) {
        if ((stop && *stop) || run->interrupted) {
            call.stoppedEarly = true;
            break;
        }
        if (deadline.hasExpired())
            break;
        if (WaitFor(kSliceMs, stop, this) == TWaitEnd::Gone)
            return false;
    }
    if (m_run == run)
        m_run.reset();

    if (!call.wavFileName.isEmpty()) {
        QFile recording;
        WriteFakeRecording(recording, call.wavFileName);
    }
    if (!m_queue.isEmpty()) {
        m_lastResult = m_queue.dequeue();
        call.graded = true;
    }
    m_evaluations.append(call);
    return true;
}
