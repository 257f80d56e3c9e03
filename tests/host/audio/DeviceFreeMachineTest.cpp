// A machine without a sound server (as in CI): no devices are found, "auto"
// keeps the device-free engines, and a device engine built without devices
// fails every call at once and in the log instead of hanging.

#include "AudioChoice.h"
#include "TDeviceSoundEngine.h"

#include "LogCapture.h"

#include "Wait.h"
#include "WaveFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points this process at an empty runtime folder, with automatic server
// start-up off, before anything looks for devices.
class NoSoundServerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        QFile config(m_runtime.filePath(QStringLiteral("client.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("autospawn = no\n");
        config.close();
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("PULSE_CLIENTCONFIG", config.fileName().toLocal8Bit());
        qunsetenv("PULSE_SERVER");
    }

private:
    QTemporaryDir m_runtime;
};

const auto *const g_environment = ::testing::AddGlobalTestEnvironment(new NoSoundServerEnvironment);

} // namespace

// What "auto" then decides: AudioChoiceTest.
TEST(NoSoundServer, NoDevicesAreFound)
{
    const TAudioDevices devices = DefaultAudioDevices();
    EXPECT_TRUE(devices.output.isNull());
    EXPECT_TRUE(devices.input.isNull());
}

TEST(NoSoundServer, AnEngineWithoutDevicesFailsAtOnceAndSaysSo)
{
    QTemporaryDir dir;
    QFile wav(dir.filePath(QStringLiteral("tone.wav")));
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
    wav.write(BuildMonoWave(QList<qint16>(16000, 1000), 16000));
    wav.close();
    TDeviceSoundEngine engine(dir.path(), QAudioDevice(), QAudioDevice());
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    LogCapture log;

    QElapsedTimer clock;
    clock.start();
    engine.PlayFile(QStringLiteral("tone.wav"), true, 0);
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:PlayFile cannot play")).size(), 1);

    engine.StartRecord(QStringLiteral("tmp\\temp.wav"));
    EXPECT_FALSE(engine.IsRecording());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("tmp/temp.wav"))));
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:StartRecord")).size(), 1);
}
