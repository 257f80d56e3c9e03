#include "PcmConvert.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

qint16 ToSample(double level)
{
    return static_cast<qint16>(std::clamp<long>(std::lround(level * 32768.0), -32768, 32767));
}

void PutSample(QByteArray &out, qint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

qint16 SampleAt(const QByteArray &data, qint64 index)
{
    return qFromLittleEndian<qint16>(data.constData() + index * 2);
}

} // namespace

double FrameLevel(const char *frame, const QAudioFormat &format)
{
    const int channels = format.channelCount();
    const int bytes = format.bytesPerSample();
    double sum = 0;
    for (int c = 0; c < channels; ++c) {
        const char *p = frame + c * bytes;
        switch (format.sampleFormat()) {
        case QAudioFormat::UInt8: sum += (static_cast<double>(static_cast<unsigned char>(*p)) - 128.0) / 128.0; break;
        case QAudioFormat::Int16: sum += qFromLittleEndian<qint16>(p) / 32768.0; break;
        case QAudioFormat::Int32: sum += qFromLittleEndian<qint32>(p) / 2147483648.0; break;
        case QAudioFormat::Float: sum += static_cast<double>(qFromLittleEndian<float>(p)); break;
        default: break;
        }
    }
    return channels > 0 ? std::clamp(sum / channels, -1.0, 1.0) : 0.0;
}

TMonoResampler::TMonoResampler(const QAudioFormat &input, int outputRate) : m_input(input), m_outputRate(outputRate)
{
}

void TMonoResampler::Emit(double level, QByteArray &out)
{
    PutSample(out, ToSample(level));
    ++m_outCount;
}

QByteArray TMonoResampler::Push(const QByteArray &bytes)
{
    QByteArray out;
    const int frameBytes = m_input.bytesPerFrame();
    const int inRate = m_input.sampleRate();
    if (frameBytes <= 0 || inRate <= 0)
        return out;
    m_partial.append(bytes);
    const qint64 frames = m_partial.size() / frameBytes;
    out.reserve(static_cast<qsizetype>(frames * m_outputRate / inRate + 2) * 2);
    // Time is measured in output samples: input frame k covers
    // [k * r, (k + 1) * r) with r = outputRate / inRate.
    const double r = static_cast<double>(m_outputRate) / inRate;
    for (qint64 i = 0; i < frames; ++i) {
        const double level = FrameLevel(m_partial.constData() + i * frameBytes, m_input);
        const qint64 k = m_inCount++;
        if (inRate == m_outputRate) {
            Emit(level, out);
            continue;
        }
        if (r < 1.0) {
            // Downsampling: each output sample is the mean of the input over
            // its span [n, n + 1); an input frame may straddle two spans.
            double start = static_cast<double>(k) * r;
            const double end = static_cast<double>(k + 1) * r;
            while (start < end) {
                const double boundary = static_cast<double>(m_outCount + 1);
                const double upto = std::min(end, boundary);
                m_sum += level * (upto - start);
                m_weight += upto - start;
                start = upto;
                if (upto >= boundary) {
                    Emit(m_weight > 0 ? m_sum / m_weight : 0.0, out);
                    m_sum = 0;
                    m_weight = 0;
                }
            }
            continue;
        }
        // Upsampling: output sample n sits at input position n / r; it is
        // interpolated between the two input frames around it.
        if (!m_haveLast) {
            m_last = level;
            m_haveLast = true;
        }
        while (static_cast<double>(m_outCount) / r <= static_cast<double>(k)) {
            const double pos = static_cast<double>(m_outCount) / r; // in input frames
            const double frac = pos - static_cast<double>(k - 1);
            Emit(k == 0 ? level : m_last + (level - m_last) * std::clamp(frac, 0.0, 1.0), out);
        }
        m_last = level;
    }
    m_partial.remove(0, static_cast<qsizetype>(frames * frameBytes));
    return out;
}

TRateReader::TRateReader(int channels) : m_channels(std::max(1, channels))
{
}

void TRateReader::Append(const QByteArray &bytes)
{
    m_data.append(bytes);
    m_frames = m_data.size() / (2 * m_channels);
}

bool TRateReader::AtEnd() const
{
    return m_pos > static_cast<double>(m_frames) - 1.0;
}

QByteArray TRateReader::Read(qint64 frames, double speed)
{
    QByteArray out;
    if (frames <= 0 || speed <= 0)
        return out;
    out.reserve(static_cast<qsizetype>(frames * m_channels * 2));
    for (qint64 n = 0; n < frames && !AtEnd(); ++n) {
        const qint64 i = static_cast<qint64>(m_pos);
        const double frac = m_pos - static_cast<double>(i);
        const bool last = i + 1 >= m_frames;
        for (int c = 0; c < m_channels; ++c) {
            const double a = SampleAt(m_data, i * m_channels + c);
            const double b = last ? a : SampleAt(m_data, (i + 1) * m_channels + c);
            PutSample(out, static_cast<qint16>(std::lround(a + (b - a) * frac)));
        }
        m_pos += speed;
    }
    return out;
}
