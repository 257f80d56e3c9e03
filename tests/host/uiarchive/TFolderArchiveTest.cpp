// The folder archive: Windows-style names, case-insensitive lookup, and no
// way out of its folder.
#include "TFolderArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FolderArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(outer.isValid());
        root = outer.filePath(QStringLiteral("archive"));
        Write(root + QStringLiteral("/png/study/UnRecorded.png"), "mic");
        Write(root + QStringLiteral("/png/study/sentence/Accuracy.png"), "accuracy");
        Write(root + QStringLiteral("/ani/ExpEffect/filelist.txt"), "0001.png\n");
        Write(outer.filePath(QStringLiteral("secret.txt")), "secret");
    }

    QTemporaryDir outer;
    QString root;
};

// Names use either separator and any case (the folder is "sentence" on disk);
// absent files, folders and a missing archive folder give nothing.
TEST_F(FolderArchiveTest, LooksNamesUpWithEitherSeparatorInAnyCase)
{
    TFolderArchive archive(root);
    const std::pair<const char *, std::optional<QByteArray>> cases[] = {
        {"png\\study\\UnRecorded.png", "mic"},
        {"png/study/UnRecorded.png", "mic"},
        {"PNG\\Study\\unrecorded.PNG", "mic"},
        {"png\\study\\Sentence\\ACCURACY.png", "accuracy"},
        {"ani\\expeffect\\FILELIST.TXT", "0001.png\n"},
        {"png\\study\\Missing.png", std::nullopt},
        {"png\\study", std::nullopt},
        {"png\\study\\", std::nullopt},
    };
    for (const auto &[name, bytes] : cases)
        EXPECT_EQ(archive.GetResource(QString::fromLatin1(name)), bytes) << name;
    TFolderArchive none(outer.filePath(QStringLiteral("no-such-folder")));
    EXPECT_EQ(none.GetResource(QStringLiteral("png\\study\\UnRecorded.png")), std::nullopt);
    EXPECT_TRUE(none.Files().isEmpty());
}

TEST_F(FolderArchiveTest, RefusesNamesThatLeaveTheFolder)
{
    TFolderArchive archive(root);
    const QString refused[] = {
        QStringLiteral("..\\secret.txt"),
        QStringLiteral("png\\..\\..\\secret.txt"),
        QStringLiteral("\\secret.txt"),
        outer.filePath(QStringLiteral("secret.txt")), // an absolute path
        QStringLiteral("C:\\secret.txt"),
        QStringLiteral(".\\png\\study\\UnRecorded.png"),
        QStringLiteral("png\\\\study\\UnRecorded.png"), // an empty segment
        QStringLiteral(""),
    };
    for (const QString &name : refused) {
        EXPECT_EQ(archive.GetResource(name), std::nullopt) << name.toStdString();
        EXPECT_TRUE(archive.FilePath(name).isEmpty()) << name.toStdString();
    }
    // A name whose ".." stays inside is refused all the same: names never
    // carry such segments.
    EXPECT_EQ(archive.GetResource(QStringLiteral("png\\study\\..\\study\\UnRecorded.png")), std::nullopt);
}

TEST_F(FolderArchiveTest, RefusesLinksThatLeadOutOfTheFolder)
{
    ASSERT_TRUE(QFile::link(outer.filePath(QStringLiteral("secret.txt")), root + QStringLiteral("/png/leak.png")));
    QDir().mkpath(outer.filePath(QStringLiteral("elsewhere")));
    Write(outer.filePath(QStringLiteral("elsewhere/x.png")), "outside");
    ASSERT_TRUE(QFile::link(outer.filePath(QStringLiteral("elsewhere")), root + QStringLiteral("/png/linked")));
    // A link that stays inside is served.
    ASSERT_TRUE(
        QFile::link(root + QStringLiteral("/png/study/UnRecorded.png"), root + QStringLiteral("/png/alias.png")));
    TFolderArchive archive(root);
    EXPECT_EQ(archive.GetResource(QStringLiteral("png\\leak.png")), std::nullopt);
    EXPECT_EQ(archive.GetResource(QStringLiteral("png\\LEAK.png")), std::nullopt);
    EXPECT_EQ(archive.GetResource(QStringLiteral("png\\linked\\x.png")), std::nullopt);
    EXPECT_EQ(archive.GetResource(QStringLiteral("png\\alias.png")), QByteArray("mic"));
}

} // namespace
