#include "TDeviceRecorder.h"

#include "PcmConvert.h"

#include "Log.h"
#include "WaveFile.h"

#include <QAudioSource>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The format the device is opened with: its preferred one, or plain 16 kHz
// mono 16-bit when it names none.
QAudioFormat RecordFormat(const QAudioDevice &device)
{
    QAudioFormat format = device.preferredFormat();
    if (format.isValid() && format.sampleFormat() != QAudioFormat::Unknown)
        return format;
    format.setSampleRate(kRecordSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

constexpr qint64 kMaxSamples = TDeviceRecorder::kMaxRecordMs * kRecordSampleRate / 1000;

} // namespace

TDeviceRecorder::TDeviceRecorder(QAudioDevice input, QObject *parent) : QObject(parent), m_input(std::move(input))
{
}

TDeviceRecorder::~TDeviceRecorder()
{
    Stop();
}

qint64 TDeviceRecorder::RecordedMs() const
{
    return m_samples * 1000 / kRecordSampleRate;
}

bool TDeviceRecorder::Start(const QString &path, QString *error)
{
    Stop();
    m_samples = 0;
    m_path = path;
    if (m_input.isNull()) {
        *error = QStringLiteral("no audio input device");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_file.setFileName(path);
    if (path.isEmpty() || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || m_file.write(PcmWaveHeader(0, kRecordSampleRate)) != 44) {
        *error = QStringLiteral("cannot write ") % path;
        m_file.close();
        return false;
    }
    const QAudioFormat format = RecordFormat(m_input);
    m_resampler = std::make_unique<TMonoResampler>(format);
    // No parent: freed from the event loop only (see Finish).
    m_source = new QAudioSource(m_input, format);
    m_stream = m_source->start();
    if (!m_stream || m_source->error() != QAudio::NoError) {
        *error = QStringLiteral("the input device \"") % m_input.description()
                 % QStringLiteral("\" does not start (error ") % QString::number(m_source->error())
                 % QStringLiteral(")");
        std::exchange(m_source, nullptr)->deleteLater();
        m_stream = nullptr;
        m_file.remove();
        return false;
    }
    connect(m_stream, &QIODevice::readyRead, this, [this] { Take(); });
    connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && m_source && m_source->error() != QAudio::NoError) {
            procSaveLog(QStringLiteral("error:StartRecord: the input device failed (error ")
                        % QString::number(m_source->error()) % QStringLiteral("); keeping ")
                        % QString::number(RecordedMs()) % QStringLiteral(" ms in ") % m_path);
            Finish();
        }
    });
    return true;
}

void TDeviceRecorder::Take()
{
    if (!m_stream)
        return;
    const QByteArray samples = m_resampler->Push(m_stream->readAll());
    const qint64 room = std::max<qint64>(0, kMaxSamples - m_samples);
    const qint64 count = std::min<qint64>(room, samples.size() / 2);
    if (count > 0 && m_file.write(samples.constData(), count * 2) == count * 2)
        m_samples += count;
}

void TDeviceRecorder::Stop()
{
    if (!m_source)
        return;
    Take();
    Finish();
}

void TDeviceRecorder::Finish()
{
    if (!m_source)
        return;
    // The file is complete before the device is stopped: stopping it may
    // dispatch events, and a handler may start the next recording. The
    // device is freed from the event loop, never while this object is being
    // destroyed.
    QAudioSource *source = std::exchange(m_source, nullptr);
    m_stream = nullptr;
    source->disconnect(this);
    m_resampler.reset();
    const quint32 dataBytes = static_cast<quint32>(m_samples * 2);
    if (!m_file.seek(0) || m_file.write(PcmWaveHeader(dataBytes, kRecordSampleRate)) != 44 || !m_file.flush())
        procSaveLog(QStringLiteral("error:StopRecord cannot complete ") % m_path);
    m_file.close();
    source->stop();
    source->deleteLater();
}
