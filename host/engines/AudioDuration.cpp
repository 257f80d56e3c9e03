#include "AudioDuration.h"

#include "Mp3Encoder.h"

#include <QFile>
#include <QTemporaryFile>

namespace {

// Layer III bitrates in kbit/s by index; index 0 (free format) and 15 are not
// accepted.
constexpr int kBitrateV1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int kBitrateV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr int kRateV1[3] = {44100, 48000, 32000};
constexpr int kRateV2[3] = {22050, 24000, 16000};
constexpr int kRateV25[3] = {11025, 12000, 8000};

struct TFrame
{
    int length = 0;  // bytes including the header
    int samples = 0; // per channel
    int sampleRate = 0;
};

std::optional<TFrame> readFrame(const unsigned char *p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (p[1] >> 3) & 0x3; // 0: 2.5, 1: reserved, 2: MPEG-2, 3: MPEG-1
    const int layer = (p[1] >> 1) & 0x3;   // 1: layer III
    if (version == 1 || layer != 1)
        return std::nullopt;
    const int bitrateIndex = (p[2] >> 4) & 0xF;
    const int rateIndex = (p[2] >> 2) & 0x3;
    const int padding = (p[2] >> 1) & 0x1;
    if (rateIndex == 3)
        return std::nullopt;
    const bool v1 = version == 3;
    const int kbps = v1 ? kBitrateV1[bitrateIndex] : kBitrateV2[bitrateIndex];
    if (kbps == 0)
        return std::nullopt;
    TFrame f;
    f.sampleRate = v1 ? kRateV1[rateIndex] : (version == 2 ? kRateV2[rateIndex] : kRateV25[rateIndex]);
    f.samples = v1 ? 1152 : 576;
    f.length = (v1 ? 144 : 72) * kbps * 1000 / f.sampleRate + padding;
    return f;
}

qsizetype id3v2Size(const QByteArray &bytes)
{
    if (bytes.size() < 10 || !bytes.startsWith("ID3"))
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = (qsizetype(p[6] & 0x7F) << 21) | (qsizetype(p[7] & 0x7F) << 14)
                           | (qsizetype(p[8] & 0x7F) << 7) | qsizetype(p[9] & 0x7F);
    const bool footer = (p[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

} // namespace

std::optional<qint64> Mp3DurationMs(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    qsizetype pos = id3v2Size(bytes);
    double seconds = 0;
    int frames = 0;
    while (pos + 4 <= bytes.size()) {
        const auto frame = readFrame(data + pos);
        if (!frame || pos + frame->length > bytes.size()) {
            ++pos;
            continue;
        }
        seconds += static_cast<double>(frame->samples) / frame->sampleRate;
        ++frames;
        pos += frame->length;
    }
    if (frames == 0)
        return std::nullopt;
    return static_cast<qint64>(seconds * 1000.0 + 0.5);
}

std::optional<qint64> AudioFileDurationMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(4);
    if (head == "RIFF") {
        file.close();
        TWaveFormat format;
        if (!ReadWaveFormat(path, format))
            return std::nullopt;
        const qint64 frameBytes = qint64(format.channels) * (format.bitsPerSample / 8);
        return format.dataBytes / frameBytes * 1000 / format.sampleRate;
    }
    file.seek(0);
    return Mp3DurationMs(file.readAll());
}

std::optional<qint64> AudioBytesDurationMs(const QByteArray &bytes)
{
    if (!bytes.startsWith("RIFF"))
        return Mp3DurationMs(bytes);
    QTemporaryFile temp;
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return std::nullopt;
    temp.close();
    return AudioFileDurationMs(temp.fileName());
}
