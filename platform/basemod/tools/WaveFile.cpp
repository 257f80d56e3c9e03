#include "WaveFile.h"

#include <QtEndian>

namespace {

void putU32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void putU16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

QByteArray PcmWaveHeader(quint32 dataBytes, quint32 sampleRate, quint16 channels)
{
    const quint16 frameBytes = static_cast<quint16>(channels * 2);
    QByteArray out;
    out.reserve(44);
    out.append("RIFF", 4);
    putU32(out, 36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    putU32(out, 16); // size of the format chunk
    putU16(out, 1);  // PCM
    putU16(out, channels);
    putU32(out, sampleRate);              // samples per second
    putU32(out, sampleRate * frameBytes); // bytes per second
    putU16(out, frameBytes);              // bytes per sample frame
    putU16(out, 16);                      // bits per sample
    out.append("data", 4);
    putU32(out, dataBytes);
    return out;
}

void AppendPcmSamples(QByteArray &out, const QList<qint16> &samples)
{
    out.reserve(out.size() + samples.size() * 2);
    for (qint16 v : samples)
        putU16(out, static_cast<quint16>(v));
}

QByteArray BuildMonoWave(const QList<qint16> &samples, quint32 sampleRate)
{
    QByteArray out = PcmWaveHeader(static_cast<quint32>(samples.size()) * 2, sampleRate);
    AppendPcmSamples(out, samples);
    return out;
}
