// Submitting a passage score and sharing its recording, with the simulated
// learning service answering over its own event-loop turns.

#include "ClockSpeed.h"
#include "LearningServiceSim.h"
#include "TestHost.h"
#include "WaitUntil.h"

#include "LocalPath.h"
#include "WaveFile.h"

#include "TButton.h"
#include "TText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using Json = nlohmann::ordered_json;

namespace {

class Submission : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Start(QCoreApplication::applicationDirPath() + QStringLiteral("/content"),
                              work.filePath(QStringLiteral("state/service.db")),
                              work.filePath(QStringLiteral("service"))))
            << sim.Error().toStdString();
        // What is kept when the service's acceptance arrives, noted on its way.
        sim.SetReplySink([this](const QString &reply) {
            if (TestHost::Code(reply) == 42)
                keptWhenAccepted = Kept();
            host.mod->ReceiveMsg(reply);
        });
        host.onRequest = [this](const QString &text) { sim.Request(text); };
        host.login->SetUid(TLearningServiceSim::kSampleUid);
        host.Start(false);
        F().SetMainPath(main);
        // Two seconds of the learner's reading.
        QDir().mkpath(main + QStringLiteral("tmp/part"));
        QFile wav(main + QStringLiteral("tmp/part/0.wav"));
        ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
        wav.write(BuildMonoWave(QList<qint16>(32000, 800), 16000));
    }
    TStudyFrame &F() { return *host.Frame(); }

    static QString Document(double overall)
    {
        return QString::fromStdString(Json{
            {"parts", Json::array({Json{{"result", Json{{"overall", overall}, {"details", Json::array()}}}}})},
            {"audios", Json::array({Json{{"audio", "1-2-3-4.wav"}}})},
            {"achiveType", "L"},
            {"partcount", 1}}.dump());
    }
    void Submit(double overall)
    {
        F().RunHandler(QStringLiteral("SendPartScore"), [&] { F().SendPartScore(1001011, 1, Document(overall), 5); });
    }
    QStringList Kept(const QString &pattern = QStringLiteral("*")) const
    {
        return QDir(LocalPath(main, QStringLiteral("Fail\\Study\\"))).entryList({pattern}, QDir::Files, QDir::Name);
    }
    int Sent(int code) const { return TestHost::WithCode(host.requests, code).size(); }

    ClockSpeed fast{20};
    QTemporaryDir work;
    TLearningServiceSim sim;
    QStringList keptWhenAccepted;
    TestHost host;
    const QString main = work.filePath(QStringLiteral("client")) + QLatin1Char('/');
};

TEST_F(Submission, AScoreOfThirtyIsNeitherSentNorKept)
{
    Submit(30.0);
    EXPECT_EQ(Sent(41), 0);
    EXPECT_TRUE(Kept().isEmpty()) << Kept().join(' ').toStdString();
    EXPECT_EQ(F().WorkState, wsIdle);
}

TEST_F(Submission, TheRecordAndTheMp3StayUntilTheServiceAcceptsTheScore)
{
    Submit(72.5);
    EXPECT_EQ(Sent(41), 1);
    ASSERT_EQ(keptWhenAccepted.size(), 2) << keptWhenAccepted.join(' ').toStdString();
    EXPECT_TRUE(keptWhenAccepted[0].endsWith(QStringLiteral("-1001011.mp3")));
    EXPECT_TRUE(keptWhenAccepted[1].endsWith(QStringLiteral("-1001011.stypt")));
    EXPECT_TRUE(Kept().isEmpty());
    EXPECT_TRUE(host.message->Questions().isEmpty());
}

TEST_F(Submission, WithoutAnAnswerTheLearnerChoosesToRetryOrToKeepTheFiles)
{
    sim.Drop(41);
    host.message->QueueAnswer(6);    // the first silence: Yes, send again
    host.message->QueueAnswer(mrNo); // the second: give up, keep the files
    Submit(80);
    EXPECT_EQ(Sent(41), 2);
    ASSERT_EQ(host.message->Questions().size(), 2);
    EXPECT_EQ(Kept().size(), 2);
    EXPECT_EQ(F().WorkState, wsIdle);

    // A retry that gets its answer deletes what it kept for it.
    sim.Drop(41, false);
    Submit(81);
    EXPECT_EQ(Kept().size(), 2) << "the earlier attempt's files stay; this one's went";
}

TEST_F(Submission, ClosingDuringTheWaitEndsItAtOnceWithoutAQuestionAndKeepsTheFiles)
{
    sim.Drop(41);
    QTimer::singleShot(100, &host.parent, [&] {
        F().bCloseForm = true;
        F().bStop = true;
    });
    Submit(80);
    EXPECT_TRUE(host.message->Questions().isEmpty());
    EXPECT_EQ(Kept().size(), 2);
    EXPECT_EQ(F().WorkState, wsIdle);
}

TEST_F(Submission, AnUnwritableRetryFolderIsToldAndTheScoreIsStillSent)
{
    const QString folder = LocalPath(main, QStringLiteral("Fail\\Study"));
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder belongs
    blocker.close();
    Submit(75);
    ASSERT_EQ(host.message->Infos().size(), 1);
    EXPECT_TRUE(host.message->Infos()[0].contains(QStringLiteral("无法保存")));
    EXPECT_EQ(Sent(41), 1);
    EXPECT_TRUE(host.message->Questions().isEmpty());
}

TEST_F(Submission, ASharedRecordingIsMadeAgainFromTheLastRecordingAndGoesOnceUploaded)
{
    // The share button before any acceptance only disables itself.
    F().CornerButton_SharedAudio->SetEnabled(true);
    F().CornerButton_SharedAudioMouseUp(F().CornerButton_SharedAudio, Qt::LeftButton, Qt::NoModifier, 5, 5);
    EXPECT_FALSE(F().CornerButton_SharedAudio->Enabled());
    EXPECT_EQ(Sent(11), 0);

    // The upload and registration themselves are the passage reading
    // scenario's; here the file they work on.
    Submit(88);
    ASSERT_GT(F().ReceiveAchivementId, 0);
    const QString submitted = F().ShareAudioGuid;
    F().RunHandler(QStringLiteral("share"), [&] {
        F().CornerButton_SharedAudioMouseUp(F().CornerButton_SharedAudio, Qt::LeftButton, Qt::NoModifier, 5, 5);
    });
    // Made again from tmp/temp.wav as <achievement>_<old name>, uploaded, then deleted.
    EXPECT_EQ(QFileInfo(F().ShareAudioGuid).fileName(),
              QStringLiteral("%1_").arg(F().ReceiveAchivementId) + QFileInfo(submitted).fileName());
    EXPECT_FALSE(QFile::exists(F().ShareAudioGuid));
    EXPECT_TRUE(Kept(QStringLiteral("*.stymth")).isEmpty());
}

TEST_F(Submission, ABetterScoreOnAnAssignmentLessonIsSharedWithoutAPress)
{
    F().isAssignment = true;
    F().iMaxScore_Assignment = 60;
    Submit(70);
    EXPECT_EQ(Sent(1083), 1);
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("上传成功，可以继续使用")});

    // Not better than the best so far: no share.
    F().iMaxScore_Assignment = 90;
    Submit(70);
    EXPECT_EQ(Sent(1083), 1);
}

} // namespace
