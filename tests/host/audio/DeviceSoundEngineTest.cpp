// The device sound engine against a real sound server started by the test:
// an MP3 played through a null sink and recorded back from its monitor, at
// each speed; waits, stops, the play-finished handler and grading through
// the recording. Skipped when no server can be started.

#include "TestSoundServer.h"

#include "AudioDuration.h"
#include "RecordingScorer.h"
#include "TDeviceSoundEngine.h"
#include "TRecordingGradeEngine.h"

#include "LogCapture.h"
#include "WaitUntil.h"

#include "Mp3Encoder.h"
#include "Wait.h"
#include "WaveFile.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr qint64 kToneMs = 2000;

struct TRecording
{
    TWaveFormat format;
    QList<qint16> samples;
    double Ms() const { return samples.size() * 1000.0 / 16000.0; }
    // Milliseconds from the first to the last sample louder than `level`.
    double LoudSpanMs(int level = 3000) const
    {
        qsizetype first = -1, last = -1;
        for (qsizetype i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i]) > level) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        return first < 0 ? 0.0 : static_cast<double>(last - first + 1) * 1000.0 / 16000.0;
    }
    int Peak() const
    {
        int peak = 0;
        for (qint16 s : samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        return peak;
    }
};

// Reads a recording and checks its header is the engine's: 16 kHz mono
// 16-bit PCM whose data size is what the file holds.
TRecording ReadRecording(const QString &path)
{
    TRecording r;
    QString error;
    EXPECT_TRUE(ReadWaveFormat(path, r.format, &error)) << qPrintable(error);
    EXPECT_EQ(r.format.sampleRate, 16000);
    EXPECT_EQ(r.format.channels, 1);
    EXPECT_EQ(r.format.bitsPerSample, 16);
    EXPECT_EQ(r.format.dataOffset, 44);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 40), static_cast<quint32>(bytes.size() - 44));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), static_cast<quint32>(bytes.size() - 8));
    for (qsizetype i = 44; i + 1 < bytes.size(); i += 2)
        r.samples << qFromLittleEndian<qint16>(bytes.constData() + i);
    return r;
}

class DeviceSoundEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!ProgramSoundServer() || !ProgramSoundServer()->IsRunning())
            GTEST_SKIP() << "no PulseAudio server could be started for this test ("
                         << qPrintable(ProgramSoundServer() ? ProgramSoundServer()->Error() : QStringLiteral("none"))
                         << ")";
        m_output = QMediaDevices::defaultAudioOutput();
        m_input = QMediaDevices::defaultAudioInput();
        ASSERT_FALSE(m_output.isNull());
        ASSERT_FALSE(m_input.isNull());
        ASSERT_TRUE(m_dir.isValid());
        // A 440 Hz tone at half scale, as MP3.
        QList<qint16> tone;
        for (qint64 i = 0; i < kToneMs * 22050 / 1000; ++i)
            tone << static_cast<qint16>(std::lround(16000 * std::sin(2 * std::numbers::pi * 440.0 * i / 22050)));
        QFile wav(m_dir.filePath(QStringLiteral("tone.wav")));
        ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
        wav.write(BuildMonoWave(tone, 22050));
        wav.close();
        ASSERT_EQ(EncodeWaveToMp3(wav.fileName(), m_dir.filePath(QStringLiteral("tmp/tone.mp3")), nullptr),
                  TMp3Result::Ok);
        // The MP3's own length (the encoder pads the tone a little).
        const std::optional<qint64> fileMs = AudioFileDurationMs(m_dir.filePath(QStringLiteral("tmp/tone.mp3")));
        ASSERT_TRUE(fileMs);
        ASSERT_NEAR(*fileMs, kToneMs, 100);
        m_fileMs = static_cast<double>(*fileMs);
        m_engine = std::make_shared<TDeviceSoundEngine>(m_dir.path(), m_output, m_input);
        m_engine->SetOnPlayFinished([this] { ++m_finished; });
    }

    // Real milliseconds a call takes.
    template<typename F>
    static qint64 Timed(F &&call)
    {
        QElapsedTimer clock;
        clock.start();
        call();
        return clock.elapsed();
    }

    QTemporaryDir m_dir;
    QAudioDevice m_output;
    QAudioDevice m_input;
    double m_fileMs = 0;
    std::shared_ptr<TDeviceSoundEngine> m_engine;
    int m_finished = 0;
};

} // namespace

TEST_F(DeviceSoundEngineTest, AnMp3PlayedAtEachSpeedIsRecordedBackAtItsLength)
{
    struct Case
    {
        int speedPercent;
        double playedMs; // the file's length at that speed
    };
    const double ms = m_fileMs;
    for (const Case c : {Case{-25, ms / 0.75}, Case{0, ms}, Case{25, ms / 1.25}}) {
        SCOPED_TRACE(c.speedPercent);
        const QString file = QStringLiteral("back") % QString::number(c.speedPercent + 100) % QStringLiteral(".wav");
        const int finishedBefore = m_finished;
        m_engine->StartRecord(QStringLiteral("tmp\\") % file);
        EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("tmp/") % file))) << "there from the start";
        const qint64 played = Timed([&] { m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), true, c.speedPercent); });
        WaitFor(300, nullptr); // the device's latency: the end reaches the monitor
        m_engine->StopRecord();

        EXPECT_EQ(m_finished, finishedBefore + 1);
        // The call returns when the tone has been heard (plus the decoder's start).
        EXPECT_GE(played, c.playedMs * 0.95);
        EXPECT_LE(played, c.playedMs * 1.1 + 150);
        const TRecording r = ReadRecording(m_dir.filePath(QStringLiteral("tmp/") % file));
        // The tone came back, at its length for the speed.
        EXPECT_GT(r.Peak(), 8000);
        EXPECT_NEAR(r.LoudSpanMs(), c.playedMs, c.playedMs * 0.1);
        EXPECT_GT(r.Ms(), r.LoudSpanMs());
    }
    EXPECT_FALSE(m_engine->IsPlaying());
}

TEST_F(DeviceSoundEngineTest, StopPlayEndsAWaitedPlayWithin100Ms)
{
    QElapsedTimer sinceStop;
    QTimer::singleShot(500, m_engine.get(), [&] {
        EXPECT_TRUE(m_engine->IsPlaying());
        sinceStop.start();
        m_engine->StopPlay();
    });
    const qint64 ms = Timed([&] { m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), true, 0); });
    ASSERT_TRUE(sinceStop.isValid());
    EXPECT_LT(sinceStop.elapsed(), 100);
    EXPECT_LT(ms, kToneMs);
    EXPECT_EQ(m_finished, 0); // stopped, not finished
    EXPECT_FALSE(m_engine->IsPlaying());
}

TEST_F(DeviceSoundEngineTest, SpeedChangeAppliesToTheFileBeingPlayed)
{
    // Another file's name changes nothing; the playing file's name does.
    QTimer::singleShot(200, m_engine.get(), [&] { m_engine->SetPlaySpeed(QStringLiteral("tmp\\other.mp3"), 25); });
    QTimer::singleShot(500, m_engine.get(), [&] {
        EXPECT_EQ(m_engine->PlayingName(), m_dir.filePath(QStringLiteral("tmp/tone.mp3")));
        m_engine->SetPlaySpeed(QStringLiteral("tmp\\tone.mp3"), -25);
    });
    // About 0.5 s at normal speed (and what the device held then), the rest
    // at 0.75: about 2.6 s, where the whole tone at normal speed takes 2.2 s.
    const qint64 ms = Timed([&] { m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), true, 0); });
    EXPECT_GE(ms, 2350);
    EXPECT_LE(ms, 3000);
}

TEST_F(DeviceSoundEngineTest, ThePlayFinishedHandlerIsCalledOnlyWhenAFileEndsByItself)
{
    m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), false, 25);
    EXPECT_TRUE(m_engine->IsPlaying());
    m_engine->PlayVoice(QStringLiteral("tmp\\tone.mp3"), false); // replaces it: no end of its own
    m_engine->StopPlay();
    WaitFor(300, nullptr);
    EXPECT_EQ(m_finished, 0);

    const qint64 ms = Timed([&] {
        m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), false, 25);
        EXPECT_TRUE(WaitUntil([&] { return m_finished > 0; }, RealMs{4000}));
    });
    EXPECT_EQ(m_finished, 1);
    EXPECT_GE(ms, m_fileMs / 1.25 * 0.95);
    EXPECT_LE(ms, m_fileMs / 1.25 * 1.1 + 150);
    EXPECT_FALSE(m_engine->IsPlaying());
}

TEST_F(DeviceSoundEngineTest, ScoreCommentPlaysTheProvidedAudioAndNothingToPlayReturnsAtOnce)
{
    QFile mp3(m_dir.filePath(QStringLiteral("tmp/tone.mp3")));
    ASSERT_TRUE(mp3.open(QIODevice::ReadOnly));
    const QByteArray bytes = mp3.readAll();
    double asked = -1;
    m_engine->SetScoreSoundProvider([&](int, double score) -> std::optional<QByteArray> {
        asked = score;
        return score >= 60 ? std::optional<QByteArray>(bytes) : std::nullopt;
    });
    const qint64 ms = Timed([&] { m_engine->PlayScoreSoundEx(0, true, 88.5); });
    EXPECT_EQ(asked, 88.5);
    EXPECT_GE(ms, m_fileMs * 0.95);
    EXPECT_LE(ms, m_fileMs * 1.1 + 150);
    EXPECT_EQ(m_finished, 1);

    // No comment for the score, or no file: the waited call returns at once,
    // ended by itself (a waiting dialogue goes on), and says why in the log.
    LogCapture log;
    EXPECT_LT(Timed([&] { m_engine->PlayScoreSoundEx(0, true, 20); }), 100);
    EXPECT_LT(Timed([&] { m_engine->PlayFile(QStringLiteral("tmp\\none.mp3"), true, 0); }), 100);
    EXPECT_EQ(m_finished, 3);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:PlayFile cannot play score:0")).size(), 1);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:PlayFile cannot play")).size(), 2);
    EXPECT_FALSE(m_engine->IsPlaying());
}

TEST_F(DeviceSoundEngineTest, EvaluationRecordsUntilItsTimeLimitThenGrades)
{
    TRecordingGradeEngine grader(m_dir.path(), m_engine, SimScoreRecording);
    const QString text = QStringLiteral("Good morning.");
    // The module's order: StartRecord, a short wait, Evaluate on the same file.
    m_engine->StartRecord(QStringLiteral("tmp\\temp.wav"));
    m_engine->PlayFile(QStringLiteral("tmp\\tone.mp3"), false, 0); // the "learner"
    WaitFor(100, nullptr);
    const qint64 ms = Timed([&] { grader.Evaluate(1, QStringLiteral("tmp\\temp.wav"), text, 2); });
    EXPECT_NEAR(static_cast<double>(ms), 2000.0, 150.0);
    EXPECT_FALSE(m_engine->IsRecording()); // the file is complete when grading starts
    m_engine->StopRecord();                // the module's own stop afterwards changes nothing
    const TRecording r = ReadRecording(m_dir.filePath(QStringLiteral("tmp/temp.wav")));
    EXPECT_NEAR(r.Ms(), 2100.0, 210.0);
    EXPECT_GT(r.Peak(), 8000);
    EXPECT_EQ(grader.GetLastResult(), SimScoreRecording(TGradeMode::Sentence, text, grader.LastRecording()));
    EXPECT_FALSE(grader.GetLastResult().isEmpty());
    // What else ends an evaluation: RecordingGradeEngineTest.
}
