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
    ServiceDrop,  // service drop CODE
    ServiceReply, // service reply CODE JSON
    ServiceClear, // service clear
    Send,         // send JSON
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
};

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
    int line = 0;      // 1-based line of the script
    QString source;    // the line as written, without surrounding blanks
    TScenarioCommand command = TScenarioCommand::Close;
    QString name;      // widget name (mouse, get) or file (screenshot)
    QString property;  // get: the property, lower case
    QString text;      // send, grade, service reply: the JSON text; get: the expected value
    bool expects = false; // get with "= VALUE"
    bool yes = false;  // answer
    qint64 number = 0; // request or message code; wait: milliseconds
    int timeoutMs = 0; // waitfor: stated bound
    double factor = 1; // speed
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
