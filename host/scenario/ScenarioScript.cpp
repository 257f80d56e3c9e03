#include "ScenarioScript.h"

#include <QRegularExpression>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The first word of `text` and the rest (trimmed).
std::pair<QString, QString> SplitWord(const QString &text)
{
    const qsizetype blank = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
    if (blank < 0)
        return {text, QString()};
    return {text.left(blank), text.mid(blank + 1).trimmed()};
}

bool IsJsonObject(const QString &text)
{
    const auto j = nlohmann::ordered_json::parse(text.toStdString(), nullptr, false);
    return j.is_object();
}

std::optional<qint64> NonNegative(const QString &word)
{
    bool ok = false;
    const qint64 n = word.toLongLong(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

// A widget name: one word (object names have no blanks).
bool IsName(const QString &word)
{
    return !word.isEmpty() && !word.contains(QRegularExpression(QStringLiteral("\\s")));
}

// count out|in CODE OP N, count info|ask [TEXT] OP N.
QString ParseCount(const QStringList &words, const QString &rest, TScenarioStep &step)
{
    static const QString usage = QStringLiteral("count: \"count out|in CODE OP N\" or \"count info|ask [TEXT] OP N\" "
                                                "(OP is =, <= or >=)");
    if (words.size() < 3)
        return usage;
    static const QList<std::pair<QString, TScenarioCount>> kinds = {{QStringLiteral("out"), TScenarioCount::Out},
                                                                    {QStringLiteral("in"), TScenarioCount::In},
                                                                    {QStringLiteral("info"), TScenarioCount::Info},
                                                                    {QStringLiteral("ask"), TScenarioCount::Ask}};
    const QString kind = words[0].toLower();
    const auto found = std::find_if(kinds.begin(), kinds.end(), [&](const auto &k) { return k.first == kind; });
    const auto n = NonNegative(words.last());
    const QString op = words[words.size() - 2];
    if (found == kinds.end() || !n)
        return usage;
    if (op == QLatin1String("="))
        step.compare = TScenarioCompare::Equal;
    else if (op == QLatin1String("<="))
        step.compare = TScenarioCompare::AtMost;
    else if (op == QLatin1String(">="))
        step.compare = TScenarioCompare::AtLeast;
    else
        return usage;
    step.command = TScenarioCommand::Count;
    step.countKind = found->second;
    step.expected = *n;
    if (step.countKind == TScenarioCount::Out || step.countKind == TScenarioCount::In) {
        const auto code = words.size() == 4 ? NonNegative(words[1]) : std::nullopt;
        if (!code)
            return usage;
        step.number = *code;
        return {};
    }
    // The text is everything between the kind and the operator, blanks
    // inside kept; none counts every message of the kind.
    const QString afterKind = SplitWord(rest).second;
    const qsizetype opAt = afterKind.lastIndexOf(op, afterKind.lastIndexOf(words.last()));
    step.text = afterKind.left(opAt).trimmed();
    return {};
}

// Fills `step` from the command line; returns an explanation when the line
// is not a valid command.
QString ParseLine(const QString &line, TScenarioStep &step)
{
    const auto [verb, rest] = SplitWord(line);
    const QStringList words = rest.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const QString command = verb.toLower();

    if (command == QLatin1String("start")) {
        step.command = TScenarioCommand::Start;
        for (const QString &option : words) {
            const qsizetype eq = option.indexOf(u'=');
            const QString key = option.left(eq).toLower();
            const QString value = eq < 0 ? QString() : option.mid(eq + 1);
            bool ok = eq > 0;
            if (key == QLatin1String("usertype")) {
                step.start.userType = value.toInt(&ok);
            } else if (key == QLatin1String("schooluser")) {
                step.start.schoolUserId = value.toLongLong(&ok);
                ok = ok && step.start.schoolUserId >= 0;
            } else if (key == QLatin1String("engine")
                       && (value == QLatin1String("ready") || value == QLatin1String("notready"))) {
                step.start.engineReady = value == QLatin1String("ready");
            } else if (key == QLatin1String("service")
                       && (value == QLatin1String("on") || value == QLatin1String("off"))) {
                step.start.serviceOn = value == QLatin1String("on");
            } else {
                ok = false;
            }
            if (!ok)
                return QStringLiteral("start: unknown option \"") % option
                       % QStringLiteral("\" (usertype=N, schooluser=ID, engine=ready|notready, service=on|off)");
        }
        return {};
    }
    if (command == QLatin1String("service")) {
        const auto [sub, args] = SplitWord(rest);
        if (sub == QLatin1String("clear") && args.isEmpty()) {
            step.command = TScenarioCommand::ServiceClear;
            return {};
        }
        auto [codeWord, tail] = SplitWord(args);
        const auto code = NonNegative(codeWord);
        std::optional<qint64> delay;
        if (sub == QLatin1String("delay")) {
            const auto [msWord, afterMs] = SplitWord(tail);
            delay = NonNegative(msWord);
            tail = afterMs;
        }
        // An optional MEMBER=PREFIX word before the JSON names the requests
        // concerned.
        if (!tail.isEmpty() && !tail.startsWith(u'{')) {
            const auto [filter, afterFilter] = SplitWord(tail);
            const qsizetype eq = filter.indexOf(u'=');
            if (eq <= 0)
                return QStringLiteral("service: \"") % filter
                       % QStringLiteral("\" is not MEMBER=PREFIX (the requests whose text member starts so)");
            step.filterMember = filter.left(eq);
            step.filterPrefix = filter.mid(eq + 1);
            tail = afterFilter;
        }
        if (sub == QLatin1String("delay") && code && delay && tail.isEmpty()) {
            step.command = TScenarioCommand::ServiceDelay;
            step.number = *code;
            step.timeoutMs = static_cast<int>(*delay);
            return {};
        }
        if (sub == QLatin1String("drop") && code && tail.isEmpty()) {
            step.command = TScenarioCommand::ServiceDrop;
            step.number = *code;
            return {};
        }
        if (sub == QLatin1String("reply") && code) {
            if (!IsJsonObject(tail))
                return QStringLiteral("service reply: the reply must be one JSON object");
            step.command = TScenarioCommand::ServiceReply;
            step.number = *code;
            step.text = tail;
            return {};
        }
        return QStringLiteral("service takes \"drop CODE [MEMBER=PREFIX]\", \"delay CODE MS [MEMBER=PREFIX]\", "
                              "\"reply CODE [MEMBER=PREFIX] JSON\" or \"clear\"");
    }
    if (command == QLatin1String("sendtext")) {
        // Whatever follows the command word, unchanged (the line's outer
        // blanks aside): a broken host's text need not be JSON at all.
        step.command = TScenarioCommand::SendText;
        step.text = rest;
        return {};
    }
    if (command == QLatin1String("notice")) {
        const QString what = rest.toLower();
        if (what != QLatin1String("assignment") && what != QLatin1String("recent"))
            return QStringLiteral("notice: \"assignment\" or \"recent\"");
        step.command = TScenarioCommand::Notice;
        step.assignment = what == QLatin1String("assignment");
        return {};
    }
    if (command == QLatin1String("mark")) {
        if (!rest.isEmpty())
            return QStringLiteral("mark takes nothing");
        step.command = TScenarioCommand::Mark;
        return {};
    }
    if (command == QLatin1String("count"))
        return ParseCount(words, rest, step);
    if (command == QLatin1String("send") || command == QLatin1String("grade")) {
        if (!IsJsonObject(rest))
            return command % QStringLiteral(": needs one JSON object");
        step.command = command == QLatin1String("send") ? TScenarioCommand::Send : TScenarioCommand::Grade;
        step.text = rest;
        return {};
    }
    static const QList<std::pair<QString, TScenarioCommand>> mouse = {
        {QStringLiteral("click"), TScenarioCommand::Click},
        {QStringLiteral("down"), TScenarioCommand::Down},
        {QStringLiteral("up"), TScenarioCommand::Up},
        {QStringLiteral("enter"), TScenarioCommand::Enter},
        {QStringLiteral("leave"), TScenarioCommand::Leave}};
    for (const auto &[word, kind] : mouse) {
        if (command != word)
            continue;
        if (words.size() != 1 || !IsName(words[0]))
            return command % QStringLiteral(": needs one widget name");
        step.command = kind;
        step.name = words[0];
        return {};
    }
    if (command == QLatin1String("answer")) {
        const QString a = rest.toLower();
        if (a != QLatin1String("yes") && a != QLatin1String("no"))
            return QStringLiteral("answer: yes or no");
        step.command = TScenarioCommand::Answer;
        step.yes = a == QLatin1String("yes");
        return {};
    }
    if (command == QLatin1String("wait")) {
        const auto ms = words.size() == 1 ? NonNegative(words[0]) : std::nullopt;
        if (!ms || *ms > 24 * 3600 * 1000)
            return QStringLiteral("wait: needs milliseconds (0 to one day)");
        step.command = TScenarioCommand::Wait;
        step.number = *ms;
        return {};
    }
    if (command == QLatin1String("waitfor")) {
        const auto code = words.size() >= 2 ? NonNegative(words[1]) : std::nullopt;
        const auto bound = words.size() == 3 ? NonNegative(words[2]) : std::optional<qint64>(kDefaultWaitForMs);
        if (words.size() < 2 || words.size() > 3 || words[0].toLower() != QLatin1String("out") || !code || !bound
            || *bound > 24 * 3600 * 1000)
            return QStringLiteral("waitfor: \"waitfor out CODE [MS]\"");
        step.command = TScenarioCommand::WaitForOut;
        step.number = *code;
        step.timeoutMs = static_cast<int>(*bound);
        return {};
    }
    if (command == QLatin1String("get")) {
        if (words.size() < 2)
            return QStringLiteral("get: \"get NAME PROPERTY [= VALUE]\"");
        step.command = TScenarioCommand::Get;
        step.name = words[0];
        step.property = words[1].toLower();
        if (!ScenarioProperties().contains(step.property))
            return QStringLiteral("get: unknown property \"") % words[1] % QStringLiteral("\" (")
                   % ScenarioProperties().join(QStringLiteral(", ")) % QStringLiteral(")");
        // Whatever follows "=" is the expected value, blanks inside kept.
        const auto [afterName, afterProperty] = SplitWord(SplitWord(rest).second);
        Q_UNUSED(afterName);
        if (!afterProperty.isEmpty()) {
            if (!afterProperty.startsWith(u'='))
                return QStringLiteral("get: only \"= VALUE\" may follow the property");
            step.expects = true;
            step.text = afterProperty.mid(1).trimmed();
        }
        return {};
    }
    if (command == QLatin1String("screenshot")) {
        if (rest.isEmpty())
            return QStringLiteral("screenshot: needs a file name");
        step.command = TScenarioCommand::Screenshot;
        step.name = rest;
        return {};
    }
    if (command == QLatin1String("close")) {
        if (!rest.isEmpty())
            return QStringLiteral("close takes nothing");
        step.command = TScenarioCommand::Close;
        return {};
    }
    if (command == QLatin1String("speed")) {
        bool ok = false;
        const double factor = rest.toDouble(&ok);
        if (!ok || !std::isfinite(factor) || factor <= 0 || factor > 1000)
            return QStringLiteral("speed: needs a factor above 0 (at most 1000)");
        step.command = TScenarioCommand::Speed;
        step.factor = factor;
        return {};
    }
    return QStringLiteral("unknown command \"") % verb % QStringLiteral("\"");
}

} // namespace

const QStringList &ScenarioProperties()
{
    static const QStringList properties = {
        QStringLiteral("text"),     QStringLiteral("visible"),   QStringLiteral("enabled"), QStringLiteral("x"),
        QStringLiteral("y"),        QStringLiteral("width"),     QStringLiteral("height"),  QStringLiteral("tag"),
        QStringLiteral("tagfloat"), QStringLiteral("tagstring"), QStringLiteral("color"),   QStringLiteral("hint"),
        QStringLiteral("page")};
    return properties;
}

TScenarioParse ParseScenario(const QString &script)
{
    TScenarioParse parse;
    const QStringList lines = script.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        TScenarioStep step;
        step.line = i + 1;
        step.source = line;
        const QString problem = ParseLine(line, step);
        if (!problem.isEmpty()) {
            parse.error = QStringLiteral("line ") % QString::number(i + 1) % QStringLiteral(": ") % problem;
            parse.errorLine = i + 1;
            parse.steps.clear();
            return parse;
        }
        parse.steps.append(step);
    }
    return parse;
}
