#include "TDevicePlayback.h"

#include "PcmConvert.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioSink>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace {

// How often samples are moved from the decoder to the device.
constexpr int kFeedMs = 10;
// Allowance for the sound server's own latency after the device ran dry.
constexpr qint64 kDrainMarginMs = 50;

// 16-bit frames at the device's own rate and channel count: the decoder
// converts to it, so the device needs no conversion of its own.
QAudioFormat PlayFormat(const QAudioDevice &device)
{
    const QAudioFormat preferred = device.preferredFormat();
    QAudioFormat format;
    format.setSampleRate(preferred.sampleRate() > 0 ? preferred.sampleRate() : 44100);
    format.setChannelCount(std::clamp(preferred.channelCount(), 1, 2));
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

double TDevicePlayback::Rate(int speedPercent)
{
    return std::clamp((100.0 + speedPercent) / 100.0, 0.1, 5.0);
}

TDevicePlayback::TDevicePlayback(QAudioDevice output, int speedPercent, QObject *parent)
    : QObject(parent),
      m_output(std::move(output)),
      m_format(PlayFormat(m_output)),
      m_rate(Rate(speedPercent))
{
    m_feeder.setInterval(kFeedMs);
    m_feeder.setTimerType(Qt::PreciseTimer);
    connect(&m_feeder, &QTimer::timeout, this, [this] { Feed(); });
}

TDevicePlayback::~TDevicePlayback()
{
    m_onEnd = nullptr;
    Release();
}

void TDevicePlayback::SetSpeedPercent(int speedPercent)
{
    m_rate = Rate(speedPercent);
}

void TDevicePlayback::Start(const QString &path, TEndHandler onEnd)
{
    m_onEnd = std::move(onEnd);
    if (m_output.isNull() || !QFileInfo(path).isFile()) {
        const QString reason = m_output.isNull() ? QStringLiteral("no audio output device")
                               : path.isEmpty()  ? QStringLiteral("no audio")
                                                 : QStringLiteral("no such file");
        QTimer::singleShot(0, this, [this, reason] { End(TEnd::Failed, reason); });
        return;
    }
    m_reader = std::make_unique<TRateReader>(m_format.channelCount());
    // Decoder and sink have no parent: they are only ever freed from the
    // event loop (deleteLater), since freeing a sink dispatches events and
    // must not happen while this object is itself being destroyed.
    m_decoder = new QAudioDecoder;
    m_decoder->setAudioFormat(m_format);
    connect(m_decoder, &QAudioDecoder::bufferReady, this, [this] {
        const QAudioBuffer buffer = m_decoder->read();
        if (buffer.isValid() && buffer.format().sampleFormat() == QAudioFormat::Int16)
            m_reader->Append(QByteArray(buffer.constData<char>(), buffer.byteCount()));
    });
    connect(m_decoder, &QAudioDecoder::finished, this, [this] { m_decoded = true; });
    connect(m_decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, [this](QAudioDecoder::Error) {
        // What was decoded before the error still plays.
        m_decoded = true;
        if (m_reader->SourceFrames() == 0)
            End(TEnd::Failed, QStringLiteral("cannot decode: ") % m_decoder->errorString());
    });
    m_decoder->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    m_decoder->start();
    m_lastProgress.start();
    m_clock.start();
    m_feeder.start();
}

void TDevicePlayback::Feed()
{
    if (m_ended)
        return;
    if (!m_sink) {
        if (m_reader->SourceFrames() == 0) {
            if (m_decoded)
                End(TEnd::Failed, QStringLiteral("the file holds no audio"));
            else if (m_lastProgress.elapsed() > kStallMs)
                End(TEnd::Failed, QStringLiteral("the decoder produced nothing"));
            return;
        }
        m_sink = new QAudioSink(m_output, m_format);
        m_sink->setBufferSize(m_format.bytesForDuration(qint64(kDeviceBufferMs) * 1000));
        m_stream = m_sink->start();
        if (m_ended || !m_sink)
            return; // stopped by an event handled while the device started
        if (!m_stream || m_sink->error() != QAudio::NoError) {
            End(TEnd::Failed,
                QStringLiteral("the output device \"") % m_output.description() % QStringLiteral("\" does not start"));
            return;
        }
        m_lastProgress.start();
    }
    const QAudio::Error error = m_sink->error();
    if (m_sink->state() == QAudio::StoppedState && error != QAudio::NoError) {
        End(TEnd::Failed,
            QStringLiteral("the output device failed (error ") % QString::number(error) % QStringLiteral(")"));
        return;
    }
    const int frameBytes = m_format.bytesPerFrame();
    const qint64 room = m_sink->bytesFree() / frameBytes;
    if (room > 0 && !m_reader->AtEnd()) {
        const QByteArray piece = m_reader->Read(room, m_rate);
        if (!piece.isEmpty() && m_stream->write(piece) > 0)
            m_lastProgress.start();
    }
    if (m_decoded && m_reader->AtEnd()) {
        // Everything is written; the playback has ended once the device
        // has played what it holds: it runs dry (idle), or the time that
        // what it held lasts has passed.
        if (m_drainDeadline < 0) {
            const qint64 queued = std::max<qint64>(0, m_sink->bufferSize() - m_sink->bytesFree());
            m_drainDeadline =
                m_clock.elapsed() + m_format.durationForBytes(static_cast<qint32>(queued)) / 1000 + kDrainMarginMs;
        }
        if (m_sink->state() == QAudio::IdleState || m_sink->bytesFree() >= m_sink->bufferSize()
            || m_clock.elapsed() >= m_drainDeadline)
            End(TEnd::Finished, QString());
        return;
    }
    if (m_lastProgress.elapsed() > kStallMs)
        End(TEnd::Failed, QStringLiteral("the output device takes no samples"));
}

void TDevicePlayback::Stop()
{
    m_onEnd = nullptr;
    m_ended = true;
    Release();
}

void TDevicePlayback::End(TEnd end, const QString &reason)
{
    if (m_ended)
        return;
    m_ended = true;
    Release();
    if (const TEndHandler handler = std::exchange(m_onEnd, nullptr))
        handler(end, reason);
}

void TDevicePlayback::Release()
{
    // Stopping a device may dispatch events, so this object is consistent
    // (nothing left to release) before either is stopped.
    m_feeder.stop();
    QAudioDecoder *decoder = std::exchange(m_decoder, nullptr);
    QAudioSink *sink = std::exchange(m_sink, nullptr);
    m_stream = nullptr;
    if (decoder) {
        decoder->disconnect(this);
        decoder->stop();
        decoder->deleteLater();
    }
    if (sink) {
        sink->disconnect(this);
        sink->stop();
        sink->deleteLater();
    }
}
