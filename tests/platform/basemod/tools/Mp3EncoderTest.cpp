#include "FileTools.h"
#include "LogCapture.h"
#include "Mp3Encoder.h"
#include "WaveFile.h"

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

// A 16-bit PCM WAV holding a 440 Hz tone.
QByteArray makeWav(int rate, int channels, double seconds)
{
    QList<qint16> samples;
    for (int i = 0; i < static_cast<int>(rate * seconds); ++i)
        samples += QList<qint16>(channels, static_cast<qint16>(8000 * std::sin(2 * M_PI * 440.0 * i / rate)));
    QByteArray wav = PcmWaveHeader(static_cast<quint32>(samples.size() * 2), rate, static_cast<quint16>(channels));
    AppendPcmSamples(wav, samples);
    return wav;
}

// The same file with the header field at `offset` overwritten (20 format
// tag, 34 bits per sample, 40 data size).
template<typename T>
QByteArray withField(QByteArray wav, int offset, T value)
{
    qToLittleEndian(value, wav.data() + offset);
    return wav;
}

bool startsWithMp3Frame(const QByteArray &b)
{
    return b.startsWith("ID3")
           || (b.size() > 2 && static_cast<unsigned char>(b[0]) == 0xFF
               && (static_cast<unsigned char>(b[1]) & 0xE0) == 0xE0);
}

class WaveToMp3 : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files(const QString &folder = {}) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(WaveToMp3, EncodesMonoStereoOtherRatesAndHeadersLeftOpenByTheRecorder)
{
    const struct
    {
        const char *name;
        QByteArray wav;
        int minBytes; // about half of 64 kbit/s per channel for the length
    } cases[] = {
        {"stereo", makeWav(44100, 2, 1.0), 8000},
        {"open", withField(makeWav(8000, 1, 1.0), 40, quint32(0xFFFFFFFF)), 2000},
    };
    const bool stop = false;
    QStringList written;
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        write(name + QStringLiteral(".wav"), c.wav);
        ASSERT_TRUE(waveToMp3(path(name + QStringLiteral(".wav")), path("out/Fail/" + name + ".mp3"), stop)) << c.name;
        const QByteArray mp3 = read("out/Fail/" + name + ".mp3");
        EXPECT_TRUE(startsWithMp3Frame(mp3)) << c.name;
        EXPECT_GT(mp3.size(), c.minBytes) << c.name;
        EXPECT_LT(mp3.size(), 32000) << c.name;
        EXPECT_FALSE(IsFileInUse(path("out/Fail/" + name + ".mp3")));
        written << name + QStringLiteral(".mp3");
    }
    written.sort();
    EXPECT_EQ(files("out/Fail"), written); // no temporary left beside them
}

TEST_F(WaveToMp3, AStopBeforeOrDuringTheEncodingLeavesNoPartialFileAndKeepsAnOlderOne)
{
    write("temp.wav", makeWav(16000, 1, 30.0));
    bool stop = true;
    EXPECT_FALSE(waveToMp3(path("temp.wav"), path("x.mp3"), stop));
    EXPECT_EQ(files(), QStringList{QStringLiteral("temp.wav")});

    write("x.mp3", QByteArray("older"));
    stop = false;
    bool inUseWhileEncoding = false;
    QObject context;
    // Runs at the first event dispatch between two chunks.
    QTimer::singleShot(0, &context, [&] {
        inUseWhileEncoding = IsFileInUse(path("x.mp3"));
        stop = true;
    });
    EXPECT_EQ(EncodeWaveToMp3(path("temp.wav"), path("x.mp3"), &stop), TMp3Result::Stopped);
    EXPECT_TRUE(inUseWhileEncoding);
    EXPECT_EQ(read("x.mp3"), QByteArray("older"));
    EXPECT_EQ(files(), (QStringList{QStringLiteral("temp.wav"), QStringLiteral("x.mp3")}));
    EXPECT_FALSE(IsFileInUse(path("x.mp3")));
}

TEST_F(WaveToMp3, RefusesASecondEncodingOfTheSameTargetStartedDuringTheFirst)
{
    write("temp.wav", makeWav(16000, 1, 3.0));
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
    EXPECT_TRUE(startsWithMp3Frame(read("x.mp3")));
}

TEST_F(WaveToMp3, FailsClearlyOnInputThatIsNotAnAcceptedWave)
{
    LogCapture log;
    const bool stop = false;
    const QByteArray half = makeWav(16000, 1, 0.5);
    write("text.wav", QByteArray("this is not audio at all, just some text"));
    write("empty.wav", makeWav(16000, 1, 0.0));
    write("float.wav", withField(withField(half, 20, quint16(3)), 34, quint16(32)));
    const QStringList bad = {QStringLiteral("text.wav"), QStringLiteral("empty.wav"), QStringLiteral("float.wav"),
                             QStringLiteral("missing.wav")};
    for (const QString &name : bad) {
        QString why;
        EXPECT_EQ(EncodeWaveToMp3(path(name), path("out.mp3"), &stop, &why), TMp3Result::BadWave) << name.toStdString();
        EXPECT_FALSE(waveToMp3(path(name), path("out.mp3"), stop));
        EXPECT_FALSE(QFileInfo::exists(path("out.mp3"))) << name.toStdString();
    }
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:waveToMp3 ")).size(), bad.size());
}

TEST_F(WaveToMp3, ReadWaveFormatFindsTheSamplesAfterOtherChunks)
{
    QByteArray wav = makeWav(16000, 1, 0.25);
    // An odd-sized "LIST" chunk (padded to even) between fmt and data.
    const QByteArray list("LIST\x03\0\0\0abc\0", 12);
    wav.insert(36, list);
    write("l.wav", wav);
    TWaveFormat fmt;
    QString why;
    ASSERT_TRUE(ReadWaveFormat(path("l.wav"), fmt, &why)) << why.toStdString();
    EXPECT_EQ(fmt.dataOffset, 44 + list.size());
    EXPECT_EQ(fmt.dataBytes, 4000 * 2);
}

TEST(IsFileInUse, ReportsMarkedFilesOpenWritersAndLocks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString p = dir.path() + QStringLiteral("/a.mp3");
    {
        TFileWriteMark mark(p);
        EXPECT_TRUE(IsFileInUse(dir.path() + QStringLiteral("/./a.mp3"))); // marked before it exists
    }
    QFile writer(p);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    EXPECT_TRUE(IsFileInUse(p));
    writer.close();
    {
        QFile reader(p);
        ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
        EXPECT_FALSE(IsFileInUse(p)); // a reader does not block
        ASSERT_EQ(::flock(reader.handle(), LOCK_SH), 0);
        EXPECT_TRUE(IsFileInUse(p)); // a lock does
    }
    EXPECT_FALSE(IsFileInUse(p));
}
