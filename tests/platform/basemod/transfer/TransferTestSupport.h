#pragma once
// Shared pieces of the transfer tests: a served folder, a target folder and a
// bounded wait on a condition.

#include "LocalHttpServer.h"
#include "StudyClock.h"
#include "Wait.h"
#include "WaitUntil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace transfer_test {

// Bytes that differ from position to position and contain every byte value.
inline QByteArray Pattern(int size, quint32 seed = 1)
{
    QByteArray out(size, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 12345u;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        out[i] = static_cast<char>(x >> 16);
    }
    return out;
}

inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every entry of a folder, hidden ones included.
inline QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

struct FastClock
{
    explicit FastClock(double factor) { StudyClock::setSpeed(factor); }
    ~FastClock() { StudyClock::setSpeed(1); }
    FastClock(const FastClock &) = delete;
    FastClock &operator=(const FastClock &) = delete;
};

// A server on the loopback interface serving `served`, and a folder to
// download into.
class ServerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(served.isValid());
        ASSERT_TRUE(target.isValid());
        ASSERT_TRUE(server.Listen());
        server.SetRoot(served.path());
    }
    void TearDown() override { server.ReleaseStalled(); }

    QString Serve(const QString &name, const QByteArray &bytes)
    {
        EXPECT_TRUE(WriteFile(served.path() + QLatin1Char('/') + name, bytes));
        return server.Url(QLatin1Char('/') + name).toString();
    }
    QString Target(const QString &name) const { return target.path() + QLatin1Char('/') + name; }

    QTemporaryDir served;
    QTemporaryDir target;
    LocalHttpServer server;
};

} // namespace transfer_test
