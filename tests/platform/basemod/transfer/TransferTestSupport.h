#pragma once
// Shared pieces of the transfer tests: a served folder and a target folder.

#include "ClockSpeed.h"
#include "LocalHttpServer.h"
#include "PackageMaker.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace transfer_test {

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
