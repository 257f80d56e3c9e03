// The host's parts that work without a module: score comments from the UI
// archive, and notice texts built from the catalog.

#include "HostNotices.h"
#include "ScoreSounds.h"

#include "AudioDuration.h"
#include "ServiceCatalog.h"
#include "TFolderArchive.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include <gtest/gtest.h>

namespace {

using json = nlohmann::ordered_json;

TEST(HostParts, ScoreLevelsSwitchAt85And75And65)
{
    const std::pair<double, const char *> cases[] = {
        {100, "Gold"},  {85, "Gold"},  {84.99, "Silver"}, {75, "Silver"},        {74.9, "Copper"},
        {65, "Copper"}, {64.9, "Bad"}, {0, "Bad"},        {std::nan(""), "Bad"},
    };
    for (const auto &[score, level] : cases)
        EXPECT_EQ(ScoreLevelName(score), QStringLiteral("ScoreBack") + QLatin1String(level)) << score;
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
        EXPECT_GT(*ms, 200) << score; // a spoken comment of a few words
        EXPECT_LT(*ms, 5000) << score;
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

// The assignment notice is the service's (SampleWorkTest); the recent lesson
// notice names the catalog's first recent book, and there is none without one.
TEST(HostParts, TheRecentLessonNoticeNamesARecentBookOfTheCatalog)
{
    TServiceCatalog catalog;
    ASSERT_TRUE(catalog.Load(QCoreApplication::applicationDirPath() % QStringLiteral("/content")))
        << catalog.Error().toStdString();
    const auto recent = hostnotice::RecentLesson(catalog);
    ASSERT_TRUE(recent);
    const json lesson = json::parse(recent->toStdString());
    EXPECT_EQ(lesson["apiCode"], hostnotice::kRecentLesson);
    const auto book = catalog.Book(lesson["lessonId"].get<qint64>());
    ASSERT_TRUE(book);
    EXPECT_EQ((*book)["lessonName"], lesson["lessonName"]);
    EXPECT_TRUE((*book)["recent"].get<bool>());

    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("catalog.json")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"books":[{"lessonId":7,"lessonName":"Words","courseType":"W","owned":true,"recent":false}],)"
            R"("materials":[],"recommended":[]})");
    f.close();
    TServiceCatalog none;
    ASSERT_TRUE(none.Load(dir.path())) << none.Error().toStdString();
    EXPECT_FALSE(hostnotice::RecentLesson(none));
}

} // namespace
