// The scenario language: what each command line becomes, the lines refused
// with their line number, and the transcript's one-line records.

#include "ScenarioScript.h"
#include "ScenarioTranscript.h"

#include <gtest/gtest.h>

namespace {

TScenarioStep Only(const QString &script)
{
    const TScenarioParse p = ParseScenario(script);
    EXPECT_TRUE(p.ok()) << p.error.toStdString();
    EXPECT_EQ(p.steps.size(), 1);
    return p.steps.value(0);
}

QString ErrorOf(const QString &script)
{
    const TScenarioParse p = ParseScenario(script);
    EXPECT_FALSE(p.ok()) << script.toStdString();
    EXPECT_TRUE(p.steps.isEmpty()) << "nothing of a bad script runs";
    return p.error;
}

TEST(ScenarioScript, CommentsAndBlankLinesAreSkippedAndStepsKeepTheirLines)
{
    const TScenarioParse p = ParseScenario(QStringLiteral("# a comment\n\n  speed 20\r\n\t# another\nstart\nclose\n"));
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    ASSERT_EQ(p.steps.size(), 3);
    EXPECT_EQ(p.steps[0].line, 3);
    EXPECT_EQ(p.steps[0].command, TScenarioCommand::Speed);
    EXPECT_DOUBLE_EQ(p.steps[0].factor, 20);
    EXPECT_EQ(p.steps[0].source, QStringLiteral("speed 20"));
    EXPECT_EQ(p.steps[1].line, 5);
    EXPECT_EQ(p.steps[1].command, TScenarioCommand::Start);
    EXPECT_EQ(p.steps[2].line, 6);
    EXPECT_EQ(p.steps[2].command, TScenarioCommand::Close);
}

TEST(ScenarioScript, StartOptions)
{
    const TScenarioStep plain = Only(QStringLiteral("start"));
    EXPECT_EQ(plain.start.userType, 1);
    EXPECT_EQ(plain.start.schoolUserId, 0);
    EXPECT_TRUE(plain.start.engineReady);
    EXPECT_TRUE(plain.start.serviceOn);

    const TScenarioStep s = Only(QStringLiteral("start usertype=0 schooluser=88123 engine=notready service=off"));
    EXPECT_EQ(s.start.userType, 0);
    EXPECT_EQ(s.start.schoolUserId, 88123);
    EXPECT_FALSE(s.start.engineReady);
    EXPECT_FALSE(s.start.serviceOn);

    EXPECT_TRUE(ErrorOf(QStringLiteral("start usertype=x")).contains(QStringLiteral("usertype=x")));
    ErrorOf(QStringLiteral("start engine=broken"));
    ErrorOf(QStringLiteral("start service"));
    ErrorOf(QStringLiteral("start schooluser=-4"));
    ErrorOf(QStringLiteral("start colour=red"));
}

TEST(ScenarioScript, ServiceControlsAndJsonArguments)
{
    const TScenarioStep drop = Only(QStringLiteral("service drop 2003"));
    EXPECT_EQ(drop.command, TScenarioCommand::ServiceDrop);
    EXPECT_EQ(drop.number, 2003);

    const TScenarioStep reply = Only(QStringLiteral(R"(service reply 2101 {"apiCode":2102, "items": [ ]})"));
    EXPECT_EQ(reply.command, TScenarioCommand::ServiceReply);
    EXPECT_EQ(reply.number, 2101);
    EXPECT_EQ(reply.text, QStringLiteral(R"({"apiCode":2102, "items": [ ]})")) << "the JSON text is kept as written";
    EXPECT_EQ(Only(QStringLiteral("service clear")).command, TScenarioCommand::ServiceClear);

    const TScenarioStep send = Only(QStringLiteral(R"(send {"apiCode":99999})"));
    EXPECT_EQ(send.command, TScenarioCommand::Send);
    EXPECT_EQ(send.text, QStringLiteral(R"({"apiCode":99999})"));
    const TScenarioStep grade = Only(QStringLiteral(R"(grade {"overall":88})"));
    EXPECT_EQ(grade.command, TScenarioCommand::Grade);

    ErrorOf(QStringLiteral("service reply 2101 {broken"));
    ErrorOf(QStringLiteral("service reply 2101 [1,2]"));
    ErrorOf(QStringLiteral("service drop two"));
    ErrorOf(QStringLiteral("service drop 2003 {}"));
    ErrorOf(QStringLiteral("service stop"));
    ErrorOf(QStringLiteral("send"));
    ErrorOf(QStringLiteral("send 12"));
    ErrorOf(QStringLiteral("grade {"));
}

TEST(ScenarioScript, MouseAnswersWaitsAndScreenshots)
{
    const QList<std::pair<QString, TScenarioCommand>> mouse = {
        {QStringLiteral("click"), TScenarioCommand::Click}, {QStringLiteral("down"), TScenarioCommand::Down},
        {QStringLiteral("up"), TScenarioCommand::Up},       {QStringLiteral("enter"), TScenarioCommand::Enter},
        {QStringLiteral("leave"), TScenarioCommand::Leave}};
    for (const auto &[word, kind] : mouse) {
        const TScenarioStep s = Only(word % QStringLiteral(" Rectangle_Start"));
        EXPECT_EQ(s.command, kind) << word.toStdString();
        EXPECT_EQ(s.name, QStringLiteral("Rectangle_Start"));
        ErrorOf(word);
        ErrorOf(word % QStringLiteral(" two names"));
    }
    EXPECT_TRUE(Only(QStringLiteral("answer YES")).yes);
    EXPECT_FALSE(Only(QStringLiteral("answer no")).yes);
    ErrorOf(QStringLiteral("answer maybe"));

    EXPECT_EQ(Only(QStringLiteral("wait 1500")).number, 1500);
    ErrorOf(QStringLiteral("wait"));
    ErrorOf(QStringLiteral("wait -5"));
    ErrorOf(QStringLiteral("wait 1.5"));

    const TScenarioStep w = Only(QStringLiteral("waitfor out 10004"));
    EXPECT_EQ(w.command, TScenarioCommand::WaitForOut);
    EXPECT_EQ(w.number, 10004);
    EXPECT_EQ(w.timeoutMs, kDefaultWaitForMs);
    EXPECT_EQ(Only(QStringLiteral("waitfor out 2003 500")).timeoutMs, 500);
    ErrorOf(QStringLiteral("waitfor in 2004"));
    ErrorOf(QStringLiteral("waitfor out"));
    ErrorOf(QStringLiteral("waitfor out 2003 500 9"));

    EXPECT_EQ(Only(QStringLiteral("screenshot shots/my start.png")).name, QStringLiteral("shots/my start.png"));
    ErrorOf(QStringLiteral("screenshot"));
    ErrorOf(QStringLiteral("close now"));
    ErrorOf(QStringLiteral("speed 0"));
    ErrorOf(QStringLiteral("speed fast"));
    ErrorOf(QStringLiteral("speed inf"));
}

TEST(ScenarioScript, GetReadsKnownPropertiesWithAnOptionalExpectedValue)
{
    const TScenarioStep g = Only(QStringLiteral("get Label_Title Text"));
    EXPECT_EQ(g.command, TScenarioCommand::Get);
    EXPECT_EQ(g.name, QStringLiteral("Label_Title"));
    EXPECT_EQ(g.property, QStringLiteral("text")) << "properties are not case sensitive";
    EXPECT_FALSE(g.expects);

    const TScenarioStep e = Only(QStringLiteral("get Label_Title text = 系统导读后 , 请跟读"));
    EXPECT_TRUE(e.expects);
    EXPECT_EQ(e.text, QStringLiteral("系统导读后 , 请跟读")) << "blanks inside the value are kept";
    const TScenarioStep empty = Only(QStringLiteral("get Label_Title text ="));
    EXPECT_TRUE(empty.expects);
    EXPECT_TRUE(empty.text.isEmpty());

    for (const QString &p : ScenarioProperties())
        EXPECT_EQ(Only(QStringLiteral("get X ") % p).property, p);
    EXPECT_TRUE(ErrorOf(QStringLiteral("get X font")).contains(QStringLiteral("font")));
    ErrorOf(QStringLiteral("get X"));
    ErrorOf(QStringLiteral("get X text abc"));
}

TEST(ScenarioScript, TheFirstBadLineIsNamedAndNothingRuns)
{
    const TScenarioParse p = ParseScenario(QStringLiteral("speed 10\nstart\n\nclik Rectangle_Start\nclose\n"));
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.errorLine, 4);
    EXPECT_TRUE(p.error.startsWith(QStringLiteral("line 4: "))) << p.error.toStdString();
    EXPECT_TRUE(p.error.contains(QStringLiteral("clik")));
    EXPECT_TRUE(p.steps.isEmpty());
}

TEST(ScenarioTranscript, RecordsAreOneLineEachWithTheirKind)
{
    TScenarioTranscript t;
    QStringList printed;
    t.SetOnLine([&](const QString &line) { printed << line; });
    t.Step(4, QStringLiteral("click Rectangle_Start"));
    t.HostEvent(QStringLiteral(R"(request {"apiCode":2003})"));
    t.HostEvent(QStringLiteral(R"(job {"apiCode":10007})"));
    t.HostEvent(QStringLiteral(R"(reply {"apiCode":2004})"));
    t.HostEvent(QStringLiteral(R"(notice {"apiCode":10003})"));
    t.HostEvent(QStringLiteral("DeleteFrame"));
    t.Info(QStringLiteral("第一行\n第二行"));
    t.Question(QStringLiteral("是否继续？"), true, QString(), QString(), true);
    t.Question(QStringLiteral("保存吗"), false, QStringLiteral("保存"), QStringLiteral("放弃"), false);
    t.Hint(QStringLiteral("播放"));
    t.Log(QStringLiteral("error:a\\b\r\n"));
    t.Get(QStringLiteral("Label_Title"), QStringLiteral("text"), QStringLiteral("two\nlines"));
    t.Failed(9, QStringLiteral("waitfor out 2004: no"));

    const QStringList expected = {
        QStringLiteral("> 4 click Rectangle_Start"),
        QStringLiteral(R"(out send {"apiCode":2003})"),
        QStringLiteral(R"(out job {"apiCode":10007})"),
        QStringLiteral(R"(in reply {"apiCode":2004})"),
        QStringLiteral(R"(in notice {"apiCode":10003})"),
        QStringLiteral("host DeleteFrame"),
        QStringLiteral("info 第一行\\n第二行"),
        QStringLiteral("ask 是否继续？ -> yes"),
        QStringLiteral("ask 保存吗 [保存 | 放弃] -> no (no answer queued)"),
        QStringLiteral("hint 播放"),
        QStringLiteral("log error:a\\\\b\\r\\n"),
        QStringLiteral("get Label_Title text = two\\nlines"),
        QStringLiteral("FAILED line 9: waitfor out 2004: no"),
    };
    EXPECT_EQ(t.Lines(), expected);
    EXPECT_EQ(printed, expected) << "every record is handed on as it is added";
    EXPECT_EQ(t.Text().count(u'\n'), expected.size());
}

} // namespace
