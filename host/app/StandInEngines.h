#pragma once
// Stand-in sound and grading engines that need no audio device.
//
// They let the host run the module end to end on any machine until real
// engines are plugged in behind the same interfaces: nothing is heard,
// recordings are silence, and nothing is graded.

#include "HostServices.h"

#include <QObject>
#include <QPointer>
#include <QString>

// Writes `seconds` of silence as a 16 kHz mono 16-bit PCM WAV file.
// False when the file cannot be written.
bool WriteSilentWav(const QString &fileName, double seconds);

// Playback ends at once (the finished handler runs from the event loop, never
// inside the play call); recording writes one second of silence when it
// starts.
class TQuietSoundEngine : public ISoundEngine
{
public:
    // `context` owns the queued finish notices; they are dropped with it.
    explicit TQuietSoundEngine(QObject *context) : m_context(context) {}

    void SetOnPlayFinished(TNotifyProc handler) override { m_onFinished = std::move(handler); }
    void PlayVoice(const QString &fileName, bool wait) override;
    void PlayFile(const QString &fileName, bool wait, int speedPercent) override;
    void PlayScoreSound(int kind, double score) override;
    void PlayScoreSoundEx(int kind, bool wait, double score) override;
    void SetPlaySpeed(const QString &fileName, int speedPercent) override;
    void PlayUrl(const QString &url, bool wait) override;
    void StopPlay() override;
    void StartRecord(const QString &wavFileName) override;
    void StopRecord() override;

    // Files written by StartRecord that could not be created.
    int FailedRecordings() const { return m_failedRecordings; }

private:
    void FinishLater();

    QPointer<QObject> m_context;
    TNotifyProc m_onFinished;
    int m_failedRecordings = 0;
};

// Always ready, never grades: an evaluation records silence and leaves no
// result, so the module sees "not graded".
class TUngradedAudioEngine : public IAudioEngine
{
public:
    QString GetLastResult() override { return {}; }
    bool IsEngineReady() override { return true; }
    nlohmann::ordered_json &GetEngineParams() override { return m_params; }
    void SetEngineParams(const nlohmann::ordered_json &params) override { m_params = params; }
    void Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds) override;
    QString EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                              bool &stop) override;

private:
    nlohmann::ordered_json m_params = nlohmann::ordered_json::object();
};
