#include "OfflineGrader.h"

#include "AlignGraph.h"
#include "GradeJson.h"
#include "TextUnits.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace grader {

namespace {

// Recordings shorter than this (a tenth of a second) hold no speech.
constexpr std::size_t kMinSamples = kSampleRate / 10;
// A recording whose samples span no more than this (about −60 dB below full
// scale) holds no sound at all: a muted microphone's digital silence or a
// constant level. The searches would still find a path through it once
// pruning is off, and its features are not even finite.
constexpr int kMinSignalSpan = 64;

bool hasSignal(const std::vector<int16_t> &samples)
{
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    return low != samples.end() && *high - *low > kMinSignalSpan;
}

bool isLoopSilence(const std::string &label)
{
    return label == "SIL" || label == kSilenceLabel || (label.size() > 1 && label.front() == '+');
}

// The score of a decoding (the loop's, or an alignment's) over frames
// [sf, ef], each segment counted in proportion to its overlap, and the share
// of those frames it heard as silence or noise.
void loopOver(const std::vector<TSegment> &loop, int sf, int ef, double &score, double &silenceShare)
{
    score = 0;
    int silent = 0;
    for (const TSegment &s : loop) {
        const int a = std::max(sf, s.startFrame);
        const int b = std::min(ef, s.endFrame);
        if (b < a)
            continue;
        const int overlap = b - a + 1;
        score += static_cast<double>(s.ascr) * overlap / s.frames();
        if (isLoopSilence(s.label))
            silent += overlap;
    }
    silenceShare = static_cast<double>(silent) / (ef - sf + 1);
}

} // namespace

TOfflineGrader::TOfflineGrader(const TModelFiles &files, TCalibration calibration)
    : m_calibration(std::move(calibration))
{
    if (!m_lexicon.Load(files.dictionary))
        throw std::runtime_error("cannot read the pronouncing dictionary " + files.dictionary);
    m_decoder = std::make_unique<TSphinxDecoder>(files);
    m_models = std::make_unique<TPhoneModels>(files.acousticModel);
}

TOfflineGrader::~TOfflineGrader() = default;

TUtterance TOfflineGrader::Analyse(const std::string &text, const TAudio &audio)
{
    TUtterance u;
    u.sentences = SplitSentences(text);
    u.cut = audio.cut;
    std::vector<std::vector<TPronunciation>> prons;
    for (int s = 0; s < static_cast<int>(u.sentences.size()); ++s) {
        for (const std::string &w : SplitWords(u.sentences[static_cast<std::size_t>(s)])) {
            TWordEval word;
            word.text = w;
            word.sentence = s;
            prons.push_back(m_lexicon.Pronounce(w));
            if (!prons.back().empty())
                word.reference = prons.back().front();
            u.words.push_back(std::move(word));
        }
    }
    u.frames = static_cast<int>(audio.samples.size() * kFramesPerSecond / kSampleRate);
    if (u.words.empty() || audio.samples.size() < kMinSamples || !hasSignal(audio.samples))
        return u;

    const TAlignGraph graph = BuildAlignGraph(prons, TGraphOptions{});
    const auto aligned = m_decoder->Align(graph, audio.samples);
    if (!aligned)
        return u; // the recording does not fit the text at all: nothing was read
    std::vector<std::string> labels;
    labels.reserve(aligned->size());
    for (const TSegment &s : *aligned)
        labels.push_back(s.label);
    const auto arcs = ParseAlignment(graph, labels);
    if (!arcs)
        return u;
    const std::vector<TSegment> loop = m_decoder->PhoneLoop(audio.samples);
    // The same grammar with the learners' likely substitutes beside each
    // phone: where one of them fits the audio better, the phone was probably
    // said as that one.
    TGraphOptions withCompetitors;
    withCompetitors.competitors = true;
    const TAlignGraph rivalGraph = BuildAlignGraph(prons, withCompetitors);
    std::vector<TSegment> rivals;
    std::vector<int> rivalArcs;
    if (auto r = m_decoder->Align(rivalGraph, audio.samples)) {
        std::vector<std::string> rivalLabels;
        for (const TSegment &s : *r)
            rivalLabels.push_back(s.label);
        if (auto parsed = ParseAlignment(rivalGraph, rivalLabels)) {
            rivals = std::move(*r);
            rivalArcs = std::move(*parsed);
        }
    }

    const std::vector<float> features = m_decoder->Features(audio.samples);
    const std::vector<float> senones = m_models->SenoneScores(features);
    const int featureFrames = static_cast<int>(features.size() / kFeatureSize);

    int lastWordEnd = -1;
    for (std::size_t i = 0; i < aligned->size(); ++i) {
        const TSegment &seg = (*aligned)[i];
        const TArc &arc = graph.arcs[static_cast<std::size_t>((*arcs)[i])];
        if (arc.word < 0) {
            // A pause between two words read (not before the first one).
            if (arc.label == kSilenceLabel && lastWordEnd >= 0 && i + 1 < aligned->size())
                u.pauses.push_back(seg.frames());
            continue;
        }
        TWordEval &word = u.words[static_cast<std::size_t>(arc.word)];
        if (arc.phone == 0) {
            word.phones.clear();
            word.reference = prons[static_cast<std::size_t>(arc.word)][static_cast<std::size_t>(arc.pron)];
        }
        word.aligned = true;
        TPhoneEval p;
        p.phone = arc.label;
        p.startFrame = seg.startFrame;
        p.endFrame = seg.endFrame;
        double loopScore = 0;
        loopOver(loop, seg.startFrame, seg.endFrame, loopScore, p.silenceShare);
        p.gop = (seg.ascr - loopScore) / seg.frames();
        if (!rivals.empty()) {
            double rivalScore = 0;
            double unused = 0;
            loopOver(rivals, seg.startFrame, seg.endFrame, rivalScore, unused);
            p.competitorGop = std::min(0.0, (seg.ascr - rivalScore) / seg.frames());
            for (std::size_t r = 0; r < rivals.size(); ++r) {
                const TArc &ra = rivalGraph.arcs[static_cast<std::size_t>(rivalArcs[r])];
                if (ra.competitor && ra.word == arc.word && ra.phone == arc.phone && ra.pron == arc.pron)
                    p.heardAs = ra.label;
            }
        }
        if (seg.endFrame < featureFrames)
            scoreSegment(senones, seg.startFrame, seg.endFrame, p);
        word.phones.push_back(p);
        u.speechFrames += seg.frames();
        lastWordEnd = seg.endFrame;
    }
    checkPresence(senones, featureFrames, u);
    return u;
}

void TOfflineGrader::checkPresence(const std::vector<float> &senones, int featureFrames, TUtterance &u) const
{
    const int silence = m_models->PhoneIndex("SIL");
    if (silence < 0)
        return;
    std::vector<int> aligned;
    for (int w = 0; w < static_cast<int>(u.words.size()); ++w)
        if (u.words[static_cast<std::size_t>(w)].aligned && !u.words[static_cast<std::size_t>(w)].phones.empty())
            aligned.push_back(w);
    // The words' phones in a chain, an optional pause before, between and
    // after them; false when a phone has no base model.
    auto chainOf = [&](std::initializer_list<const TWordEval *> words, std::vector<TPhoneModels::TChainUnit> &chain) {
        chain.assign(1, {silence, true});
        for (const TWordEval *word : words) {
            if (!word)
                continue;
            for (const TPhoneEval &p : word->phones) {
                const int q = m_models->PhoneIndex(p.phone);
                if (q < 0)
                    return false;
                chain.push_back({q, false});
            }
            chain.push_back({silence, true});
        }
        return true;
    };
    std::vector<TPhoneModels::TChainUnit> with;
    std::vector<TPhoneModels::TChainUnit> without;
    for (std::size_t k = 0; k < aligned.size(); ++k) {
        TWordEval &word = u.words[static_cast<std::size_t>(aligned[k])];
        const TWordEval *before = k > 0 ? &u.words[static_cast<std::size_t>(aligned[k - 1])] : nullptr;
        const TWordEval *after = k + 1 < aligned.size() ? &u.words[static_cast<std::size_t>(aligned[k + 1])] : nullptr;
        const int first = (before ? *before : word).phones.front().startFrame;
        const int last = (after ? *after : word).phones.back().endFrame;
        if (last >= featureFrames || !chainOf({before, &word, after}, with) || !chainOf({before, after}, without))
            continue;
        // Without the word its stretch must be explained by a pause or by
        // its neighbours drawn out; when they cannot, the word was there.
        const double withWord = m_models->ChainScore(senones, with, first, last);
        const double withoutWord = m_models->ChainScore(senones, without, first, last);
        int frames = 0;
        for (const TPhoneEval &p : word.phones)
            frames += p.endFrame - p.startFrame + 1;
        if (!std::isfinite(withWord) || !std::isfinite(withoutWord) || frames == 0)
            continue;
        word.presence = (withWord - withoutWord) / kDecoderUnit / frames;
        word.presenceKnown = true;
    }
}

void TOfflineGrader::scoreSegment(const std::vector<float> &senones, int first, int last, TPhoneEval &p) const
{
    const int own = m_models->PhoneIndex(p.phone);
    if (own < 0)
        return;
    // Each base phone's model over the frames once; the substitutes are
    // among the speech phones.
    std::vector<double> score(static_cast<std::size_t>(m_models->PhoneCount()));
    for (int q = 0; q < m_models->PhoneCount(); ++q)
        score[static_cast<std::size_t>(q)] = m_models->SegmentScore(senones, q, first, last);
    const double ownScore = score[static_cast<std::size_t>(own)];
    double bestSpeech = ownScore;
    for (int q = 0; q < m_models->PhoneCount(); ++q)
        if (m_models->IsSpeech(q))
            bestSpeech = std::max(bestSpeech, score[static_cast<std::size_t>(q)]);
    double bestRival = ownScore;
    for (const std::string &rival : CompetitorPhones(p.phone))
        if (const int q = m_models->PhoneIndex(rival); q >= 0)
            bestRival = std::max(bestRival, score[static_cast<std::size_t>(q)]);
    const double frames = last - first + 1;
    p.segmentGop = (ownScore - bestSpeech) / kDecoderUnit / frames;
    p.segmentCompetitorGop = (ownScore - bestRival) / kDecoderUnit / frames;
}

nlohmann::ordered_json TOfflineGrader::Grade(TGradeMode mode, const std::string &text, const TAudio &audio)
{
    const TUtterance u = Analyse(text, audio);
    return GradeResultJson(mode, m_calibration, u);
}

nlohmann::ordered_json TOfflineGrader::GradeFile(TGradeMode mode, const std::string &text, const std::string &wavPath,
                                                 double limitSeconds)
{
    const std::optional<TAudio> audio = ReadWav(wavPath, limitSeconds);
    return Grade(mode, text, audio ? *audio : TAudio{});
}

} // namespace grader
