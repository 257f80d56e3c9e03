#pragma once
// Records the input device into a 16 kHz mono 16-bit PCM WAV file.
//
// The device records in its own preferred format (asking the sound server
// for 16 kHz makes some servers drop the first second) and the samples are
// converted as they arrive. The file exists with a header from the start and
// receives its samples while the recording runs; its final header is written
// when the recording stops, or when the device fails, in which case what was
// recorded so far is kept and the failure is logged.

#include <QAudioDevice>
#include <QFile>
#include <QObject>
#include <QString>

#include <memory>

class QAudioSource;
class QIODevice;
class TMonoResampler;

class TDeviceRecorder : public QObject
{
public:
    // Recordings longer than this are cut to it.
    static constexpr qint64 kMaxRecordMs = 300000;

    explicit TDeviceRecorder(QAudioDevice input, QObject *parent = nullptr);
    ~TDeviceRecorder() override;

    // Starts recording into `path` (its folder is created). False, with the
    // reason in `error`, when the file cannot be written or the device does
    // not start; no file is left then.
    bool Start(const QString &path, QString *error);
    // Takes what the device still holds, stops it and completes the file.
    void Stop();

    bool IsRecording() const { return m_source != nullptr; }
    QString Path() const { return m_path; }
    // Milliseconds in the file so far (of the last recording once stopped).
    qint64 RecordedMs() const;

private:
    void Take();
    void Finish();

    QAudioDevice m_input;
    QAudioSource *m_source = nullptr;
    QIODevice *m_stream = nullptr;
    std::unique_ptr<TMonoResampler> m_resampler;
    QFile m_file;
    QString m_path;
    qint64 m_samples = 0;
};
