#include "FakeWav.h"

#include "WaveFile.h"

#include <cmath>
#include <numbers>

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
    return BuildMonoWave(samples, kFakeWavSampleRate);
}

QString FakeLocalPath(const QString &name)
{
    QString p = name;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}
