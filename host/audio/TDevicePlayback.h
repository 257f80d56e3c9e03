#pragma once
// One playback of an audio file (MP3, WAV, whatever the decoder reads) on an
// output device.
//
// The file is decoded while it plays; the decoded frames are read at the
// playback speed (see TRateReader) and written to the device in small
// pieces, so a speed change is heard within a few tens of milliseconds and a
// stop is immediate. A playback ends exactly once: by itself (the last frame
// has left the device), by failing (the file cannot be decoded, the device
// fails or stops taking samples), or by Stop. The end handler is told which
// of the first two happened; Stop does not call it. A playback is freed with
// deleteLater only.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QAudioDecoder;
class QAudioSink;
class QIODevice;
class TRateReader;

class TDevicePlayback : public QObject
{
public:
    enum class TEnd { Finished, Failed };
    using TEndHandler = std::function<void(TEnd end, const QString &reason)>;

    // Samples the device holds ahead of what is heard.
    static constexpr int kDeviceBufferMs = 300;
    // A device that takes no sample for this long has failed.
    static constexpr int kStallMs = 3000;

    TDevicePlayback(QAudioDevice output, int speedPercent, QObject *parent = nullptr);
    ~TDevicePlayback() override;

    // Starts decoding and playing `path`. The end handler is never called
    // inside this call: a file that cannot be played fails from the event
    // loop.
    void Start(const QString &path, TEndHandler onEnd);
    void SetSpeedPercent(int speedPercent);
    // Silences the device at once; the end handler is not called.
    void Stop();
    bool IsEnded() const { return m_ended; }

    // The playback rate of a speed percent: -25 → 0.75, 0 → 1.0, 25 → 1.25
    // (kept between 0.1 and 5).
    static double Rate(int speedPercent);

private:
    void Feed();
    void End(TEnd end, const QString &reason);
    void Release();

    QAudioDevice m_output;
    QAudioFormat m_format;
    double m_rate = 1.0;
    QAudioDecoder *m_decoder = nullptr;
    QAudioSink *m_sink = nullptr;
    QIODevice *m_stream = nullptr;
    std::unique_ptr<TRateReader> m_reader;
    QTimer m_feeder;
    QElapsedTimer m_lastProgress;
    QElapsedTimer m_clock;
    qint64 m_drainDeadline = -1; // when what the device holds has been heard
    bool m_decoded = false;
    bool m_ended = false;
    TEndHandler m_onEnd;
};
