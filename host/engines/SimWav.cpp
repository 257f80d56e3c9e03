#include "SimWav.h"

#include "WaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

void putU16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

QByteArray SimWavHeader(quint32 dataBytes)
{
    return PcmWaveHeader(dataBytes, kSimWavSampleRate);
}

QByteArray SimToneBytes(qint64 first, qint64 count)
{
    QByteArray out;
    if (count <= 0)
        return out;
    out.reserve(static_cast<qsizetype>(count * 2));
    for (qint64 i = first; i < first + count; ++i) {
        const double v = 600.0 * std::sin(2 * std::numbers::pi * 440.0 * static_cast<double>(i) / kSimWavSampleRate);
        putU16(out, static_cast<quint16>(static_cast<qint16>(std::lround(v))));
    }
    return out;
}

qint64 SimSamplesForMs(qint64 ms)
{
    return ms <= 0 ? 0 : ms * kSimWavSampleRate / 1000;
}

bool WriteSimWav(const QString &path, qint64 ms)
{
    return WriteSimWavSamples(path, SimToneBytes(0, SimSamplesForMs(ms)));
}

bool WriteSimWavSamples(const QString &path, const QByteArray &samples)
{
    if (path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(SimWavHeader(static_cast<quint32>(samples.size())));
    file.write(samples);
    return file.commit();
}
