#include "TestSoundServer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

bool Alive(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

} // namespace

TestSoundServer::~TestSoundServer()
{
    Stop();
}

bool TestSoundServer::Start()
{
    if (!m_runtime.isValid()) {
        m_error = QStringLiteral("cannot create a runtime folder");
        return false;
    }
    // Clients of this process must find this server and no other.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    qunsetenv("PULSE_SERVER");
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    server.setProcessEnvironment(env);
    server.start(QStringLiteral("pulseaudio"),
                 {QStringLiteral("-n"), QStringLiteral("--daemonize=yes"), QStringLiteral("--exit-idle-time=-1"),
                  QStringLiteral("--load=module-null-sink sink_name=studytest"),
                  QStringLiteral("--load=module-remap-source source_name=studymic master=studytest.monitor"),
                  QStringLiteral("--load=module-null-sink sink_name=studydrain"),
                  QStringLiteral("--load=module-loopback source=studytest.monitor sink=studydrain latency_msec=20"),
                  QStringLiteral("--load=module-native-protocol-unix")});
    if (!server.waitForFinished(15000) || server.exitStatus() != QProcess::NormalExit || server.exitCode() != 0) {
        m_error = QStringLiteral("pulseaudio did not start: ") % server.errorString() % QStringLiteral(" ")
                  % QString::fromLocal8Bit(server.readAllStandardError()).trimmed();
        if (server.state() != QProcess::NotRunning)
            server.kill();
        return false;
    }
    QFile pidFile(m_runtime.filePath(QStringLiteral("pulse/pid")));
    if (pidFile.open(QIODevice::ReadOnly))
        m_pid = pidFile.readAll().trimmed().toLongLong();
    if (!Alive(m_pid)) {
        m_pid = 0;
        m_error = QStringLiteral("pulseaudio started but left no running server");
        return false;
    }
    // The remapped monitor is the input the tests record from.
    if (RunClient(QStringLiteral("pactl"), {QStringLiteral("set-default-source"), QStringLiteral("studymic")}) != 0
        || RunClient(QStringLiteral("pactl"), {QStringLiteral("set-default-sink"), QStringLiteral("studytest")}) != 0) {
        m_error = QStringLiteral("pactl cannot set the default devices");
        Stop();
        return false;
    }
    // The sink starts with a block of about two seconds rendered ahead;
    // sound played before that has run out is heard only after it.
    QElapsedTimer settling;
    settling.start();
    while (SinkLatencyUs() > 100000 && settling.elapsed() < 5000)
        QThread::msleep(100);
    return true;
}

qint64 TestSoundServer::SinkLatencyUs() const
{
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    client.setProcessEnvironment(env);
    client.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sinks")});
    if (!client.waitForFinished(5000))
        return -1;
    const QString text = QString::fromLocal8Bit(client.readAllStandardOutput());
    const qsizetype sink = text.indexOf(QStringLiteral("Name: studytest"));
    static const QRegularExpression latency(QStringLiteral("Latency: (\\d+) usec"));
    const QRegularExpressionMatch m = latency.match(text, sink < 0 ? text.size() : sink);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

int TestSoundServer::RunClient(const QString &program, const QStringList &arguments, int timeoutMs) const
{
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.remove(QStringLiteral("PULSE_SERVER"));
    client.setProcessEnvironment(env);
    client.start(program, arguments);
    if (!client.waitForFinished(timeoutMs)) {
        client.kill();
        client.waitForFinished(1000);
        return -1;
    }
    return client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
}

void TestSoundServer::Stop()
{
    if (m_pid <= 0)
        return;
    const qint64 pid = std::exchange(m_pid, 0);
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    while (Alive(pid) && clock.elapsed() < 5000)
        QThread::msleep(20);
    if (Alive(pid))
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

namespace {

TestSoundServer *g_programServer = nullptr;

class ProgramSoundServerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        g_programServer = new TestSoundServer;
        if (!g_programServer->Start())
            std::fprintf(stderr, "no sound server: %s\n", qPrintable(g_programServer->Error()));
    }
    void TearDown() override
    {
        delete std::exchange(g_programServer, nullptr); // stops the server it started
    }
};

const auto *const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramSoundServerEnvironment);

} // namespace

TestSoundServer *ProgramSoundServer()
{
    return g_programServer;
}
