#pragma once
// A PulseAudio server of a test's own: a null sink ("studytest") whose
// monitor is the default input (through a remapped source, since monitors are
// not offered as inputs), in a fresh runtime folder that only this process
// uses. A null sink left to itself runs in blocks of about two seconds, and
// its monitor delivers nothing in between; a loopback from the monitor into a
// second null sink keeps a low-latency reader on it, so it runs in small
// blocks. Start returns once the sink's first long block has run out.
//
// Start it before anything opens an audio device: the process connects to
// the server named by XDG_RUNTIME_DIR when it first looks for devices.

#include <QString>
#include <QTemporaryDir>

class TestSoundServer
{
public:
    TestSoundServer() = default;
    ~TestSoundServer();
    TestSoundServer(const TestSoundServer &) = delete;
    TestSoundServer &operator=(const TestSoundServer &) = delete;

    // Starts the server and points this process at it. False with the reason
    // in Error() when no server could be started.
    bool Start();
    // Stops the server this object started and waits until it has gone.
    void Stop();
    bool IsRunning() const { return m_pid > 0; }
    QString Error() const { return m_error; }
    // Runs a client command (parecord, pactl, …) against the server.
    int RunClient(const QString &program, const QStringList &arguments, int timeoutMs = 10000) const;

private:
    // The sink's latency as the server reports it; -1 when unknown.
    qint64 SinkLatencyUs() const;

    QTemporaryDir m_runtime;
    qint64 m_pid = 0;
    QString m_error;
};

// The one server of a test program: started before its first test (the
// process connects to a server once, when it first looks for devices) and
// stopped after its last. Null outside that span; check IsRunning() and skip
// with Error() when no server could be started.
TestSoundServer *ProgramSoundServer();
