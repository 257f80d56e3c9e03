// A pushed assignment end to end with the simulated learning service and the
// sample content: the host pushes the sample account's assignment before the
// shelf arrives; the module asks for the package of the assigned unit, finds
// the course among its own, downloads and opens it, and walks to the
// seventh unit's one unfinished lesson and its passage reading.

#include "ServiceSimFixture.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include "LessonDisplayFrame.h"
#include "PackBook.h"
#include "TBookIconFrame.h"

#include "TLabel.h"
#include "TTabControl.h"

#include <QFile>

using json = nlohmann::ordered_json;

namespace {

class PushedAssignment : public ServiceSimFixture
{
protected:
    PushedAssignment() { userType = 1; }
    // The host pushes the sample account's assignment, then hands over the
    // user information (the shelf request follows); the missing package is
    // downloaded on Yes. Waits until the walk reaches `page` or a message shows.
    bool PushAndWaitFor(int page)
    {
        const auto notice = sim.AssignmentNotice(TLearningServiceSim::kSampleUid, 1001);
        if (!notice)
            return false;
        host.mod->ReceiveMsg(*notice);
        unitId = F().AssignmentUnitId;
        host.message->QueueAnswer(mrYes);
        host.mod->SetUserInfos(host.user);
        return WaitUntil(
            [this, page] { return F().TabControl_Home->TabIndex() >= page || !host.message->Infos().isEmpty(); },
            RealMs{60000});
    }
    ClockSpeed speed{10};
    qint64 unitId = 0;
};

} // namespace

TEST_F(PushedAssignment, SampleAssignmentOpensTheSeventhUnitsUnfinishedLesson)
{
    ASSERT_TRUE(PushAndWaitFor(pgStudy)) << "the walk never reached passage reading";
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
    ASSERT_TRUE(PushAndWaitFor(pgBook));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(host.message->Questions().size(), 1);
    EXPECT_EQ(host.message->Questions().at(0).text,
              QStringLiteral("'HAPPY ENGLISH BOOK 1'\n的资源包不存在,是否下载？"));
    QStringList keys;
    for (const TSentText &s : TestHost::WithCode(host.requests, 13))
        keys << QString::fromStdString(json::parse(s.text.toStdString()).value("key", std::string()));
    EXPECT_TRUE(keys.contains(QStringLiteral("/packages/happy_english_1.7z")))
        << keys.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(QFile::exists(Client(QStringLiteral("data/happy_english_1.7z"))));
}
