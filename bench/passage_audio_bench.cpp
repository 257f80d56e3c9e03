// The learner's passage recordings on their way to submission: joining ten
// 30-second part recordings into one WAV file against copying the same bytes
// into one file, and encoding a 60-second recording to MP3 (real-time factor
// = seconds of audio per second of encoding, reported as a counter).

#include "WaveMerge.h"

#include "Mp3Encoder.h"
#include "WaveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kRate = 16000;

QList<qint16> Speechlike(int seconds, int seed)
{
    QList<qint16> samples;
    samples.reserve(seconds * kRate);
    for (int i = 0; i < seconds * kRate; ++i)
        samples << qint16(6000 * std::sin(i * (0.03 + seed * 0.001)) * std::sin(i * 0.0007));
    return samples;
}

struct Parts
{
    QTemporaryDir dir;
    QStringList files;
    Parts()
    {
        for (int n = 0; n < 10; ++n) {
            const QString path = QDir(dir.path()).filePath(QStringLiteral("%1.wav").arg(n));
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(BuildMonoWave(Speechlike(30, n), kRate));
            files << path;
        }
    }
};

void BM_MergeTenPartRecordings(benchmark::State &state)
{
    Parts parts;
    const QString out = QDir(parts.dir.path()).filePath(QStringLiteral("temp.wav"));
    for (auto _ : state) {
        const TWaveMergeResult r = MergeWaveFiles(PartRecordingsInOrder(parts.dir.path()), out);
        benchmark::DoNotOptimize(r.ok);
    }
}
BENCHMARK(BM_MergeTenPartRecordings)->Unit(benchmark::kMillisecond);

void BM_CopyTheSameBytes(benchmark::State &state)
{
    Parts parts;
    const QString out = QDir(parts.dir.path()).filePath(QStringLiteral("copy.wav"));
    for (auto _ : state) {
        QFile target(out);
        target.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QString &file : parts.files) {
            QFile in(file);
            in.open(QIODevice::ReadOnly);
            target.write(in.readAll());
        }
        target.close();
    }
}
BENCHMARK(BM_CopyTheSameBytes)->Unit(benchmark::kMillisecond);

void BM_EncodeSixtySecondsToMp3(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString wav = QDir(dir.path()).filePath(QStringLiteral("temp.wav"));
    QFile f(wav);
    f.open(QIODevice::WriteOnly);
    f.write(BuildMonoWave(Speechlike(60, 3), kRate));
    f.close();
    const QString mp3 = QDir(dir.path()).filePath(QStringLiteral("out.mp3"));
    for (auto _ : state) {
        const TMp3Result r = EncodeWaveToMp3(wav, mp3, nullptr);
        benchmark::DoNotOptimize(r);
    }
    state.counters["realtime_factor"] =
        benchmark::Counter(60.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EncodeSixtySecondsToMp3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
