#pragma once
// Runs a parsed scenario against the reference host: the real module, the
// simulated learning service, the UI archive, the device-free sound engine
// and the simulated grading engine, in a host window (offscreen when there is
// no display). Every step is checked; the first step that fails ends the run.
// At the end a host that still runs is closed with the module's handshake.

#include "ScenarioScript.h"
#include "ScenarioTranscript.h"
#include "TSimGradeEngine.h"

#include <QList>
#include <QObject>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class TScriptedHint;
class TScriptedMessage;
class TStudyHost;
class TStudyHostWindow;
class QWidget;

struct TScenarioSetup
{
    // Where the host's files are: libModStudy.so, content/, uiarchive/.
    QString appFolder;
    // The module's main path; appFolder + "/" when empty.
    QString mainPath;
    // Real milliseconds a close waits for the module's answer.
    int handshakeTimeoutMs = 15000;
    // Grades recordings instead of the simulation when set (the offline
    // grader, chosen explicitly: scenarios grade by simulation otherwise).
    TGradeScorer scorer;
    // WAV files whose speech the recordings hold in turn (see
    // TSimGradeEngine::SetMicrophone); the quiet tone when none.
    QStringList microphone;
};

class TScenarioRunner : public QObject
{
    Q_OBJECT
public:
    explicit TScenarioRunner(TScenarioSetup setup, QObject *parent = nullptr);
    ~TScenarioRunner() override;

    // Runs the steps in order; false when one failed (the transcript ends
    // with its FAILED record, then the closing of the host).
    bool Run(const QList<TScenarioStep> &steps);

    TScenarioTranscript &Transcript() { return m_transcript; }
    // The grading engine the runner hands the host (results queued by `grade`).
    std::shared_ptr<TSimGradeEngine> GradeEngine() const { return m_grade; }
    // Line of the failed step; 0 when none failed.
    int FailedLine() const { return m_failedLine; }

private:
    // An empty text when the step succeeded, else why it failed.
    QString RunStep(const TScenarioStep &step);
    QString Start(const TScenarioStart &options);
    QString Mouse(const TScenarioStep &step);
    QString WaitForOut(int code, int statedMs);
    QString Get(const TScenarioStep &step);
    QString Screenshot(const QString &file);
    QString Close();
    QString Notice(bool assignment);
    QString Count(const TScenarioStep &step);
    QString NeedsHost() const;
    QWidget *FindWidget(const QString &name) const;
    void OnHostEvent(const QString &event);
    void TearDown();

    TScenarioSetup m_setup;
    TScenarioTranscript m_transcript;
    std::shared_ptr<TScriptedMessage> m_message;
    std::shared_ptr<TScriptedHint> m_hint;
    std::shared_ptr<TSimGradeEngine> m_grade;
    QTemporaryDir m_data; // the service's state: every run starts afresh
    std::unique_ptr<TStudyHost> m_host;
    std::unique_ptr<TStudyHostWindow> m_window;
    // Scenario controls given before the service is up.
    struct TPendingControl
    {
        int code = 0;
        QString reply; // empty: drop (or delay)
        QString member;
        QString prefix;
        int delayMs = -1; // 0 or more: delay the replies
    };
    QList<TPendingControl> m_pendingService;
    bool m_pendingClear = false;
    // Codes of outgoing messages in order, and how far `waitfor` has read.
    QList<int> m_outCodes;
    int m_outRead = 0;
    // What `count` counts: messages out and in with their codes over the
    // whole run, and where the last `mark` was (in them and in the
    // transcript's lines).
    QList<std::pair<TScenarioCount, int>> m_seen;
    qsizetype m_markSeen = 0;
    qsizetype m_markLine = 0;
    bool m_closed = false;
    int m_failedLine = 0;
};

// Reads and runs a scenario file. Every transcript record goes to `print` as
// it happens. 0 when every step passed, 1 when a step failed, 2 when the
// file cannot be read or is not a valid scenario.
int RunScenarioFile(const QString &file, const TScenarioSetup &setup,
                    const std::function<void(const QString &)> &print);
