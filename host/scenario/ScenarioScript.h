#pragma once
// The scenario language of studyhost: one command per line, blank lines and
// lines starting with "#" ignored. ParseScenario checks every line before
// anything runs, so a typo fails at once with its line number.
// host/scenario/README.md describes the commands.

#include <QList>
#include <QString>

#include <optional>

enum class TScenarioCommand {
    Start,        // start [usertype=N] [schooluser=ID] [engine=ready|notready] [service=on|off]
    ServiceDrop,  // service drop CODE [MEMBER=PREFIX]
    ServiceDelay, // service delay CODE MS [MEMBER=PREFIX]
    ServiceReply, // service reply CODE [MEMBER=PREFIX] JSON
    ServiceClear, // service clear
    Send,         // send JSON
    SendText,     // sendtext TEXT
    Notice,       // notice assignment|recent
    Click,        // click NAME
    Down,         // down NAME
    Up,           // up NAME
    Enter,        // enter NAME
    Leave,        // leave NAME
    Answer,       // answer yes|no
    Grade,        // grade JSON
    Wait,         // wait MS
    WaitForOut,   // waitfor out CODE [MS]
    Get,          // get NAME PROPERTY [= VALUE]
    Screenshot,   // screenshot FILE
    Close,        // close
    Speed,        // speed FACTOR
    Mark,         // mark
    Count,        // count out|in CODE OP N, count info|ask [TEXT] OP N
};

// What `count` counts since the last `mark`.
enum class TScenarioCount {
    Out,  // messages the module sent (either channel) with a code
    In,   // replies and notices that reached the module with a code
    Info, // information messages (containing a text)
    Ask,  // questions (containing a text)
};

// How `count` compares: exactly, at most, at least.
enum class TScenarioCompare { Equal, AtMost, AtLeast };

// What `start` sets up.
struct TScenarioStart
{
    int userType = 1;
    qint64 schoolUserId = 0;
    bool engineReady = true;
    bool serviceOn = true;
};

struct TScenarioStep
{
    int line = 0;   // 1-based line of the script
    QString source; // the line as written, without surrounding blanks
    TScenarioCommand command = TScenarioCommand::Close;
    QString name;         // widget name (mouse, get) or file (screenshot)
    QString property;     // get: the property, lower case
    QString text;         // send, grade, service reply: the JSON text; sendtext: the raw text; get: the
                          // expected value; count info|ask: the text looked for
    bool expects = false; // get with "= VALUE"
    bool yes = false;     // answer
    qint64 number = 0;    // request or message code; wait: milliseconds
    int timeoutMs = 0;    // waitfor: stated bound
    double factor = 1;    // speed
    // service drop|reply: the requests concerned (all when member is empty)
    QString filterMember;
    QString filterPrefix;
    // notice: true for the assignment, false for the recent lesson
    bool assignment = false;
    // count: what, how compared, with what (the code is in `number`)
    TScenarioCount countKind = TScenarioCount::Out;
    TScenarioCompare compare = TScenarioCompare::Equal;
    qint64 expected = 0;
    TScenarioStart start;
};

// Properties `get` reads.
const QStringList &ScenarioProperties();

// Stated milliseconds `waitfor` waits when the script names no bound.
inline constexpr int kDefaultWaitForMs = 15000;

struct TScenarioParse
{
    QList<TScenarioStep> steps;
    QString error; // "line N: ..." when a line is not understood
    int errorLine = 0;
    bool ok() const { return error.isEmpty(); }
};

TScenarioParse ParseScenario(const QString &script);
