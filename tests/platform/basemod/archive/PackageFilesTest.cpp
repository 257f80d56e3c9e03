#include "PackageArchive.h"
#include "PackageFiles.h"
#include "PackageMaker.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PackageFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString make(const QString &name, const QList<TestEntry> &entries, const PackageOptions &o = {})
    {
        const QString p = dir.filePath(name);
        const QString err = MakePackage(p, entries, o);
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        return p;
    }
    static QByteArray digest(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QTemporaryDir dir;
};

TEST_F(PackageFilesTest, GivesNothingForPackagesWithoutAReadableDescription)
{
    struct Case
    {
        const char *what;
        QString file;
        TArchiveError error;
    };
    PackageOptions other;
    other.password = QStringLiteral("NotThePackageOne1");
    const QList<Case> cases{
        {"in a folder", make("nested.7z", {{"sub/data.json", R"({"version":"1"})"}}), TArchiveError::NotFound},
        {"not an object", make("array.7z", {{"data.json", "[1,2]"}}), TArchiveError::Corrupt},
        {"not UTF-8", make("latin.7z", {{"data.json", "{\"version\":\"\xe9\"}"}}), TArchiveError::Corrupt},
        {"other password", make("other.7z", {{"data.json", R"({"version":"1"})"}}, other),
         TArchiveError::WrongPassword},
        {"no file", dir.filePath("missing.7z"), TArchiveError::FileMissing},
    };
    for (const Case &c : cases) {
        const QByteArray before = digest(c.file);
        TArchiveResult why;
        EXPECT_FALSE(getJBookFromFile(c.file, &why).has_value()) << c.what;
        EXPECT_EQ(why.error, c.error) << c.what << ": " << why.message.toStdString();
        // The package is only read: the caller decides whether to delete it.
        EXPECT_EQ(digest(c.file), before) << c.what;
        EXPECT_EQ(QFile::exists(c.file), !before.isEmpty()) << c.what;
    }
}

} // namespace
