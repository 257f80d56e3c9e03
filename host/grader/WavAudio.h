#pragma once
// Recordings as the decoder takes them: 16 kHz, mono, 16-bit samples.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace grader {

inline constexpr int kSampleRate = 16000;

struct TAudio
{
    std::vector<int16_t> samples; // 16 kHz mono
    bool cut = false;             // longer than the limit and cut there
};

// Reads a RIFF WAV file with 8-, 16-, 24- or 32-bit integer or 32-bit float
// samples, any channel count and rate: channels are averaged, other rates
// are resampled linearly to 16 kHz, and anything after `limitSeconds`
// (when > 0) is cut. nullopt when the file is missing or not a WAV of those
// kinds; a valid file without samples gives empty audio.
std::optional<TAudio> ReadWav(const std::string &path, double limitSeconds);

// The same from bytes already in memory.
std::optional<TAudio> DecodeWav(const std::vector<char> &bytes, double limitSeconds);

// Linear resampling of mono samples from `fromRate` to 16 kHz.
std::vector<int16_t> ResampleTo16k(const std::vector<int16_t> &in, int fromRate);

// Writes 16 kHz mono 16-bit samples as a WAV file; false on failure.
bool WriteWav(const std::string &path, const std::vector<int16_t> &samples);

} // namespace grader
