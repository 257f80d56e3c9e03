// Scenarios run end to end: studyhost --scenario with the real module, the
// simulated service and the sample content (the scripts in
// host/scenario/scripts), and the runner's own checks run in-process.

#include "ScenarioRunner.h"

#include "TSimGradeEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct THostRun
{
    int exitCode = -1;
    QStringList lines;

    int Index(const QString &start, int from = 0) const
    {
        for (int i = from; i < lines.size(); ++i)
            if (lines[i].startsWith(start))
                return i;
        return -1;
    }
    int Count(const QString &start) const
    {
        int n = 0;
        for (const QString &l : lines)
            n += l.startsWith(start);
        return n;
    }
    std::string Dump() const { return lines.join(u'\n').toStdString(); }
};

// Runs studyhost on a script and collects its transcript.
THostRun RunHost(const QString &script, const QStringList &options = {})
{
    THostRun run;
    QProcess host;
    host.setProgram(QStringLiteral(STUDYHOST_FILE));
    host.setArguments(QStringList{QStringLiteral("--scenario"), script} + options);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY")); // the runner needs no screen
    host.setProcessEnvironment(env);
    host.start();
    if (!host.waitForFinished(120000)) {
        host.kill();
        host.waitForFinished(5000);
        ADD_FAILURE() << "studyhost did not finish " << script.toStdString();
        return run;
    }
    run.exitCode = host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
    run.lines = QString::fromUtf8(host.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return run;
}

QString Script(const char *name)
{
    return QStringLiteral(SCENARIO_SCRIPTS "/") % QString::fromLatin1(name);
}

const QString kShelfRequest = QStringLiteral(R"(out send {"apiCode":2003)");
const QString kShelfReply = QStringLiteral(R"(in reply {"apiCode":2004)");
const QString kShelfFailure = QStringLiteral("info 加载课程失败，请检查网络是否正常");

TEST(ScenarioEndToEnd, TheShelfReplyIsAcceptedWithoutResendOrFailure)
{
    const THostRun run = RunHost(Script("shelf_accepted.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    const int request = run.Index(kShelfRequest);
    const int reply = run.Index(kShelfReply);
    ASSERT_GE(request, 0) << run.Dump();
    EXPECT_GT(reply, request) << run.Dump();
    EXPECT_EQ(run.Count(kShelfRequest), 1) << "no resend: " << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("info ")), 0) << run.Dump();
    EXPECT_GE(run.Index(QStringLiteral("get Button_MyBook text = 我的课程")), 0) << run.Dump();
    EXPECT_EQ(run.Index(QStringLiteral("FAILED")), -1);
}

TEST(ScenarioEndToEnd, ALearnerPractisesASentenceThroughTheFourModesAndReturns)
{
    const THostRun run = RunHost(Script("sentence_practice.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    // One sentence score, graded by the simulated grader word by word.
    const QString score = QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":2,"lessonId":0,)");
    ASSERT_EQ(run.Count(score), 1) << run.Dump();
    const QString line = run.lines.at(run.Index(score));
    for (const char *word : {"Good", "morning", "Tom", "How", "are", "you"})
        EXPECT_TRUE(line.contains(QStringLiteral(R"(char\\":\\"%1\\")").arg(QLatin1String(word)))) << word;
    EXPECT_EQ(run.Count(QStringLiteral("log error:")), 0) << run.Dump();
}

TEST(ScenarioEndToEnd, WithTheOfflineGraderTheLearnersSpeechIsGradedAndShown)
{
    // The learner's speech comes from a WAV file standing in for the
    // microphone; the offline grader grades it word by word.
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("learner.wav"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("espeak-ng"),
                                {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"), wav,
                                 QStringLiteral("Good morning, Tom. How are you?")}),
              0);
    const THostRun run =
        RunHost(Script("sentence_practice.scn"),
                {QStringLiteral("--grader"), QStringLiteral("offline"), QStringLiteral("--microphone"), wav});
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    const QString score = QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":2,"lessonId":0,)");
    ASSERT_EQ(run.Count(score), 1) << run.Dump();
    const QString line = run.lines.at(run.Index(score));
    const qsizetype at = line.indexOf(QStringLiteral(R"("score":)"));
    ASSERT_GT(at, 0);
    const double overall = line.mid(at + 8, line.indexOf(u',', at) - at - 8).toDouble();
    // Graded from the speech, not simulated from the text's length: a fair
    // reading by a synthetic voice, and unlike the simulation's fixed 41.
    EXPECT_GT(overall, 50.0) << run.Dump();
    EXPECT_TRUE(line.contains(QStringLiteral(R"(char\\":\\"morning\\")"))) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("log error:")), 0) << run.Dump();
}

TEST(ScenarioEndToEnd, APassageIsReadSubmittedAndSharedThenRepeated)
{
    const THostRun run = RunHost(Script("passage_reading.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":5,)")), 1) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":7,)")), 1) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral(R"(out send {"apiCode":1083,)")), 1) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("log error:")), 0) << run.Dump();
}

TEST(ScenarioEndToEnd, ADroppedShelfRequestIsSentThreeTimesThenReportedOnce)
{
    const THostRun run = RunHost(Script("shelf_dropped.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    EXPECT_EQ(run.Count(kShelfRequest), 3) << run.Dump();
    EXPECT_EQ(run.Index(kShelfReply), -1) << run.Dump();
    ASSERT_EQ(run.Count(kShelfFailure), 1) << run.Dump();
    int third = -1;
    for (int i = 0; i < 3; ++i)
        third = run.Index(kShelfRequest, third + 1);
    EXPECT_GT(run.Index(kShelfFailure), third) << "the message comes after the last resend";
    EXPECT_EQ(run.Count(QStringLiteral("info ")), 1) << run.Dump();
}

TEST(ScenarioEndToEnd, CloseAnswers10004BeforeTheFrameIsDeleted)
{
    const THostRun run = RunHost(Script("close_handshake.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    const int closeStep = run.Index(QStringLiteral("> 6 close"));
    const int notice = run.Index(QStringLiteral(R"(in notice {"apiCode":10003)"));
    const int answer = run.Index(QStringLiteral(R"(out job {"apiCode":10004)"));
    const int deleted = run.Index(QStringLiteral("host DeleteFrame"));
    const int unloaded = run.Index(QStringLiteral("host unload"));
    const int closed = run.Index(QStringLiteral("host closed (the module answered)"));
    ASSERT_GE(closeStep, 0) << run.Dump();
    EXPECT_GT(notice, closeStep) << run.Dump();
    EXPECT_GT(answer, notice) << run.Dump();
    EXPECT_GT(deleted, answer) << run.Dump();
    EXPECT_GT(unloaded, deleted) << run.Dump();
    EXPECT_GT(closed, unloaded) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("host DeleteFrame")), 1) << run.Dump();
    EXPECT_EQ(run.Index(QStringLiteral("host end of script")), -1) << "closed by the script, not by the runner";
}

TEST(ScenarioEndToEnd, WithTheServiceOffTheShelfFailsLikeALostAnswer)
{
    const THostRun run = RunHost(Script("service_off.scn"));
    ASSERT_EQ(run.exitCode, 0) << run.Dump();
    EXPECT_EQ(run.Count(kShelfRequest), 3) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("in reply ")), 0) << run.Dump();
    EXPECT_EQ(run.Count(kShelfFailure), 1) << run.Dump();
    EXPECT_GE(run.Index(QStringLiteral("host closed (the module answered)")), 0) << run.Dump();
}

TEST(ScenarioEndToEnd, AFailedStepEndsTheRunWithItsLineAndExit1AndTheHostStillCloses)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("wrong.scn"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("speed 20\nstart\n# the tab's real text is 我的课程\nget Button_MyBook text = 别的课程\nclose\n");
    f.close();
    const THostRun run = RunHost(file);
    EXPECT_EQ(run.exitCode, 1) << run.Dump();
    const int failed = run.Index(QStringLiteral("FAILED line 4: get Button_MyBook text = 别的课程: expected"));
    ASSERT_GE(failed, 0) << run.Dump();
    EXPECT_EQ(run.Index(QStringLiteral("> 5 close")), -1) << "nothing after the failed step runs";
    EXPECT_GT(run.Index(QStringLiteral("host end of script: closing")), failed);
    EXPECT_GT(run.Index(QStringLiteral(R"(out job {"apiCode":10004)")), failed)
        << "the module is still closed properly";
}

TEST(ScenarioEndToEnd, ABadScriptOrMissingFileRunsNothingAndExits2)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("typo.scn"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("speed 20\n\nclik Button_MyBook\n");
    f.close();
    const THostRun bad = RunHost(file);
    EXPECT_EQ(bad.exitCode, 2) << bad.Dump();
    ASSERT_EQ(bad.lines.size(), 1) << bad.Dump();
    EXPECT_TRUE(bad.lines[0].startsWith(QStringLiteral("FAILED line 3: unknown command \"clik\""))) << bad.Dump();

    const THostRun missing = RunHost(dir.filePath(QStringLiteral("absent.scn")));
    EXPECT_EQ(missing.exitCode, 2) << missing.Dump();
    EXPECT_TRUE(missing.lines.value(0).startsWith(QStringLiteral("FAILED line 0: cannot read")));
}

// The two scripts below wait for the module's repairs of refused shelf
// pictures and of a lost package record (each script says what it expects).
TEST(ScenarioEndToEnd, TwentyRefusedPicturesGiveAtMostOneMessage)
{
    const THostRun run = RunHost(Script("pictures_refused.scn"));
    EXPECT_EQ(run.exitCode, 0) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral(R"(in reply {"apiCode":14,"errorCode":4)")), 20) << run.Dump();
    EXPECT_LE(run.Count(QStringLiteral("info ")), 1) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("ask ")), 0) << run.Dump();
}

// The module asks only for the shelf pictures it has not stored below its
// main path. A scenario starts with an empty one of its own; a given one
// keeps what earlier runs stored there.
TEST(ScenarioEndToEnd, AScenarioRunsInAFreshMainPathUnlessOneIsGiven)
{
    const QString script = Script("shelf_accepted.scn");
    const QString pictureRequest = QStringLiteral(R"(out send {"apiCode":13,)");
    QTemporaryDir kept;
    const QStringList inKept{QStringLiteral("--main-path"), kept.path()};

    const THostRun first = RunHost(script, inKept);
    EXPECT_EQ(first.exitCode, 0) << first.Dump();
    const int pictures = first.Count(pictureRequest);
    EXPECT_GE(pictures, 18) << first.Dump();
    EXPECT_TRUE(QFileInfo::exists(kept.filePath(QStringLiteral("pics/book/tile_1001.png"))));

    const THostRun again = RunHost(script, inKept);
    EXPECT_EQ(again.exitCode, 0) << again.Dump();
    EXPECT_EQ(again.Count(pictureRequest), 0) << again.Dump();

    const THostRun fresh = RunHost(script);
    EXPECT_EQ(fresh.exitCode, 0) << fresh.Dump();
    EXPECT_EQ(fresh.Count(pictureRequest), pictures) << fresh.Dump();
}

TEST(ScenarioEndToEnd, ALostPackageRecordOfAPushedAssignmentIsAskedSevenTimesAndReportedOnce)
{
    const THostRun run = RunHost(Script("assignment_record_dropped.scn"));
    EXPECT_EQ(run.exitCode, 0) << run.Dump();
    const int notice = run.Index(QStringLiteral(R"(in notice {"apiCode":10000)"));
    ASSERT_GE(notice, 0) << run.Dump();
    int records = 0;
    for (int i = run.Index(QStringLiteral(R"(out send {"apiCode":2101)"), notice); i >= 0;
         i = run.Index(QStringLiteral(R"(out send {"apiCode":2101)"), i + 1))
        ++records;
    EXPECT_EQ(records, 7) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("info 网络异常，请重试")), 1) << run.Dump();
    EXPECT_EQ(run.Count(QStringLiteral("info 加载课程失败")), 0) << run.Dump();
}

// In-process runs of the runner's own checks.
struct InProcess
{
    TScenarioRunner runner{TScenarioSetup{QCoreApplication::applicationDirPath(), {}, 15000}};

    bool Run(const QString &script)
    {
        const TScenarioParse parse = ParseScenario(script);
        EXPECT_TRUE(parse.ok()) << parse.error.toStdString();
        return runner.Run(parse.steps);
    }
    const QStringList &Lines() { return runner.Transcript().Lines(); }
    std::string Dump() { return Lines().join(u'\n').toStdString(); }
    QString Failure()
    {
        for (const QString &l : Lines())
            if (l.startsWith(QStringLiteral("FAILED")))
                return l;
        return {};
    }
};

TEST(ScenarioRunner, WaitforReadsEachOutgoingMessageOnceAndIsBounded)
{
    InProcess p;
    // Three shelf requests go out while the answer is lost; a fourth never does.
    EXPECT_FALSE(p.Run(QStringLiteral("speed 20\nservice drop 2003\nstart\n"
                                      "waitfor out 2003 3000\nwaitfor out 2003 3000\nwaitfor out 2003 3000\n"
                                      "waitfor out 2003 3000\n")));
    EXPECT_EQ(p.runner.FailedLine(), 7) << p.Dump();
    EXPECT_TRUE(p.Failure().contains(QStringLiteral("sent no 2003 within 3000 ms"))) << p.Dump();
}

TEST(ScenarioRunner, StepsThatNeedTheModuleFailBeforeStartAndAfterClose)
{
    for (const QString &step : {QStringLiteral("click Button_MyBook"), QStringLiteral("get Button_MyBook text"),
                                QStringLiteral(R"(send {"apiCode":99999})"), QStringLiteral("close"),
                                QStringLiteral("waitfor out 2003 10")}) {
        InProcess before;
        EXPECT_FALSE(before.Run(step)) << step.toStdString();
        EXPECT_TRUE(before.Failure().contains(QStringLiteral("not started"))) << before.Dump();
    }
    InProcess after;
    EXPECT_FALSE(after.Run(QStringLiteral("speed 20\nstart\nclose\nget Button_MyBook text\n")));
    EXPECT_EQ(after.runner.FailedLine(), 4);
    EXPECT_TRUE(after.Failure().contains(QStringLiteral("the module is closed"))) << after.Dump();
}

TEST(ScenarioRunner, MissingWidgetsPropertiesAndServicesFailTheirStep)
{
    InProcess missing;
    EXPECT_FALSE(missing.Run(QStringLiteral("speed 20\nstart\nclick No_Such_Control\n")));
    EXPECT_TRUE(missing.Failure().contains(QStringLiteral("no widget named No_Such_Control"))) << missing.Dump();

    InProcess offService;
    EXPECT_FALSE(offService.Run(QStringLiteral("service drop 2003\nstart service=off\n")));
    EXPECT_TRUE(offService.Failure().contains(QStringLiteral("service that is off"))) << offService.Dump();

    InProcess wrongProperty;
    EXPECT_FALSE(wrongProperty.Run(QStringLiteral("speed 20\nstart\nget Button_MyBook page\n")));
    EXPECT_TRUE(wrongProperty.Failure().contains(QStringLiteral("has no page"))) << wrongProperty.Dump();
}

TEST(ScenarioRunner, GradeResultsAndEngineStateReachTheHostsGradingEngine)
{
    InProcess p;
    ASSERT_TRUE(p.Run(QStringLiteral("speed 20\n"
                                     R"(grade {"result":{"overall":91.5}})"
                                     "\n"
                                     R"(grade {"result":{"overall":12}})"
                                     "\n"
                                     "start service=off engine=notready\nclose\n")))
        << p.Dump();
    const auto engine = p.runner.GradeEngine();
    EXPECT_FALSE(engine->IsEngineReady());
    QTemporaryDir dir;
    engine->Evaluate(1, dir.filePath(QStringLiteral("a.wav")), QStringLiteral("Hello."), 1);
    EXPECT_EQ(engine->GetLastResult(), QStringLiteral(R"({"result":{"overall":91.5}})"));
    engine->Evaluate(1, dir.filePath(QStringLiteral("b.wav")), QStringLiteral("Hello."), 1);
    EXPECT_EQ(engine->GetLastResult(), QStringLiteral(R"({"result":{"overall":12}})")) << "in the order queued";
}

TEST(ScenarioRunner, AReplyGivenBeforeStartHoldsForTheFirstRequest)
{
    InProcess p;
    const QString reply = QStringLiteral(R"({"apiCode":2004,"errorCode":4,"errorText":"没有课程"})");
    ASSERT_TRUE(p.Run(QStringLiteral("speed 20\nservice reply 2003 ") % reply
                      % QStringLiteral("\nstart\nwaitfor out 2003 1000\nwait 1000\nclose\n")))
        << p.Dump();
    EXPECT_GE(p.Lines().indexOf(QStringLiteral("in reply ") % reply), 0) << p.Dump();
    for (const QString &line : p.Lines())
        EXPECT_FALSE(line.startsWith(QStringLiteral(R"(in reply {"apiCode":2004,"errorCode":0)")))
            << "the simulator's own shelf";
}

// What a broken host sends reaches the module exactly as written; the
// module logs what it cannot read and goes on (it still answers the close).
TEST(ScenarioRunner, SendtextHandsTheRawTextToTheModule)
{
    const QString longText =
        QStringLiteral(R"({"apiCode":99999,"pad":")") + QString(200000, u'x') + QStringLiteral(R"("})");
    const QStringList texts = {QStringLiteral("not json at all"), QStringLiteral(R"([{"apiCode":10003}])"),
                               QStringLiteral(R"({"apiCode":10003,"x":[)"), QStringLiteral("  two  blanks"), longText};
    QString script = QStringLiteral("speed 20\nstart\nwaitfor out 2003 1000\nwait 500\nmark\n");
    for (const QString &t : texts)
        script += QStringLiteral("sendtext ") % t % u'\n';
    script += QStringLiteral("wait 500\ncount out 10004 = 0\nclose\n");
    InProcess p;
    ASSERT_TRUE(p.Run(script)) << p.Dump().substr(0, 4000);
    const QStringList &lines = p.Lines();
    for (const QString &t : texts) {
        // The line's outer blanks are not part of the text.
        const QString sent = t.trimmed();
        EXPECT_EQ(lines.count(QStringLiteral("in notice ") % sent), 1) << sent.left(80).toStdString();
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("log error:contest Getmsg :not json at all")))
        << "the text reached the module's message entry unchanged";
    EXPECT_EQ(lines.filter(QStringLiteral(R"(out job {"apiCode":10004})")).size(), 1) << "answered the real close only";
}

TEST(ScenarioRunner, CountComparesWhatHappenedSinceTheLastMark)
{
    InProcess p;
    ASSERT_TRUE(p.Run(QStringLiteral("speed 20\nservice drop 2003\nstart\nwait 14000\n"
                                     "count out 2003 = 3\ncount out 2003 >= 3\ncount out 2003 <= 3\n"
                                     "count in 2004 = 0\ncount out 10007 = 1\n"
                                     "count info 加载课程失败 = 1\ncount info = 1\ncount ask = 0\n"
                                     "mark\ncount out 2003 = 0\ncount info = 0\nclose\n")))
        << p.Dump();
    EXPECT_TRUE(p.Lines().contains(QStringLiteral("count out 2003 = 3"))) << p.Dump();
    EXPECT_TRUE(p.Lines().contains(QStringLiteral("count info 加载课程失败 = 1"))) << p.Dump();

    for (const auto &[check, reason] : std::initializer_list<std::pair<const char *, const char *>>{
             {"count out 2003 = 2", "expected exactly 2, found 3"},
             {"count out 2003 <= 2", "expected at most 2, found 3"},
             {"count info 加载 >= 2", "expected at least 2, found 1"}}) {
        InProcess wrong;
        EXPECT_FALSE(wrong.Run(QStringLiteral("speed 20\nservice drop 2003\nstart\nwait 14000\n")
                               % QString::fromUtf8(check) % QStringLiteral("\n")));
        EXPECT_EQ(wrong.runner.FailedLine(), 5) << check;
        EXPECT_TRUE(wrong.Failure().endsWith(QString::fromUtf8(reason))) << wrong.Failure().toStdString();
    }
}

// The notice menu's items in a script: the module is started again and the
// notice reaches the new module before its shelf request.
TEST(ScenarioRunner, NoticeStartsTheModuleAgainWithTheNotice)
{
    InProcess p;
    ASSERT_TRUE(p.Run(QStringLiteral("speed 20\nstart\nwaitfor out 2003 1000\nwait 500\n"
                                     "mark\nnotice recent\nwaitfor out 2101 3000\n"
                                     "count out 10006 = 1\ncount out 2003 = 1\nclose\n")))
        << p.Dump();
    const QStringList &lines = p.Lines();
    const qsizetype switched = lines.indexOf(QStringLiteral(R"(out job {"apiCode":10006})"));
    qsizetype notice = -1, shelf = -1, record = -1;
    for (qsizetype i = switched; switched >= 0 && i < lines.size(); ++i) {
        if (notice < 0 && lines[i].startsWith(QStringLiteral(R"(in notice {"apiCode":10002,"lessonId":1001)")))
            notice = i;
        if (shelf < 0 && lines[i].startsWith(QStringLiteral(R"(out send {"apiCode":2003)")))
            shelf = i;
        if (record < 0 && lines[i].startsWith(QStringLiteral(R"(out send {"apiCode":2101)")))
            record = i;
    }
    ASSERT_GE(switched, 0) << p.Dump();
    EXPECT_GT(notice, switched) << p.Dump();
    EXPECT_GT(shelf, notice) << p.Dump();
    EXPECT_GT(record, shelf) << "the recent lesson is opened from the shelf reply: " << p.Dump();
    EXPECT_TRUE(lines[record].contains(QStringLiteral(R"("lessonId":1001)"))) << lines[record].toStdString();
}

} // namespace
