#pragma once
// The offline pronunciation grader: a recording and its reference text in,
// the grading result out.
//
// The reference is turned into phones through the lexicon, the recording is
// aligned against it (each word optional, pauses optional between words) and
// decoded a second time as a free phone loop and a third time with the
// learners' likely substitutes beside each phone; each aligned phone's
// goodness of pronunciation compares those scores over its frames, and the
// base phones' own models over exactly its frames (PhoneModels.h). The
// scores and the result's shape are in Scoring.h and GradeJson.h.
//
// A recording that is silent, noisy, of another text or unreadable gives low
// scores or zeros, never an exception. Not thread-safe: one grading at a
// time per grader.

#include "Lexicon.h"
#include "PhoneModels.h"
#include "Scoring.h"
#include "SphinxDecoder.h"
#include "Utterance.h"
#include "WavAudio.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

namespace grader {

enum class TGradeMode {
    Word = 0,
    Sentence = 1,
    Passage = 2,
};

class TOfflineGrader
{
public:
    // Loads the acoustic model and the dictionary; throws std::runtime_error
    // when either is missing.
    explicit TOfflineGrader(const TModelFiles &files = TModelFiles::Installed(),
                            TCalibration calibration = TCalibration::Fitted());
    ~TOfflineGrader();

    // The "result" object for `audio` read against `text`.
    nlohmann::ordered_json Grade(TGradeMode mode, const std::string &text, const TAudio &audio);

    // The same for a WAV file, cut after `limitSeconds` (> 0). A file that
    // cannot be read grades as silence.
    nlohmann::ordered_json GradeFile(TGradeMode mode, const std::string &text, const std::string &wavPath,
                                     double limitSeconds);

    // What the decoder found, before scoring (the evaluation reads it).
    TUtterance Analyse(const std::string &text, const TAudio &audio);

    const TCalibration &Calibration() const { return m_calibration; }
    const TLexicon &Lexicon() const { return m_lexicon; }

private:
    // The phone's segment GOPs from every base phone's model over frames
    // [first, last].
    void scoreSegment(const std::vector<float> &senones, int first, int last, TPhoneEval &p) const;
    // Each aligned word's presence (TWordEval::presence) from the base
    // phones over the stretch from the previous aligned word to the next.
    void checkPresence(const std::vector<float> &senones, int featureFrames, TUtterance &u) const;

    TLexicon m_lexicon;
    std::unique_ptr<TSphinxDecoder> m_decoder;
    std::unique_ptr<TPhoneModels> m_models;
    TCalibration m_calibration;
};

} // namespace grader
