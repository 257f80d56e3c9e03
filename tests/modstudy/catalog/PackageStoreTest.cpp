// The store's decisions without a window: target names, the check of a
// package on disk against the package record, what goes before asking, and
// the texts.

#include "PackageStore.h"

#include "PackageMaker.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PackageStore;

namespace {

class PackageTargets : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Main() const { return dir.path() + QLatin1Char('/'); }
    QTemporaryDir dir;
};

TEST_F(PackageTargets, LastSegmentOfTheAddressNamesTheFileWhateverTheSeparator)
{
    const QString expected = dir.filePath(QStringLiteral("data/c.7z"));
    EXPECT_EQ(PackageFile(Main(), QStringLiteral("a/b/c.7z")), expected);
    EXPECT_EQ(PackageFile(Main(), QStringLiteral("a\\b\\c.7z")), expected);
    EXPECT_EQ(PackageFile(Main(), QStringLiteral("http://host:8080/a/b/c.7z?sig=1#x")), expected);
    EXPECT_EQ(DownloadTarget(Main(), kBookPictureFolder, QStringLiteral("http://h/pics/book/tile_7.png")),
              dir.filePath(QStringLiteral("pics/book/tile_7.png")));
}

TEST_F(PackageTargets, DataAndDataWrittenWithCapitalAreOneFolder)
{
    QDir(dir.path()).mkpath(QStringLiteral("Data"));
    EXPECT_EQ(DownloadTarget(Main(), kMaterialFolder, QStringLiteral("x/voice.mp3")),
              dir.filePath(QStringLiteral("Data/voice.mp3")));
    EXPECT_EQ(PackageFile(Main(), QStringLiteral("x/c.7z")), dir.filePath(QStringLiteral("Data/c.7z")));
}

TEST_F(PackageTargets, AddressesWithoutAUsableLastSegmentHaveNoTarget)
{
    for (const char *address :
         {"a/b/", "a/b/.", "a/b/..", "..", "", "http://h/a/b/..", "a\\b\\..\\", "a/b/   ", "a/b/c:d.7z"}) {
        EXPECT_TRUE(PackageFile(Main(), QString::fromLatin1(address)).isEmpty()) << address;
        EXPECT_TRUE(DownloadTarget(Main(), kBookPictureFolder, QString::fromLatin1(address)).isEmpty()) << address;
    }
}

TEST(PackageKinds, WordBooksAreWordPackagesEveryOtherTypeALessonPackage)
{
    EXPECT_EQ(PackageLoadType(QStringLiteral("W")), LTWordPackage);
    for (const char *other : {"U", "L", "w", ""})
        EXPECT_EQ(PackageLoadType(QString::fromLatin1(other)), LTLessonPackage) << other;
}

TEST(PackageKinds, AnAddressReplyNamesThePackageAskedForWhateverTheSpellingOfItsKey)
{
    for (const char *same : {"a/b/c.7z", "/a/b/c.7z", "\\a\\b\\c.7z", " a/b/c%2E7z"})
        EXPECT_TRUE(SamePackageKey(QString::fromLatin1(same), QStringLiteral("a/b/c.7z"))) << same;
    for (const char *other : {"x/other.7z", "a/b/c.7", "b/c.7z", "A/b/c.7z"})
        EXPECT_FALSE(SamePackageKey(QString::fromLatin1(other), QStringLiteral("a/b/c.7z"))) << other;
}

TEST(PackageTexts, QuestionsAndFailureUseTheTrimmedBookName)
{
    EXPECT_EQ(DownloadQuestion(TPackageState::Missing, QStringLiteral("  英语 一年级 ")),
              QStringLiteral("'英语 一年级'\n的资源包不存在,是否下载？"));
    for (TPackageState s : {TPackageState::Outdated, TPackageState::Unreadable, TPackageState::Unchecked})
        EXPECT_EQ(DownloadQuestion(s, QStringLiteral(" Book One\t")),
                  QStringLiteral("'Book One'的资源包不是最新版本,是否下载？"));
    EXPECT_EQ(DownloadFailedText(QStringLiteral(" Book One ")), QStringLiteral("下载Book One 的资源包失败,请重试"));
}

TEST(PackageTexts, OnlyAnUnreadablePackageGoesBeforeTheLearnerAnswers)
{
    EXPECT_TRUE(DeleteBeforeAsking(TPackageState::Unreadable));
    for (TPackageState s :
         {TPackageState::Current, TPackageState::Missing, TPackageState::Outdated, TPackageState::Unchecked})
        EXPECT_FALSE(DeleteBeforeAsking(s));
}

class PackageCheck : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Make(const QString &name, const QList<TestEntry> &entries, const PackageOptions &options = {})
    {
        const QString path = dir.filePath(name);
        const QString error = MakePackage(path, entries, options);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

// The package on disk against the record's version: the same version is
// current; another one (compared exactly, a numeric one by its digits) or no
// "data.json" (a name differing in case does not count) is outdated; a
// damaged, foreign or undecodable file is unreadable; no file is missing.
TEST_F(PackageCheck, ThePackageOnDiskIsCurrentOutdatedUnreadableOrMissing)
{
    using S = TPackageState;
    const QList<TestEntry> five{{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}};
    const QString current = Make(QStringLiteral("c.7z"), five);
    const QByteArray bytes = ReadFile(current);
    const QString numeric = Make(QStringLiteral("n.7z"), {{QStringLiteral("data.json"), R"({"version":12})"}});
    const QString undescribed = Make(QStringLiteral("d.7z"), {{QStringLiteral("Data.json"), BookJson("5")},
                                                              {QStringLiteral("pics/a.png"), QByteArray("png")}});
    PackageOptions otherPassword;
    otherPassword.password = QStringLiteral("another-password");
    const struct
    {
        QString path;
        const char *record;
        TPackageState state;
    } cases[] = {
        {current, "5", S::Current},
        {current, "6", S::Outdated},
        {current, "5 ", S::Outdated},
        {numeric, "12", S::Current},
        {undescribed, "5", S::Outdated},
        {Write(QStringLiteral("text.7z"), "this is not an archive"), "5", S::Unreadable},
        {Write(QStringLiteral("cut.7z"), bytes.left(bytes.size() / 2)), "5", S::Unreadable},
        {Make(QStringLiteral("pw.7z"), five, otherPassword), "5", S::Unreadable},
        {Make(QStringLiteral("bad.7z"), {{QStringLiteral("data.json"), "{\"version\":"}}), "5", S::Unreadable},
        {dir.filePath(QStringLiteral("none.7z")), "5", S::Missing},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckPackage(c.path, QString::fromLatin1(c.record)).state, c.state)
            << c.path.toStdString() << " against " << c.record;
    EXPECT_EQ(CheckPackage(current, QStringLiteral("6")).version, QStringLiteral("5"));
    EXPECT_TRUE(CheckPackage(undescribed, QStringLiteral("5")).version.isEmpty());
    EXPECT_EQ(ReadFile(current), bytes) << "the file is only read";
}

} // namespace
