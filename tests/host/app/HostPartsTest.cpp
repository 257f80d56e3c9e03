// The host's parts that work without a module: score comments from the UI
// archive, and notice texts built from the catalog.

#include "HostNotices.h"
#include "LearningServiceSim.h"
#include "ScoreSounds.h"

#include "AudioDuration.h"
#include "ServiceCatalog.h"
#include "StudyClock.h"
#include "TDeviceFreeSoundEngine.h"
#include "TFolderArchive.h"
#include "TeduLastAssignMent.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include <gtest/gtest.h>

namespace {

using json = nlohmann::ordered_json;

TEST(HostParts, ScoreLevelsSwitchAt85And75And65)
{
    EXPECT_EQ(ScoreLevelName(100), QStringLiteral("ScoreBackGold"));
    EXPECT_EQ(ScoreLevelName(85), QStringLiteral("ScoreBackGold"));
    EXPECT_EQ(ScoreLevelName(84.99), QStringLiteral("ScoreBackSilver"));
    EXPECT_EQ(ScoreLevelName(75), QStringLiteral("ScoreBackSilver"));
    EXPECT_EQ(ScoreLevelName(74.9), QStringLiteral("ScoreBackCopper"));
    EXPECT_EQ(ScoreLevelName(65), QStringLiteral("ScoreBackCopper"));
    EXPECT_EQ(ScoreLevelName(64.9), QStringLiteral("ScoreBackBad"));
    EXPECT_EQ(ScoreLevelName(0), QStringLiteral("ScoreBackBad"));
    EXPECT_EQ(ScoreLevelName(std::nan("")), QStringLiteral("ScoreBackBad"));
    EXPECT_EQ(ScoreSoundName(QStringLiteral("ScoreBackGold")), QStringLiteral("ani\\ScoreBackGold\\ScoreBackGold.mp3"));
}

TEST(HostParts, ScoreCommentsComeFromTheHostsUiArchive)
{
    // The archive the build generates beside the host.
    auto archive =
        std::make_shared<TFolderArchive>(QCoreApplication::applicationDirPath() % QStringLiteral("/uiarchive"));
    const auto sounds = ArchiveScoreSounds(archive);
    for (const double score : {90.0, 80.0, 70.0, 10.0}) {
        const auto bytes = sounds(1, score);
        ASSERT_TRUE(bytes) << score;
        EXPECT_EQ(*bytes, *archive->GetResource(ScoreSoundName(ScoreLevelName(score)))) << score;
        // A real MP3 whose length the device-free engine can read.
        const auto ms = AudioBytesDurationMs(*bytes);
        ASSERT_TRUE(ms) << score;
        EXPECT_GT(*ms, 200) << score;
    }
    EXPECT_NE(*sounds(0, 90), *sounds(0, 10)) << "each level has its own comment";

    QTemporaryDir empty;
    EXPECT_FALSE(ArchiveScoreSounds(std::make_shared<TFolderArchive>(empty.path()))(1, 90));
    EXPECT_FALSE(ArchiveScoreSounds(nullptr)(1, 90));
}

TEST(HostParts, ApiCodeReadsOnlyIntegerCodesOfObjects)
{
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":10004}")), 10004);
    EXPECT_EQ(hostnotice::ApiCode(hostnotice::Bare(99999)), 99999);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":\"10004\"}")), std::nullopt);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("[10004]")), std::nullopt);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":")), std::nullopt);
}

TEST(HostParts, NoticesNameRealCatalogEntries)
{
    TServiceCatalog catalog;
    ASSERT_TRUE(catalog.Load(QCoreApplication::applicationDirPath() % QStringLiteral("/content")))
        << catalog.Error().toStdString();

    // The assignment comes from the service's stored work of the sample
    // user: a unit of an owned book and lessons of that very unit.
    QTemporaryDir work;
    TLearningServiceSim service;
    ASSERT_TRUE(service.Start(QCoreApplication::applicationDirPath() % QStringLiteral("/content"),
                              work.filePath(QStringLiteral("state.db")), work.path()));
    const auto assignment = hostnotice::SampleAssignment(service, TLearningServiceSim::kSampleUid);
    ASSERT_TRUE(assignment);
    const json notice = json::parse(assignment->toStdString());
    EXPECT_EQ(notice["apiCode"], hostnotice::kAssignment);
    TeduLastAssignMent parsed;
    ASSERT_TRUE(parsed.SetJson(QString::fromStdString(notice["content"].get<std::string>())));
    ASSERT_GT(parsed.FirstUnitId(), 0);
    const qint64 bookId = catalog.BookOfUnit(parsed.FirstUnitId());
    ASSERT_GT(bookId, 0) << "the unit belongs to a served book";
    QList<qint64> unitLessons;
    for (const TOutlineUnit &unit : catalog.Outline(bookId).units)
        if (unit.id == parsed.FirstUnitId())
            for (const TOutlineLesson &lesson : unit.lessons)
                unitLessons << lesson.id;
    const json content = json::parse(notice["content"].get<std::string>());
    ASSERT_FALSE(content["assignments"].empty());
    for (const json &entry : content["assignments"])
        EXPECT_TRUE(unitLessons.contains(entry["lessonId"].get<qint64>()))
            << "lessonId " << entry["lessonId"] << " is not a lesson of the assigned unit";

    const auto recent = hostnotice::RecentLesson(catalog);
    ASSERT_TRUE(recent);
    const json lesson = json::parse(recent->toStdString());
    EXPECT_EQ(lesson["apiCode"], hostnotice::kRecentLesson);
    const auto book = catalog.Book(lesson["lessonId"].get<qint64>());
    ASSERT_TRUE(book);
    EXPECT_EQ((*book)["lessonName"], lesson["lessonName"]);
}

TEST(HostParts, NoticesAreAbsentWhenTheCatalogHasNothingToName)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("catalog.json")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"books":[{"lessonId":7,"lessonName":"Words","courseType":"W","owned":true,"recent":false}],)"
            R"("materials":[],"recommended":[]})");
    f.close();
    TServiceCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path())) << catalog.Error().toStdString();
    EXPECT_FALSE(hostnotice::RecentLesson(catalog));
}

} // namespace
