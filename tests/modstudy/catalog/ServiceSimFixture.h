#pragma once
// A frame on the test host talking to the learning service simulated in
// process, which serves the generated sample content next to the test binary
// over loopback. The service keeps its state and the module its files below
// a fresh temporary folder. The frame starts without the user information:
// a test calls SetUserInfos to have the shelf asked for.

#include "TestHost.h"

#include "LearningServiceSim.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class ServiceSimFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        served = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("content"));
        ASSERT_TRUE(sim.Start(served, work.filePath(QStringLiteral("state/service.db")),
                              work.filePath(QStringLiteral("service"))))
            << sim.Error().toStdString();
        sim.SetReplySink([this](const QString &reply) { host.mod->ReceiveMsg(reply); });
        host.onRequest = [this](const QString &text) { sim.Request(text); };
        host.login->SetUserType(userType);
        host.Start(false);
        F().SetMainPath(work.filePath(QStringLiteral("client")) + QLatin1Char('/'));
    }
    TStudyFrame &F() { return *host.Frame(); }
    // A file the module stored below its main path.
    QString Client(const QString &relative) const { return work.filePath(QStringLiteral("client/") + relative); }

    int userType = 0; // of the account, set before SetUp
    QTemporaryDir work;
    QString served;
    TLearningServiceSim sim;
    TestHost host;
};
