#pragma once
// The context-independent phone models of the acoustic model, read from its
// files and evaluated here, so that a phone's segment can be scored under
// every phone over exactly its frames.
//
// The alignment's own scores come from context-dependent models along one
// path, and the free loop's from segments with boundaries of their own, so
// comparing the two blurs the phone's edges. Scoring one fixed segment under
// each phone's three-state model gives the classic goodness of
// pronunciation: how much worse the reference phone explains those frames
// than the best phone does.
//
// The model is phonetically tied: each base phone has a codebook of Gaussian
// densities per feature stream, and each of its senones weighs that codebook
// (the quantised weights of "sendump"). Scores are exact mixtures, not the
// decoder's top-N approximation.

#include <array>
#include <string>
#include <vector>

namespace grader {

// Feature vector: 13 cepstra, their deltas and double deltas.
inline constexpr int kFeatureSize = 39;

// The log unit of the decoder's scores and of the model's quantised mixture
// weights, in nats: log base 1.0001 shifted right by 10 bits (1024 · ln 1.0001).
inline constexpr double kDecoderUnit = 1024 * 9.99950003333e-05;

class TPhoneModels
{
public:
    // Reads mdef, means, variances, sendump and transition_matrices from the
    // model folder; throws std::runtime_error when a file is missing or not
    // what a phonetically tied model holds.
    explicit TPhoneModels(const std::string &folder);

    // Index of a base phone ("AA", "SIL", …), or -1.
    int PhoneIndex(const std::string &phone) const;
    int PhoneCount() const { return static_cast<int>(m_names.size()); }
    const std::string &PhoneName(int index) const { return m_names[static_cast<std::size_t>(index)]; }
    // Not silence and not a noise filler ("+NSN+").
    bool IsSpeech(int index) const
    {
        const std::string &n = PhoneName(index);
        return n != "SIL" && n.front() != '+';
    }

    // The frame a senone finds most typical: per stream, the mean of the
    // density it weighs most (kFeatureSize values).
    std::vector<float> TypicalFrame(int phone, int state) const;

    // Log-likelihood (nats) of each base phone's three senones in each frame
    // of `features` (frames × kFeatureSize): frames × phones × 3.
    std::vector<float> SenoneScores(const std::vector<float> &features) const;

    // Best log-likelihood (nats) of `phone`'s three-state model over frames
    // [first, last], entering in the first state at `first` and leaving the
    // last state after `last`; scores from SenoneScores.
    double SegmentScore(const std::vector<float> &scores, int phone, int first, int last) const;

    // A unit of a chain: a base phone, which the path may pass by when it is
    // optional (a pause between words).
    struct TChainUnit
    {
        int phone = -1;
        bool optional = false;
    };
    // Best log-likelihood (nats) of the chain of units, each a three-state
    // model, over frames [first, last]: every frame in one state of one unit,
    // the units in order, each non-optional one taking at least one frame per
    // state. −infinity when the frames are too few for the chain.
    double ChainScore(const std::vector<float> &scores, const std::vector<TChainUnit> &chain, int first,
                      int last) const;

private:
    static constexpr int kStates = 3;
    static constexpr int kStreams = 3;
    static constexpr int kStreamSize = 13;

    void readMdef(const std::string &path);
    void readGaussians(const std::string &meansPath, const std::string &variancesPath);
    void readWeights(const std::string &path);
    void readTransitions(const std::string &path);

    std::vector<std::string> m_names;
    int m_densities = 0;
    // Per phone and stream, for each of the 13 dimensions a row over the
    // densities: mean and precision/2; per phone, stream and density: the
    // Gaussian's log normaliser.
    std::vector<float> m_means;
    std::vector<float> m_halfPrecisions;
    std::vector<float> m_logNormalisers;
    // Per phone, state, stream, density: log mixture weight.
    std::vector<float> m_logWeights;
    // Per phone: log transition probabilities, from state (3) to state (4,
    // the last being the exit).
    std::vector<std::array<double, kStates *(kStates + 1)>> m_transitions;
};

} // namespace grader
