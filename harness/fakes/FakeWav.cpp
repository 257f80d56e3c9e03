#include "FakeWav.h"

#include "WaveFile.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <numbers>

QString FakeLocalPath(const QString &name)
{
    QString p = name;
    return p.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool WriteFakeRecording(QFile &file, const QString &name)
{
    constexpr int rate = 16000;
    QList<qint16> samples(rate / 4);
    for (int i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<qint16>(8000 * std::sin(2 * std::numbers::pi * 440.0 * i / rate));
    const QString path = FakeLocalPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(BuildMonoWave(samples, rate)) > 0
           && file.flush();
}
