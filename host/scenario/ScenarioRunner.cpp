#include "ScenarioRunner.h"

#include "ControlProbe.h"
#include "ScenarioMouse.h"
#include "ScenarioServices.h"

#include "HostNotices.h"
#include "LearningServiceSim.h"
#include "StudyHostWindow.h"
#include "TSimGradeEngine.h"
#include "TStudyHost.h"

#include "Log.h"
#include "StudyClock.h"
#include "Wait.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QWidget>

#include <cmath>

TScenarioRunner::TScenarioRunner(TScenarioSetup setup, QObject *parent)
    : QObject(parent),
      m_setup(std::move(setup)),
      m_message(std::make_shared<TScriptedMessage>(m_transcript)),
      m_hint(std::make_shared<TScriptedHint>(m_transcript))
{
    if (m_setup.mainPath.isEmpty())
        m_setup.mainPath = m_setup.appFolder % QStringLiteral("/");
    m_grade = std::make_shared<TSimGradeEngine>(m_setup.mainPath);
    if (m_setup.scorer)
        m_grade->SetScorer(m_setup.scorer);
    m_grade->SetMicrophone(m_setup.microphone);
}

TScenarioRunner::~TScenarioRunner()
{
    // The module goes before the window it lives in.
    m_host.reset();
    m_window.reset();
}

bool TScenarioRunner::Run(const QList<TScenarioStep> &steps)
{
    const double speedBefore = StudyClock::speed();
    const TLogSink previousSink = SetLogSink([this](const QString &line) { m_transcript.Log(line); });
    bool ok = true;
    for (const TScenarioStep &step : steps) {
        m_transcript.Step(step.line, step.source);
        const QString failure = RunStep(step);
        if (!failure.isEmpty()) {
            m_transcript.Failed(step.line, step.source % QStringLiteral(": ") % failure);
            m_failedLine = step.line;
            ok = false;
            break;
        }
    }
    TearDown();
    SetLogSink(previousSink);
    StudyClock::setSpeed(speedBefore);
    return ok;
}

void TScenarioRunner::TearDown()
{
    if (m_host && m_host->IsRunning()) {
        m_transcript.Host(QStringLiteral("end of script: closing"));
        Close();
    }
    m_host.reset();
    m_window.reset();
}

QString TScenarioRunner::NeedsHost() const
{
    if (!m_host)
        return QStringLiteral("the host is not started (use start first)");
    if (!m_host->IsRunning())
        return QStringLiteral("the module is closed");
    return {};
}

QString TScenarioRunner::RunStep(const TScenarioStep &step)
{
    switch (step.command) {
    case TScenarioCommand::Start: return Start(step.start);
    case TScenarioCommand::ServiceDrop:
    case TScenarioCommand::ServiceDelay:
    case TScenarioCommand::ServiceReply:
    case TScenarioCommand::ServiceClear: {
        const QString reply = step.command == TScenarioCommand::ServiceReply ? step.text : QString();
        if (!m_host) {
            if (step.command == TScenarioCommand::ServiceClear) {
                m_pendingService.clear();
                m_pendingClear = true;
            } else {
                m_pendingService.append({static_cast<int>(step.number), reply, step.filterMember, step.filterPrefix,
                                         step.command == TScenarioCommand::ServiceDelay ? step.timeoutMs : -1});
            }
            return {};
        }
        TLearningServiceSim *service = m_host->Service();
        if (!service)
            return QStringLiteral("the learning service is off");
        if (step.command == TScenarioCommand::ServiceClear)
            service->ClearOverrides();
        else if (step.command == TScenarioCommand::ServiceDrop)
            service->Drop(static_cast<int>(step.number), true, {step.filterMember, step.filterPrefix});
        else if (step.command == TScenarioCommand::ServiceDelay)
            service->Delay(static_cast<int>(step.number), step.timeoutMs, {step.filterMember, step.filterPrefix});
        else
            service->OverrideReply(static_cast<int>(step.number), reply, {step.filterMember, step.filterPrefix});
        return {};
    }
    case TScenarioCommand::Send:
    case TScenarioCommand::SendText:
        if (const QString no = NeedsHost(); !no.isEmpty())
            return no;
        m_host->Push(step.text);
        // Delivered from the event loop, as a host's notice would be.
        WaitFor(0, nullptr);
        return {};
    case TScenarioCommand::Notice: return Notice(step.assignment);
    case TScenarioCommand::Mark:
        m_markSeen = m_seen.size();
        m_markLine = m_transcript.Lines().size();
        return {};
    case TScenarioCommand::Count: return Count(step);
    case TScenarioCommand::Click:
    case TScenarioCommand::Down:
    case TScenarioCommand::Up:
    case TScenarioCommand::Enter:
    case TScenarioCommand::Leave: return Mouse(step);
    case TScenarioCommand::Answer: m_message->QueueAnswer(step.yes); return {};
    case TScenarioCommand::Grade: m_grade->QueueResult(step.text); return {};
    case TScenarioCommand::Wait: WaitFor(static_cast<int>(step.number), nullptr); return {};
    case TScenarioCommand::WaitForOut: return WaitForOut(static_cast<int>(step.number), step.timeoutMs);
    case TScenarioCommand::Get: return Get(step);
    case TScenarioCommand::Screenshot: return Screenshot(step.name);
    case TScenarioCommand::Close:
        if (const QString no = NeedsHost(); !no.isEmpty())
            return no;
        return Close();
    case TScenarioCommand::Speed: StudyClock::setSpeed(step.factor); return {};
    }
    return QStringLiteral("unknown command");
}

QString TScenarioRunner::Start(const TScenarioStart &options)
{
    if (m_host && m_host->IsRunning())
        return QStringLiteral("the host is already running");
    if (!options.serviceOn && !m_pendingService.isEmpty())
        return QStringLiteral("service commands were given for a service that is off");
    m_host.reset();
    m_window.reset();
    m_outCodes.clear();
    m_outRead = 0;
    m_closed = false;

    TStudyHostOptions o = TStudyHostOptions::Beside(m_setup.appFolder);
    o.mainPath = m_setup.mainPath;
    o.dataFolder = m_data.path();
    o.message = m_message;
    o.hint = m_hint;
    o.grade = m_grade;
    o.handshakeTimeoutMs = m_setup.handshakeTimeoutMs;
    o.userType = options.userType;
    o.schoolUserId = options.schoolUserId;
    o.serviceOn = options.serviceOn;
    o.prepareService = [this](TLearningServiceSim &service) {
        if (m_pendingClear)
            service.ClearOverrides();
        for (const TPendingControl &c : m_pendingService) {
            if (c.delayMs >= 0)
                service.Delay(c.code, c.delayMs, {c.member, c.prefix});
            else if (c.reply.isEmpty())
                service.Drop(c.code, true, {c.member, c.prefix});
            else
                service.OverrideReply(c.code, c.reply, {c.member, c.prefix});
        }
    };
    m_grade->SetEngineReady(options.engineReady);

    m_host = std::make_unique<TStudyHost>(o);
    connect(m_host.get(), &TStudyHost::Traffic, this, [this](const QString &event) { OnHostEvent(event); });
    connect(m_host.get(), &TStudyHost::Closed, this, [this](bool answered) {
        m_closed = true;
        m_transcript.Host(answered ? QStringLiteral("closed (the module answered)")
                                   : QStringLiteral("closed (no answer from the module in time)"));
    });
    m_window = std::make_unique<TStudyHostWindow>(m_host.get());
    m_window->show();
    if (!m_host->Start(m_window->Client()))
        return QStringLiteral("the host did not start: ") % m_host->Error();
    m_pendingService.clear();
    m_pendingClear = false;
    return {};
}

void TScenarioRunner::OnHostEvent(const QString &event)
{
    m_transcript.HostEvent(event);
    for (const QString &prefix : {QStringLiteral("request "), QStringLiteral("job ")})
        if (event.startsWith(prefix)) {
            const int code = hostnotice::ApiCode(event.mid(prefix.size())).value_or(-1);
            m_outCodes.append(code);
            m_seen.append({TScenarioCount::Out, code});
        }
    for (const QString &prefix : {QStringLiteral("reply "), QStringLiteral("notice ")})
        if (event.startsWith(prefix))
            m_seen.append({TScenarioCount::In, hostnotice::ApiCode(event.mid(prefix.size())).value_or(-1)});
}

QString TScenarioRunner::Notice(bool assignment)
{
    if (const QString no = NeedsHost(); !no.isEmpty())
        return no;
    // What the host's notice menu does: the module is started again with
    // the notice, so that the next shelf reply acts on it.
    const QString problem = assignment ? m_host->OpenAssignment() : m_host->OpenRecentLesson();
    if (!problem.isEmpty())
        return problem;
    bool done = false;
    const auto watch = connect(m_host.get(), &TStudyHost::Switched, this, [&done] { done = true; });
    const double stated = (m_setup.handshakeTimeoutMs + 5000.0) * StudyClock::speed();
    WaitFor(static_cast<int>(std::min(stated, 2.0e9)), &done);
    disconnect(watch);
    if (!done)
        return QStringLiteral("the module was not started again");
    // The notice goes to the new module from the event loop.
    WaitFor(0, nullptr);
    return {};
}

QString TScenarioRunner::Count(const TScenarioStep &step)
{
    qint64 found = 0;
    QString what;
    if (step.countKind == TScenarioCount::Out || step.countKind == TScenarioCount::In) {
        for (qsizetype i = m_markSeen; i < m_seen.size(); ++i)
            found += m_seen[i].first == step.countKind && m_seen[i].second == step.number;
        what = (step.countKind == TScenarioCount::Out ? QStringLiteral("out ") : QStringLiteral("in "))
               % QString::number(step.number);
    } else {
        const QString record =
            step.countKind == TScenarioCount::Info ? QStringLiteral("info ") : QStringLiteral("ask ");
        const QString &text = step.text;
        const QStringList &lines = m_transcript.Lines();
        for (qsizetype i = m_markLine; i < lines.size(); ++i)
            found += lines[i].startsWith(record) && lines[i].mid(record.size()).contains(text);
        what = record % text;
        what = what.trimmed();
    }
    m_transcript.Count(what, found);
    const bool ok = step.compare == TScenarioCompare::Equal    ? found == step.expected
                    : step.compare == TScenarioCompare::AtMost ? found <= step.expected
                                                               : found >= step.expected;
    if (ok)
        return {};
    const QString op = step.compare == TScenarioCompare::Equal    ? QStringLiteral("exactly ")
                       : step.compare == TScenarioCompare::AtMost ? QStringLiteral("at most ")
                                                                  : QStringLiteral("at least ");
    return QStringLiteral("expected ") % op % QString::number(step.expected) % QStringLiteral(", found ")
           % QString::number(found);
}

QWidget *TScenarioRunner::FindWidget(const QString &name) const
{
    return m_window ? FindScenarioWidget(m_window->Client(), name) : nullptr;
}

QString TScenarioRunner::Mouse(const TScenarioStep &step)
{
    if (const QString no = NeedsHost(); !no.isEmpty())
        return no;
    QWidget *w = FindWidget(step.name);
    if (!w)
        return QStringLiteral("no widget named ") % step.name;
    if (!w->isVisible())
        return step.name % QStringLiteral(" is not on screen");
    if (!w->isEnabled()) {
        m_transcript.Host(step.name % QStringLiteral(" is disabled: the mouse does nothing"));
        return {};
    }
    SendScenarioMouse(w, step.command);
    // What the handler queued runs before the next step.
    WaitFor(0, nullptr);
    return {};
}

QString TScenarioRunner::WaitForOut(int code, int statedMs)
{
    if (!m_host)
        return QStringLiteral("the host is not started (use start first)");
    const auto find = [&]() {
        for (int i = m_outRead; i < m_outCodes.size(); ++i)
            if (m_outCodes[i] == code)
                return i;
        return -1;
    };
    bool seen = find() >= 0;
    if (!seen) {
        const auto watch = connect(m_host.get(), &TStudyHost::Traffic, this, [&] { seen = find() >= 0; });
        WaitFor(statedMs, &seen);
        disconnect(watch);
    }
    const int at = find();
    if (at < 0)
        return QStringLiteral("the module sent no ") % QString::number(code) % QStringLiteral(" within ")
               % QString::number(statedMs) % QStringLiteral(" ms");
    m_outRead = at + 1;
    return {};
}

QString TScenarioRunner::Get(const TScenarioStep &step)
{
    if (const QString no = NeedsHost(); !no.isEmpty())
        return no;
    QWidget *w = FindWidget(step.name);
    if (!w)
        return QStringLiteral("no widget named ") % step.name;
    QString error;
    const auto value = ReadControlProperty(w, step.property, error);
    if (!value)
        return error;
    m_transcript.Get(step.name, step.property, *value);
    if (step.expects && *value != step.text)
        return QStringLiteral("expected \"") % step.text % QStringLiteral("\", found \"") % *value
               % QStringLiteral("\"");
    return {};
}

QString TScenarioRunner::Screenshot(const QString &file)
{
    if (!m_window)
        return QStringLiteral("the host is not started (use start first)");
    if (!m_window->Client()->grab().save(file, "PNG"))
        return QStringLiteral("cannot write ") % file;
    m_transcript.Host(QStringLiteral("screenshot ") % file);
    return {};
}

QString TScenarioRunner::Close()
{
    m_closed = false;
    m_host->RequestClose();
    // The handshake bound is real time; WaitFor counts stated time.
    const double stated = (m_setup.handshakeTimeoutMs + 5000.0) * StudyClock::speed();
    WaitFor(static_cast<int>(std::min(stated, 2.0e9)), &m_closed);
    if (!m_closed)
        return QStringLiteral("the host did not close");
    // The retired service is freed from the event loop.
    WaitFor(0, nullptr);
    return {};
}

int RunScenarioFile(const QString &file, const TScenarioSetup &setup, const std::function<void(const QString &)> &print)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        print(QStringLiteral("FAILED line 0: cannot read ") % file % QStringLiteral(": ") % f.errorString());
        return 2;
    }
    const TScenarioParse parse = ParseScenario(QString::fromUtf8(f.readAll()));
    if (!parse.ok()) {
        print(QStringLiteral("FAILED ") % parse.error);
        return 2;
    }
    TScenarioRunner runner(setup);
    runner.Transcript().SetOnLine(print);
    return runner.Run(parse.steps) ? 0 : 1;
}
