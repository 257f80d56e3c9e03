#pragma once
// A grading engine for tests. Each evaluation "records" for a configurable
// stated time on the study clock (never longer than the seconds allowed),
// dispatching events meanwhile, writes a real WAV file when it was given a
// file name, and then takes the next queued grading result as the engine's
// last result. With nothing queued the last result is empty, as after a
// recording the engine could not grade.
//
// EvaluateStoppable returns early as soon as the caller's stop flag turns
// true; the engine still grades what it heard, so a queued result is taken.
// Interrupt() ends either kind of evaluation early, as closing the microphone
// does (wire FakeSoundEngine::SetOnStopRecord to it to couple the two).

#include "FakeCallLog.h"
#include "HostServices.h"

#include <QList>
#include <QObject>
#include <QQueue>

#include <memory>

struct TEvaluateCall
{
    QString operation; // "Evaluate" or "EvaluateStoppable"
    int mode = 0;
    QString text;
    QString wavFileName;
    int seconds = 0;
    bool stoppedEarly = false; // ended by the stop flag or Interrupt()
    bool graded = false;       // a queued result was taken
};

class FakeAudioEngine : public QObject, public IAudioEngine
{
public:
    ~FakeAudioEngine() override;

    // Results handed out by the next evaluations, first in first out.
    void QueueResult(const QString &json);
    void QueueResult(const nlohmann::ordered_json &result);
    // Stated recording time of an evaluation (default 1000 ms).
    void SetEvaluateDuration(int ms) { m_durationMs = ms; }
    void SetReady(bool ready) { m_ready = ready; }
    // Ends a running evaluation early.
    void Interrupt();

    bool IsEvaluating() const { return m_run != nullptr; }
    const QList<TEvaluateCall> &Evaluations() const { return m_evaluations; }
    FakeCallLog &Calls() { return m_calls; }
    const FakeCallLog &Calls() const { return m_calls; }

    QString GetLastResult() override;
    bool IsEngineReady() override;
    nlohmann::ordered_json &GetEngineParams() override;
    void SetEngineParams(const nlohmann::ordered_json &params) override;
    void Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds) override;
    QString EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                              bool &stop) override;

private:
    struct Run
    {
        bool interrupted = false;
    };

    // Runs one evaluation; false when this engine was destroyed meanwhile.
    bool evaluate(TEvaluateCall call, const bool *stop);

    FakeCallLog m_calls;
    QQueue<QString> m_queue;
    QString m_lastResult;
    nlohmann::ordered_json m_params = nlohmann::ordered_json::object();
    QList<TEvaluateCall> m_evaluations;
    std::shared_ptr<Run> m_run;
    int m_durationMs = 1000;
    bool m_ready = true;
};
