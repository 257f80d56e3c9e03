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
    const TScenarioStep delay = Only(QStringLiteral("service delay 41 9000 type=L"));
    EXPECT_EQ(delay.command, TScenarioCommand::ServiceDelay);
    EXPECT_EQ(delay.number, 41);
    EXPECT_EQ(delay.timeoutMs, 9000);
    EXPECT_EQ(delay.filterMember, QStringLiteral("type"));

    const TScenarioStep send = Only(QStringLiteral(R"(send {"apiCode":99999})"));
    EXPECT_EQ(send.command, TScenarioCommand::Send);
    EXPECT_EQ(send.text, QStringLiteral(R"({"apiCode":99999})"));
    const TScenarioStep grade = Only(QStringLiteral(R"(grade {"overall":88})"));
    EXPECT_EQ(grade.command, TScenarioCommand::Grade);
}

TEST(ScenarioScript, ServiceControlsMayNameTheRequestsTheyConcern)
{
    const TScenarioStep reply = Only(QStringLiteral(R"(service reply 13 key=pics/ {"apiCode":14,"errorCode":4})"));
    EXPECT_EQ(reply.command, TScenarioCommand::ServiceReply);
    EXPECT_EQ(reply.number, 13);
    EXPECT_EQ(reply.filterMember, QStringLiteral("key"));
    EXPECT_EQ(reply.filterPrefix, QStringLiteral("pics/"));
    EXPECT_EQ(reply.text, QStringLiteral(R"({"apiCode":14,"errorCode":4})"));

    const TScenarioStep drop = Only(QStringLiteral("service drop 2101 queryType=resPackage"));
    EXPECT_EQ(drop.command, TScenarioCommand::ServiceDrop);
    EXPECT_EQ(drop.filterMember, QStringLiteral("queryType"));
    EXPECT_EQ(drop.filterPrefix, QStringLiteral("resPackage"));
    const TScenarioStep all = Only(QStringLiteral("service drop 2101 key="));
    EXPECT_EQ(all.filterMember, QStringLiteral("key")) << "an empty prefix: every request carrying the member";
    EXPECT_TRUE(all.filterPrefix.isEmpty());
    EXPECT_TRUE(Only(QStringLiteral("service drop 2003")).filterMember.isEmpty());
}

TEST(ScenarioScript, SendtextKeepsItsTextAsWritten)
{
    for (const QString &text : {QStringLiteral("not json at all"), QStringLiteral(R"([{"apiCode":2004}])"),
                                QStringLiteral(R"({"apiCode":2004,"userBooks":[)"), QStringLiteral(R"({"a":"\n  x"})"),
                                QString(), QString(5000, u'x')}) {
        const TScenarioStep s = Only(QStringLiteral("sendtext ") % text);
        EXPECT_EQ(s.command, TScenarioCommand::SendText);
        EXPECT_EQ(s.text, text);
    }
    EXPECT_EQ(Only(QStringLiteral("sendtext  two  blanks")).text, QStringLiteral("two  blanks"))
        << "blanks inside are kept";
}

TEST(ScenarioScript, NoticeMarkAndCount)
{
    EXPECT_TRUE(Only(QStringLiteral("notice assignment")).assignment);
    const TScenarioStep recent = Only(QStringLiteral("notice Recent"));
    EXPECT_EQ(recent.command, TScenarioCommand::Notice);
    EXPECT_FALSE(recent.assignment);

    EXPECT_EQ(Only(QStringLiteral("mark")).command, TScenarioCommand::Mark);

    const TScenarioStep out = Only(QStringLiteral("count out 2101 = 7"));
    EXPECT_EQ(out.command, TScenarioCommand::Count);
    EXPECT_EQ(out.countKind, TScenarioCount::Out);
    EXPECT_EQ(out.number, 2101);
    EXPECT_EQ(out.compare, TScenarioCompare::Equal);
    EXPECT_EQ(out.expected, 7);
    const TScenarioStep in = Only(QStringLiteral("count in 2004 >= 1"));
    EXPECT_EQ(in.countKind, TScenarioCount::In);
    EXPECT_EQ(in.compare, TScenarioCompare::AtLeast);
    const TScenarioStep info = Only(QStringLiteral("count info 网络异常，请重试 <= 1"));
    EXPECT_EQ(info.countKind, TScenarioCount::Info);
    EXPECT_EQ(info.compare, TScenarioCompare::AtMost);
    EXPECT_EQ(info.text, QStringLiteral("网络异常，请重试"));
    EXPECT_EQ(info.expected, 1);
    const TScenarioStep anyInfo = Only(QStringLiteral("count info = 0"));
    EXPECT_TRUE(anyInfo.text.isEmpty()) << "no text: every message";
    EXPECT_EQ(Only(QStringLiteral("count ask 是否 = 1 = 2")).text, QStringLiteral("是否 = 1"))
        << "the last operator counts; the text keeps what comes before it";
    EXPECT_EQ(Only(QStringLiteral("count ask 是否 = 2")).countKind, TScenarioCount::Ask);
}

TEST(ScenarioScript, MouseAnswersWaitsAndScreenshots)
{
    const QList<std::pair<QString, TScenarioCommand>> mouse = {{QStringLiteral("click"), TScenarioCommand::Click},
                                                               {QStringLiteral("down"), TScenarioCommand::Down},
                                                               {QStringLiteral("up"), TScenarioCommand::Up},
                                                               {QStringLiteral("enter"), TScenarioCommand::Enter},
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

    EXPECT_EQ(Only(QStringLiteral("wait 1500")).number, 1500);

    const TScenarioStep w = Only(QStringLiteral("waitfor out 10004"));
    EXPECT_EQ(w.command, TScenarioCommand::WaitForOut);
    EXPECT_EQ(w.number, 10004);
    EXPECT_EQ(w.timeoutMs, kDefaultWaitForMs);
    EXPECT_EQ(Only(QStringLiteral("waitfor out 2003 500")).timeoutMs, 500);

    EXPECT_EQ(Only(QStringLiteral("screenshot shots/my start.png")).name, QStringLiteral("shots/my start.png"));
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
}

// Lines refused with their reason; nothing of such a script runs.
TEST(ScenarioScript, MalformedLinesAreRefused)
{
    // One refused line between bars.
    const QString lines =
        QString::fromUtf8("start engine=broken|start service|start schooluser=-4|start colour=red|"
                          "service reply 2101 {broken|service reply 2101 [1,2]|service drop two|"
                          "service drop 2003 {}|service stop|send|send 12|grade {|service drop 2101 resPackage|"
                          "service drop 2101 =resPackage|service drop 2101 a=b c=d|service reply 13 key=pics/|"
                          "service reply 13 key=pics/ [1]|send [1]|notice|notice 10000|mark here|count out 2101|"
                          "count out = 7|count out 2101 == 7|count out 2101 = -1|count out x = 1|count out 1 2 = 1|"
                          "count hint x = 1|answer maybe|wait|wait -5|wait 1.5|waitfor in 2004|waitfor out|"
                          "waitfor out 2003 500 9|screenshot|close now|speed 0|speed fast|speed inf|get X|"
                          "get X text abc");
    for (const QString &line : lines.split(u'|'))
        ErrorOf(line);
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
    t.Count(QStringLiteral("out 2101"), 7);
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
        QStringLiteral("count out 2101 = 7"),
        QStringLiteral("FAILED line 9: waitfor out 2004: no"),
    };
    EXPECT_EQ(t.Lines(), expected);
    EXPECT_EQ(printed, expected) << "every record is handed on as it is added";
    EXPECT_EQ(t.Text().count(u'\n'), expected.size());
}

} // namespace
