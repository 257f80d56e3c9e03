#pragma once
// A grading engine for machines without a microphone or grading service.
//
// An evaluation "records" for as long as the reference text takes to say
// (never longer than the seconds allowed) while dispatching events, writes
// that recording as a WAV when a file name is given, and grades it with
// SimGradeResult. A stoppable evaluation that is stopped early has a shorter
// recording, so its last words go unheard. Scenarios can queue their own
// result texts, which are handed out in order instead of a computed one.

#include "HostServices.h"

#include <QObject>
#include <QStringList>

class TSimGradeEngine : public QObject, public IAudioEngine
{
public:
    explicit TSimGradeEngine(QString mainPath, QObject *parent = nullptr);

    QString GetLastResult() override;
    bool IsEngineReady() override;
    nlohmann::ordered_json &GetEngineParams() override;
    void SetEngineParams(const nlohmann::ordered_json &params) override;
    void Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds) override;
    QString EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                              bool &stop) override;

    // False makes the engine report that it is still starting.
    void SetEngineReady(bool ready);
    // The next evaluation's result text, used once (then computed ones again).
    void QueueResult(const QString &resultJson);
    // Stated milliseconds the last evaluation recorded.
    qint64 LastRecordedMs() const { return m_lastRecordedMs; }

private:
    // Returns false when the engine was deleted during the wait.
    bool evaluate(int mode, const QString &text, const QString &wavFileName, int seconds, const bool *stop);

    QString m_mainPath;
    bool m_ready = true;
    nlohmann::ordered_json m_params = nlohmann::ordered_json::object();
    QString m_lastResult;
    QStringList m_queued;
    qint64 m_lastRecordedMs = 0;
};
