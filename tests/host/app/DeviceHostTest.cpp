// studyhost on audio devices (a sound server started by the test): the
// engines `--audio devices` builds, and a close that arrives while a waited
// playback or an evaluation's recording runs is answered promptly, the wait
// having returned. Skipped when no sound server can be started.

#include "HostSound.h"
#include "TStudyHost.h"

#include "TestSoundServer.h"

#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "WaitUntil.h"

#include "Mp3Encoder.h"
#include "WaveFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

enum class Busy { Playing, Recording };

} // namespace

TEST(StudyHostOnDevices, ACloseDuringPlaybackOrRecordingIsAnsweredPromptly)
{
    if (!ProgramSoundServer() || !ProgramSoundServer()->IsRunning())
        GTEST_SKIP() << "no PulseAudio server could be started for this test ("
                     << qPrintable(ProgramSoundServer() ? ProgramSoundServer()->Error() : QStringLiteral("none"))
                     << ")";
    for (const Busy busy : {Busy::Playing, Busy::Recording}) {
        SCOPED_TRACE(busy == Busy::Playing ? "playing" : "recording");
        QTemporaryDir data;
        TStudyHostOptions options = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
        options.pluginFile = QStringLiteral(STUDY_PLUGIN_FILE);
        options.dataFolder = data.path();
        options.mainPath = data.path() + QStringLiteral("/");
        options.message = std::make_shared<FakeCustomMessage>();
        options.hint = std::make_shared<FakeCustomHint>();
        const THostSound sound = MakeHostSound(TAudioMode::Devices, options, SimScoreRecording);
        ASSERT_TRUE(sound.error.isEmpty()) << qPrintable(sound.error);
        ASSERT_TRUE(sound.sound && sound.grade);
        EXPECT_FALSE(sound.outputName.isEmpty());
        EXPECT_FALSE(sound.inputName.isEmpty());
        EXPECT_TRUE(sound.line.startsWith(QStringLiteral("sound: audio devices"))) << qPrintable(sound.line);
        options.sound = sound.sound;
        options.grade = sound.grade;

        // Ten seconds of a tone to play.
        QFile wav(data.filePath(QStringLiteral("long.wav")));
        ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
        QList<qint16> tone;
        for (int i = 0; i < 10 * 8000; ++i)
            tone << static_cast<qint16>(i % 18 < 9 ? 8000 : -8000);
        wav.write(BuildMonoWave(tone, 8000));
        wav.close();
        ASSERT_EQ(EncodeWaveToMp3(wav.fileName(), data.filePath(QStringLiteral("tmp/long.mp3")), nullptr),
                  TMp3Result::Ok);

        QWidget parent;
        parent.resize(1024, 635);
        TStudyHost host(options);
        bool shelf = false;
        QObject::connect(&host, &TStudyHost::ShelfDelivered, &parent, [&] { shelf = true; });
        ASSERT_TRUE(host.Start(&parent)) << qPrintable(host.Error());
        ASSERT_TRUE(WaitUntil([&] { return shelf; }, RealMs{20000}));

        // The waited call runs from the event loop, as the module's own steps
        // do; the close arrives half a second into it.
        QElapsedTimer clock;
        clock.start();
        qint64 closeAsked = -1, waitReturned = -1, closedAt = -1;
        bool answered = false;
        QObject::connect(&host, &TStudyHost::Closed, &parent, [&](bool a) {
            answered = a;
            closedAt = clock.elapsed();
        });
        QTimer::singleShot(0, &parent, [&, busy] {
            if (busy == Busy::Playing) {
                sound.sound->PlayFile(QStringLiteral("tmp\\long.mp3"), true, 0);
            } else {
                sound.sound->StartRecord(QStringLiteral("tmp\\temp.wav"));
                sound.grade->Evaluate(1, QStringLiteral("tmp\\temp.wav"), QStringLiteral("Good morning."), 60);
            }
            waitReturned = clock.elapsed();
        });
        QTimer::singleShot(500, &parent, [&] {
            closeAsked = clock.elapsed();
            host.RequestClose();
        });
        ASSERT_TRUE(WaitUntil([&] { return closedAt >= 0 && waitReturned >= 0; }, RealMs{20000}));
        EXPECT_TRUE(answered); // 10004, not the handshake's time limit
        EXPECT_GE(waitReturned, closeAsked);
        EXPECT_LT(waitReturned - closeAsked, 300);
        EXPECT_LT(closedAt - closeAsked, 1000);
        if (busy == Busy::Recording) {
            TWaveFormat format;
            EXPECT_TRUE(ReadWaveFormat(data.filePath(QStringLiteral("tmp/temp.wav")), format));
            EXPECT_FALSE(sound.grade->GetLastResult().isEmpty());
        }
    }
}
