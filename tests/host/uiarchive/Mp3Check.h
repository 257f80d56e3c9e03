#pragma once
// Walks the frames of an MP3 (MPEG audio layer III) file, for the tests.

#include <QByteArray>

struct TMp3Walk
{
    bool valid = false; // every byte up to the end belongs to a frame (an
                        // ID3v2 tag in front and an ID3v1 tag at the end
                        // are allowed)
    int frames = 0;
    int sampleRate = 0;
    double seconds = 0;
};

inline TMp3Walk WalkMp3(const QByteArray &bytes)
{
    TMp3Walk walk;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    if (size >= 10 && bytes.startsWith("ID3"))
        pos = 10 + ((data[6] & 0x7F) << 21 | (data[7] & 0x7F) << 14 | (data[8] & 0x7F) << 7 | (data[9] & 0x7F));
    static const int bitrates1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int bitrates2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const int rates[3] = {44100, 48000, 32000};
    qint64 samples = 0;
    while (pos + 4 <= size) {
        if (size - pos == 128 && bytes.mid(pos, 3) == "TAG")
            break;
        const unsigned char *h = data + pos;
        if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
            return walk;
        const int version = (h[1] >> 3) & 3; // 3 MPEG1, 2 MPEG2, 0 MPEG2.5
        const int layer = (h[1] >> 1) & 3;   // 1 layer III
        const int bitrateIndex = h[2] >> 4;
        const int rateIndex = (h[2] >> 2) & 3;
        const int padding = (h[2] >> 1) & 1;
        if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
            return walk;
        int rate = rates[rateIndex];
        if (version == 2)
            rate /= 2;
        else if (version == 0)
            rate /= 4;
        const bool mpeg1 = version == 3;
        const int bitrate = (mpeg1 ? bitrates1 : bitrates2)[bitrateIndex] * 1000;
        const int length = (mpeg1 ? 144 : 72) * bitrate / rate + padding;
        if (walk.sampleRate != 0 && walk.sampleRate != rate)
            return walk;
        walk.sampleRate = rate;
        samples += mpeg1 ? 1152 : 576;
        ++walk.frames;
        pos += length;
    }
    const bool atTag = size - pos == 128 && bytes.mid(pos, 3) == "TAG";
    walk.valid = walk.frames > 0 && (pos == size || atTag);
    walk.seconds = walk.sampleRate ? double(samples) / walk.sampleRate : 0;
    return walk;
}
