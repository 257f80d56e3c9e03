#include "FileTools.h"
#include "Log.h"
#include "Mp3Encoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/file.h>

#include <cmath>

namespace {

void putLE16(QByteArray &b, quint16 v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}

void putLE32(QByteArray &b, quint32 v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}

// A 16-bit PCM WAV holding a 440 Hz tone. `dataSizeField` overrides the size
// written in the data chunk header (the sample bytes stay the same).
QByteArray makeWav(int rate, int channels, double seconds, qint64 dataSizeField = -1, quint16 bits = 16,
                   quint16 formatTag = 1)
{
    const int frames = static_cast<int>(rate * seconds);
    QByteArray samples;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        for (int c = 0; c < channels; ++c)
            putLE16(samples, static_cast<quint16>(v));
    }
    QByteArray b("RIFF");
    putLE32(b, static_cast<quint32>(36 + samples.size()));
    b.append("WAVEfmt ");
    putLE32(b, 16);
    putLE16(b, formatTag);
    putLE16(b, static_cast<quint16>(channels));
    putLE32(b, static_cast<quint32>(rate));
    putLE32(b, static_cast<quint32>(rate * channels * bits / 8));
    putLE16(b, static_cast<quint16>(channels * bits / 8));
    putLE16(b, bits);
    b.append("data");
    putLE32(b, static_cast<quint32>(dataSizeField >= 0 ? dataSizeField : samples.size()));
    b.append(samples);
    return b;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool startsWithMp3Frame(const QByteArray &b)
{
    if (b.startsWith("ID3"))
        return true;
    return b.size() > 2 && static_cast<unsigned char>(b[0]) == 0xFF
           && (static_cast<unsigned char>(b[1]) & 0xE0) == 0xE0;
}

// Names of the files in `folder`.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

struct LogLines
{
    LogLines()
    {
        previous = SetLogSink([this](const QString &l) { lines << l; });
    }
    ~LogLines() { SetLogSink(previous); }
    QStringList lines;
    TLogSink previous;
};

class WaveToMp3 : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(WaveToMp3, EncodesMonoSixteenKilohertzIntoAPlausibleMp3)
{
    writeFile(path("temp.wav"), makeWav(16000, 1, 2.0));
    const bool stop = false;
    ASSERT_TRUE(waveToMp3(path("temp.wav"), path("out/Fail/x.mp3"), stop));
    const QByteArray mp3 = readFile(path("out/Fail/x.mp3"));
    EXPECT_TRUE(startsWithMp3Frame(mp3));
    // Two seconds at 64 kbit/s are about 16 kB.
    EXPECT_GT(mp3.size(), 8000);
    EXPECT_LT(mp3.size(), 32000);
    EXPECT_EQ(filesIn(path("out/Fail")), QStringList{QStringLiteral("x.mp3")});
    EXPECT_FALSE(IsFileInUse(path("out/Fail/x.mp3")));
}

TEST_F(WaveToMp3, EncodesStereoAtOtherRatesAndHeadersLeftOpenByTheRecorder)
{
    const bool stop = false;
    writeFile(path("stereo.wav"), makeWav(44100, 2, 1.0));
    ASSERT_TRUE(waveToMp3(path("stereo.wav"), path("stereo.mp3"), stop));
    const QByteArray stereo = readFile(path("stereo.mp3"));
    EXPECT_TRUE(startsWithMp3Frame(stereo));
    EXPECT_GT(stereo.size(), 8000); // one second at 128 kbit/s is 16 kB

    writeFile(path("open.wav"), makeWav(8000, 1, 1.0, 0xFFFFFFFF));
    EXPECT_TRUE(waveToMp3(path("open.wav"), path("open.mp3"), stop));
    writeFile(path("long.wav"), makeWav(22050, 1, 1.0, 10'000'000));
    EXPECT_TRUE(waveToMp3(path("long.wav"), path("long.mp3"), stop));
}

TEST_F(WaveToMp3, WritesNothingWhenTheStopFlagIsAlreadySet)
{
    writeFile(path("temp.wav"), makeWav(16000, 1, 1.0));
    const bool stop = true;
    EXPECT_FALSE(waveToMp3(path("temp.wav"), path("x.mp3"), stop));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("temp.wav")});
}

TEST_F(WaveToMp3, AStopDuringTheEncodingLeavesNoPartialFileAndKeepsAnOlderOne)
{
    writeFile(path("temp.wav"), makeWav(16000, 1, 30.0));
    writeFile(path("x.mp3"), QByteArray("older"));
    bool stop = false;
    bool inUseWhileEncoding = false;
    QObject context;
    // Runs at the first event dispatch between two chunks.
    QTimer::singleShot(0, &context, [&] {
        inUseWhileEncoding = IsFileInUse(path("x.mp3"));
        stop = true;
    });
    QString why;
    EXPECT_EQ(EncodeWaveToMp3(path("temp.wav"), path("x.mp3"), &stop, &why), TMp3Result::Stopped);
    EXPECT_TRUE(stop);
    EXPECT_TRUE(inUseWhileEncoding);
    EXPECT_EQ(readFile(path("x.mp3")), QByteArray("older"));
    EXPECT_EQ(filesIn(dir.path()), (QStringList{QStringLiteral("temp.wav"), QStringLiteral("x.mp3")}));
    EXPECT_FALSE(IsFileInUse(path("x.mp3")));
}

TEST_F(WaveToMp3, EndsWithoutReadingTheFlagWhenItsOwnerIsDeletedDuringTheEncoding)
{
    struct Owner : QObject
    {
        bool stop = false;
    };
    writeFile(path("temp.wav"), makeWav(16000, 1, 30.0));
    auto *owner = new Owner;
    QTimer::singleShot(0, owner, [owner] { delete owner; });
    // The flag lives inside the deleted object: the encoder must not read it.
    EXPECT_FALSE(waveToMp3(path("temp.wav"), path("x.mp3"), owner->stop, owner));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("temp.wav")});
    EXPECT_FALSE(IsFileInUse(path("x.mp3")));
}

TEST_F(WaveToMp3, RefusesASecondEncodingOfTheSameTargetStartedDuringTheFirst)
{
    writeFile(path("temp.wav"), makeWav(16000, 1, 3.0));
    const bool stop = false;
    TMp3Result nested = TMp3Result::Ok;
    bool ran = false;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        ran = true;
        nested = EncodeWaveToMp3(path("temp.wav"), path("x.mp3"), &stop);
    });
    EXPECT_EQ(EncodeWaveToMp3(path("temp.wav"), path("x.mp3"), &stop), TMp3Result::Ok);
    ASSERT_TRUE(ran);
    EXPECT_EQ(nested, TMp3Result::Busy);
    EXPECT_TRUE(startsWithMp3Frame(readFile(path("x.mp3"))));
}

TEST_F(WaveToMp3, FailsClearlyOnInputThatIsNotAnAcceptedWave)
{
    LogLines log;
    const bool stop = false;
    writeFile(path("text.wav"), QByteArray("this is not audio at all, just some text"));
    writeFile(path("empty.wav"), makeWav(16000, 1, 0.0));
    writeFile(path("float.wav"), makeWav(16000, 1, 0.5, -1, 32, 3));
    writeFile(path("eight.wav"), makeWav(16000, 1, 0.5, -1, 8));
    writeFile(path("short.wav"), makeWav(16000, 1, 1.0).left(30));
    const QStringList bad = {QStringLiteral("text.wav"),  QStringLiteral("empty.wav"), QStringLiteral("float.wav"),
                             QStringLiteral("eight.wav"), QStringLiteral("short.wav"), QStringLiteral("missing.wav")};
    for (const QString &name : bad) {
        QString why;
        EXPECT_EQ(EncodeWaveToMp3(path(name), path("out.mp3"), &stop, &why), TMp3Result::BadWave) << name.toStdString();
        EXPECT_FALSE(why.isEmpty());
        EXPECT_FALSE(waveToMp3(path(name), path("out.mp3"), stop));
        EXPECT_FALSE(QFileInfo::exists(path("out.mp3"))) << name.toStdString();
    }
    ASSERT_EQ(log.lines.size(), bad.size());
    for (const QString &line : log.lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("error:waveToMp3 "))) << line.toStdString();
}

TEST(ReadWaveFormat, FindsTheSamplesAfterOtherChunks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray wav = makeWav(16000, 1, 0.25);
    // Insert an odd-sized "LIST" chunk (padded to even) between fmt and data.
    QByteArray list("LIST");
    putLE32(list, 3);
    list.append("abc");
    list.append('\0');
    wav.insert(36, list);
    const QString p = dir.path() + QStringLiteral("/l.wav");
    writeFile(p, wav);
    TWaveFormat fmt;
    QString why;
    ASSERT_TRUE(ReadWaveFormat(p, fmt, &why)) << why.toStdString();
    EXPECT_EQ(fmt.channels, 1);
    EXPECT_EQ(fmt.sampleRate, 16000);
    EXPECT_EQ(fmt.dataOffset, 44 + list.size());
    EXPECT_EQ(fmt.dataBytes, 4000 * 2);
}

TEST(IsFileInUse, ReportsMarkedFilesOpenWritersAndLocks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString p = dir.path() + QStringLiteral("/a.mp3");
    EXPECT_FALSE(IsFileInUse(p)); // missing
    {
        TFileWriteMark mark(p);
        EXPECT_TRUE(IsFileInUse(p)); // marked before it exists
        EXPECT_TRUE(IsFileInUse(dir.path() + QStringLiteral("/./a.mp3")));
    }
    EXPECT_FALSE(IsFileInUse(p));

    {
        QFile writer(p);
        ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
        writer.write("partial");
        writer.flush();
        EXPECT_TRUE(IsFileInUse(p));
    }
    EXPECT_FALSE(IsFileInUse(p));

    {
        QFile reader(p);
        ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
        EXPECT_FALSE(IsFileInUse(p)); // a reader does not block
        ASSERT_EQ(::flock(reader.handle(), LOCK_SH), 0);
        EXPECT_TRUE(IsFileInUse(p)); // a lock does
    }
    EXPECT_FALSE(IsFileInUse(p));
}
