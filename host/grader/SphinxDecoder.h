#pragma once
// The speech decoder: forced alignment against a phone grammar and a free
// phone loop over the same recording, with the acoustic score of each
// segment.
//
// Both searches share one decoder configured so that their scores can be
// compared: every senone is scored in every frame, the word insertion
// penalty is neutral, no silence is removed and no dither is added. Scores
// are in the decoder's log units (log base 1.0001 shifted right by 10 bits;
// one unit is about 0.1 nat). Cepstral mean normalisation is computed over
// the whole utterance, so each search gets the whole recording in one call.

#include "AlignGraph.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct ps_decoder_s;

namespace grader {

inline constexpr int kFramesPerSecond = 100;

struct TSegment
{
    std::string label; // phone, "SIL" or a filler in the loop; graph label in alignments
    int startFrame = 0;
    int endFrame = 0; // inclusive
    int ascr = 0;     // acoustic score
    int frames() const { return endFrame - startFrame + 1; }
};

struct TModelFiles
{
    std::string acousticModel; // folder with mdef, means, …
    std::string dictionary;    // CMU pronouncing dictionary

    // The files of the Debian package pocketsphinx-en-us, or the folder named
    // by the environment variable STUDYGRADE_MODEL (holding "en-us/" and
    // "cmudict-en-us.dict").
    static TModelFiles Installed();
};

class TSphinxDecoder
{
public:
    // Throws std::runtime_error when the model cannot be loaded.
    explicit TSphinxDecoder(const TModelFiles &files);
    ~TSphinxDecoder();
    TSphinxDecoder(const TSphinxDecoder &) = delete;
    TSphinxDecoder &operator=(const TSphinxDecoder &) = delete;

    // Context-independent phones in a free loop without a language model.
    std::vector<TSegment> PhoneLoop(const std::vector<int16_t> &audio);

    // The best path through `graph`; nullopt when the recording does not fit
    // it (no path to the final state, even searched with much wider beams).
    std::optional<std::vector<TSegment>> Align(const TAlignGraph &graph, const std::vector<int16_t> &audio);

    // The feature vectors the searches see (cepstra with the whole
    // utterance's mean removed, deltas and double deltas): frames ×
    // kFeatureSize, one frame per frame of the segments.
    std::vector<float> Features(const std::vector<int16_t> &audio);

private:
    std::optional<std::vector<TSegment>> alignOnce(const TAlignGraph &graph, const std::vector<int16_t> &audio);
    std::vector<TSegment> decode(const std::vector<int16_t> &audio, bool &complete);

    ps_decoder_s *m_ps = nullptr;
};

} // namespace grader
