// Reading recordings of any common WAV kind as 16 kHz mono, cut at the
// limit.

#include "WavAudio.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

using namespace grader;

namespace {

void put(std::vector<char> &b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<char>(v >> (8 * i)));
}

// A WAV header and `frames` frames of `bits` and `channels`, every sample
// of channel c equal to `value[c]` (a fraction of full scale).
std::vector<char> wav(int rate, int channels, int bits, bool isFloat, std::size_t frames, std::vector<double> value,
                      uint32_t statedDataSize = 0xFFFFFFFF)
{
    std::vector<char> b;
    const uint32_t dataBytes = static_cast<uint32_t>(frames * channels * (bits / 8));
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put(b, 36 + dataBytes, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(b, 16, 4);
    put(b, isFloat ? 3 : 1, 2);
    put(b, channels, 2);
    put(b, rate, 4);
    put(b, rate * channels * bits / 8, 4);
    put(b, channels * bits / 8, 2);
    put(b, bits, 2);
    // An unrelated chunk before the data is skipped.
    b.insert(b.end(), {'L', 'I', 'S', 'T'});
    put(b, 3, 4);
    b.insert(b.end(), {'a', 'b', 'c', 0});
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put(b, statedDataSize == 0xFFFFFFFF ? dataBytes : statedDataSize, 4);
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            const double v = value[static_cast<std::size_t>(c)];
            if (isFloat) {
                const float x = static_cast<float>(v);
                uint32_t u;
                std::memcpy(&u, &x, 4);
                put(b, u, 4);
            } else if (bits == 8) {
                put(b, static_cast<uint32_t>(std::lround(128 + v * 128)), 1);
            } else {
                const auto full = static_cast<int64_t>(std::llround(v * std::pow(2.0, bits - 1)));
                put(b, static_cast<uint32_t>(full), bits / 8);
            }
        }
    return b;
}

} // namespace

TEST(WavAudioTest, KindsOfWavBecome16kMono)
{
    const struct
    {
        int rate;
        int channels;
        int bits;
        bool isFloat;
        std::vector<double> value;
        std::size_t samples; // after conversion, one second
        int16_t sample;
    } cases[] = {
        {16000, 1, 16, false, {0.25}, 16000, 8192},
        {16000, 2, 16, false, {0.5, 0.0}, 16000, 8192}, // channels averaged
        {8000, 1, 8, false, {0.5}, 15999, 16384},
        {44100, 2, 32, true, {0.25, 0.25}, 16000, 8192},
        {48000, 1, 24, false, {-0.25}, 16000, -8192},
        {22050, 1, 32, false, {0.25}, 16000, 8192},
    };
    for (const auto &c : cases) {
        const auto audio =
            DecodeWav(wav(c.rate, c.channels, c.bits, c.isFloat, static_cast<std::size_t>(c.rate), c.value), 0);
        ASSERT_TRUE(audio.has_value()) << c.rate << "/" << c.bits;
        EXPECT_NEAR(static_cast<double>(audio->samples.size()), static_cast<double>(c.samples), 1.0) << c.rate;
        ASSERT_FALSE(audio->samples.empty());
        EXPECT_NEAR(audio->samples[audio->samples.size() / 2], c.sample, 2) << c.rate << "/" << c.bits;
        EXPECT_FALSE(audio->cut);
    }
}

TEST(WavAudioTest, LongRecordingsAreCutAtTheLimit)
{
    const auto bytes = wav(16000, 1, 16, false, 16000 * 5, {0.1});
    const auto cut = DecodeWav(bytes, 2.0);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->samples.size(), 32000u);
    EXPECT_TRUE(cut->cut);
    const auto whole = DecodeWav(bytes, 6.0);
    EXPECT_EQ(whole->samples.size(), 80000u);
    EXPECT_FALSE(whole->cut);
    EXPECT_EQ(DecodeWav(bytes, 0)->samples.size(), 80000u); // no limit
}

TEST(WavAudioTest, BrokenAndUnfinishedFiles)
{
    // A recorder that never fixed its header (data size 0): what is there counts.
    const auto unfinished = DecodeWav(wav(16000, 1, 16, false, 1600, {0.1}, 0), 0);
    ASSERT_TRUE(unfinished.has_value());
    EXPECT_EQ(unfinished->samples.size(), 1600u);
    // A stated size beyond the file is clipped to the file.
    EXPECT_EQ(DecodeWav(wav(16000, 1, 16, false, 1600, {0.1}, 999999), 0)->samples.size(), 1600u);
    EXPECT_EQ(DecodeWav(wav(16000, 1, 16, false, 0, {0.1}), 0)->samples.size(), 0u);

    EXPECT_FALSE(DecodeWav({}, 0).has_value());
    EXPECT_FALSE(DecodeWav(std::vector<char>(100, 'x'), 0).has_value());
    auto header = wav(16000, 1, 16, false, 10, {0.1});
    EXPECT_FALSE(DecodeWav(std::vector<char>(header.begin(), header.begin() + 30), 0).has_value()); // cut in the format
    EXPECT_FALSE(DecodeWav(wav(16000, 1, 12, false, 10, {0.1}), 0).has_value());                    // 12-bit
    EXPECT_FALSE(DecodeWav(wav(100, 1, 16, false, 10, {0.1}), 0).has_value());                      // absurd rate
    EXPECT_FALSE(ReadWav("/nonexistent/file.wav", 0).has_value());
}
