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

TEST(LocalNameFromUrl, TakesTheLastSegmentWithoutQueryAndRefusesNamesThatCannotBeStoredSafely)
{
    const std::pair<const char *, const char *> cases[] = {{"a/b/c.7z", "c.7z"},
                                                           {"a\\b\\c.7z", "c.7z"},
                                                           {"http://host/x/a\\b/c.7z", "c.7z"},
                                                           {"c.7z", "c.7z"},
                                                           {"http://h/p/book%201.7z", "book%201.7z"},
                                                           {"http://h/p/c.7z?sig=a/b&e=1", "c.7z"},
                                                           {"http://h/p/pic.png#top", "pic.png"},
                                                           {"http://h/p/pic.png#a?b", "pic.png"},
                                                           {"", ""},
                                                           {"http://h/p/", ""},
                                                           {"a\\b\\", ""},
                                                           {"a/..", ""},
                                                           {"..", ""},
                                                           {"a/.", ""},
                                                           {"a/..?x=1", ""},
                                                           {"a/   ", ""},
                                                           {"a/C:evil", ""},
                                                           {"a/b\nc", ""}};
    for (const auto &[url, name] : cases)
        EXPECT_EQ(LocalNameFromUrl(QString::fromLatin1(url)), QString::fromLatin1(name)) << url;
    EXPECT_TRUE(IsSafeLocalName(QStringLiteral("...")));
    EXPECT_FALSE(IsSafeLocalName(QStringLiteral("a/b")));
}

TEST(LocalPath, MapsWindowsNamesUnderTheMainPath)
{
    QTemporaryDir root;
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

TEST(LocalPath, PrefersTheExactThenTheLowerCaseSpellingAndRefusesNamesThatLeaveTheMainPath)
{
    QTemporaryDir root;
    const QString main = root.path();
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("DATA")));
    ASSERT_TRUE(QDir(main).mkpath(QStringLiteral("data")));
    EXPECT_EQ(LocalPath(main, QStringLiteral("DATA\\")), main + QStringLiteral("/DATA/"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("Data\\")), main + QStringLiteral("/data/"));
    EXPECT_EQ(LocalPath(main, QStringLiteral("..\\secret.txt")), QString());
    EXPECT_EQ(LocalPath(main, QStringLiteral("data\\..\\..\\x")), QString());
}

TEST(ForceDirectories, CreatesEveryMissingLevel)
{
    QTemporaryDir root;
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
