#include "SphinxDecoder.h"

#include "PhoneModels.h"
#include "PhoneSet.h"

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/fe.h>
#include <sphinxbase/feat.h>
#include <sphinxbase/fsg_model.h>

#include <cstdlib>
#include <stdexcept>

namespace grader {

namespace {

constexpr const char *kLoopSearch = "loop";
constexpr const char *kAlignSearch = "align";
// The beams of the second search, when the first found no path: wide enough
// for readings with words left out (each costs about 10⁻⁷⁸ once weighed by
// the language weight), narrow enough that a 90 s passage of another text
// stays under 200 MB (187 MB; with no pruning at all a 45 s one took 353 MB).
constexpr double kRetryBeam = 1e-120;

} // namespace

TModelFiles TModelFiles::Installed()
{
    std::string base = "/usr/share/pocketsphinx/model/en-us";
    if (const char *env = std::getenv("STUDYGRADE_MODEL"); env != nullptr && *env != '\0')
        base = env;
    return {base + "/en-us", base + "/cmudict-en-us.dict"};
}

TSphinxDecoder::TSphinxDecoder(const TModelFiles &files)
{
    // The decoder's own dictionary holds only the phones (one entry each, the
    // alignment grammar's words); the pronouncing dictionary is read by the
    // lexicon. With no dictionary file it starts empty.
    cmd_ln_t *config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", files.acousticModel.c_str(), "-compallsen", "yes",
                                   "-wip", "1.0", "-bestpath", "no", "-remove_silence", "no", "-dither", "no",
                                   "-allphone_ci", "yes", "-fsgusefiller", "no", "-beam", "1e-80", "-pbeam", "1e-80",
                                   "-wbeam", "1e-60", "-maxhmmpf", "-1", "-logfn", "/dev/null", nullptr);
    if (config == nullptr)
        throw std::runtime_error("cannot configure the speech decoder");
    m_ps = ps_init(config);
    cmd_ln_free_r(config);
    if (m_ps == nullptr)
        throw std::runtime_error("cannot load the acoustic model from " + files.acousticModel);
    const auto &phones = ModelPhones();
    for (std::size_t i = 0; i < phones.size(); ++i)
        ps_add_word(m_ps, phones[i].c_str(), phones[i].c_str(), i + 1 == phones.size() ? TRUE : FALSE);
    if (ps_set_allphone(m_ps, kLoopSearch, nullptr) < 0) {
        ps_free(m_ps);
        throw std::runtime_error("cannot set up the phone loop");
    }
    ps_set_search(m_ps, kLoopSearch);
}

TSphinxDecoder::~TSphinxDecoder()
{
    if (m_ps != nullptr)
        ps_free(m_ps);
}

std::vector<TSegment> TSphinxDecoder::decode(const std::vector<int16_t> &audio, bool &complete)
{
    std::vector<TSegment> out;
    complete = false;
    if (ps_start_utt(m_ps) < 0)
        return out;
    ps_process_raw(m_ps, audio.data(), audio.size(), FALSE, TRUE);
    ps_end_utt(m_ps);
    int32 score = 0;
    const char *hyp = ps_get_hyp(m_ps, &score);
    complete = hyp != nullptr;
    for (ps_seg_t *seg = ps_seg_iter(m_ps); seg != nullptr; seg = ps_seg_next(seg)) {
        TSegment s;
        const char *word = ps_seg_word(seg);
        s.label = word != nullptr ? word : "";
        ps_seg_frames(seg, &s.startFrame, &s.endFrame);
        int32 ascr = 0;
        int32 lscr = 0;
        int32 lback = 0;
        ps_seg_prob(seg, &ascr, &lscr, &lback);
        s.ascr = ascr;
        // The search's entry marker (no word, no frames) is no segment.
        if (s.label.empty() || s.label == "(NULL)" || s.endFrame < s.startFrame)
            continue;
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<TSegment> TSphinxDecoder::PhoneLoop(const std::vector<int16_t> &audio)
{
    ps_set_search(m_ps, kLoopSearch);
    bool complete = false;
    return decode(audio, complete);
}

std::optional<std::vector<TSegment>> TSphinxDecoder::alignOnce(const TAlignGraph &graph,
                                                               const std::vector<int16_t> &audio)
{
    // The alignment search is replaced for every recording; the decoder must
    // not be using it while that happens.
    ps_set_search(m_ps, kLoopSearch);
    logmath_t *lmath = ps_get_logmath(m_ps);
    fsg_model_t *fsg = fsg_model_init(kAlignSearch, lmath, 1.0f, graph.states);
    fsg->start_state = graph.start;
    fsg->final_state = graph.final;
    for (const TArc &arc : graph.arcs) {
        const int32 logp = logmath_log(lmath, arc.prob);
        if (arc.label.empty())
            fsg_model_null_trans_add(fsg, arc.from, arc.to, logp);
        else
            fsg_model_trans_add(fsg, arc.from, arc.to, logp, fsg_model_word_add(fsg, arc.label.c_str()));
    }
    const int set = ps_set_fsg(m_ps, kAlignSearch, fsg);
    fsg_model_free(fsg); // the search holds its own reference
    if (set < 0 || ps_set_search(m_ps, kAlignSearch) < 0)
        return std::nullopt;
    bool complete = false;
    std::vector<TSegment> segments = decode(audio, complete);
    ps_set_search(m_ps, kLoopSearch);
    if (!complete || segments.empty())
        return std::nullopt;
    return segments;
}

std::optional<std::vector<TSegment>> TSphinxDecoder::Align(const TAlignGraph &graph, const std::vector<int16_t> &audio)
{
    if (auto segments = alignOnce(graph, audio))
        return segments;
    // No path survived the beams. The grammar weighs its transitions by the
    // language weight, so a word left out (skip probability 10⁻¹², weighted
    // about 10⁻⁷⁸) falls outside the word beam, and readings with words left
    // out lost every path. A second search with much wider beams finds it;
    // they are not the default because a long passage then keeps far more
    // history. A search reads its beams from the configuration when it is
    // set up.
    cmd_ln_t *config = ps_get_config(m_ps);
    const double beams[3] = {cmd_ln_float_r(config, "-beam"), cmd_ln_float_r(config, "-pbeam"),
                             cmd_ln_float_r(config, "-wbeam")};
    for (const char *name : {"-beam", "-pbeam", "-wbeam"})
        cmd_ln_set_float_r(config, name, kRetryBeam);
    auto segments = alignOnce(graph, audio);
    cmd_ln_set_float_r(config, "-beam", beams[0]);
    cmd_ln_set_float_r(config, "-pbeam", beams[1]);
    cmd_ln_set_float_r(config, "-wbeam", beams[2]);
    return segments;
}

std::vector<float> TSphinxDecoder::Features(const std::vector<int16_t> &audio)
{
    // A front end and feature computer of the decoder's configuration (the
    // model's feature parameters are part of it once the decoder is up).
    cmd_ln_t *config = ps_get_config(m_ps);
    fe_t *fe = fe_init_auto_r(config);
    if (fe == nullptr)
        throw std::runtime_error("cannot set up the speech front end");
    feat_t *fcb = feat_init(cmd_ln_str_r(config, "-feat"), cmn_type_from_str(cmd_ln_str_r(config, "-cmn")), FALSE,
                            AGC_NONE, FALSE, fe_get_output_size(fe));
    std::vector<float> out;
    if (fcb == nullptr || feat_dimension(fcb) != kFeatureSize) {
        if (fcb != nullptr)
            feat_free(fcb);
        fe_free(fe);
        throw std::runtime_error("the acoustic model's features are not the expected 39");
    }
    fe_start_utt(fe);
    const int16 *samples = audio.data();
    size_t remaining = audio.size();
    int32 frames = 0;
    fe_process_frames(fe, nullptr, &remaining, nullptr, &frames, nullptr);
    auto **cep = static_cast<mfcc_t **>(
        ckd_calloc_2d(static_cast<size_t>(frames) + 1, static_cast<size_t>(fe_get_output_size(fe)), sizeof(mfcc_t)));
    remaining = audio.size();
    int32 made = frames;
    fe_process_frames(fe, &samples, &remaining, cep, &made, nullptr);
    int32 last = 0;
    fe_end_utt(fe, cep[made], &last);
    int32 total = made + last;
    if (total > 0) {
        mfcc_t ***feat = feat_array_alloc(fcb, total);
        const int32 produced = feat_s2mfc2feat_live(fcb, cep, &total, TRUE, TRUE, feat);
        out.resize(static_cast<std::size_t>(produced) * kFeatureSize);
        for (int32 t = 0; t < produced; ++t)
            std::copy(feat[t][0], feat[t][0] + kFeatureSize,
                      out.begin() + static_cast<std::ptrdiff_t>(t) * kFeatureSize);
        feat_array_free(feat);
    }
    ckd_free_2d(cep);
    feat_free(fcb);
    fe_free(fe);
    return out;
}

} // namespace grader
