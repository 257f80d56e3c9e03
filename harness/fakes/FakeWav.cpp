#include "FakeWav.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

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

QVector<qint16> DefaultRecordSamples()
{
    const int n = kFakeWavSampleRate / 4;
    QVector<qint16> s(n);
    for (int i = 0; i < n; ++i)
        s[i] = static_cast<qint16>(8000 * std::sin(2 * std::numbers::pi * 440.0 * i / kFakeWavSampleRate));
    return s;
}

QByteArray BuildWav(const QVector<qint16> &samples)
{
    const quint32 dataBytes = static_cast<quint32>(samples.size()) * 2;
    QByteArray out;
    out.reserve(44 + static_cast<int>(dataBytes));
    out.append("RIFF", 4);
    putU32(out, 36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    putU32(out, 16);                      // size of the format chunk
    putU16(out, 1);                       // PCM
    putU16(out, 1);                       // mono
    putU32(out, kFakeWavSampleRate);      // samples per second
    putU32(out, kFakeWavSampleRate * 2);  // bytes per second
    putU16(out, 2);                       // bytes per frame
    putU16(out, 16);                      // bits per sample
    out.append("data", 4);
    putU32(out, dataBytes);
    for (qint16 v : samples)
        putU16(out, static_cast<quint16>(v));
    return out;
}

QString FakeLocalPath(const QString &name)
{
    QString p = name;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}
