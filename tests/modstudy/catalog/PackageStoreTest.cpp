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
    EXPECT_EQ(PackageLoadType(QStringLiteral("U")), LTLessonPackage);
    EXPECT_EQ(PackageLoadType(QStringLiteral("L")), LTLessonPackage);
    EXPECT_EQ(PackageLoadType(QStringLiteral("w")), LTLessonPackage);
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

TEST_F(PackageCheck, SameVersionIsCurrentAnotherIsOutdatedAndTheFileIsOnlyRead)
{
    const QString path = Make(QStringLiteral("c.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    const QByteArray before = ReadFile(path);

    const TPackageCheck same = CheckPackage(path, QStringLiteral("5"));
    EXPECT_EQ(same.state, TPackageState::Current) << same.reason.toStdString();
    EXPECT_EQ(same.version, QStringLiteral("5"));

    const TPackageCheck other = CheckPackage(path, QStringLiteral("6"));
    EXPECT_EQ(other.state, TPackageState::Outdated);
    EXPECT_EQ(other.version, QStringLiteral("5"));
    EXPECT_EQ(CheckPackage(path, QStringLiteral("5 ")).state, TPackageState::Outdated)
        << "versions are compared exactly";

    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(PackageCheck, NumericVersionInTheDescriptionComparesByItsDigits)
{
    const QString path = Make(QStringLiteral("n.7z"), {{QStringLiteral("data.json"), QByteArray(R"({"version":12})")}});
    EXPECT_EQ(CheckPackage(path, QStringLiteral("12")).state, TPackageState::Current);
    EXPECT_EQ(CheckPackage(path, QStringLiteral("13")).state, TPackageState::Outdated);
}

TEST_F(PackageCheck, PackageWithoutDescriptionIsOutdatedNotUnreadable)
{
    // Also an entry whose name differs only by case does not count.
    const QString path = Make(QStringLiteral("c.7z"), {{QStringLiteral("Data.json"), BookJson(QStringLiteral("5"))},
                                                       {QStringLiteral("pics/a.png"), QByteArray("png")}});
    const TPackageCheck check = CheckPackage(path, QStringLiteral("5"));
    EXPECT_EQ(check.state, TPackageState::Outdated);
    EXPECT_TRUE(check.version.isEmpty());
    EXPECT_FALSE(check.reason.isEmpty());
}

TEST_F(PackageCheck, DamagedForeignOrUndecodableFilesAreUnreadable)
{
    EXPECT_EQ(CheckPackage(Write(QStringLiteral("text.7z"), "this is not an archive"), QStringLiteral("5")).state,
              TPackageState::Unreadable);
    const QString good =
        Make(QStringLiteral("good.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    const QByteArray bytes = ReadFile(good);
    EXPECT_EQ(CheckPackage(Write(QStringLiteral("cut.7z"), bytes.left(bytes.size() / 2)), QStringLiteral("5")).state,
              TPackageState::Unreadable);
    PackageOptions otherPassword;
    otherPassword.password = QStringLiteral("another-password");
    EXPECT_EQ(CheckPackage(Make(QStringLiteral("pw.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}},
                                otherPassword),
                           QStringLiteral("5"))
                  .state,
              TPackageState::Unreadable);
    EXPECT_EQ(CheckPackage(Make(QStringLiteral("bad.7z"), {{QStringLiteral("data.json"), QByteArray("{\"version\":")}}),
                           QStringLiteral("5"))
                  .state,
              TPackageState::Unreadable);
}

TEST_F(PackageCheck, NoFileIsMissing)
{
    EXPECT_EQ(CheckPackage(dir.filePath(QStringLiteral("none.7z")), QStringLiteral("5")).state, TPackageState::Missing);
    EXPECT_EQ(CheckPackage(QString(), QStringLiteral("5")).state, TPackageState::Missing);
}

} // namespace
