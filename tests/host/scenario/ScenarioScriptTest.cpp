// The scenario language: what each command line becomes and the lines
// refused (a script's line numbers and a bad script's report: the runs in
// ScenarioRunTest), and the transcript's one-line records.

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

// The fields a step sets, in one line, so that a table can state them.
QString Fields(const TScenarioStep &s)
{
    QString d = QString::number(static_cast<int>(s.command));
    const auto add = [&d](const char *key, const QString &value) {
        d += QStringLiteral(" %1=%2").arg(QLatin1String(key), value);
    };
    if (!s.name.isEmpty())
        add("name", s.name);
    if (!s.property.isEmpty())
        add("prop", s.property);
    if (!s.text.isEmpty())
        add("text", s.text);
    if (s.expects)
        add("expects", QString());
    if (s.yes)
        add("yes", QString());
    if (s.number)
        add("n", QString::number(s.number));
    if (s.timeoutMs)
        add("ms", QString::number(s.timeoutMs));
    if (s.factor != 1)
        add("factor", QString::number(s.factor));
    if (!s.filterMember.isEmpty())
        add("filter", QStringLiteral("%1:%2").arg(s.filterMember, s.filterPrefix));
    if (s.assignment)
        add("assignment", QString());
    if (s.command == TScenarioCommand::Count)
        add("count", QStringLiteral("%1%2%3")
                         .arg(static_cast<int>(s.countKind))
                         .arg(static_cast<int>(s.compare))
                         .arg(s.expected));
    if (s.command == TScenarioCommand::Start)
        add("start", QStringLiteral("%1,%2,%3,%4")
                         .arg(s.start.userType)
                         .arg(s.start.schoolUserId)
                         .arg(int(s.start.engineReady))
                         .arg(int(s.start.serviceOn)));
    return d;
}

QString Expect(TScenarioCommand command, const QString &rest = {})
{
    const QString code = QString::number(static_cast<int>(command));
    return rest.isEmpty() ? code : code + QStringLiteral(" ") + rest;
}

TEST(ScenarioScript, EachCommandSetsItsFields)
{
    using C = TScenarioCommand;
    const struct
    {
        const char *line;
        C command;
        const char *fields;
    } cases[] = {
        {"start", C::Start, "start=1,0,1,1"},
        {"start usertype=0 schooluser=88123 engine=notready service=off", C::Start, "start=0,88123,0,0"},
        {"service drop 2101 queryType=resPackage", C::ServiceDrop, "n=2101 filter=queryType:resPackage"},
        {"service drop 2101 key=", C::ServiceDrop, "n=2101 filter=key:"},
        {R"(service reply 2101 {"apiCode":2102, "items": [ ]})", C::ServiceReply,
         R"(text={"apiCode":2102, "items": [ ]} n=2101)"},
        {R"(service reply 13 key=pics/ {"apiCode":14,"errorCode":4})", C::ServiceReply,
         R"(text={"apiCode":14,"errorCode":4} n=13 filter=key:pics/)"},
        {"service delay 41 9000 type=L", C::ServiceDelay, "n=41 ms=9000 filter=type:L"},
        {R"(send {"apiCode":99999})", C::Send, R"(text={"apiCode":99999})"},
        {R"(grade {"overall":88})", C::Grade, R"(text={"overall":88})"},
        {"sendtext  two  blanks", C::SendText, "text=two  blanks"},
        {"notice assignment", C::Notice, "assignment="},
        {"notice Recent", C::Notice, ""},
        {"count out 2101 = 7", C::Count, "n=2101 count=007"},
        {"count in 2004 >= 1", C::Count, "n=2004 count=121"},
        {"count info 网络异常，请重试 <= 1", C::Count, "text=网络异常，请重试 count=211"},
        {"count info = 0", C::Count, "count=200"},
        {"count ask 是否 = 1 = 2", C::Count, "text=是否 = 1 count=302"},
        {"down A", C::Down, "name=A"},
        {"up A", C::Up, "name=A"},
        {"enter A", C::Enter, "name=A"},
        {"leave A", C::Leave, "name=A"},
        {"answer YES", C::Answer, "yes="},
        {"answer no", C::Answer, ""},
        {"waitfor out 10004", C::WaitForOut, "n=10004 ms=15000"},
        {"waitfor out 2003 500", C::WaitForOut, "n=2003 ms=500"},
        {"screenshot shots/my start.png", C::Screenshot, "name=shots/my start.png"},
        {"get Label_Title Text", C::Get, "name=Label_Title prop=text"},
        {"get Label_Title text = 系统导读后 , 请跟读", C::Get,
         "name=Label_Title prop=text text=系统导读后 , 请跟读 expects="},
        {"get Label_Title text =", C::Get, "name=Label_Title prop=text expects="},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Fields(Only(QString::fromUtf8(c.line))), Expect(c.command, QString::fromUtf8(c.fields))) << c.line;
    EXPECT_EQ(Only(QStringLiteral("sendtext ") % QString(5000, u'x')).text, QString(5000, u'x'));
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
                          "get X text abc|click|click two names|start usertype=x|get X font");
    for (const QString &line : lines.split(u'|'))
        ErrorOf(line);
}

// The kinds of record the runs read are checked there (ScenarioRunTest);
// here the escapes that keep every record on one line.
TEST(ScenarioTranscript, RecordsAreOneLineEachWithTheirKind)
{
    TScenarioTranscript t;
    QStringList printed;
    t.SetOnLine([&](const QString &line) { printed << line; });
    t.Step(4, QStringLiteral("click Rectangle_Start"));
    t.HostEvent(QStringLiteral(R"(job {"apiCode":10007})"));
    t.Info(QStringLiteral("第一行\n第二行"));
    t.Log(QStringLiteral("error:a\\b\r\n"));
    t.Get(QStringLiteral("Label_Title"), QStringLiteral("text"), QStringLiteral("two\nlines"));

    const QStringList expected = {
        QStringLiteral("> 4 click Rectangle_Start"),
        QStringLiteral(R"(out job {"apiCode":10007})"),
        QStringLiteral("info 第一行\\n第二行"),
        QStringLiteral("log error:a\\\\b\\r\\n"),
        QStringLiteral("get Label_Title text = two\\nlines"),
    };
    EXPECT_EQ(t.Lines(), expected);
    EXPECT_EQ(printed, expected) << "every record is handed on as it is added";
    EXPECT_EQ(t.Text().count(u'\n'), expected.size());
}

} // namespace
