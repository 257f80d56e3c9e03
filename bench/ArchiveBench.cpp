// Extraction cost from a resource package: lookups in an open package against
// one 7z reader run per entry.
//
// At start-up a package of 30 audio-like entries (random bytes, 20 to 60 KB,
// incompressible like MP3) is built with the 7z program, encrypted with the
// package password and hidden names.

#include "PackageArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int kEntries = 30;

struct Package
{
    QTemporaryDir dir;
    QString path;
    QStringList names;
    QList<QByteArray> contents;
};

Package *g_package = nullptr;

QByteArray runReader(const QStringList &args, const QString &workDir = {})
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral("7zz"), args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(QByteArray(kPackagePassword) + '\n');
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return p.readAllStandardOutput();
}

bool buildPackage(Package &pkg)
{
    if (!pkg.dir.isValid())
        return false;
    const QString staging = pkg.dir.filePath(QStringLiteral("staging"));
    QRandomGenerator gen(2024);
    QStringList args{QStringLiteral("a"), QStringLiteral("-y"), QStringLiteral("-bd"), QStringLiteral("-p"),
                     QStringLiteral("-mhe=on")};
    pkg.path = pkg.dir.filePath(QStringLiteral("words.7z"));
    args << pkg.path;
    for (int i = 0; i < kEntries; ++i) {
        const QString name = QStringLiteral("1/31/word%1.mp3").arg(i);
        QByteArray data(20 * 1024 + static_cast<int>(gen.bounded(40 * 1024)), Qt::Uninitialized);
        for (char &c : data)
            c = static_cast<char>(gen.bounded(256));
        QDir().mkpath(QFileInfo(staging + QLatin1Char('/') + name).absolutePath());
        QFile f(staging + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            return false;
        pkg.names << name;
        pkg.contents << data;
        args << name;
    }
    runReader(args, staging);
    return QFile::exists(pkg.path);
}

// (a) One open package; every iteration extracts the next entry through the
// package API. The package is opened and filled once, before timing.
void BM_OpenPackageExtract(benchmark::State &state)
{
    TPackageArchive package;
    if (!package.Open(g_package->path)) {
        state.SkipWithError("cannot open the package");
        return;
    }
    QByteArray data;
    if (!package.Extract(g_package->names.first(), data)) {
        state.SkipWithError("cannot extract");
        return;
    }
    const int runsBefore = package.ReaderRuns();
    int i = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const int k = i++ % kEntries;
        if (!package.ContentToMemory(g_package->names.at(k), data)) {
            state.SkipWithError("extraction failed");
            return;
        }
        bytes += data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.SetBytesProcessed(bytes);
    state.counters["reader_runs_in_loop"] = package.ReaderRuns() - runsBefore;
}
BENCHMARK(BM_OpenPackageExtract)->Unit(benchmark::kMicrosecond);

// (a') What the first extraction of a package costs: open (listing) plus the
// single run that extracts everything.
void BM_OpenAndFirstExtract(benchmark::State &state)
{
    for (auto _ : state) {
        TPackageArchive package;
        QByteArray data;
        if (!package.Open(g_package->path) || !package.Extract(g_package->names.last(), data)) {
            state.SkipWithError("open or extract failed");
            return;
        }
        benchmark::DoNotOptimize(data.constData());
    }
}
BENCHMARK(BM_OpenAndFirstExtract)->Unit(benchmark::kMillisecond);

// (b) Baseline: one reader run per entry, "x -so <archive> <entry>", the
// password on standard input.
void BM_PlainReaderPerEntry(benchmark::State &state)
{
    int i = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const int k = i++ % kEntries;
        const QByteArray data =
            runReader({QStringLiteral("x"), QStringLiteral("-so"), QStringLiteral("-y"), QStringLiteral("-bd"),
                       QStringLiteral("-spd"), g_package->path, g_package->names.at(k)});
        if (data != g_package->contents.at(k)) {
            state.SkipWithError("reader output differs");
            return;
        }
        bytes += data.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_PlainReaderPerEntry)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    auto package = std::make_unique<Package>();
    if (!buildPackage(*package)) {
        std::fprintf(stderr, "archive_bench: cannot build the test package with 7zz\n");
        return 1;
    }
    g_package = package.get();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_package = nullptr;
    return 0;
}
