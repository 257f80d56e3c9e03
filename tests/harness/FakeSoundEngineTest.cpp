#include "ClockSpeed.h"
#include "FakeSoundEngine.h"
#include "FakeWav.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class FakeSoundEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        audio = dir.filePath(QStringLiteral("temp.mp3"));
        QFile f(audio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ID3");
    }

    QTemporaryDir dir;
    QString audio;
    FakeSoundEngine engine;
};

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

TEST_F(FakeSoundEngineTest, WaitingPlaybackReturnsWhenATimerCallsStopPlay)
{
    engine.SetPlayDuration(600000);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    QTimer stopper;
    stopper.setSingleShot(true);
    QObject::connect(&stopper, &QTimer::timeout, &stopper, [&] {
        EXPECT_TRUE(engine.IsPlaying());
        EXPECT_EQ(engine.PlayingName(), audio);
        engine.StopPlay();
    });
    stopper.start(20);
    QElapsedTimer clock;
    clock.start();
    engine.PlayFile(audio, true, 25);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(stopper.isActive()); // the timer ran inside the wait
    EXPECT_FALSE(engine.IsPlaying());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine.Calls().Names(), (QStringList{"SetOnPlayFinished", "PlayFile", "StopPlay"}));
    EXPECT_EQ(engine.Calls().Calls()[1].args, (QStringList{audio, "true", "25"}));
}

TEST_F(FakeSoundEngineTest, WaitingPlaybackLastsItsStatedTimeOnTheStudyClock)
{
    ClockSpeed fast(100);
    engine.SetPlayDuration(10000);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    QElapsedTimer clock;
    clock.start();
    engine.PlayFile(audio, true, 0);
    EXPECT_GE(clock.elapsed(), 90);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(engine.IsPlaying());
}

TEST_F(FakeSoundEngineTest, MissingFilesAndEmptyAddressesReturnAtOnceWithoutPlayback)
{
    engine.SetPlayDuration(600000);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    QElapsedTimer clock;
    clock.start();
    engine.PlayFile(dir.filePath(QStringLiteral("absent.mp3")), true, 0);
    engine.PlayVoice(QStringLiteral("tmp\\absent.mp3"), true);
    engine.PlayUrl(QString(), true);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(engine.PlaybacksStarted(), 0);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(engine.Calls().Count(QStringLiteral("PlayFile")), 1);
}

TEST_F(FakeSoundEngineTest, NonWaitingPlaybackReturnsAtOnceAndNotifiesItsEndLater)
{
    ClockSpeed fast(50);
    engine.SetPlayDuration(2000);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    engine.PlayFile(audio, false, 0);
    EXPECT_TRUE(engine.IsPlaying());
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(WaitUntil([&] { return finished == 1; }, RealMs{5000}));
    EXPECT_FALSE(engine.IsPlaying());
}

TEST_F(FakeSoundEngineTest, ANewPlaybackOrStopEndsTheRunningOneAndNotifiesOnce)
{
    engine.SetPlayDuration(600000);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    engine.PlayFile(audio, false, 0);
    engine.PlayScoreSoundEx(0, false, 88.5);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine.PlayingName(), QStringLiteral("score:0:88.5"));
    engine.StopPlay();
    engine.StopPlay(); // nothing left to end
    EXPECT_EQ(finished, 2);

    engine.SetNotifyOnStop(false);
    engine.PlayFile(audio, false, 0);
    engine.StopPlay();
    EXPECT_EQ(finished, 2);

    engine.SetOnPlayFinished({});
    EXPECT_FALSE(engine.HasFinishedHandler());
}

TEST_F(FakeSoundEngineTest, RecordingWritesA16kHzMonoPcmWaveIntoNewFolders)
{
    const QVector<qint16> samples{0, 1000, -1000, 32767, -32768, 7};
    engine.SetRecordSamples(samples);
    // The module writes Windows-style relative names; both separators work.
    const QString name = dir.path() + QStringLiteral("/tmp\\part\\rec.wav");
    engine.StartRecord(name);
    EXPECT_TRUE(engine.IsRecording());
    engine.StopRecord();
    EXPECT_FALSE(engine.IsRecording());
    EXPECT_EQ(engine.RecordFile(), name);

    QFile f(dir.path() + QStringLiteral("/tmp/part/rec.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    ASSERT_EQ(b.size(), 44 + samples.size() * 2);
    EXPECT_EQ(b.left(4) + b.mid(8, 8) + b.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
    // (offset, width, value): sizes, PCM, mono, 16 kHz, 32000 bytes/s, 2-byte frames, 16 bits.
    const struct
    {
        int at, width;
        quint32 value;
    } fields[] = {{4, 4, quint32(b.size() - 8)},
                  {16, 4, 16},
                  {20, 2, 1},
                  {22, 2, 1},
                  {24, 4, 16000},
                  {28, 4, 32000},
                  {32, 2, 2},
                  {34, 2, 16},
                  {40, 4, quint32(samples.size() * 2)}};
    for (const auto &f : fields)
        EXPECT_EQ(f.width == 4 ? u32(b, f.at) : u16(b, f.at), f.value) << f.at;
    for (int i = 0; i < samples.size(); ++i)
        EXPECT_EQ(static_cast<qint16>(u16(b, 44 + 2 * i)), samples[i]) << i;
}

TEST_F(FakeSoundEngineTest, StopRecordClosesTheFileAndRunsTheMicrophoneHook)
{
    int hooked = 0;
    engine.SetOnStopRecord([&] {
        EXPECT_FALSE(engine.IsRecording());
        ++hooked;
    });
    engine.StartRecord(dir.filePath(QStringLiteral("a.wav")));
    engine.StartRecord(dir.filePath(QStringLiteral("b.wav"))); // closes a.wav first
    engine.StopRecord();
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(QFile(dir.filePath(QStringLiteral("a.wav"))).size(), 44 + DefaultRecordSamples().size() * 2);
}
