// Sentence practice on a running frame: choosing, listening, recording,
// grading, the score panel and word table, and what is sent.

#include "ModeFixture.h"

#include "Commonconst.h"

#include "TLabel.h"
#include "TTimer.h"

namespace {

class SentencePractice : public ModeFixture
{
protected:
    void SetUp() override
    {
        ModeFixture::SetUp();
        OpenMode(QStringLiteral("Label_Sentence"));
        ASSERT_TRUE(Sentences());
    }
    // One recording of the chosen sentence, graded with `result`, to the end.
    void RecordGraded(const QString &result)
    {
        host.grade->QueueResult(result);
        ClickMiddle(Sentences()->Rectangle_Start);
        ASSERT_TRUE(WaitUntil([&] { return host.grade->IsEvaluating(); }, StatedMs{2000}));
        ASSERT_TRUE(WaitIdle());
    }
};

TEST_F(SentencePractice, TheLoopRepeatsUntilSwitchedOffAndASpeedChangeReachesThePlayback)
{
    host.sound->SetPlayDuration(3000);
    Sentences()->Rectangle_LoopPlayClick();
    EXPECT_EQ(Sentences()->Rectangle_LoopPlay->Tag(), 1);
    const auto plays = [&] { return host.sound->Calls().Count(QStringLiteral("PlayFile")); };
    int before = 0;
    QStringList speedCall, nextPass;
    // In the third pass, x1.0 -> x1.25: the running playback changes speed,
    // the next pass plays at it; then the loop is switched off.
    When([&] { return plays() >= 3 && host.sound->IsPlaying(); },
         [&] {
             ClickMiddle(Sentences()->Label_SpeedPlay);
             speedCall = host.sound->Calls().Last(QStringLiteral("SetPlaySpeed")).value_or(TFakeCall{}).args;
             before = plays();
             When([&] { return plays() > before; },
                  [&] {
                      nextPass = host.sound->Calls().Last(QStringLiteral("PlayFile"))->args;
                      Sentences()->Rectangle_LoopPlayClick();
                  });
         });
    ClickMiddle(Sentences()->Rectangle_Read);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Sentences()->Label_SpeedPlay->Text(), QStringLiteral("x1.25"));
    EXPECT_EQ(speedCall, (QStringList{F().PlayingVoiceFileName, QStringLiteral("25")}));
    ASSERT_EQ(nextPass.size(), 3);
    EXPECT_EQ(nextPass.at(2), QStringLiteral("25"));
    // The pass under way when the loop went off was the last.
    EXPECT_EQ(plays(), before + 1);
}

TEST_F(SentencePractice, AGradedAttemptShowsItsScoresInTheirColoursAndSendsOnlyAboveThirty)
{
    const struct
    {
        QString result;
        bool totals;
        bool sent;
    } cases[] = {
        {SentenceResult(30.0), true, false},
        {SentenceResult(30.5), true, true},
        {QStringLiteral(R"({"result":{"details":[{"char":"I","score":50}]}})"), false, false},
    };
    for (const auto &c : cases) {
        const int sentBefore = Scores().size();
        Sentences()->Text_SentenceScore->SetText(QStringLiteral("-"));
        RecordGraded(c.result);
        EXPECT_TRUE(Sentences()->Rectangle_Score->Visible());
        EXPECT_EQ(Sentences()->DisplayScore_Content.size(), 1);
        EXPECT_EQ(Sentences()->Text_SentenceScore->Text() != QStringLiteral("-"), c.totals) << c.result.toStdString();
        EXPECT_EQ(Scores().size() - sentBefore, c.sent ? 1 : 0) << c.result.toStdString();
    }
    // Graded against the chosen sentence, in the time its words allow.
    const TEvaluateCall &call = host.grade->Evaluations().last();
    EXPECT_EQ(call.operation, QStringLiteral("EvaluateStoppable"));
    EXPECT_EQ(call.mode, 1);
    EXPECT_EQ(call.seconds, 5);
    EXPECT_EQ(call.text, QStringLiteral("I like apples very much."));
    EXPECT_TRUE(call.wavFileName.endsWith(QStringLiteral("tmp/temp.wav")));
    // The word of the last attempt scored 50: the colour of its band.
    EXPECT_EQ(Sentences()->DisplayScore_Content.at(0)->Color(), 0xFFFF0202u);
    EXPECT_EQ(Sentences()->Displayscore_Score.at(0)->Color(), 0xFFFF0202u);
    const auto sent = nlohmann::ordered_json::parse(Scores().last().text.toStdString());
    EXPECT_EQ(sent["sentenceId"], 5001);
    EXPECT_EQ(sent["uid"], host.login->GetUid());
    EXPECT_EQ(F().curpointCaseType, 2);
    EXPECT_EQ(Sentences()->Label_FluencyScore->Text(), QStringLiteral("70"));
    EXPECT_EQ(Sentences()->Rectangle_Start->Tag(), 0);
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayScoreSound")), 2);
}

TEST_F(SentencePractice, ASecondMicrophoneClickEndsTheRecordingAtOnceAndItIsGraded)
{
    host.grade->SetEvaluateDuration(600000);
    host.grade->QueueResult(SentenceResult(75));
    TWorkState state = wsBusy;
    int tag = -1;
    QString caption;
    bool animating = false, evaluatingAfterSentenceClick = false;
    int chosenAfterSentenceClick = -1;
    When([&] { return host.grade->IsEvaluating(); },
         [&] {
             state = F().WorkState;
             tag = Sentences()->Rectangle_Start->Tag();
             caption = Sentences()->Label_Start->Text();
             animating = F().Rectangle_RecordAnimation->Visible();
             // Clicking a sentence meanwhile does nothing.
             ClickMiddle(Sentences()->FSentenceContent.at(1));
             chosenAfterSentenceClick = F().curSelectSentenceIndex;
             evaluatingAfterSentenceClick = host.grade->IsEvaluating();
             ClickMiddle(Sentences()->Rectangle_Start);
         });
    ClickMiddle(Sentences()->Rectangle_Start);
    ASSERT_TRUE(WaitIdle(3000)) << host.sound->Calls().Names().join(',').toStdString();
    EXPECT_EQ(state, wsRecording);
    EXPECT_EQ(tag, 1);
    EXPECT_EQ(caption, QStringLiteral("点击话筒 , 停止录音"));
    EXPECT_TRUE(animating);
    EXPECT_EQ(chosenAfterSentenceClick, 0);
    EXPECT_TRUE(evaluatingAfterSentenceClick);
    ASSERT_EQ(host.grade->Evaluations().size(), 1);
    EXPECT_TRUE(host.grade->Evaluations().first().stoppedEarly);
    EXPECT_TRUE(host.grade->Evaluations().first().graded);
    EXPECT_TRUE(Sentences()->Rectangle_Score->Visible());
    EXPECT_EQ(Sentences()->Text_SentenceScore->Text(), QStringLiteral("75"));
    EXPECT_EQ(Scores().size(), 1);
    EXPECT_FALSE(F().Rectangle_RecordAnimation->Visible());
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 0);
}

TEST_F(SentencePractice, PlayDuringARecordingWaitsUntilTheRecordingEndedAndTheFrameIsIdle)
{
    host.grade->SetEvaluateDuration(600000);
    host.grade->QueueResult(SentenceResult(75));
    bool evaluatingWhenPlayed = true;
    TWorkState stateWhenPlayed = wsBusy;
    int resultsReadWhenPlayed = -1;
    When([&] { return host.grade->IsEvaluating(); }, [&] { ClickMiddle(Sentences()->Rectangle_Read); });
    When([&] { return host.sound->IsPlaying(); },
         [&] {
             evaluatingWhenPlayed = host.grade->IsEvaluating();
             stateWhenPlayed = F().WorkState;
             resultsReadWhenPlayed = host.grade->Calls().Count(QStringLiteral("GetLastResult"));
         });
    ClickMiddle(Sentences()->Rectangle_Start);
    ASSERT_TRUE(WaitUntil([&] { return host.sound->Calls().Count(QStringLiteral("PlayFile")) == 1; }, StatedMs{5000}));
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(evaluatingWhenPlayed);
    EXPECT_EQ(stateWhenPlayed, wsPlaying);
    EXPECT_EQ(resultsReadWhenPlayed, 1);
    EXPECT_TRUE(host.grade->Evaluations().first().graded);
    // The recording was stopped, not finished: no score is shown or sent.
    EXPECT_FALSE(Sentences()->Rectangle_Score->Visible());
    EXPECT_TRUE(Scores().isEmpty());
}

TEST_F(SentencePractice, ReplayPlaysTheLearnersRecordingAndThePlainEngineIsUsedWhenChosen)
{
    const int engineType = EngineType;
    EngineType = 1;
    RecordGraded(SentenceResult(90));
    EngineType = engineType;
    EXPECT_EQ(host.grade->Evaluations().last().operation, QStringLiteral("Evaluate"));

    host.sound->SetPlayDuration(5000);
    TWorkState stateWhilePlaying = wsBusy;
    When([&] { return host.sound->IsPlaying() && host.sound->PlayingName().endsWith(QStringLiteral("temp.wav")); },
         [&] { stateWhilePlaying = F().WorkState; });
    ClickMiddle(Sentences()->Rectangle_Replay);
    ASSERT_TRUE(WaitIdle());
    const auto play = host.sound->Calls().Last(QStringLiteral("PlayFile"));
    ASSERT_TRUE(play);
    EXPECT_TRUE(play->args.at(0).endsWith(QStringLiteral("tmp/temp.wav")));
    EXPECT_EQ(play->args.at(2), QStringLiteral("0"));
    EXPECT_EQ(stateWhilePlaying, wsPlaying);
}

} // namespace
