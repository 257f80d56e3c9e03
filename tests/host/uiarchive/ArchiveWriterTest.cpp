// Writing the archive's folder tree from a picture list.
#include "ArchiveWriter.h"
#include "AniFrameList.h"
#include "AudioDuration.h"
#include "TFolderArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QList<TPictureEntry> List(const QByteArray &text)
{
    QString error;
    const auto entries = ParsePictureList(text, &error);
    EXPECT_TRUE(entries.has_value()) << error.toStdString();
    return entries.value_or(QList<TPictureEntry>());
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

TEST_F(ArchiveWriterTest, WritesPicturesAnimationsSoundsAndTheIndex)
{
    const auto entries = List("pic png\\study\\home\\MyCourseUp.png 150x44 tabUp 我的课程\n"
                              "strip png\\RecordAnimation.png 96x24 micStrip frames=4\n"
                              "ani ani\\manIdle 90x136 manIdle frames=3 sound=hi.mp3\n"
                              "snd ani\\manIdle\\hi.mp3 - - Hello\n");
    QString error;
    ASSERT_TRUE(WriteUIArchive(entries, out, error)) << error.toStdString();
    TFolderArchive archive(out);

    const auto tab = archive.GetResource(QStringLiteral("png\\study\\home\\MyCourseUp.png"));
    ASSERT_TRUE(tab.has_value());
    EXPECT_EQ(QImage::fromData(*tab, "PNG").size(), QSize(150, 44));
    const auto strip = archive.GetResource(QStringLiteral("png\\RecordAnimation.png"));
    ASSERT_TRUE(strip.has_value());
    EXPECT_EQ(QImage::fromData(*strip, "PNG").size(), QSize(96, 24));

    const auto list = archive.GetResource(QStringLiteral("ani\\manIdle\\filelist.txt"));
    ASSERT_TRUE(list.has_value());
    const TAniFrameList frames = ParseAniFrameList(*list);
    EXPECT_EQ(frames.frames,
              QStringList({QStringLiteral("0001.png"), QStringLiteral("0002.png"), QStringLiteral("0003.png")}));
    EXPECT_EQ(frames.sound, QStringLiteral("hi.mp3"));
    for (const QString &frame : frames.frames) {
        const auto bytes = archive.GetResource(AniEntryName(QStringLiteral("ani\\manIdle\\filelist.txt"), frame));
        ASSERT_TRUE(bytes.has_value()) << frame.toStdString();
        EXPECT_EQ(QImage::fromData(*bytes, "PNG").size(), QSize(90, 136));
    }
    const auto sound = archive.GetResource(QStringLiteral("ani\\manIdle\\hi.mp3"));
    ASSERT_TRUE(sound.has_value());
    EXPECT_GT(AudioBytesDurationMs(*sound).value_or(0), 200) << "a spoken MP3";

    const QStringList index =
        QString::fromUtf8(ReadAll(out + QStringLiteral("/index.txt"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(index,
              QStringList({QStringLiteral("ani\\manIdle\\0001.png"), QStringLiteral("ani\\manIdle\\0002.png"),
                           QStringLiteral("ani\\manIdle\\0003.png"), QStringLiteral("ani\\manIdle\\filelist.txt"),
                           QStringLiteral("ani\\manIdle\\hi.mp3"), QStringLiteral("png\\RecordAnimation.png"),
                           QStringLiteral("png\\study\\home\\MyCourseUp.png")}));
}

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
