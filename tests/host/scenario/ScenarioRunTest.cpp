// Scenarios run end to end: studyhost --scenario with the real module, the
// simulated service and the sample content (the scripts in
// host/scenario/scripts), and the runner's own checks run in-process.

#include "ScenarioRunner.h"

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

// Scripts that prove themselves with their own counts, texts and pages, and
// what their transcripts show besides.
TEST(ScenarioEndToEnd, ScriptsPassAndShowWhatTheyCannotCount)
{
    const struct
    {
        const char *script;
        std::vector<std::pair<QString, int>> counts;
    } cases[] = {
        // Reading and repeating each submit a score; the share is registered.
        {"passage_reading.scn",
         {{QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":5,)"), 1},
          {QStringLiteral(R"(out send {"apiCode":41,"type":"L","pointCaseType":7,)"), 1},
          {QStringLiteral(R"(out send {"apiCode":1083,)"), 1},
          {QStringLiteral("log error:"), 0}}},
        // A lost shelf answer: two resends, then one message.
        {"shelf_dropped.scn", {{kShelfRequest, 3}, {QStringLiteral("in reply "), 0}, {kShelfFailure, 1}}},
        // With the service off the shelf fails like a lost answer.
        {"service_off.scn",
         {{kShelfRequest, 3},
          {QStringLiteral("in reply "), 0},
          {kShelfFailure, 1},
          {QStringLiteral("host closed (the module answered)"), 1}}},
        // Every picture got the refusal given before the start.
        {"pictures_refused.scn", {{QStringLiteral(R"(in reply {"apiCode":14,"errorCode":4)"), 20}}},
        {"assignment_record_dropped.scn", {{QStringLiteral(R"(in notice {"apiCode":10000)"), 1}}},
        // The module answers the close before the host lets it go.
        {"close_handshake.scn", {{QStringLiteral("host closed (the module answered)"), 1}}},
        // The missing package of the recent lesson is fetched once and opened.
        {"open_recent_textbook.scn", {{QStringLiteral(R"(out send {"apiCode":2101,)"), 1}}},
    };
    for (const auto &c : cases) {
        const THostRun run = RunHost(Script(c.script));
        EXPECT_EQ(run.exitCode, 0) << run.Dump();
        for (const auto &[start, count] : c.counts)
            EXPECT_EQ(run.Count(start), count) << c.script << ": " << start.toStdString();
    }
}

// A failed step ends the run with its line and exit 1, the host still closed
// properly; a bad script or a missing file runs nothing and exits 2.
TEST(ScenarioEndToEnd, AFailedStepExits1AndABadOrMissingScriptExits2)
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const char *text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    const THostRun run = RunHost(write(
        "wrong.scn", "speed 20\nstart\n# the tab's real text is 我的课程\nget Button_MyBook text = 别的课程\nclose\n"));
    EXPECT_EQ(run.exitCode, 1) << run.Dump();
    const int failed = run.Index(QStringLiteral("FAILED line 4: get Button_MyBook text = 别的课程: expected"));
    ASSERT_GE(failed, 0) << run.Dump();
    EXPECT_EQ(run.Index(QStringLiteral("> 5 close")), -1) << "nothing after the failed step runs";
    EXPECT_GT(run.Index(QStringLiteral("host end of script: closing")), failed);
    EXPECT_GT(run.Index(QStringLiteral(R"(out job {"apiCode":10004)")), failed) << "the module is closed properly";

    const THostRun bad = RunHost(write("typo.scn", "speed 20\n\nclik Button_MyBook\n"));
    EXPECT_EQ(bad.exitCode, 2) << bad.Dump();
    ASSERT_EQ(bad.lines.size(), 1) << bad.Dump();
    EXPECT_TRUE(bad.lines[0].startsWith(QStringLiteral("FAILED line 3: unknown command \"clik\""))) << bad.Dump();
    const THostRun missing = RunHost(dir.filePath(QStringLiteral("absent.scn")));
    EXPECT_EQ(missing.exitCode, 2) << missing.Dump();
    EXPECT_TRUE(missing.lines.value(0).startsWith(QStringLiteral("FAILED line 0: cannot read")));
}

// The shelf is taken without a resend or a failure message. The module asks
// only for the shelf pictures it has not stored below its main path: a
// scenario starts with an empty one of its own; a given one keeps what
// earlier runs stored there.
TEST(ScenarioEndToEnd, TheShelfIsAcceptedInAFreshMainPathUnlessOneIsGiven)
{
    const QString script = Script("shelf_accepted.scn");
    const QString pictureRequest = QStringLiteral(R"(out send {"apiCode":13,)");
    QTemporaryDir kept;
    const QStringList inKept{QStringLiteral("--main-path"), kept.path()};

    const THostRun first = RunHost(script, inKept);
    ASSERT_EQ(first.exitCode, 0) << first.Dump();
    EXPECT_GT(first.Index(kShelfReply), first.Index(kShelfRequest)) << first.Dump();
    EXPECT_EQ(first.Count(kShelfRequest), 1) << "no resend: " << first.Dump();
    EXPECT_EQ(first.Count(QStringLiteral("info ")), 0) << first.Dump();
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

// A step that cannot be carried out fails the run at its line, saying why.
TEST(ScenarioRunner, AStepThatCannotBeCarriedOutFailsTheRunWithItsReason)
{
    const struct
    {
        const char *script;
        int line;
        const char *reason;
    } cases[] = {
        {"click Button_MyBook", 1, "not started"},
        {"waitfor out 2003 10", 1, "not started"},
        {"speed 20\nstart\nclose\nget Button_MyBook text", 4, "the module is closed"},
        {"speed 20\nstart\nclick No_Such_Control", 3, "no widget named No_Such_Control"},
        {"service drop 2003\nstart service=off", 2, "service that is off"},
        {"speed 20\nstart\nget Button_MyBook page", 3, "has no page"},
        // Three shelf requests go out while the answer is lost; waitfor reads
        // each once, and a fourth never comes.
        {"speed 20\nservice drop 2003\nstart\nwaitfor out 2003 3000\nwaitfor out 2003 3000\n"
         "waitfor out 2003 3000\nwaitfor out 2003 3000\nclose",
         7, "sent no 2003 within 3000 ms"},
    };
    for (const auto &c : cases) {
        InProcess p;
        EXPECT_FALSE(p.Run(QString::fromUtf8(c.script))) << c.script;
        EXPECT_EQ(p.runner.FailedLine(), c.line) << c.script;
        EXPECT_TRUE(p.Failure().contains(QString::fromUtf8(c.reason))) << p.Dump();
    }
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

// The notice menu's items in a script: the host asks the module to switch
// (10005), deletes the frame only once it has answered (10006), creates the
// module again and hands it the notice before its shelf request.
TEST(ScenarioRunner, NoticeStartsTheModuleAgainWithTheNotice)
{
    InProcess p;
    ASSERT_TRUE(p.Run(QStringLiteral("speed 20\nstart\nwaitfor out 2003 1000\nwait 500\n"
                                     "mark\nnotice recent\nwaitfor out 2101 3000\n"
                                     "count out 10006 = 1\ncount out 2003 = 1\nclose\n")))
        << p.Dump();
    // Each in turn, the last one opening the recent lesson from the shelf reply.
    const THostRun run{0, p.Lines()};
    int at = -1;
    for (const QString &next :
         {QStringLiteral(R"(in notice {"apiCode":10005})"), QStringLiteral(R"(out job {"apiCode":10006})"),
          QStringLiteral("host DeleteFrame"), QStringLiteral(R"(in notice {"apiCode":10002,"lessonId":1001)"),
          QStringLiteral(R"(out send {"apiCode":2003)"), QStringLiteral(R"(out send {"apiCode":2101)")}) {
        const int found = run.Index(next, at + 1);
        ASSERT_GT(found, at) << next.toStdString() << " after line " << at << ": " << p.Dump();
        at = found;
    }
    EXPECT_TRUE(run.lines[at].contains(QStringLiteral(R"("lessonId":1001)"))) << run.lines[at].toStdString();
}

} // namespace
