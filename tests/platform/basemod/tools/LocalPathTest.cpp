#include "FileTools.h"
#include "LocalPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

TEST(LocalNameFromUrl, TakesTheLastSegmentWithEitherSeparator)
{
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/b/c.7z")), QStringLiteral("c.7z"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a\\b\\c.7z")), QStringLiteral("c.7z"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://host/x/a\\b/c.7z")), QStringLiteral("c.7z"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("c.7z")), QStringLiteral("c.7z"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://h/p/book%201.7z")), QStringLiteral("book%201.7z"));
}

TEST(LocalNameFromUrl, DropsQueryAndFragment)
{
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://h/p/c.7z?sig=a/b&e=1")), QStringLiteral("c.7z"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://h/p/pic.png#top")), QStringLiteral("pic.png"));
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://h/p/pic.png#a?b")), QStringLiteral("pic.png"));
}

TEST(LocalNameFromUrl, RefusesNamesThatCannotBeStoredSafely)
{
    EXPECT_EQ(LocalNameFromUrl(QString()), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("http://h/p/")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a\\b\\")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/..")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("..")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/.")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/..?x=1")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/   ")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/C:evil")), QString());
    EXPECT_EQ(LocalNameFromUrl(QStringLiteral("a/b\nc")), QString());
    EXPECT_TRUE(IsSafeLocalName(QStringLiteral("...")));
    EXPECT_FALSE(IsSafeLocalName(QStringLiteral("a/b")));
}

TEST(LocalPath, MapsWindowsNamesUnderTheMainPath)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString main = root.path();
    EXPECT_EQ(LocalPath(main, QStringLiteral("tmp\\temp.wav")), main + QStringLiteral("/tmp/temp.wav"));
    EXPECT_EQ(LocalPath(main + QStringLiteral("/"), QStringLiteral("\\tmp\\part\\")),
              main + QStringLiteral("/tmp/part/"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("tmp/./temp.wav")), main + QStringLiteral("/tmp/temp.wav"));
    EXPECT_EQ(LocalPath(main, QString()), main);
    // Working folders get one spelling even before they exist.
    EXPECT_EQ(LocalPath(main, QStringLiteral("Data\\x.mp3")), main + QStringLiteral("/data/x.mp3"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("Fail\\Study\\1.stypt")), main + QStringLiteral("/fail/study/1.stypt"));
    // Other names keep theirs.
    EXPECT_EQ(LocalPath(main, QStringLiteral("ani\\ExpEffect\\filelist.txt")),
              main + QStringLiteral("/ani/ExpEffect/filelist.txt"));
}

TEST(LocalPath, ResolvesFoldersAndFilesAgainstTheDiskIgnoringCase)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString main = root.path();
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("Data")));
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("tmp/study/Role")));
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("MyFolder")));
    touch(main + QStringLiteral("/Data/Book1.7z"));

    const QString viaLower = LocalPath(main, QStringLiteral("data\\"));
    const QString viaUpper = LocalPath(main, QStringLiteral("Data\\"));
    EXPECT_EQ(viaLower, main + QStringLiteral("/Data/"));
    EXPECT_EQ(viaLower, viaUpper);

    EXPECT_EQ(LocalPath(main, QStringLiteral("tmp\\study\\role\\1.wav")),
              LocalPath(main, QStringLiteral("tmp\\study\\Role\\1.wav")));
    EXPECT_EQ(LocalPath(main, QStringLiteral("TMP\\STUDY\\ROLE\\1.wav")),
              main + QStringLiteral("/tmp/study/Role/1.wav"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("myfolder\\a.txt")), main + QStringLiteral("/MyFolder/a.txt"));

    // An existing file is found under any spelling and stays readable.
    const QString book = LocalPath(main, QStringLiteral("DATA\\book1.7Z"));
    EXPECT_EQ(book, main + QStringLiteral("/Data/Book1.7z"));
    EXPECT_TRUE(QFileInfo::exists(book));
}

TEST(LocalPath, PrefersTheExactThenTheLowerCaseSpellingWhenSeveralExist)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString main = root.path();
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("DATA")));
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("data")));
    EXPECT_EQ(LocalPath(main, QStringLiteral("DATA\\")), main + QStringLiteral("/DATA/"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("Data\\")), main + QStringLiteral("/data/"));
}

TEST(LocalPath, RefusesNamesThatLeaveTheMainPath)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    EXPECT_EQ(LocalPath(root.path(), QStringLiteral("..\\secret.txt")), QString());
    EXPECT_EQ(LocalPath(root.path(), QStringLiteral("data\\..\\..\\x")), QString());
}

TEST(ForceDirectories, CreatesEveryMissingLevel)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString deep = root.path() + QStringLiteral("\\pics\\book\\x");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(QFileInfo(root.path() + QStringLiteral("/pics/book/x")).isDir());
    EXPECT_TRUE(ForceDirectories(deep)); // already there
    touch(root.path() + QStringLiteral("/plain"));
    EXPECT_FALSE(ForceDirectories(root.path() + QStringLiteral("/plain")));
    EXPECT_FALSE(ForceDirectories(QString()));
}

TEST(DeleteAllFile, EmptiesTheFilesAndKeepsFoldersAndSubFolders)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString part = root.path() + QStringLiteral("/tmp/part");
    touch(part + QStringLiteral("/0.wav"));
    touch(part + QStringLiteral("/1.wav"));
    touch(part + QStringLiteral("/.hidden"));
    touch(part + QStringLiteral("/keep/inner.wav"));
    touch(root.path() + QStringLiteral("/tmp/outside.wav"));

    EXPECT_TRUE(DeleteAllFile(root.path() + QStringLiteral("\\tmp\\part\\")));
    EXPECT_TRUE(QFileInfo(part).isDir());
    EXPECT_EQ(QDir(part).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_TRUE(QFileInfo::exists(part + QStringLiteral("/keep/inner.wav")));
    EXPECT_TRUE(QFileInfo::exists(root.path() + QStringLiteral("/tmp/outside.wav")));

    EXPECT_TRUE(DeleteAllFile(root.path() + QStringLiteral("/missing")));
    EXPECT_FALSE(QFileInfo::exists(root.path() + QStringLiteral("/missing")));
}
