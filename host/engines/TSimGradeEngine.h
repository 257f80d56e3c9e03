#pragma once
// A grading engine for machines without a microphone or grading service.
//
// An evaluation "records" for as long as the reference text takes to say
// (never longer than the seconds allowed) while dispatching events, writes
// that recording as a WAV when a file name is given, and grades it with
// SimGradeResult. A stoppable evaluation that is stopped early has a shorter
// recording, so its last words go unheard. Scenarios can queue their own
// result texts, which are handed out in order instead of a computed one.
//
// A scorer set with SetScorer grades the finished recording instead of the
// simulation (the offline grader): it runs on a worker thread while the
// evaluation keeps dispatching events, and gets the WAV file (a work file
// under "tmp\" when the module passed no file name) and the seconds allowed.
//
// Microphone files set with SetMicrophone stand in for the learner: each
// recording holds the next file's speech in turn, starting again after the
// last (as long as the file, never longer than the seconds allowed, shorter
// when stopped) instead of the tone, so the offline grader can be tried and
// shown without a microphone (a passage is read one sentence a recording).

#include "HostServices.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// Grades a finished recording: the "result" object for `text` (mode 0
// word, 1 sentence, 2 sentence of a passage) read in the WAV file `wavPath`,
// cut after `seconds`. Runs on a worker thread; must not throw.
using TGradeScorer =
    std::function<nlohmann::ordered_json(int mode, const QString &text, const QString &wavPath, int seconds)>;

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
    // Grades recordings with `scorer` from now on; an empty one restores the
    // simulated grading.
    void SetScorer(TGradeScorer scorer);
    // The recordings from now on hold the speech of these WAV files in turn
    // (any common WAV; kept as 16 kHz mono); false, and the tone kept, when
    // one cannot be read. No files restore the tone.
    bool SetMicrophone(const QStringList &wavPaths);
    // Stated milliseconds the last evaluation recorded.
    qint64 LastRecordedMs() const { return m_lastRecordedMs; }

private:
    // Returns false when the engine was deleted during the wait.
    bool evaluate(int mode, const QString &text, const QString &wavFileName, int seconds, const bool *stop);

    // Runs the scorer off the user-interface thread; false when the engine
    // was deleted during the wait.
    bool score(int mode, const QString &text, const QString &wavPath, int seconds);
    // The first `ms` of `speech` as the recording at `path`.
    static bool writeSpeech(const QString &path, const std::vector<std::int16_t> &speech, qint64 ms);

    QString m_mainPath;
    TGradeScorer m_scorer;
    bool m_ready = true;
    nlohmann::ordered_json m_params = nlohmann::ordered_json::object();
    QString m_lastResult;
    QStringList m_queued;
    qint64 m_lastRecordedMs = 0;
    std::vector<std::vector<std::int16_t>> m_microphone; // 16 kHz mono; none: the tone
    std::size_t m_nextMicrophone = 0;
};
