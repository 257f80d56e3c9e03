#include "PhoneModels.h"

#include <sphinxbase/bio.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <stdexcept>

namespace grader {

namespace {

// Quantised mixture weights are −log w in decoder log units.
// Floors the decoder applies to what it reads.
constexpr float kVarianceFloor = 1e-4f;
constexpr double kTransitionFloor = 1e-4;

[[noreturn]] void fail(const std::string &path, const std::string &what)
{
    throw std::runtime_error("acoustic model file " + path + ": " + what);
}

int32_t readInt(const std::string &bytes, std::size_t at, const std::string &path)
{
    if (at + 4 > bytes.size())
        fail(path, "truncated");
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

struct FileCloser
{
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// An array file of the trainer's format (text header, byte-order word, then
// dimensions and 32-bit floats): its leading integers and its floats.
struct TArrayFile
{
    std::vector<int32_t> dims;
    std::vector<float> values;
};

TArrayFile readArrayFile(const std::string &path, int leadingInts)
{
    File f(std::fopen(path.c_str(), "rb"));
    if (!f)
        fail(path, "cannot be opened");
    char **names = nullptr;
    char **values = nullptr;
    int32 swap = 0;
    if (bio_readhdr(f.get(), &names, &values, &swap) < 0)
        fail(path, "no header");
    bio_hdrarg_free(names, values);
    uint32 checksum = 0;
    TArrayFile out;
    out.dims.resize(static_cast<std::size_t>(leadingInts));
    if (bio_fread(out.dims.data(), 4, leadingInts, f.get(), swap, &checksum) != leadingInts)
        fail(path, "truncated header");
    int32 count = 0;
    if (bio_fread(&count, 4, 1, f.get(), swap, &checksum) != 1 || count <= 0 || count > (1 << 26))
        fail(path, "bad size");
    out.values.resize(static_cast<std::size_t>(count));
    if (bio_fread(out.values.data(), 4, count, f.get(), swap, &checksum) != count)
        fail(path, "truncated data");
    return out;
}

} // namespace

TPhoneModels::TPhoneModels(const std::string &folder)
{
    readMdef(folder + "/mdef");
    readGaussians(folder + "/means", folder + "/variances");
    readWeights(folder + "/sendump");
    readTransitions(folder + "/transition_matrices");
}

int TPhoneModels::PhoneIndex(const std::string &phone) const
{
    const auto it = std::find(m_names.begin(), m_names.end(), phone);
    return it == m_names.end() ? -1 : static_cast<int>(it - m_names.begin());
}

// The binary model definition: "BMDF", version, a described header, then the
// counts and the base phones' names. Base phone i has senones 3i, 3i+1,
// 3i+2 and transition matrix i, as the trainer lays them out.
void TPhoneModels::readMdef(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "BMDF") != 0)
        fail(path, "not a binary model definition");
    const int32_t described = readInt(bytes, 8, path);
    if (described < 0 || static_cast<std::size_t>(described) > bytes.size())
        fail(path, "truncated");
    std::size_t at = 12 + static_cast<std::size_t>(described);
    at = (at + 3) / 4 * 4;
    const int phones = readInt(bytes, at, path);
    const int emitting = readInt(bytes, at + 8, path);
    const int ciSenones = readInt(bytes, at + 12, path);
    const int matrices = readInt(bytes, at + 20, path);
    if (phones <= 0 || phones > 256 || emitting != kStates || ciSenones != phones * kStates || matrices < phones)
        fail(path, "not three-state base phones");
    at += 40;
    for (int i = 0; i < phones; ++i) {
        const std::size_t end = bytes.find('\0', at);
        if (end == std::string::npos)
            fail(path, "truncated phone names");
        m_names.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
}

// Means and variances: codebook (one per base phone) × stream × density ×
// dimension. Each density keeps its mean, half its precision and its log
// normaliser −½ Σ log(2π σ²).
void TPhoneModels::readGaussians(const std::string &meansPath, const std::string &variancesPath)
{
    const TArrayFile means = readArrayFile(meansPath, 3 + kStreams);
    const TArrayFile vars = readArrayFile(variancesPath, 3 + kStreams);
    const auto &d = means.dims;
    if (d[0] != PhoneCount() || d[1] != kStreams || d[3] != kStreamSize || d[4] != kStreamSize || d[5] != kStreamSize)
        fail(meansPath, "not one codebook of three 13-dimensional streams per base phone");
    if (d[2] <= 0 || d[2] > 4096)
        fail(meansPath, "bad number of densities");
    m_densities = d[2];
    const std::size_t n = static_cast<std::size_t>(PhoneCount()) * kStreams * m_densities * kStreamSize;
    if (means.values.size() != n || vars.values.size() != n || vars.dims != means.dims)
        fail(variancesPath, "does not match the means");
    // Kept dimension by dimension, each a row over the codebook's densities,
    // so that the densities of a frame are computed a row at a time.
    m_means.resize(n);
    m_halfPrecisions.resize(n);
    m_logNormalisers.resize(n / kStreamSize);
    for (std::size_t g = 0; g < n / kStreamSize; ++g) {
        const std::size_t block = g / static_cast<std::size_t>(m_densities);
        const std::size_t k = g % static_cast<std::size_t>(m_densities);
        double logNorm = 0;
        for (int j = 0; j < kStreamSize; ++j) {
            const std::size_t at = (block * kStreamSize + j) * m_densities + k;
            const float v = std::max(vars.values[g * kStreamSize + j], kVarianceFloor);
            m_means[at] = means.values[g * kStreamSize + j];
            m_halfPrecisions[at] = 0.5f / v;
            logNorm -= 0.5 * std::log(2.0 * M_PI * v);
        }
        m_logNormalisers[g] = static_cast<float>(logNorm);
    }
}

// The quantised mixture weights: a header of strings, the number of
// densities and of senones, then stream × density × senone bytes. Only the
// base phones' senones (the first ones) are kept.
void TPhoneModels::readWeights(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    for (;;) {
        const int32_t len = readInt(bytes, at, path);
        at += 4;
        if (len == 0)
            break;
        if (len < 0 || at + static_cast<std::size_t>(len) > bytes.size())
            fail(path, "bad header");
        const std::string line = bytes.substr(at, static_cast<std::size_t>(len) - 1);
        if (line.rfind("cluster_count ", 0) == 0 && line != "cluster_count 0")
            fail(path, "clustered weights are not supported");
        at += static_cast<std::size_t>(len);
    }
    const int densities = readInt(bytes, at, path);
    const int senones = readInt(bytes, at + 4, path);
    at += 8;
    if (densities != m_densities || senones < PhoneCount() * kStates
        || bytes.size() < at + static_cast<std::size_t>(kStreams) * densities * senones)
        fail(path, "does not match the model");
    const int ciSenones = PhoneCount() * kStates;
    m_logWeights.assign(static_cast<std::size_t>(ciSenones) * kStreams * densities, 0.f);
    for (int f = 0; f < kStreams; ++f)
        for (int k = 0; k < densities; ++k) {
            const auto *row = reinterpret_cast<const unsigned char *>(
                bytes.data() + at + (static_cast<std::size_t>(f) * densities + k) * senones);
            for (int s = 0; s < ciSenones; ++s)
                m_logWeights[(static_cast<std::size_t>(s) * kStreams + f) * densities + k] =
                    static_cast<float>(-row[s] * kDecoderUnit);
        }
}

void TPhoneModels::readTransitions(const std::string &path)
{
    const TArrayFile t = readArrayFile(path, 3);
    if (t.dims[0] < PhoneCount() || t.dims[1] != kStates || t.dims[2] != kStates + 1
        || t.values.size() != static_cast<std::size_t>(t.dims[0]) * kStates * (kStates + 1))
        fail(path, "not three-state matrices");
    m_transitions.resize(m_names.size());
    for (int p = 0; p < PhoneCount(); ++p)
        for (int i = 0; i < kStates * (kStates + 1); ++i) {
            const double v = t.values[static_cast<std::size_t>(p) * kStates * (kStates + 1) + i];
            m_transitions[static_cast<std::size_t>(p)][static_cast<std::size_t>(i)] =
                v > 0 ? std::log(std::max(v, kTransitionFloor)) : -std::numeric_limits<double>::infinity();
        }
}

std::vector<float> TPhoneModels::TypicalFrame(int phone, int state) const
{
    std::vector<float> frame;
    for (int f = 0; f < kStreams; ++f) {
        const float *lw =
            m_logWeights.data() + ((static_cast<std::size_t>(phone) * kStates + state) * kStreams + f) * m_densities;
        const auto k = static_cast<std::size_t>(std::max_element(lw, lw + m_densities) - lw);
        const std::size_t block = static_cast<std::size_t>(phone) * kStreams + f;
        for (int j = 0; j < kStreamSize; ++j)
            frame.push_back(m_means[(block * kStreamSize + j) * m_densities + k]);
    }
    return frame;
}

std::vector<float> TPhoneModels::SenoneScores(const std::vector<float> &features) const
{
    const std::size_t frames = features.size() / kFeatureSize;
    const int phones = PhoneCount();
    std::vector<float> out(frames * phones * kStates, 0.f);
    std::vector<float> density(static_cast<std::size_t>(m_densities));
    for (std::size_t t = 0; t < frames; ++t) {
        const float *x = features.data() + t * kFeatureSize;
        // A frame without finite features tells no phone from another: it
        // scores 0 under every model.
        if (!std::all_of(x, x + kFeatureSize, [](float v) { return std::isfinite(v); }))
            continue;
        for (int p = 0; p < phones; ++p) {
            for (int f = 0; f < kStreams; ++f) {
                const std::size_t block = static_cast<std::size_t>(p) * kStreams + f;
                const float *xs = x + f * kStreamSize;
                float *__restrict dens = density.data();
                const float *norm = m_logNormalisers.data() + block * m_densities;
                std::copy(norm, norm + m_densities, dens);
                for (int j = 0; j < kStreamSize; ++j) {
                    const float xj = xs[j];
                    const float *__restrict mu = m_means.data() + (block * kStreamSize + j) * m_densities;
                    const float *__restrict hp = m_halfPrecisions.data() + (block * kStreamSize + j) * m_densities;
                    for (int k = 0; k < m_densities; ++k) {
                        const float diff = xj - mu[k];
                        dens[k] -= diff * diff * hp[k];
                    }
                }
                // log Σ w·N for each of the phone's senones, around the best term.
                for (int s = 0; s < kStates; ++s) {
                    const float *lw = m_logWeights.data()
                                      + ((static_cast<std::size_t>(p) * kStates + s) * kStreams + f) * m_densities;
                    float best = -std::numeric_limits<float>::infinity();
                    for (int k = 0; k < m_densities; ++k)
                        best = std::max(best, lw[k] + dens[k]);
                    double acc = 0;
                    for (int k = 0; k < m_densities; ++k) {
                        const float d = lw[k] + dens[k] - best;
                        if (d > -30.f)
                            acc += std::exp(d);
                    }
                    out[(t * phones + p) * kStates + s] += best + static_cast<float>(std::log(acc));
                }
            }
        }
    }
    return out;
}

double TPhoneModels::SegmentScore(const std::vector<float> &scores, int phone, int first, int last) const
{
    const int phones = PhoneCount();
    const auto &a = m_transitions[static_cast<std::size_t>(phone)];
    constexpr double none = -std::numeric_limits<double>::infinity();
    auto b = [&](int t, int s) {
        return static_cast<double>(scores[(static_cast<std::size_t>(t) * phones + phone) * kStates + s]);
    };
    std::array<double, kStates> delta{b(first, 0), none, none};
    for (int t = first + 1; t <= last; ++t) {
        std::array<double, kStates> next{none, none, none};
        for (int j = 0; j < kStates; ++j) {
            double best = none;
            for (int i = 0; i <= j; ++i)
                best = std::max(best, delta[static_cast<std::size_t>(i)]
                                          + a[static_cast<std::size_t>(i * (kStates + 1) + j)]);
            next[static_cast<std::size_t>(j)] = best + b(t, j);
        }
        delta = next;
    }
    // A segment shorter than the model may end in any state.
    double end = delta[kStates - 1] + a[(kStates - 1) * (kStates + 1) + kStates];
    if (!std::isfinite(end))
        end = *std::max_element(delta.begin(), delta.end());
    return end;
}

double TPhoneModels::ChainScore(const std::vector<float> &scores, const std::vector<TChainUnit> &chain, int first,
                                int last) const
{
    constexpr double none = -std::numeric_limits<double>::infinity();
    const int phones = PhoneCount();
    const int units = static_cast<int>(chain.size());
    if (units == 0 || last < first)
        return none;
    const auto states = static_cast<std::size_t>(units * kStates);
    auto b = [&](int t, int u, int s) {
        const int phone = chain[static_cast<std::size_t>(u)].phone;
        return static_cast<double>(scores[(static_cast<std::size_t>(t) * phones + phone) * kStates + s]);
    };
    auto arc = [&](int u, int from, int to) {
        const auto &a = m_transitions[static_cast<std::size_t>(chain[static_cast<std::size_t>(u)].phone)];
        return a[static_cast<std::size_t>(from * (kStates + 1) + to)];
    };
    // The units a path may enter next after leaving unit u (u = −1: the
    // start): the following one, and past it while it is optional.
    auto entries = [&](int u, auto &&visit) {
        for (int v = u + 1; v < units; ++v) {
            visit(v);
            if (!chain[static_cast<std::size_t>(v)].optional)
                break;
        }
    };
    std::vector<double> delta(states, none);
    entries(-1, [&](int v) { delta[static_cast<std::size_t>(v * kStates)] = b(first, v, 0); });
    std::vector<double> next(states);
    for (int t = first + 1; t <= last; ++t) {
        std::fill(next.begin(), next.end(), none);
        for (int u = 0; u < units; ++u) {
            const std::size_t base = static_cast<std::size_t>(u * kStates);
            for (int j = 0; j < kStates; ++j) {
                double best = none;
                for (int i = 0; i <= j; ++i)
                    best = std::max(best, delta[base + static_cast<std::size_t>(i)] + arc(u, i, j));
                if (best > none)
                    next[base + static_cast<std::size_t>(j)] =
                        std::max(next[base + static_cast<std::size_t>(j)], best + b(t, u, j));
            }
            // Leaving unit u after frame t − 1 into the first state of a later one.
            const double leave = delta[base + kStates - 1] + arc(u, kStates - 1, kStates);
            if (leave > none)
                entries(u, [&](int v) {
                    const std::size_t to = static_cast<std::size_t>(v * kStates);
                    next[to] = std::max(next[to], leave + b(t, v, 0));
                });
        }
        std::swap(delta, next);
    }
    double end = none;
    for (int u = units - 1; u >= 0; --u) {
        const std::size_t base = static_cast<std::size_t>(u * kStates);
        end = std::max(end, delta[base + kStates - 1] + arc(u, kStates - 1, kStates));
        if (!chain[static_cast<std::size_t>(u)].optional)
            break;
    }
    return end;
}

} // namespace grader
