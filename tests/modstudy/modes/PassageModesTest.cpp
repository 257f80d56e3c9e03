// Passage reading and passage repeat on a running frame with a real book:
// listening, the graded recording and the stored record. (Leaving the result
// page is FramePages'.)

#include "ModeFixture.h"

#include "GradingResults.h"
#include "MyLabelFrame.h"

#include "Commonconst.h"
#include "LocalPath.h"

#include "TButton.h"

#include <QFile>

using Json = nlohmann::ordered_json;

namespace {

class PassageModes : public ModeFixture
{
protected:
    static QString PassageResult(double overall)
    {
        return QString::fromStdString(
            PassageGrading({{QStringLiteral("I like apples very much."), overall, {{QStringLiteral("I"), 90}}}},
                           overall)
                .dump());
    }
    int Plays() const { return host.sound->Calls().Count(QStringLiteral("PlayFile")); }
    // The words of the passage label coloured as playing.
    QStringList Coloured()
    {
        QStringList words;
        for (TLabel *l : F().StudyPartFrame->FMyLabel->Labels())
            if (l->Color() == 0xFFFFA417u)
                words << l->Text().trimmed();
        return words;
    }
};

TEST_F(PassageModes, ListeningColoursTheSentencePlayingAndTheLoopStartsAgainAtTheFirst)
{
    OpenMode(QStringLiteral("Label_Part"));
    ASSERT_TRUE(F().StudyPartFrame);
    host.sound->SetPlayDuration(3000);
    ClickMiddle(F().StudyPartFrame->Rectangle_LoopPlay);
    QList<QStringList> heard;
    std::function<void()> note = [&] {
        heard << Coloured();
        if (heard.size() == 4) {
            ClickMiddle(F().StudyPartFrame->Rectangle_LoopPlay); // loop off
            return;
        }
        const int played = Plays();
        When([&, played] { return Plays() > played && host.sound->IsPlaying(); }, note);
    };
    When([&] { return host.sound->IsPlaying(); }, note);
    ClickMiddle(F().StudyPartFrame->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return heard.size() == 4 && F().WorkState == wsIdle; }, StatedMs{60000}));
    ASSERT_EQ(heard.size(), 4);
    EXPECT_EQ(heard[0].join(' '), QStringLiteral("I like apples very much."));
    EXPECT_EQ(heard[1].join(' '), QStringLiteral("Hello."));
    EXPECT_EQ(heard[2].join(' '), QStringLiteral("Well... I think so."));
    EXPECT_EQ(heard[3], heard[0]) << "the second pass starts at the first sentence";
    EXPECT_EQ(Plays(), 6) << "the pass under way when the loop went off was played to its end";
    EXPECT_TRUE(Coloured().isEmpty());
}

TEST_F(PassageModes, RepeatIsGradedAgainstTheLessonForEitherEngineAndShown)
{
    OpenMode(QStringLiteral("Label_Repeat"));
    for (const int engine : {2, 1}) {
        PressTab(F().Text_TabRepeat);
        const int before = EngineType;
        EngineType = engine;
        host.grade->QueueResult(PassageResult(77));
        ClickMiddle(F().StudyRepeatFrame->Rectangle_Start);
        ASSERT_TRUE(WaitUntil([&] { return F().TabControl_Home->TabIndex() == pgDisplayScore; }, StatedMs{30000}));
        ASSERT_TRUE(WaitUntil([&] { return F().WorkState == wsIdle; }, StatedMs{30000}));
        EngineType = before;
        const TEvaluateCall &call = host.grade->Evaluations().last();
        EXPECT_EQ(call.operation, QStringLiteral("EvaluateStoppable"));
        EXPECT_EQ(call.mode, 2);
        EXPECT_EQ(call.seconds, 11); // 10 words: 6 + 5
        if (engine == 2)
            EXPECT_EQ(call.text, QStringLiteral("I like apples very much.\r\nHello.\r\nWell... I think so.\r\n"));
        else
            EXPECT_EQ(call.text, QStringLiteral("I like apples very much. Hello. Well  I think so. "));
        const Json sent = Json::parse(TestHost::WithCode(host.requests, 41).last().text.toStdString());
        EXPECT_EQ(sent["pointCaseType"], 7);
        EXPECT_EQ(sent["lessonId"], 111);
        ClickMiddle(F().Button_DisplayReturn);
    }
}

TEST_F(PassageModes, ReadingKeepsItsRecordAndSendsItsScore)
{
    OpenMode(QStringLiteral("Label_Part"));
    host.grade->QueueResult(PassageResult(82));
    ClickMiddle(F().StudyPartFrame->Rectangle_Start);
    ASSERT_TRUE(WaitUntil([&] { return F().TabControl_Home->TabIndex() == pgDisplayScore; }, StatedMs{30000}));
    ASSERT_TRUE(WaitUntil([&] { return F().WorkState == wsIdle; }, StatedMs{30000}));
    const TEvaluateCall &call = host.grade->Evaluations().last();
    EXPECT_EQ(call.seconds, 11);
    EXPECT_TRUE(call.wavFileName.endsWith(QStringLiteral("tmp/part/0.wav")));
    EXPECT_EQ(F().AudioFileJson["audios"][0]["audio"], "900-101-111-1.wav");
    EXPECT_EQ(F().AudioFileJson["achiveType"], "L");
    ASSERT_TRUE(F().PartResultJson);
    EXPECT_EQ((*F().PartResultJson)["bContinue"], 0);
    // Read to the end: the backup went at once.
    EXPECT_FALSE(QFile::exists(LocalPath(F().MainPath(), QStringLiteral("backups\\900-101-111-1.wav"))));
    const Json sent = Json::parse(TestHost::WithCode(host.requests, 41).last().text.toStdString());
    EXPECT_EQ(sent["pointCaseType"], 5);
    EXPECT_DOUBLE_EQ(sent["score"].get<double>(), 82);
}

TEST_F(PassageModes, AMaterialWithoutItsAudioEndsListeningAtOnce)
{
    F().curSelectBookType = QStringLiteral("materials");
    OpenMode(QStringLiteral("Label_Part"));
    F().MaterialVoiceName = QStringLiteral("material_missing.mp3");
    ClickMiddle(F().StudyPartFrame->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return !F().Timer_PartPlay->Enabled() && F().WorkState == wsIdle; }, StatedMs{3000}));
    EXPECT_EQ(Plays(), 0);
}

} // namespace
