// Closing the host while the learning service is still working out an
// answer. The simulator's first answer about a book opens the book's package
// with the archive reader, a wait that dispatches events; the close handshake
// can end inside that wait. The host must then leave the simulator alone
// until its answer is done and free it afterwards, never from under it.
//
// The answer is held deterministically: the archive reader the simulator
// starts is a stand-in program (first on PATH) that waits while a hold file
// exists and then runs the real reader. The test removes the hold file only
// once the host has reported the close.

#include "HostNotices.h"
#include "TStudyHost.h"

#include "ClockSpeed.h"
#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "WaitUntil.h"

#include "LearningServiceSim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A sample book the learner does not own: the simulator opens its package
// only when someone asks about it.
constexpr qint64 kUnopenedBook = 1005;

// A reader that waits while `hold` exists, then runs `real`.
bool HeldReader(const QString &folder, const QString &real, const QString &hold)
{
    QFile script(folder % QStringLiteral("/7zz"));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write(QStringLiteral("#!/bin/sh\nwhile [ -e '%1' ]; do sleep 0.01; done\nexec '%2' \"$@\"\n")
                     .arg(hold, real)
                     .toUtf8());
    script.close();
    return script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(StudyHostService, AServiceClosedInTheMiddleOfAnAnswerIsFreedOnlyAfterTheAnswer)
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("7zz"));
    ASSERT_FALSE(real.isEmpty()) << "the archive reader is installed";
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString hold = dir.filePath(QStringLiteral("hold"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(HeldReader(bin, real, hold));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ':' + path);
    const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });

    ClockSpeed speed(20);
    QWidget parent;
    TStudyHostOptions o = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
    o.pluginFile = QStringLiteral(STUDY_PLUGIN_FILE);
    o.dataFolder = dir.filePath(QStringLiteral("data"));
    o.message = std::make_shared<FakeCustomMessage>();
    o.hint = std::make_shared<FakeCustomHint>();
    TStudyHost host(o);
    ASSERT_TRUE(host.Start(&parent)) << host.Error().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return host.ShelfRepliesDelivered() > 0; }, StatedMs{15000}));
    // Let the module settle on its shelf (pictures and all) before the test.
    ASSERT_TRUE(WaitUntil([&] { return !host.Service()->IsAnswering(); }, RealMs{5000}));

    QPointer<TLearningServiceSim> service = host.Service();
    bool closeAsked = false;
    bool answeringWhenClosed = false;
    bool freedWhileHeld = false;
    bool freed = false;
    QObject::connect(service, &QObject::destroyed, &parent, [&] {
        freed = true;
        freedWhileHeld = QFile::exists(hold);
    });
    QObject::connect(&host, &TStudyHost::Closed, &parent, [&](bool) {
        answeringWhenClosed = service && service->IsAnswering();
        QFile::remove(hold); // the answer may go on now
    });
    // As soon as the answer is under way (inside its wait for the reader),
    // the host is closed; the module is idle and answers at once.
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, &parent, [&] {
        if (!closeAsked && service && service->IsAnswering()) {
            closeAsked = true;
            host.RequestClose();
        }
    });
    watch.start();

    QFile holdFile(hold);
    ASSERT_TRUE(holdFile.open(QIODevice::WriteOnly));
    holdFile.close();
    // A request about the book nobody has opened yet: its package is read now.
    service->Request(
        QStringLiteral(R"({"apiCode":2029,"uid":10001,"queryType":"list","parentId":%1})").arg(kUnopenedBook));

    ASSERT_TRUE(WaitUntil([&] { return freed; }, RealMs{30000})) << "the retired service is freed in the end";
    EXPECT_TRUE(closeAsked);
    EXPECT_TRUE(answeringWhenClosed) << "the close really ended inside the answer";
    EXPECT_FALSE(freedWhileHeld) << "the service was freed while it was still inside its answer";
    EXPECT_FALSE(host.IsRunning());
    EXPECT_EQ(host.Service(), nullptr);
    const QStringList &events = host.Events();
    EXPECT_GE(events.indexOf(QStringLiteral("DeleteFrame")), 0);
    for (const QString &e : events)
        EXPECT_FALSE(e.startsWith(QStringLiteral("reply ")) && hostnotice::ApiCode(e.mid(6)) == 2030)
            << "the held answer never reaches a module that is gone";
}

} // namespace
