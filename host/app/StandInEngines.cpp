#include "StandInEngines.h"

#include "Log.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>

namespace {

constexpr quint32 kSampleRate = 16000;
constexpr quint16 kChannels = 1;
constexpr quint16 kBitsPerSample = 16;

} // namespace

bool WriteSilentWav(const QString &fileName, double seconds)
{
    if (fileName.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const quint32 samples = static_cast<quint32>(std::clamp(seconds, 0.0, 600.0) * kSampleRate);
    const quint32 dataBytes = samples * kChannels * (kBitsPerSample / 8);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVE", 4);
    out.writeRawData("fmt ", 4);
    out << quint32(16) << quint16(1) << kChannels << kSampleRate
        << quint32(kSampleRate * kChannels * (kBitsPerSample / 8))
        << quint16(kChannels * (kBitsPerSample / 8)) << kBitsPerSample;
    out.writeRawData("data", 4);
    out << dataBytes;
    const QByteArray silence(static_cast<qsizetype>(dataBytes), '\0');
    out.writeRawData(silence.constData(), static_cast<int>(silence.size()));
    return out.status() == QDataStream::Ok && file.commit();
}

void TQuietSoundEngine::FinishLater()
{
    if (!m_context)
        return;
    QTimer::singleShot(0, m_context, [this] {
        if (m_onFinished)
            m_onFinished();
    });
}

void TQuietSoundEngine::PlayVoice(const QString &fileName, bool wait)
{
    Q_UNUSED(fileName);
    Q_UNUSED(wait);
    FinishLater();
}

void TQuietSoundEngine::PlayFile(const QString &fileName, bool wait, int speedPercent)
{
    Q_UNUSED(fileName);
    Q_UNUSED(wait);
    Q_UNUSED(speedPercent);
    FinishLater();
}

void TQuietSoundEngine::PlayScoreSound(int kind, double score)
{
    Q_UNUSED(kind);
    Q_UNUSED(score);
}

void TQuietSoundEngine::PlayScoreSoundEx(int kind, bool wait, double score)
{
    Q_UNUSED(kind);
    Q_UNUSED(wait);
    Q_UNUSED(score);
}

void TQuietSoundEngine::SetPlaySpeed(const QString &fileName, int speedPercent)
{
    Q_UNUSED(fileName);
    Q_UNUSED(speedPercent);
}

void TQuietSoundEngine::PlayUrl(const QString &url, bool wait)
{
    Q_UNUSED(url);
    Q_UNUSED(wait);
    FinishLater();
}

void TQuietSoundEngine::StopPlay() {}

void TQuietSoundEngine::StartRecord(const QString &wavFileName)
{
    if (!WriteSilentWav(wavFileName, 1.0)) {
        ++m_failedRecordings;
        procSaveLog(QStringLiteral("error:host: cannot write recording ") % wavFileName);
    }
}

void TQuietSoundEngine::StopRecord() {}

void TUngradedAudioEngine::Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds)
{
    Q_UNUSED(mode);
    Q_UNUSED(text);
    if (!WriteSilentWav(wavFileName, std::min(seconds, 1)))
        procSaveLog(QStringLiteral("error:host: cannot write recording ") % wavFileName);
}

QString TUngradedAudioEngine::EvaluateStoppable(int mode, const QString &text, const QString &wavFileName,
                                                int seconds, bool &stop)
{
    Q_UNUSED(stop);
    Evaluate(mode, wavFileName, text, seconds);
    return QStringLiteral("not graded");
}
