// Playing times read from WAV headers and MP3 frame headers.

#include "AudioDuration.h"
#include "SimWav.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One layer III frame: a header with the given bytes 1 and 2, zero filled to
// `length` bytes.
QByteArray frame(unsigned char b1, unsigned char b2, int length)
{
    QByteArray f(length, '\0');
    f[0] = char(0xFF);
    f[1] = char(b1);
    f[2] = char(b2);
    f[3] = char(0xC4); // mono
    // A false sync inside the frame's data, which a parser that does not
    // jump whole frames would take for a header.
    if (length > 120) {
        f[100] = char(0xFF);
        f[101] = char(b1);
        f[102] = char(b2);
    }
    return f;
}

} // namespace

TEST(AudioDuration, WaveFilesLastTheirDataLength)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(WriteSimWav(path, 1500));
    EXPECT_EQ(AudioFileDurationMs(path), 1500);

    QFile::resize(path, 44 + 16000); // cut to half a second of samples
    EXPECT_EQ(AudioFileDurationMs(path), 500);

    EXPECT_FALSE(AudioFileDurationMs(dir.filePath(QStringLiteral("missing.wav"))));
    QFile junk(dir.filePath(QStringLiteral("junk.mp3")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4000, 'x'));
    junk.close();
    EXPECT_FALSE(AudioFileDurationMs(junk.fileName()));
}

TEST(AudioDuration, Mp3FramesAreCountedWithTheirPaddingAndVersion)
{
    // MPEG-1, 128 kbit/s, 44.1 kHz: 417 bytes, 418 with the padding bit.
    QByteArray v1;
    for (int i = 0; i < 10; ++i)
        v1 += (i % 2) ? frame(0xFB, 0x92, 418) : frame(0xFB, 0x90, 417);
    EXPECT_EQ(Mp3DurationMs(v1), 261); // 10 × 1152 / 44100 s

    // MPEG-2, 24 kbit/s, 16 kHz: 108-byte frames of 576 samples, behind an
    // ID3v2 tag whose body holds a false sync, and with stray bytes between.
    QByteArray tagged("ID3\x03\x00\x00\x00\x00\x00\x08", 10);
    tagged += QByteArray("\xFF\xFB\x90\x00\x00\x00\x00\x00", 8);
    for (int i = 0; i < 25; ++i) {
        tagged += frame(0xF3, 0x38, 108);
        if (i == 12)
            tagged += "noise";
    }
    EXPECT_EQ(Mp3DurationMs(tagged), 900); // 25 × 576 / 16000 s

    // MPEG-2.5, 8 kHz: 72 × 8000 / 8000 = 72 bytes per frame.
    QByteArray v25;
    for (int i = 0; i < 5; ++i)
        v25 += frame(0xE3, 0x18, 72);
    EXPECT_EQ(Mp3DurationMs(v25), 360);

    // A header whose frame runs past the end is not counted.
    EXPECT_FALSE(Mp3DurationMs(frame(0xFB, 0x90, 417).left(300)));
    EXPECT_FALSE(Mp3DurationMs(QByteArray()));
}
