// The device sound engine against a real sound server started by the test:
// an MP3 played through a null sink and recorded back from its monitor, at
// each speed. The one round trip through real devices; the engine's waits,
// stops and grading are the device-free engine's tests, the conversions
// PcmConvertTest's. Skipped when no server can be started.

#include "TestSoundServer.h"

#include "AudioDuration.h"
#include "TDeviceSoundEngine.h"

#include "Mp3Encoder.h"
#include "Wait.h"
#include "WaveFile.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct TRecording
{
    double ms = 0;
    double loudSpanMs = 0; // from the first to the last sample louder than 3000
    int peak = 0;
};

// Reads a recording and checks its header is the engine's: 16 kHz mono
// 16-bit PCM whose data size is what the file holds.
TRecording ReadRecording(const QString &path)
{
    TWaveFormat format;
    QString error;
    EXPECT_TRUE(ReadWaveFormat(path, format, &error)) << qPrintable(error);
    EXPECT_EQ(format.sampleRate, 16000);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.dataOffset, 44);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 40), static_cast<quint32>(bytes.size() - 44));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), static_cast<quint32>(bytes.size() - 8));
    TRecording r;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; 44 + 2 * i + 1 < bytes.size(); ++i) {
        const int level = std::abs(static_cast<int>(qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i)));
        r.peak = std::max(r.peak, level);
        if (level > 3000) {
            first = first < 0 ? i : first;
            last = i;
        }
        r.ms = static_cast<double>(i + 1) / 16.0;
    }
    r.loudSpanMs = first < 0 ? 0.0 : static_cast<double>(last - first + 1) / 16.0;
    return r;
}

// Real milliseconds a call takes.
template<typename F>
qint64 Timed(F &&call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed();
}

} // namespace

TEST(DeviceSoundEngine, AnMp3PlayedAtEachSpeedIsRecordedBackAtItsLength)
{
    if (!ProgramSoundServer() || !ProgramSoundServer()->IsRunning())
        GTEST_SKIP() << "no PulseAudio server could be started for this test ("
                     << qPrintable(ProgramSoundServer() ? ProgramSoundServer()->Error() : QStringLiteral("none"))
                     << ")";
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    ASSERT_FALSE(output.isNull());
    ASSERT_FALSE(input.isNull());
    QTemporaryDir dir;
    // Two seconds of a 440 Hz tone at half scale, as MP3.
    QList<qint16> tone;
    for (qint64 i = 0; i < 2 * 22050; ++i)
        tone << static_cast<qint16>(std::lround(16000 * std::sin(2 * std::numbers::pi * 440.0 * i / 22050)));
    QFile wav(dir.filePath(QStringLiteral("tone.wav")));
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
    wav.write(BuildMonoWave(tone, 22050));
    wav.close();
    ASSERT_EQ(EncodeWaveToMp3(wav.fileName(), dir.filePath(QStringLiteral("tmp/tone.mp3")), nullptr), TMp3Result::Ok);
    // The MP3's own length (the encoder pads the tone a little).
    const std::optional<qint64> fileMs = AudioFileDurationMs(dir.filePath(QStringLiteral("tmp/tone.mp3")));
    ASSERT_TRUE(fileMs);
    ASSERT_NEAR(*fileMs, 2000, 100);
    TDeviceSoundEngine engine(dir.path(), output, input);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });

    struct Case
    {
        int speedPercent;
        double playedMs; // the file's length at that speed
    };
    const double ms = static_cast<double>(*fileMs);
    for (const Case c : {Case{-25, ms / 0.75}, Case{0, ms}, Case{25, ms / 1.25}}) {
        SCOPED_TRACE(c.speedPercent);
        const QString file = QStringLiteral("back") % QString::number(c.speedPercent + 100) % QStringLiteral(".wav");
        const int finishedBefore = finished;
        engine.StartRecord(QStringLiteral("tmp\\") % file);
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("tmp/") % file))) << "there from the start";
        const qint64 played = Timed([&] { engine.PlayFile(QStringLiteral("tmp\\tone.mp3"), true, c.speedPercent); });
        WaitFor(300, nullptr); // the device's latency: the end reaches the monitor
        engine.StopRecord();

        EXPECT_EQ(finished, finishedBefore + 1);
        // The call returns when the tone has been heard (plus the decoder's start).
        EXPECT_GE(played, c.playedMs * 0.95);
        EXPECT_LE(played, c.playedMs * 1.1 + 150);
        const TRecording r = ReadRecording(dir.filePath(QStringLiteral("tmp/") % file));
        // The tone came back, at its length for the speed.
        EXPECT_GT(r.peak, 8000);
        EXPECT_NEAR(r.loudSpanMs, c.playedMs, c.playedMs * 0.1);
        EXPECT_GT(r.ms, r.loudSpanMs);
    }
    EXPECT_FALSE(engine.IsPlaying());
}
