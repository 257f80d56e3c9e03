// A pushed assignment end to end with the simulated learning service and the
// sample content: the host pushes the sample account's assignment before the
// shelf arrives; the module asks for the package of the assigned unit, finds
// the course among its own, downloads and opens it, and walks to the
// seventh unit's one unfinished lesson and its passage reading.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "LearningServiceSim.h"
#include "LessonDisplayFrame.h"
#include "WaitUntil.h"

#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TeduLastAssignMent.h"

#include "TButton.h"
#include "TLabel.h"
#include "TTabControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using json = nlohmann::ordered_json;

namespace {

class PushedAssignment : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        const QString served = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("content"));
        ASSERT_TRUE(sim.Start(served, work.filePath(QStringLiteral("state/service.db")),
                              work.filePath(QStringLiteral("service"))))
            << sim.Error().toStdString();
        sim.SetReplySink([this](const QString &reply) { host.mod->ReceiveMsg(reply); });
        host.onRequest = [this](const QString &text) { sim.Request(text); };
        host.login->SetUid(TLearningServiceSim::kSampleUid);
        host.login->SetUserType(1);
        host.Start(false);
        F().SetMainPath(work.filePath(QStringLiteral("client")) + QLatin1Char('/'));
    }
    TStudyFrame &F() { return *host.Frame(); }

    QTemporaryDir work;
    TLearningServiceSim sim;
    TestHost host;
};

} // namespace

TEST_F(PushedAssignment, SampleAssignmentOpensTheSeventhUnitsUnfinishedLesson)
{
    ClockSpeed speed(10);
    const auto notice = sim.AssignmentNotice(TLearningServiceSim::kSampleUid, 1001);
    ASSERT_TRUE(notice);
    host.mod->ReceiveMsg(*notice);
    ASSERT_TRUE(F().isAssignmentSkip);
    const qint64 unitId = F().AssignmentUnitId;

    host.message->QueueAnswer(mrYes); // download the missing package
    host.mod->SetUserInfos(host.user);
    ASSERT_TRUE(
        WaitUntil([this] { return F().TabControl_Home->TabIndex() == pgStudy || !host.message->Infos().isEmpty(); },
                  RealMs{60000}))
        << "the walk never reached passage reading";
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();

    // The package record was asked for by the assigned unit.
    const QList<TSentText> records = TestHost::WithCode(host.requests, 2101);
    ASSERT_FALSE(records.isEmpty());
    EXPECT_NE(records.first().text.indexOf(QString::number(unitId)), -1) << records.first().text.toStdString();

    // The own textbook was opened and its seventh unit pressed.
    ASSERT_TRUE(F().curSelectBook);
    EXPECT_EQ(F().curSelectBook->LessonID(), 1001);
    EXPECT_EQ(F().curSelectBookType, QStringLiteral("mycourse"));
    ASSERT_GE(F().PackBook->Units.size(), 7);
    EXPECT_EQ(F().PackBook->Units.at(6).Id, unitId);
    EXPECT_EQ(F().curselectUnitButtonIndex, 6);
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("2"));
    // The second lesson, the one not read yet, is the one opened.
    EXPECT_EQ(F().curSelectLessonButtonIndex, 1);
    EXPECT_EQ(F().curModeName, QStringLiteral("Rectangle_Part"));
    EXPECT_FALSE(F().isAssignmentSkip);
    EXPECT_TRUE(F().isAllowOperate);
}

TEST_F(PushedAssignment, TheCourseIsOpenedByThePackageRecordsNameAndTitle)
{
    ClockSpeed speed(10);
    // The record spells the title in capitals (the tile is still found: titles
    // compare without case) and names the package with a leading "/": the
    // question and the download follow the record, not the tile.
    sim.SetReplySink([this](const QString &reply) {
        json r = json::parse(reply.toStdString(), nullptr, false);
        if (r.is_object() && r.value("apiCode", 0) == 2102 && r["items"].is_array() && !r["items"].empty()) {
            r["items"][0]["packageTitle"] = "HAPPY ENGLISH BOOK 1";
            r["items"][0]["packageName"] = "/" + r["items"][0].value("packageName", std::string());
        }
        host.mod->ReceiveMsg(QString::fromStdString(r.dump()));
    });
    const auto notice = sim.AssignmentNotice(TLearningServiceSim::kSampleUid, 1001);
    ASSERT_TRUE(notice);
    host.mod->ReceiveMsg(*notice);
    host.message->QueueAnswer(mrYes);
    host.mod->SetUserInfos(host.user);
    ASSERT_TRUE(
        WaitUntil([this] { return F().TabControl_Home->TabIndex() != pgHome || !host.message->Infos().isEmpty(); },
                  RealMs{60000}));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(host.message->Questions().size(), 1);
    EXPECT_EQ(host.message->Questions().at(0).text,
              QStringLiteral("'HAPPY ENGLISH BOOK 1'\n的资源包不存在,是否下载？"));
    QStringList keys;
    for (const TSentText &s : TestHost::WithCode(host.requests, 13))
        keys << QString::fromStdString(json::parse(s.text.toStdString()).value("key", std::string()));
    EXPECT_TRUE(keys.contains(QStringLiteral("/packages/happy_english_1.7z")))
        << keys.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(QFile::exists(work.filePath(QStringLiteral("client/data/happy_english_1.7z"))));
}
