#pragma once
// A sound engine for tests: playbacks last a configurable stated time on the
// study clock instead of making sound, recordings write a real WAV file, and
// every call is recorded.
//
// A waiting playback (PlayFile, PlayVoice, PlayUrl or PlayScoreSoundEx with
// the wait flag) keeps dispatching events through the base package's wait
// until its time is up or StopPlay is called. A playback without the wait flag
// returns at once and ends by itself after its time. Starting a playback ends
// the one that is running. The play-finished handler is called once at the end
// of every playback: when its time is up, and (unless switched off) when
// StopPlay or a new playback ends it early.

#include "FakeCallLog.h"
#include "HostServices.h"

#include <QFile>
#include <QObject>

#include <memory>

class FakeSoundEngine : public QObject, public ISoundEngine
{
public:
    ~FakeSoundEngine() override;

    // Stated length of a file, voice or address playback (default 1000 ms).
    void SetPlayDuration(int ms) { m_playMs = ms; }
    // Called by StopRecord after the file is closed: lets a test couple the
    // microphone to a grading engine (e.g. FakeAudioEngine::Interrupt).
    void SetOnStopRecord(TNotifyProc hook) { m_onStopRecord = std::move(hook); }

    bool IsPlaying() const { return m_current != nullptr; }
    // File, address or "score:<kind>:<score>" of the running playback.
    QString PlayingName() const;
    bool IsRecording() const { return m_record.isOpen(); }
    bool HasFinishedHandler() const { return static_cast<bool>(m_onFinished); }

    FakeCallLog &Calls() { return m_calls; }
    const FakeCallLog &Calls() const { return m_calls; }

    void SetOnPlayFinished(TNotifyProc handler) override;
    void PlayVoice(const QString &fileName, bool wait) override;
    void PlayFile(const QString &fileName, bool wait, int speedPercent) override;
    void PlayScoreSound(int kind, double score) override;
    void PlayScoreSoundEx(int kind, bool wait, double score) override;
    void SetPlaySpeed(const QString &fileName, int speedPercent) override;
    void PlayUrl(const QString &url, bool wait) override;
    void StopPlay() override;
    void StartRecord(const QString &wavFileName) override;
    void StopRecord() override;

private:
    struct Playback
    {
        QString name;
        bool ended = false;
    };

    void play(const QString &name, int ms, bool wait);
    void finish(const std::shared_ptr<Playback> &playback);

    FakeCallLog m_calls;
    TNotifyProc m_onFinished;
    TNotifyProc m_onStopRecord;
    std::shared_ptr<Playback> m_current;
    int m_playMs = 1000;
    int m_scoreMs = 500;
    QFile m_record;
};
