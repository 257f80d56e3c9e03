// Writing the archive's folder tree from a picture list: folders that differ
// only in case, a rewrite, and what it cannot make. What it writes is read
// back from the build's own archive by UIArchiveContentTest.
#include "ArchiveWriter.h"
#include "TFolderArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QList<TPictureEntry> List(const QByteArray &text)
{
    QString error;
    const auto entries = ParsePictureList(text, &error);
    EXPECT_TRUE(entries.has_value()) << error.toStdString();
    return entries.value_or(QList<TPictureEntry>());
}

class ArchiveWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        out = temp.filePath(QStringLiteral("out"));
    }
    QTemporaryDir temp;
    QString out;
};

TEST_F(ArchiveWriterTest, FoldersDifferingOnlyInCaseShareOneFolder)
{
    const auto entries = List("pic png\\study\\Sentence\\ExitUp.png 28x28 exitUp\n"
                              "pic png\\study\\sentence\\Accuracy.png 32x32 scoreIcon 准\n");
    QString error;
    ASSERT_TRUE(WriteUIArchive(entries, out, error)) << error.toStdString();
    EXPECT_EQ(QDir(out + QStringLiteral("/png/study")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("Sentence")}));
    TFolderArchive archive(out);
    EXPECT_TRUE(archive.GetResource(QStringLiteral("png\\study\\sentence\\Accuracy.png")).has_value());
    EXPECT_TRUE(archive.GetResource(QStringLiteral("png\\study\\Sentence\\ExitUp.png")).has_value());
}

TEST_F(ArchiveWriterTest, RewritingReplacesAnEarlierOutputButNeverAForeignFolder)
{
    QString error;
    ASSERT_TRUE(WriteUIArchive(List("pic png\\Old.png 8x8 triangle\n"), out, error)) << error.toStdString();
    ASSERT_TRUE(WriteUIArchive(List("pic png\\New.png 8x8 triangle\n"), out, error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/png/Old.png")));
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/png/New.png")));

    // A folder holding anything else is left alone.
    const QString foreign = temp.filePath(QStringLiteral("foreign"));
    QDir().mkpath(foreign);
    QFile keep(foreign + QStringLiteral("/keep.txt"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    EXPECT_FALSE(WriteUIArchive(List("pic png\\New.png 8x8 triangle\n"), foreign, error));
    EXPECT_TRUE(error.contains(QStringLiteral("not emptied"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(foreign + QStringLiteral("/keep.txt")));
    EXPECT_FALSE(QFile::exists(foreign + QStringLiteral("/png/New.png")));
}

TEST_F(ArchiveWriterTest, FailsOnWhatItCannotMake)
{
    QString error;
    // A look the generator does not draw: the list line is named and no
    // index marks the output as complete.
    EXPECT_FALSE(WriteUIArchive(List("pic png\\a.png 8x8 triangle\npic png\\b.png 8x8 sparkly\n"), out, error));
    EXPECT_TRUE(error.contains(QStringLiteral("line 2"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/index.txt")));
    // An animation whose sound no entry makes.
    EXPECT_FALSE(WriteUIArchive(List("ani ani\\cartoon 90x136 robotRead frames=2 sound=hi.mp3\n"), out, error));
    EXPECT_TRUE(error.contains(QStringLiteral("hi.mp3"))) << error.toStdString();
}

} // namespace
