// The study modes on a running frame: entering, switching and leaving them;
// sentence practice (choosing, listening, recording, grading, the score panel
// and what is sent); passage reading and repeat (listening, the graded
// recording and the stored record; leaving the result page is FramePages').
//
// The frame is on the test host with a small textbook decoded from a real
// package and its first lesson open on the course page. Unit 1, lesson 1 has
// two parts: "I like apples very much." (Tom, Man.png) and "Hello." (Amy,
// Woman.png), then the narration "Well... I think so." Lesson 2 has no parts.
// The module's main path is a folder of the test's own, so the model audio
// and recordings of parallel test programs do not meet.

#include "ClockSpeed.h"
#include "GradingResults.h"
#include "LogCapture.h"
#include "TestHost.h"
#include "TestMouse.h"
#include "WaitUntil.h"

#include "MyLabelFrame.h"
#include "StudyPartFrame.h"
#include "StudyPlayFrame.h"
#include "StudyRepeatFrame.h"
#include "StudySentenceFrame.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "PackBook.h"
#include "PackageMaker.h"
#include "TBookIconFrame.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TTimer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using Json = nlohmann::ordered_json;

namespace {

class ModeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.Start(false);
        F().SetMainPath(dir.path() + QLatin1Char('/'));
        // The book's data.json: the unit and lessons described above.
        const QByteArray book = R"({"version":"1","bookId":900,"bookName":"Mode Book","bookType":"lesson",
            "Units":[{"unitId":101,"unitName":"Unit 1","lessons":[
              {"lessonId":111,"lessonName":"Apples","parts":[
                {"partId":1,"sentences":[
                  {"sentenceId":5001,"text":"I like apples very much.","speaker":"Tom","speakerPicture":"Man.png",
                   "audio":"a/5001.mp3"},
                  {"sentenceId":5002,"text":"Hello.","speaker":"Amy","speakerPicture":"Woman.png",
                   "audio":"a/5002.mp3"}]},
                {"partId":2,"sentences":[
                  {"sentenceId":5003,"text":"Well... I think so.","speaker":"","speakerPicture":"",
                   "audio":"a/5003.mp3"}]}]},
              {"lessonId":112,"lessonName":"Empty","parts":[]}]}]})";
        QList<TestEntry> entries{{QStringLiteral("data.json"), book}};
        for (int id : {5001, 5002, 5003})
            entries.append({QStringLiteral("a/%1.mp3").arg(id), NoiseBytes(400, id)});
        const QString package = dir.filePath(QStringLiteral("book.7z"));
        ASSERT_EQ(MakePackage(package, entries, PackageOptions{QString(), false, true}), QString());
        ASSERT_TRUE(F().PackBook->funcDecodeResourceFile(package)) << F().PackBook->DecodeError().toStdString();
        F().PackBook->SetMainPath(dir.path());

        tile.SetGoodsName(QStringLiteral("Mode Book"));
        tile.SetCourseType(QStringLiteral("U"));
        tile.SetLessonID(900);
        F().curSelectBook = &tile;
        F().curSelectBookType.clear();
        F().TabControl_Home->SetTabIndex(pgBook);
        F().curselectUnitButtonIndex = 0;
        F().curSelectLessonButtonIndex = 0;
        // Recordings end by the microphone as well as by the module's stop flag.
        host.sound->SetOnStopRecord([g = host.grade] { g->Interrupt(); });
    }

    TStudyFrame &F() { return *host.Frame(); }

    // Does `action` once, from a timer, as soon as `condition` holds. A
    // WaitUntil in the test's own flow returns only after the frame's wait it
    // runs into (a playback, a recording) has ended; this acts in the middle
    // of that wait, as a learner's click does.
    void When(std::function<bool()> condition, std::function<void()> action)
    {
        auto *timer = new QTimer(&host.parent);
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, condition, action] {
            if (!condition())
                return;
            timer->stop();
            timer->deleteLater();
            action();
        });
        timer->start();
    }
    TStudySentenceFrame *Sentences() { return F().StudySentenceFrame; }

    // A lesson menu label with this name, pressed.
    void OpenMode(const QString &labelName)
    {
        TLabel label;
        label.SetName(labelName);
        F().RunHandler(QStringLiteral("StudyModeButtonUp"),
                       [&] { F().StudyModeButtonUp(&label, Qt::LeftButton, Qt::NoModifier, 1, 1); });
        ASSERT_TRUE(WaitSwitched());
    }
    // A tab of the study page, pressed.
    void PressTab(TText *tab)
    {
        ClickMiddle(tab);
        ASSERT_TRUE(WaitSwitched());
    }
    bool WaitSwitched()
    {
        return WaitUntil([&] { return !F().isStudyModeChange && !F().Timer_ChangeMode->Enabled(); }, StatedMs{5000});
    }
    bool WaitIdle(int ms = 20000)
    {
        return WaitUntil(
            [&] {
                return F().WorkState == wsIdle && !F().Timer_SentencePlay->Enabled()
                       && !F().Timer_SentenceRecord->Enabled() && !F().Timer_SentenceReplay->Enabled();
            },
            StatedMs{ms});
    }
    // Number of views of each kind on the study page.
    int Views() const
    {
        return host.Frame()->Rectangle_StudyCenterBackground->findChildren<TFrame *>(Qt::FindDirectChildrenOnly).size();
    }
    QList<TSentText> Scores() const { return TestHost::WithCode(host.requests, 41); }

    static QString SentenceResult(double overall)
    {
        return QStringLiteral(R"({"result":{"overall":%1,"accuracy":80,"integrity":90,"fluency":{"overall":70},)"
                              R"("details":[{"char":"I","score":90}]}})")
            .arg(overall);
    }

    ClockSpeed fast{10};
    QTemporaryDir dir;
    TBookIconFrame tile; // the open book's shelf tile (outlives the frame)
    TestHost host;
};

class ModeSwitch : public ModeFixture
{};

// What each mode shows (titles, counters, rows, roles) is checked end to end
// by the sentence practice and passage reading scenarios.
TEST_F(ModeSwitch, EachTabBuildsItsOwnViewAndFreesTheOneBefore)
{
    OpenMode(QStringLiteral("Label_Sentence"));
    const QPointer<TStudySentenceFrame> sentenceView = Sentences();
    ASSERT_TRUE(sentenceView);

    PressTab(F().Text_TabPart);
    EXPECT_TRUE(sentenceView.isNull());
    ASSERT_TRUE(F().StudyPartFrame);
    EXPECT_TRUE(F().StudyPartFrame->PartContent().startsWith(QStringLiteral("I like apples very much. Hello.")));
    EXPECT_TRUE(F().ReadAni) << "the idle figure of the book's first speaker";

    // Role play sets a play-finished handler, and leaving it clears it again.
    PressTab(F().Text_TabRole);
    ASSERT_TRUE(F().StudyPlayFrame);
    EXPECT_FALSE(F().StudyPartFrame);
    EXPECT_TRUE(host.sound->HasFinishedHandler());
    PressTab(F().Text_TabSentence);
    EXPECT_FALSE(host.sound->HasFinishedHandler());
    EXPECT_EQ(Views(), 1);
}

TEST_F(ModeSwitch, MissingLessonContentStillOpensThePassageModesWithoutTheFigure)
{
    LogCapture log;
    // A lesson without parts, and then a book without units at all.
    F().curSelectLessonButtonIndex = 1;
    F().PackBook->Units[0].Lessons[0].Parts.clear();
    OpenMode(QStringLiteral("Label_Part"));
    EXPECT_TRUE(F().StudyPartFrame);
    EXPECT_FALSE(F().ReadAni);

    F().PackBook->Units.clear();
    PressTab(F().Text_TabRepeat);
    EXPECT_TRUE(F().StudyRepeatFrame);
    EXPECT_TRUE(log.Lines().contains(QStringLiteral("error:curModeName Rectangle_Repeat")));
    PressTab(F().Text_TabSentence);
    ASSERT_TRUE(Sentences());
    EXPECT_EQ(Sentences()->SentenceCount(), 0);
    EXPECT_EQ(F().curSelectSentenceIndex, -1);
    // Play without a sentence says so and plays nothing.
    ClickMiddle(Sentences()->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return host.message->Infos().size() == 1; }, StatedMs{2000}));
    EXPECT_EQ(host.message->Infos().first(), QStringLiteral("请先选择要朗读的句子"));
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 0);
}

TEST_F(ModeSwitch, ReturnWaitsForThePlaybackToStopAndGoesToTheUnitOrHomePage)
{
    host.sound->SetPlayDuration(600000);
    for (const bool material : {false, true}) {
        F().curSelectBookType = material ? QStringLiteral("materials") : QString();
        OpenMode(QStringLiteral("Label_Sentence"));
        const QPointer<TStudySentenceFrame> view = Sentences();
        bool viewAliveWhileReturning = false;
        When([&] { return host.sound->IsPlaying(); },
             [&] {
                 ClickMiddle(F().Button_Study_LearningReturn);
                 viewAliveWhileReturning = !view.isNull() && F().isStudyModeReturn;
             });
        ClickMiddle(Sentences()->Rectangle_Read);
        ASSERT_TRUE(WaitUntil([&] { return view.isNull() && !F().Timer_Return->Enabled(); }, StatedMs{5000}));
        EXPECT_TRUE(viewAliveWhileReturning);
        EXPECT_FALSE(host.sound->IsPlaying());
        EXPECT_EQ(F().WorkState, wsIdle);
        EXPECT_EQ(F().TabControl_Home->TabIndex(), material ? pgHome : pgBook) << material;
        EXPECT_EQ(F().StudyModule, material ? smHome : smBookUnit);
        EXPECT_FALSE(F().isStudyModeReturn);
        EXPECT_EQ(Views(), 0);
        if (material) // the home page forgets the open book
            F().curSelectBook = &tile;
    }
}

TEST_F(ModeSwitch, AStartRequestWhileSwitchingIsDroppedAndTheSwitchLeavesNoError)
{
    LogCapture log;
    OpenMode(QStringLiteral("Label_Sentence"));
    host.sound->SetPlayDuration(600000);
    Sentences()->Rectangle_LoopPlayClick();

    // A switch asked while the model plays; a play request meanwhile is dropped.
    When([&] { return host.sound->IsPlaying(); },
         [&] {
             ClickMiddle(F().Text_TabPart);
             F().Timer_SentencePlay->SetEnabled(true);
         });
    ClickMiddle(Sentences()->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return F().StudyPartFrame && !F().isStudyModeChange; }, StatedMs{5000}));
    EXPECT_FALSE(F().Timer_SentencePlay->Enabled());
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 1);
    EXPECT_EQ(Views(), 1);
    EXPECT_EQ(F().WorkState, wsIdle);
    // The test archive has no figure animations; nothing else may go wrong.
    const QStringList errors = log.LinesStartingWith(QStringLiteral("error:"))
                                   .filter(QRegularExpression(QStringLiteral("^(?!.*not found ani\\\\).*$")));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

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
    // (WaitIdle alone may see the frame idle before the play timer's action ran.)
    ASSERT_TRUE(WaitUntil([&] { return !nextPass.isEmpty(); }, StatedMs{20000}));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Sentences()->Label_SpeedPlay->Text(), QStringLiteral("x1.25"));
    EXPECT_EQ(speedCall, (QStringList{F().PlayingVoiceFileName, QStringLiteral("25")}));
    ASSERT_EQ(nextPass.size(), 3);
    EXPECT_EQ(nextPass.at(2), QStringLiteral("25"));
    // The pass under way when the loop went off was the last.
    EXPECT_EQ(plays(), before + 1);
}

TEST_F(SentencePractice, AGradedAttemptShowsItsScoresAndIsSentOnlyAboveThirty)
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
    const auto sent = nlohmann::ordered_json::parse(Scores().last().text.toStdString());
    EXPECT_EQ(sent["sentenceId"], 5001);
    EXPECT_EQ(sent["uid"], host.login->GetUid());
    EXPECT_EQ(F().curpointCaseType, 2);
    EXPECT_EQ(Sentences()->Rectangle_Start->Tag(), 0);
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayScoreSound")), 2); // the graded attempts'
}

TEST_F(SentencePractice, ASecondMicrophoneClickEndsTheRecordingAtOnceAndItIsGraded)
{
    host.grade->SetEvaluateDuration(600000);
    host.grade->QueueResult(SentenceResult(75));
    TWorkState state = wsBusy;
    int tag = -1;
    bool evaluatingAfterSentenceClick = false;
    int chosenAfterSentenceClick = -1;
    When([&] { return host.grade->IsEvaluating(); },
         [&] {
             state = F().WorkState;
             tag = Sentences()->Rectangle_Start->Tag();
             // Clicking a sentence meanwhile does nothing.
             ClickMiddle(Sentences()->FSentenceContent.at(1));
             chosenAfterSentenceClick = F().curSelectSentenceIndex;
             evaluatingAfterSentenceClick = host.grade->IsEvaluating();
             ClickMiddle(Sentences()->Rectangle_Start);
         });
    ClickMiddle(Sentences()->Rectangle_Start);
    ASSERT_TRUE(WaitUntil([&] { return tag != -1; }, StatedMs{3000}));
    ASSERT_TRUE(WaitIdle(3000)) << host.sound->Calls().Names().join(',').toStdString();
    EXPECT_EQ(state, wsRecording);
    EXPECT_EQ(tag, 1);
    EXPECT_EQ(chosenAfterSentenceClick, 0);
    EXPECT_TRUE(evaluatingAfterSentenceClick);
    ASSERT_EQ(host.grade->Evaluations().size(), 1);
    EXPECT_TRUE(host.grade->Evaluations().first().stoppedEarly);
    EXPECT_TRUE(host.grade->Evaluations().first().graded);
    EXPECT_TRUE(Sentences()->Rectangle_Score->Visible());
    EXPECT_EQ(Sentences()->Text_SentenceScore->Text(), QStringLiteral("75"));
    EXPECT_EQ(Scores().size(), 1);
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
    When([&] { return host.sound->IsPlaying() && host.sound->PlayingName().endsWith(QStringLiteral("tmp/temp.wav")); },
         [&] { stateWhilePlaying = F().WorkState; });
    ClickMiddle(Sentences()->Rectangle_Replay);
    ASSERT_TRUE(WaitUntil([&] { return stateWhilePlaying != wsBusy; }, StatedMs{5000}));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(stateWhilePlaying, wsPlaying);
}

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
