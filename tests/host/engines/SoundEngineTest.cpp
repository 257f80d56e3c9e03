// The device-free sound engine: playback times, stopping, the finished
// handler and recorded WAV files.

#include "SimWav.h"
#include "TDeviceFreeSoundEngine.h"

#include "ClockSpeed.h"
#include "LogCapture.h"
#include "WaitUntil.h"

#include "LocalHttpServer.h"
#include "Mp3Encoder.h"
#include "StudyClock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class SoundEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(WriteSimWav(m_dir.filePath(QStringLiteral("tmp/two.wav")), 2000));
        ASSERT_TRUE(WriteSimWav(m_dir.filePath(QStringLiteral("tmp/long.wav")), 60000));
        m_engine.SetOnPlayFinished([this] { ++m_finished; });
    }

    // Stated milliseconds a waiting PlayFile takes.
    qint64 timedPlay(const QString &name, int speedPercent)
    {
        QElapsedTimer t;
        t.start();
        m_engine.PlayFile(name, true, speedPercent);
        return static_cast<qint64>(static_cast<double>(t.elapsed()) * StudyClock::speed());
    }

    QTemporaryDir m_dir;
    TDeviceFreeSoundEngine m_engine{m_dir.path()};
    int m_finished = 0;
};

} // namespace

TEST_F(SoundEngineTest, WaitingPlaybackLastsTheFileScaledBySpeedAlsoAChangedOne)
{
    ClockSpeed fast(4);
    const qint64 normal = timedPlay(QStringLiteral("tmp\\two.wav"), 0);
    EXPECT_GE(normal, 1950);
    EXPECT_LE(normal, 2600);
    EXPECT_EQ(m_finished, 1);

    const qint64 slower = timedPlay(QStringLiteral("tmp\\two.wav"), -25); // 2667 ms of playing
    EXPECT_GE(slower, 2600);
    const qint64 faster = timedPlay(QStringLiteral("tmp\\two.wav"), 25); // 1600 ms
    EXPECT_GE(faster, 1550);
    EXPECT_LT(faster, 1950);
    EXPECT_EQ(m_finished, 3);
    EXPECT_FALSE(m_engine.IsPlaying());

    // Half-way through at +100 % the remaining second plays in half a second.
    QTimer::singleShot(StudyClock::scaled(1000), &m_engine,
                       [this] { m_engine.SetPlaySpeed(QStringLiteral("tmp\\two.wav"), 100); });
    const qint64 changed = timedPlay(QStringLiteral("tmp\\two.wav"), 0);
    EXPECT_GE(changed, 1400);
    EXPECT_LT(changed, 1850);
}

TEST_F(SoundEngineTest, AWaitingPlaybackEndsWhenStoppedOrDeletedFromAnEventHandler)
{
    ClockSpeed fast(4);
    QTimer::singleShot(StudyClock::scaled(300), &m_engine, [this] {
        EXPECT_TRUE(m_engine.IsPlaying());
        m_engine.StopPlay();
    });
    const qint64 ms = timedPlay(QStringLiteral("tmp\\long.wav"), 0);
    EXPECT_GE(ms, 250);
    EXPECT_LT(ms, 5000);
    EXPECT_EQ(m_finished, 1); // once, though both the stop and the wait end it
    EXPECT_FALSE(m_engine.IsPlaying());

    auto *engine = new TDeviceFreeSoundEngine(m_dir.path());
    QPointer<TDeviceFreeSoundEngine> alive(engine);
    QTimer::singleShot(StudyClock::scaled(50), &m_engine, [engine] { delete engine; });
    engine->PlayFile(QStringLiteral("tmp\\long.wav"), true, 0);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(SoundEngineTest, PlaybackWithoutWaitingEndsByItself)
{
    ClockSpeed fast(4);
    QElapsedTimer t;
    t.start();
    m_engine.PlayFile(QStringLiteral("tmp\\two.wav"), false, 0);
    EXPECT_LT(t.elapsed() * 4, 500);
    EXPECT_TRUE(m_engine.IsPlaying());
    EXPECT_EQ(m_engine.PlayingName(), m_dir.filePath(QStringLiteral("tmp/two.wav")));
    EXPECT_EQ(m_finished, 0);
    ASSERT_TRUE(WaitUntil([this] { return !m_engine.IsPlaying(); }, StatedMs{6000}));
    EXPECT_GE(static_cast<double>(t.elapsed()) * 4, 1950);
    EXPECT_EQ(m_finished, 1);

    // A new playback replaces a running one, which ends first.
    m_engine.PlayVoice(QStringLiteral("tmp\\long.wav"), false);
    m_engine.PlayVoice(QStringLiteral("tmp\\two.wav"), false);
    EXPECT_EQ(m_finished, 2);
    m_engine.StopPlay();
    EXPECT_EQ(m_finished, 3);
    m_engine.StopPlay();
    EXPECT_EQ(m_finished, 3);
}

TEST_F(SoundEngineTest, MissingFileReturnsAtOnceAndIsLogged)
{
    LogCapture log;
    QElapsedTimer t;
    t.start();
    m_engine.PlayFile(QStringLiteral("tmp\\none.mp3"), true, 0);
    EXPECT_LT(t.elapsed(), 500);
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:PlayFile")).size(), 1);

    // Without waiting it ends from the timer, not inside the call.
    m_engine.PlayFile(QStringLiteral("tmp\\none.mp3"), false, 0);
    EXPECT_EQ(m_finished, 1);
    EXPECT_TRUE(WaitUntil([this] { return m_finished == 2; }, RealMs{2000}));
}

TEST_F(SoundEngineTest, RecordingLengthFollowsTheTimeRecorded)
{
    ClockSpeed fast(10);
    const QString name = QStringLiteral("tmp\\study\\rec.wav");
    const QString path = m_dir.filePath(QStringLiteral("tmp/study/rec.wav"));

    auto record = [&](int statedMs) -> qint64 {
        m_engine.StartRecord(name);
        EXPECT_TRUE(m_engine.IsRecording());
        EXPECT_TRUE(QFile::exists(path));
        QElapsedTimer t;
        t.start();
        EXPECT_TRUE(WaitUntil([&] { return t.elapsed() * 10 >= statedMs; }, RealMs{10000}));
        m_engine.StopRecord();
        EXPECT_FALSE(m_engine.IsRecording());
        TWaveFormat format;
        EXPECT_TRUE(ReadWaveFormat(path, format));
        EXPECT_EQ(format.sampleRate, 16000);
        EXPECT_EQ(QFile(path).size(), format.dataOffset + format.dataBytes); // the header names every sample
        return format.dataBytes / 32;                                        // ms at 32 bytes per ms
    };
    const qint64 longer = record(1500);
    EXPECT_GE(longer, 1500);
    EXPECT_LT(longer, 3000);
    const qint64 shorter = record(300);
    EXPECT_GE(shorter, 300);
    EXPECT_LT(shorter, longer);
}

TEST_F(SoundEngineTest, RecordingIsCappedAndStopWithoutStartDoesNothing)
{
    m_engine.StopRecord();
    const QString path = m_dir.filePath(QStringLiteral("tmp/cap.wav"));
    EXPECT_FALSE(QFile::exists(path));

    ClockSpeed fast(2000);
    m_engine.StartRecord(QStringLiteral("tmp\\cap.wav"));
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(
        WaitUntil([&] { return t.elapsed() * 2000 > TDeviceFreeSoundEngine::kMaxRecordMs + 20000; }, RealMs{5000}));
    m_engine.StopRecord();
    TWaveFormat format;
    ASSERT_TRUE(ReadWaveFormat(path, format));
    EXPECT_EQ(format.dataBytes, qint64(TDeviceFreeSoundEngine::kMaxRecordMs) * 32);
}

TEST_F(SoundEngineTest, StreamsPlayForTheLengthOfWhatArrivedAndStopWhileArriving)
{
    ClockSpeed fast(4);
    LocalHttpServer server;
    ASSERT_TRUE(server.Listen());
    server.SetRoot(m_dir.filePath(QStringLiteral("tmp")));
    LogCapture log;

    const qint64 ms = [&] {
        QElapsedTimer t;
        t.start();
        m_engine.PlayUrl(server.Url(QStringLiteral("/two.wav")).toString(), true);
        return static_cast<qint64>(static_cast<double>(t.elapsed()) * StudyClock::speed());
    }();
    EXPECT_GE(ms, 1950);
    EXPECT_LE(ms, 3500);
    EXPECT_EQ(m_finished, 1);

    // A failed download ends the playback and is logged.
    m_engine.PlayUrl(server.Url(QStringLiteral("/none.mp3")).toString(), true);
    EXPECT_EQ(m_finished, 2);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:PlayUrl")).size(), 1);
    EXPECT_TRUE(log.LinesStartingWith(QStringLiteral("error:PlayFile")).isEmpty());

    // StopPlay ends a stream that is still arriving.
    server.Stall(QStringLiteral("/long.wav"));
    QTimer::singleShot(StudyClock::scaled(200), &m_engine, [this] { m_engine.StopPlay(); });
    QElapsedTimer t;
    t.start();
    m_engine.PlayUrl(server.Url(QStringLiteral("/long.wav")).toString(), true);
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_EQ(m_finished, 3);
    EXPECT_FALSE(m_engine.IsPlaying());
    server.ReleaseStalled();
}
