// The host's score comments from the UI archive, which work without a
// module. (The notices it builds are driven by ScenarioRunTest.)

#include "ScoreSounds.h"

#include "AudioDuration.h"
#include "TFolderArchive.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>

#include <gtest/gtest.h>

namespace {

TEST(HostParts, ScoreLevelsSwitchAt85And75And65)
{
    const std::pair<double, const char *> cases[] = {
        {85, "Gold"},   {84.99, "Silver"}, {75, "Silver"},        {74.9, "Copper"},
        {65, "Copper"}, {64.9, "Bad"},     {std::nan(""), "Bad"},
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

} // namespace
