#pragma once
// A sound engine for machines without audio devices.
//
// Playback "plays" a file for its real duration (WAV from its header, MP3
// from its frames), scaled by the speed percent, on the study clock. A waiting
// call keeps dispatching events until the time is up or StopPlay ends it; a
// call without waiting returns at once and the playback ends by itself later.
// Every playback ends exactly once, and the play-finished handler is called
// then, whether it ran out or was stopped. An http(s) address is downloaded
// first and then plays for the length of what arrived; the download time
// does not count as playing. Recording writes a 16 kHz mono
// 16-bit PCM WAV whose length is the time between StartRecord and StopRecord.

#include "HostServices.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

class TDeviceFreeSoundEngine : public QObject, public ISoundEngine
{
public:
    // Audio of the spoken comment for a score (for example from the host's
    // picture archive); none when there is no comment for it.
    using TScoreSoundProvider = std::function<std::optional<QByteArray>(int kind, double score)>;

    // Recordings longer than this are cut to it.
    static constexpr int kMaxRecordMs = 300000;
    // Length of a score comment when no provider gives its audio.
    static constexpr int kDefaultCommentMs = 1000;
    // A stream that has not arrived after this long is given up.
    static constexpr int kStreamTimeoutMs = 15000;

    // Relative file names are taken under `mainPath`.
    explicit TDeviceFreeSoundEngine(QString mainPath, QObject *parent = nullptr);
    ~TDeviceFreeSoundEngine() override;

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

    void SetScoreSoundProvider(TScoreSoundProvider provider);

    bool IsPlaying() const { return m_current != nullptr; }
    // Real path (or "score:<kind>") of the running playback; empty when idle.
    QString PlayingName() const;
    bool IsRecording() const { return !m_recordPath.isEmpty(); }

private:
    struct TPlayback
    {
        QString name;
        double remainingMs = 0; // audio still to play, at normal speed
        int speedPercent = 0;
        bool stop = false;
        bool ended = false;
        bool loading = false;          // a stream still arriving: time does not run
        QPointer<QNetworkReply> reply; // its download
    };

    std::shared_ptr<TPlayback> begin(const QString &name, bool wait, int speedPercent);
    void play(const QString &name, std::optional<qint64> durationMs, bool wait, int speedPercent);
    void playStream(const QUrl &address, bool wait);
    void waitFor(const std::shared_ptr<TPlayback> &playback);
    void tick();
    void end(const std::shared_ptr<TPlayback> &playback);

    QString m_mainPath;
    TNotifyProc m_onFinished;
    TScoreSoundProvider m_scoreSounds;
    std::shared_ptr<TPlayback> m_current;
    bool m_currentWaits = false;
    QNetworkAccessManager *m_network = nullptr;
    QTimer m_ticker; // advances playbacks started without waiting
    QElapsedTimer m_tickClock;
    QString m_recordPath;
    QElapsedTimer m_recordClock;
};
