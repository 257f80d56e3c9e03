#pragma once
// A grading engine that records the learner through a sound engine and then
// hands the recording to a scorer.
//
// An evaluation uses the recording the module has already started with
// StartRecord (the usual order) or starts one into the WAV file it is given
// (a file of its own when the name is empty). It keeps dispatching events
// until the seconds allowed have passed since the call, the recording was
// stopped (StopRecord from a stop or close handler) or the stop flag became
// true; then it stops the recording so that the file is complete, copies it
// to the file named in the call when that is another one, and grades it.
// The scorer runs on a worker thread while events are still dispatched (it
// must not touch the engine or any widget); a scorer that throws leaves an
// "error:" log line and no result.

#include "HostServices.h"
#include "IRecordingSource.h"
#include "RecordingScorer.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class TRecordingGradeEngine : public QObject, public IAudioEngine
{
public:
    TRecordingGradeEngine(QString mainPath, std::shared_ptr<IRecordingSource> recorder, TRecordingScorer scorer,
                          QObject *parent = nullptr);

    QString GetLastResult() override;
    bool IsEngineReady() override;
    nlohmann::ordered_json &GetEngineParams() override;
    void SetEngineParams(const nlohmann::ordered_json &params) override;
    void Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds) override;
    QString EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                              bool &stop) override;

    // The file the last evaluation graded.
    QString LastRecording() const { return m_lastRecording; }

private:
    // Returns false when the engine was deleted during the wait.
    bool evaluate(int mode, const QString &text, const QString &wavFileName, int seconds, const bool *stop);

    QString m_mainPath;
    std::shared_ptr<IRecordingSource> m_recorder;
    TRecordingScorer m_scorer;
    nlohmann::ordered_json m_params = nlohmann::ordered_json::object();
    QString m_lastResult;
    QString m_lastRecording;
    QTemporaryDir m_temp;
};
