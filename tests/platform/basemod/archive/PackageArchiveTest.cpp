#include "PackageArchive.h"
#include "PackageMaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class PackageArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString &name) const { return dir.filePath(name); }

    // z.jpg, a.png, an empty folder, a nested text and an empty file, in
    // that order.
    QString makeSample(const PackageOptions &o = {})
    {
        const QString p = path(QStringLiteral("sample.7z"));
        const QString err = MakePackage(p, sampleEntries(), o);
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        return p;
    }
    static QList<TestEntry> sampleEntries()
    {
        return {{QStringLiteral("z.jpg"), NoiseBytes(3000, 1)},
                {QStringLiteral("a.png"), NoiseBytes(5000, 2)},
                {QStringLiteral("empty"), {}, true},
                {QStringLiteral("unit1/words/x.txt"), QByteArray("hello words")},
                {QStringLiteral("zero.bin"), QByteArray()}};
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    // A shell script standing in for the reader.
    QString script(const QString &name, const QByteArray &body)
    {
        const QString p = file(name, "#!/bin/sh\n" + body);
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return p;
    }
    // A stand-in that lists one 4-byte entry "a.txt" with the checksum of
    // "good" and runs `extract` for anything else.
    QString lister(const QString &name, const QByteArray &extract)
    {
        return script(name, "if [ \"$1\" = l ]; then\n"
                            "  printf 'Path = a.txt\\nSize = 4\\nCRC = 6C844E92\\nAttributes = A\\n\\n'\n"
                            "else\n  "
                                + extract + "\nfi\n");
    }

    QTemporaryDir dir;
};

// The sample hides its names (-mhe); the password test below also lists a
// package whose names are visible.
TEST_F(PackageArchiveTest, ListsAndExtractsEntries)
{
    TPackageArchive package;
    ASSERT_TRUE(package.Open(makeSample())) << package.LastResult().message.toStdString();
    const QList<TArchiveEntry> entries = package.Entries();
    ASSERT_EQ(entries.size(), 5);
    // The program stores folders and empty files ahead of the files with
    // content; the files with content keep the order they were added in.
    QStringList withContent;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].size > 0)
            withContent << entries[i].name;
        if (!entries[i].isDirectory) {
            EXPECT_EQ(package.IndexOf(entries[i].name), i);
        }
    }
    EXPECT_EQ(withContent, (QStringList{"z.jpg", "a.png", "unit1/words/x.txt"}));
    EXPECT_EQ(package.IndexOf("empty"), -1); // folders hold no content

    QHash<QString, QByteArray> found;
    QStringList missing;
    ASSERT_TRUE(package.ExtractSet({"z.jpg", "nope.mp3", "unit1\\words\\x.txt", "zero.bin"}, found, &missing));
    EXPECT_EQ(found.value("z.jpg"), NoiseBytes(3000, 1));
    EXPECT_EQ(found.value("unit1\\words\\x.txt"), QByteArray("hello words"));
    EXPECT_TRUE(found.contains("zero.bin"));
    EXPECT_EQ(missing, QStringList{"nope.mp3"});
    // Names that are not file entries, exactly spelt, are not found.
    for (const char *name : {"empty", "A.png", "x.txt"}) {
        QByteArray stream("stale");
        EXPECT_FALSE(package.ContentToMemory(QString::fromLatin1(name), stream)) << name;
        EXPECT_TRUE(stream.isEmpty());
        EXPECT_EQ(package.LastResult().error, TArchiveError::NotFound) << name;
    }
}

TEST_F(PackageArchiveTest, RepeatedExtractionRunsTheReaderOnceFromMemoryOrAPrivateCacheFolder)
{
    for (const qint64 limit : {qint64(64) << 20, qint64(100)}) {
        SCOPED_TRACE(limit);
        TPackageArchive package;
        package.SetMemoryCacheLimit(limit);
        ASSERT_TRUE(package.Open(makeSample()));
        EXPECT_EQ(package.ReaderRuns(), 1);
        QByteArray data;
        // Read back out of order: offsets, not the order of reading, matter.
        for (int i = 0; i < 7; ++i) {
            const QString name = i % 3 == 0 ? "a.png" : i % 3 == 1 ? "unit1/words/x.txt" : "z.jpg";
            ASSERT_TRUE(package.Extract(name, data));
            EXPECT_EQ(data, i % 3 == 0   ? NoiseBytes(5000, 2)
                            : i % 3 == 1 ? QByteArray("hello words")
                                         : NoiseBytes(3000, 1));
        }
        EXPECT_TRUE(package.IsCached());
        EXPECT_EQ(package.ReaderRuns(), 2);
        const QString folder = package.CacheFolder();
        EXPECT_EQ(folder.isEmpty(), limit > 100);
        if (folder.isEmpty())
            continue;
        // The decrypted content is for this user only.
        const QFile::Permissions others = QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        EXPECT_EQ(QFileInfo(folder).permissions() & others, QFile::Permissions());
        package.Close();
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}

// Of repeated names the first in archive order is the one read, kept or
// one-shot. A one-shot read hands the reader the wanted names, so that it
// decompresses only what holds them; names are exact: a "*" is no wildcard
// and a name without folder is not found in a folder.
TEST_F(PackageArchiveTest, TheFirstOfRepeatedNamesWinsAndAOneShotReadGetsExactlyTheNamedEntries)
{
    const QString p = path(QStringLiteral("names.7z"));
    ASSERT_EQ(MakePackage(p, {{"a*b.txt", "star"},
                              {"axb.txt", "plain"},
                              {"sub/data.json", "nested"},
                              {"big.mp3", NoiseBytes(200000, 3)},
                              {"data.json", "top"},
                              {"renamed.txt", "second"}}),
              QString());
    ASSERT_EQ(RenameEntry(p, "renamed.txt", "a*b.txt"), QString());
    TPackageArchive package;
    ASSERT_TRUE(package.Open(p));
    ASSERT_FALSE(package.Entries().isEmpty());
    EXPECT_EQ(package.Entries().last().name, QStringLiteral("a*b.txt"));
    QHash<QString, QByteArray> found;
    ASSERT_TRUE(package.ExtractUncached({"data.json", "a*b.txt"}, found));
    EXPECT_EQ(found.value("data.json"), QByteArray("top"));
    EXPECT_EQ(found.value("a*b.txt"), QByteArray("star"));
    EXPECT_EQ(found.size(), 2);
    EXPECT_EQ(package.ReaderRuns(), 2) << "the listing and one read by name, no second read of everything";

    QByteArray data;
    ASSERT_TRUE(package.Extract(QStringLiteral("a*b.txt"), data));
    EXPECT_EQ(data, QByteArray("star"));
    ASSERT_TRUE(package.Extract(QStringLiteral("axb.txt"), data));
    EXPECT_EQ(data, QByteArray("plain"));
}

TEST_F(PackageArchiveTest, BrokenOrMissingFilesGiveTheirErrorKind)
{
    QFile in(makeSample());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const QString truncated = file(QStringLiteral("truncated.7z"), bytes.left(bytes.size() / 2));
    const QString text = file(QStringLiteral("text.7z"), "this is not an archive at all\n");
    struct Case
    {
        QString file;
        TArchiveError error;
    };
    for (const Case &c : {Case{truncated, TArchiveError::Truncated}, Case{text, TArchiveError::NotArchive},
                          Case{dir.path(), TArchiveError::FileMissing}}) {
        TPackageArchive package;
        const TArchiveResult r = package.Open(c.file);
        EXPECT_EQ(r.error, c.error) << c.file.toStdString() << ": " << r.message.toStdString();
        EXPECT_TRUE(package.Entries().isEmpty());
        QByteArray data;
        EXPECT_EQ(package.Extract(QStringLiteral("z.jpg"), data).error, TArchiveError::NotOpen);
    }
}

TEST_F(PackageArchiveTest, AnotherPasswordIsReportedWithAndWithoutHiddenNames)
{
    PackageOptions hidden;
    hidden.password = QStringLiteral("SomethingElse9");
    const QString withHidden = path(QStringLiteral("hidden.7z"));
    ASSERT_EQ(MakePackage(withHidden, sampleEntries(), hidden), QString());
    TPackageArchive a;
    EXPECT_EQ(a.Open(withHidden).error, TArchiveError::WrongPassword);

    PackageOptions visible = hidden;
    visible.encryptHeaders = false;
    const QString withVisible = path(QStringLiteral("visible.7z"));
    ASSERT_EQ(MakePackage(withVisible, sampleEntries(), visible), QString());
    TPackageArchive b;
    ASSERT_TRUE(b.Open(withVisible)); // names are readable without the password
    QByteArray data;
    EXPECT_EQ(b.Extract(QStringLiteral("a.png"), data).error, TArchiveError::WrongPassword);
    EXPECT_TRUE(data.isEmpty());
    QHash<QString, QByteArray> found;
    EXPECT_EQ(b.ExtractUncached({"z.jpg"}, found).error, TArchiveError::WrongPassword);
    EXPECT_TRUE(found.isEmpty());
}

TEST_F(PackageArchiveTest, ThePasswordGoesOnStandardInputWhichIsThenClosed)
{
    // The stand-in records its arguments and reads its input to the end: if
    // the input stayed open it would never finish and the run would time out.
    const QString args = path(QStringLiteral("args.txt"));
    const QString input = path(QStringLiteral("input.txt"));
    const QString reader = script(QStringLiteral("reader.sh"), QByteArray(R"(printf '%s\n' "$@" > 'ARGS'
cat > 'INPUT'
printf 'Path = a.txt\nSize = 3\nAttributes = A\n\n'
)")
                                                                   .replace("ARGS", args.toUtf8())
                                                                   .replace("INPUT", input.toUtf8()));
    const QString file = makeSample();
    TPackageArchive package;
    package.SetReaderProgram(reader);
    package.SetReaderLimits(10000, 20000);
    ASSERT_TRUE(package.Open(file)) << package.LastResult().message.toStdString();
    ASSERT_EQ(package.Entries().size(), 1);

    QFile a(args), i(input);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(i.open(QIODevice::ReadOnly));
    const QByteArray argText = a.readAll();
    EXPECT_FALSE(argText.contains(kPackagePassword));
    EXPECT_TRUE(argText.contains(QFileInfo(file).absoluteFilePath().toUtf8()));
    EXPECT_EQ(i.readAll(), QByteArray(kPackagePassword) + '\n');
}

TEST_F(PackageArchiveTest, AStalledReaderIsKilledAsTimeoutAndAMissingOneIsReported)
{
    const QString pidFile = path(QStringLiteral("pid.txt"));
    const QString reader = script(QStringLiteral("stall.sh"), "echo $$ > '" + pidFile.toUtf8() + "'\nexec sleep 60\n");
    TPackageArchive package;
    package.SetReaderProgram(reader);
    package.SetReaderLimits(300, 2000);
    EXPECT_EQ(package.Open(makeSample()).error, TArchiveError::Timeout);
    QFile f(pidFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pid = f.readAll().trimmed();
    ASSERT_FALSE(pid.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));

    package.SetReaderProgram(path(QStringLiteral("no-such-reader")));
    EXPECT_EQ(package.Open(makeSample()).error, TArchiveError::ReaderMissing);
}

TEST_F(PackageArchiveTest, ContentThatDoesNotMatchTheListingIsRefused)
{
    // The stand-in lists one 4-byte entry with the checksum of "good", then
    // streams other bytes: a damaged block the reader did not notice.
    // A one-shot read may stop once its entry is in, so surplus bytes are
    // only sure to be seen by a read that keeps the whole package.
    struct Case
    {
        const char *what;
        QByteArray stream;
        bool oneShotToo;
    };
    const QString file = makeSample();
    for (const Case &c : {Case{"other bytes", "evil", true}, Case{"too many bytes", "goodmore", false}}) {
        const QString reader = lister(QStringLiteral("liar.sh"), "printf '" + c.stream + "'");
        for (bool keep : {true, false}) {
            if (!keep && !c.oneShotToo)
                continue;
            TPackageArchive package;
            package.SetReaderProgram(reader);
            ASSERT_TRUE(package.Open(file));
            QHash<QString, QByteArray> found;
            const TArchiveResult r =
                keep ? package.ExtractSet({"a.txt"}, found) : package.ExtractUncached({"a.txt"}, found);
            EXPECT_EQ(r.error, TArchiveError::Corrupt) << c.what << (keep ? " kept" : " one-shot");
            EXPECT_TRUE(found.isEmpty()) << c.what;
        }
    }
}

// A reader that waits at a gate file before doing its work, so that a test
// can act while the archive call is waiting on it.
class GatedReaderTest : public PackageArchiveTest
{
protected:
    void SetUp() override
    {
        PackageArchiveTest::SetUp();
        gate = path(QStringLiteral("gate"));
        reader = script(QStringLiteral("gated.sh"),
                        "while [ ! -e '" + gate.toUtf8() + "' ]; do sleep 0.01; done\nexec 7zz \"$@\"\n");
    }
    void openGate()
    {
        QFile f(gate);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString gate;
    QString reader;
};

TEST_F(GatedReaderTest, EventsRunDuringAReadAndANestedReadIsRefusedAsBusy)
{
    const QString file = makeSample();
    TPackageArchive package;
    package.SetReaderProgram(reader);
    openGate();
    ASSERT_TRUE(package.Open(file));
    QFile::remove(gate);

    bool handlerRan = false;
    TArchiveError nested = TArchiveError::None;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        handlerRan = true;
        QByteArray inner;
        nested = package.Extract(QStringLiteral("a.png"), inner).error;
        openGate();
    });
    QByteArray data;
    ASSERT_TRUE(package.Extract(QStringLiteral("z.jpg"), data)) << package.LastResult().message.toStdString();
    EXPECT_TRUE(handlerRan);
    EXPECT_EQ(nested, TArchiveError::Busy);
    EXPECT_EQ(data, NoiseBytes(3000, 1));
}

TEST_F(PackageArchiveTest, APackageReplacedOnDiskIsListedAgainBeforeExtraction)
{
    const QString file = makeSample();
    TPackageArchive package;
    ASSERT_TRUE(package.Open(file));
    // Another package under the same name, with other sizes.
    ASSERT_EQ(MakePackage(path(QStringLiteral("next.7z")), {{"z.jpg", "short"}, {"new.txt", "fresh"}}), QString());
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("next.7z")), file));
    QByteArray data;
    ASSERT_TRUE(package.Extract(QStringLiteral("new.txt"), data)) << package.LastResult().message.toStdString();
    EXPECT_EQ(data, QByteArray("fresh"));
    ASSERT_TRUE(package.Extract(QStringLiteral("z.jpg"), data));
    EXPECT_EQ(data, QByteArray("short"));
}

} // namespace
