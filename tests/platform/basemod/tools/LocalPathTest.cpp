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
    const std::pair<const char *, const char *> cases[] = {{"http://host/x/a\\b/c.7z", "c.7z"},
                                                           {"http://h/p/book%201.7z", "book%201.7z"},
                                                           {"http://h/p/c.7z?sig=a/b&e=1", "c.7z"},
                                                           {"http://h/p/pic.png#a?b", "pic.png"},
                                                           {"http://h/p/", ""},
                                                           {"a/..?x=1", ""},
                                                           {"a/   ", ""},
                                                           {"a/C:evil", ""},
                                                           {"a/b\nc", ""}};
    for (const auto &[url, name] : cases)
        EXPECT_EQ(LocalNameFromUrl(QString::fromLatin1(url)), QString::fromLatin1(name)) << url;
    EXPECT_TRUE(IsSafeLocalName(QStringLiteral("...")));
    EXPECT_FALSE(IsSafeLocalName(QStringLiteral("a/b")));
}

TEST(LocalPath, MapsWindowsNamesUnderTheMainPathMatchingFoldersOnDiskAndRefusesNamesThatLeaveIt)
{
    QTemporaryDir root;
    const QString main = root.path();
    for (const char *folder : {"DATA", "data", "tmp/study/Role", "MyFolder"})
        ASSERT_TRUE(QDir(main).mkpath(QString::fromLatin1(folder)));
    touch(main + QStringLiteral("/MyFolder/Book1.7z"));
    const std::pair<const char *, const char *> cases[] = {
        {"\\tmp\\part\\", "/tmp/part/"},
        {"tmp/./temp.wav", "/tmp/temp.wav"},
        // Working folders get one spelling even before they exist; other names keep theirs.
        {"Fail\\Study\\1.stypt", "/fail/study/1.stypt"},
        {"ani\\ExpEffect\\filelist.txt", "/ani/ExpEffect/filelist.txt"},
        // Existing folders and files are found under any spelling: the exact
        // one first, then the lower-case one, then any.
        {"DATA\\", "/DATA/"},
        {"Data\\x.mp3", "/data/x.mp3"},
        {"TMP\\STUDY\\ROLE\\1.wav", "/tmp/study/Role/1.wav"},
        {"MYFOLDER\\book1.7Z", "/MyFolder/Book1.7z"},
        {"..\\secret.txt", nullptr},
        {"data\\..\\..\\x", nullptr},
    };
    for (const auto &[relative, expected] : cases)
        EXPECT_EQ(LocalPath(main, QString::fromLatin1(relative)),
                  expected ? main + QString::fromLatin1(expected) : QString())
            << relative;
    EXPECT_EQ(LocalPath(main + QStringLiteral("/"), QStringLiteral("tmp\\x")), main + QStringLiteral("/tmp/x"));
}

TEST(DeleteAllFile, EmptiesTheFilesAndKeepsFoldersAndSubFolders)
{
    QTemporaryDir root;
    const QString part = root.path() + QStringLiteral("/tmp/part");
    touch(part + QStringLiteral("/0.wav"));
    touch(part + QStringLiteral("/1.wav"));
    touch(part + QStringLiteral("/.hidden"));
    touch(part + QStringLiteral("/keep/inner.wav"));

    EXPECT_TRUE(DeleteAllFile(root.path() + QStringLiteral("\\tmp\\part\\")));
    EXPECT_TRUE(QFileInfo(part).isDir());
    EXPECT_EQ(QDir(part).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_TRUE(QFileInfo::exists(part + QStringLiteral("/keep/inner.wav")));
    EXPECT_TRUE(DeleteAllFile(root.path() + QStringLiteral("/missing")));
}
