#pragma once
// What the decoder found in one recording, before any score: for each word
// of the reference, whether it was heard, where, and the goodness of
// pronunciation of each of its phones.

#include <string>
#include <vector>

namespace grader {

struct TPhoneEval
{
    std::string phone; // model phone of the reference pronunciation
    int startFrame = 0;
    int endFrame = 0;
    // Goodness of pronunciation: (forced-alignment score − free-loop score
    // over the same frames) ÷ frames, in decoder log units. 0 means the
    // loop found nothing better than the reference phone; the more negative,
    // the less the audio sounds like it.
    double gop = 0;
    // Share of the phone's frames the free loop heard as silence or noise.
    double silenceShare = 0;
    // (Forced-alignment score − score of the alignment that may put a
    // likely substitute in each phone's place, over the same frames) ÷
    // frames: 0 when no substitute fits better, negative when one does.
    double competitorGop = 0;
    // The substitute that alignment chose instead, or empty.
    std::string heardAs;
    // Over exactly the phone's frames, each base phone's model scored on its
    // own (PhoneModels.h): (own score − best speech phone's score) ÷ frames,
    // in decoder log units; 0 when no other phone explains the frames better.
    double segmentGop = 0;
    // The same against the likely substitutes only.
    double segmentCompetitorGop = 0;
};

struct TWordEval
{
    std::string text;                   // as written in the reference
    int sentence = 0;                   // index of its sentence
    bool aligned = false;               // false: the alignment skipped it, or nothing aligned
    std::vector<TPhoneEval> phones;     // empty when not aligned
    std::vector<std::string> reference; // the pronunciation's phones (also when not aligned)
    // How much better the base phones explain the stretch from the previous
    // aligned word to the next one with this word between them than without
    // it, per frame of the word, in decoder log units: far above 0 when the
    // word was said, near or below 0 when the alignment squeezed in a word
    // the speaker left out. Set for aligned words only.
    double presence = 0;
    bool presenceKnown = false;
};

struct TUtterance
{
    std::vector<std::string> sentences;
    std::vector<TWordEval> words;
    int frames = 0;          // length of the recording
    int speechFrames = 0;    // frames inside aligned phones
    std::vector<int> pauses; // lengths (frames) of silences between aligned words
    bool cut = false;        // the recording was longer than the limit
};

} // namespace grader
