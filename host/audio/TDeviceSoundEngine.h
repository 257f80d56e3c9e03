#pragma once
// The sound engine on the machine's audio devices.
//
// Files play on the output device (see TDevicePlayback) at the speed percent
// as playback rate; a waiting call keeps dispatching events until the
// playback ends or StopPlay ends it. The play-finished handler is called
// when a playback ends by itself (it played to its end, or it could not be
// played at all: a missing file, an undecodable one, a failed device), never
// when StopPlay or a newer playback ends it. Recording writes the input
// device as a 16 kHz mono 16-bit WAV (see TDeviceRecorder). Score comments
// come from a provider (the UI archive) and an http(s) address is downloaded
// before it plays.

#include "HostServices.h"
#include "IRecordingSource.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class TDevicePlayback;
class TDeviceRecorder;

class TDeviceSoundEngine : public QObject, public ISoundEngine, public IRecordingSource
{
public:
    using TScoreSoundProvider = std::function<std::optional<QByteArray>(int kind, double score)>;

    // A stream that has not arrived after this long is given up.
    static constexpr int kStreamTimeoutMs = 15000;

    // Relative file names are taken under `mainPath`.
    TDeviceSoundEngine(QString mainPath, QAudioDevice output, QAudioDevice input, QObject *parent = nullptr);
    ~TDeviceSoundEngine() override;

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

    bool StartRecording(const QString &path) override;
    bool IsRecording() const override;
    QString RecordingPath() const override;
    void StopRecording() override;

    void SetScoreSoundProvider(TScoreSoundProvider provider);

    bool IsPlaying() const;
    // Real path (or "score:<kind>", or the address) of the running playback.
    QString PlayingName() const { return IsPlaying() ? m_playingName : QString(); }
    QAudioDevice Output() const { return m_output; }
    QAudioDevice Input() const { return m_input; }

private:
    struct TWaitState
    {
        bool ended = false;
    };

    // Ends the running playback (without the handler) and starts a new one
    // of `path` under `name`; waits for it when asked.
    void play(const QString &name, const QString &path, bool wait, int speedPercent);
    void playStream(const QUrl &address, bool wait);
    void playBytes(const QString &name, const QByteArray &bytes, const QString &suffix, bool wait);
    void waitFor(const std::shared_ptr<TWaitState> &state);

    QString m_mainPath;
    QAudioDevice m_output;
    QAudioDevice m_input;
    TNotifyProc m_onFinished;
    TScoreSoundProvider m_scoreSounds;
    QPointer<TDevicePlayback> m_playback;
    std::shared_ptr<TWaitState> m_playState;
    QString m_playingName;
    TDeviceRecorder *m_recorder;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_download; // a stream still arriving
    QTemporaryDir m_temp;               // score comments and streams as files
    int m_tempCount = 0;
};
