#include "WavAudio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace grader {

namespace {

uint32_t le32(const char *p)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(p[0]))
           | static_cast<uint32_t>(static_cast<unsigned char>(p[1])) << 8
           | static_cast<uint32_t>(static_cast<unsigned char>(p[2])) << 16
           | static_cast<uint32_t>(static_cast<unsigned char>(p[3])) << 24;
}

uint16_t le16(const char *p)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
}

// One sample as a value in [-1, 1].
double sampleAt(const char *p, int bits, bool isFloat)
{
    if (isFloat) {
        float f;
        std::memcpy(&f, p, 4);
        return std::isfinite(f) ? std::clamp(static_cast<double>(f), -1.0, 1.0) : 0.0;
    }
    switch (bits) {
    case 8: return (static_cast<unsigned char>(p[0]) - 128) / 128.0;
    case 16: return static_cast<int16_t>(le16(p)) / 32768.0;
    case 24: {
        auto v = static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(p[0]))
                                      | static_cast<uint32_t>(static_cast<unsigned char>(p[1])) << 8
                                      | static_cast<uint32_t>(static_cast<unsigned char>(p[2])) << 16);
        if (v & 0x800000)
            v -= 0x1000000;
        return v / 8388608.0;
    }
    case 32: return static_cast<int32_t>(le32(p)) / 2147483648.0;
    default: return 0.0;
    }
}

int16_t toPcm(double v)
{
    return static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 32767.0 / 32768.0) * 32768.0));
}

} // namespace

std::vector<int16_t> ResampleTo16k(const std::vector<int16_t> &in, int fromRate)
{
    if (fromRate == kSampleRate || in.empty() || fromRate <= 0)
        return in;
    const double step = static_cast<double>(fromRate) / kSampleRate;
    const auto n = static_cast<std::size_t>(std::floor((in.size() - 1) / step)) + 1;
    std::vector<int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double pos = i * step;
        const auto k = static_cast<std::size_t>(pos);
        const double frac = pos - k;
        const double a = in[k];
        const double b = k + 1 < in.size() ? in[k + 1] : a;
        out[i] = static_cast<int16_t>(std::lround(a + (b - a) * frac));
    }
    return out;
}

std::optional<TAudio> DecodeWav(const std::vector<char> &bytes, double limitSeconds)
{
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    bool isFloat = false;
    bool haveFormat = false;
    const char *data = nullptr;
    std::size_t dataSize = 0;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const char *chunk = bytes.data() + pos;
        const std::size_t size = le32(chunk + 4);
        const std::size_t body = pos + 8;
        const std::size_t available = bytes.size() - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16 && available >= 16) {
            uint16_t format = le16(chunk + 8);
            channels = le16(chunk + 10);
            rate = static_cast<int>(le32(chunk + 12));
            bits = le16(chunk + 22);
            if (format == 0xFFFE && size >= 40 && available >= 40) // extensible: the sub-format's first two bytes
                format = le16(chunk + 32);
            isFloat = format == 3;
            haveFormat =
                (format == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) || (isFloat && bits == 32);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            // A recorder that stopped before fixing the header leaves the size
            // 0 or too large: take what is there.
            dataSize = (size == 0 || size > available) ? available : size;
            break;
        }
        pos = body + size + (size & 1);
    }
    if (!haveFormat || data == nullptr || channels <= 0 || rate < 4000 || rate > 384000)
        return std::nullopt;
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bits / 8);
    std::size_t frames = dataSize / frameBytes;
    if (limitSeconds > 0) {
        const auto limit = static_cast<std::size_t>(limitSeconds * rate);
        if (frames > limit)
            frames = limit;
    }
    TAudio audio;
    audio.cut = dataSize / frameBytes > frames;
    std::vector<int16_t> mono(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += sampleAt(data + f * frameBytes + c * (bits / 8), bits, isFloat);
        mono[f] = toPcm(sum / channels);
    }
    audio.samples = ResampleTo16k(mono, rate);
    return audio;
}

std::optional<TAudio> ReadWav(const std::string &path, double limitSeconds)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeWav(bytes, limitSeconds);
}

bool WriteWav(const std::string &path, const std::vector<int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary);
    if (!out)
        return false;
    auto put32 = [&out](uint32_t v) {
        const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
        out.write(b, 4);
    };
    auto put16 = [&out](uint16_t v) {
        const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
        out.write(b, 2);
    };
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(16);
    put16(1);
    put16(1);
    put32(kSampleRate);
    put32(kSampleRate * 2);
    put16(2);
    put16(16);
    out.write("data", 4);
    put32(dataBytes);
    for (int16_t s : samples)
        put16(static_cast<uint16_t>(s));
    return static_cast<bool>(out);
}

} // namespace grader
