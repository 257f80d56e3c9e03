// grader_eval: measures the offline grader on synthetic speech.
//
//   grader_eval [--data DIR] [--items N] [--voices a,b,…] [--fit | --dump FILE | --words]
//
// The speech is made on first use by the speech synthesisers Debian ships
// (espeak-ng, flite, festival with an HTS voice) from the items of
// pairs.txt and kept under DIR (default: grader-data beside the binary):
// each sentence read correctly, with one word replaced by its minimal-pair
// neighbour, and with words left out; plus silence and quiet noise.
//
// Without --fit it grades the "eval" items and prints: the share of minimal
// pairs whose replaced word scores below the same word read correctly, the
// word-level AUC, integrity against the share of words read, the overall of
// unrelated speech (each reading graded against another item's text), the
// overall of silence and noise, the same minimal pairs as words read alone
// (--words: only those), the real-time factor (CPU time of grading ÷
// audio time, one thread) and the peak memory. With --fit it reads the
// "fit" items and prints the calibration (expected GOP per phone and the
// logistic curve) in the form Calibration.cpp holds it. With --dump it writes
// the analyses of every reading of both sets to FILE (EvalDump.h).

#include "EvalData.h"
#include "EvalDump.h"
#include "EvalStats.h"

#include "OfflineGrader.h"
#include "Scoring.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace grader;

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

struct TTimedGrader
{
    TOfflineGrader grader;
    double cpu = 0;
    double audio = 0;
    int count = 0;

    TUtterance analyse(const std::string &text, const std::string &wav)
    {
        const auto read = ReadWav(wav, 0);
        const TAudio a = read ? *read : TAudio{};
        const double t0 = cpuSeconds();
        TUtterance u = grader.Analyse(text, a);
        cpu += cpuSeconds() - t0;
        audio += static_cast<double>(a.samples.size()) / kSampleRate;
        ++count;
        return u;
    }
};

double overallOf(const TCalibration &c, const TUtterance &u)
{
    std::vector<double> scores;
    std::vector<int> all;
    for (std::size_t i = 0; i < u.words.size(); ++i) {
        scores.push_back(WordScore(c, u.words[i]));
        all.push_back(static_cast<int>(i));
    }
    return SentenceScores(c, u, scores, all).overall;
}

double integrityOf(const TCalibration &c, const TUtterance &u)
{
    std::vector<double> scores;
    std::vector<int> all;
    for (std::size_t i = 0; i < u.words.size(); ++i) {
        scores.push_back(WordScore(c, u.words[i]));
        all.push_back(static_cast<int>(i));
    }
    return SentenceScores(c, u, scores, all).integrity;
}

// How close integrity comes to the share of words read over readings with
// words left out: the total absolute error and the readings within 10 points.
struct TIntegrityFit
{
    double error = 0;
    int within = 0;
};

TIntegrityFit integrityFit(const TCalibration &c, const std::vector<std::pair<TUtterance, double>> &readings)
{
    TIntegrityFit fit;
    for (const auto &[u, share] : readings) {
        const double e = std::abs(integrityOf(c, u) - share);
        fit.error += e;
        fit.within += e <= 10 ? 1 : 0;
    }
    return fit;
}

int runFit(TTimedGrader &g, const std::vector<TEvalItem> &items, const std::vector<TVoice> &voices,
           const std::string &dir)
{
    // Expected GOP per phone: its median over the correct readings.
    std::vector<TUtterance> correct;
    std::vector<TUtterance> replaced;
    std::vector<int> targets;
    for (const TVoice &v : voices) {
        for (const TEvalItem &item : items) {
            correct.push_back(g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Correct)));
            replaced.push_back(g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Replaced)));
            targets.push_back(item.target);
        }
    }
    auto expectedFor = [&correct](TCalibration &c) {
        std::map<std::string, std::vector<double>> perPhone;
        std::vector<double> all;
        for (const TUtterance &u : correct)
            for (const TWordEval &w : u.words)
                for (const TPhoneEval &p : w.phones)
                    if (p.silenceShare < 0.5) {
                        const double g = BlendedGop(c, p);
                        perPhone[p.phone].push_back(g);
                        all.push_back(g);
                    }
        c.expected.clear();
        for (const auto &[phone, gops] : perPhone)
            c.expected[phone] = Median(gops);
        c.defaultExpected = Median(all);
    };
    // The weights of the GOPs and of the worst phone that separate the fit
    // set's replaced words from every word of its correct readings best (the
    // evaluation's word AUC; a word not read counts lowest), then the
    // logistic curve fitted to correct (1) against replaced (0) words.
    auto gopOrLowest = [](const TCalibration &c, const TWordEval &w) { return WordRead(c, w) ? WordGop(c, w) : -1e9; };
    TCalibration c;
    double bestAuc = -1;
    TCalibration best;
    for (double segment : {0.0, 1.0, 2.0}) {
        c.segmentWeight = segment;
        for (double segmentRival : {0.0, 1.0, 2.0}) {
            c.segmentCompetitorWeight = segmentRival;
            for (double competitor = 0; competitor <= 3.0001; competitor += 0.25) {
                c.competitorWeight = competitor;
                expectedFor(c);
                for (double weight = 0; weight <= 1.0001; weight += 0.1) {
                    c.worstWeight = weight;
                    std::vector<double> pos;
                    std::vector<double> neg;
                    for (std::size_t i = 0; i < correct.size(); ++i) {
                        pos.push_back(gopOrLowest(c, replaced[i].words[static_cast<std::size_t>(targets[i])]));
                        for (const TWordEval &w : correct[i].words)
                            neg.push_back(gopOrLowest(c, w));
                    }
                    const double auc = 1.0 - Auc(pos, neg);
                    if (auc > bestAuc + 1e-12) {
                        bestAuc = auc;
                        best = c;
                    }
                }
            }
        }
    }
    c = best;
    expectedFor(c);
    std::vector<double> x;
    std::vector<int> y;
    for (std::size_t i = 0; i < correct.size(); ++i) {
        for (const TWordEval &w : correct[i].words)
            if (WordRead(c, w)) {
                x.push_back(WordGop(c, w));
                y.push_back(1);
            }
        const TWordEval &w = replaced[i].words[static_cast<std::size_t>(targets[i])];
        if (WordRead(c, w)) {
            // Each replaced word weighs as much as the correct words of its
            // sentence together, so both classes count equally.
            for (std::size_t k = 0; k < correct[i].words.size(); ++k) {
                x.push_back(WordGop(c, w));
                y.push_back(0);
            }
        }
    }
    const auto [mid, slope] = FitLogistic(x, y);
    c.mid = mid;
    c.slope = slope;
    // The read floor and the presence threshold for integrity, then the
    // lowest accuracy gate that keeps every unrelated reading (each correct
    // reading graded against the next item's text) under 30 overall.
    std::vector<std::pair<TUtterance, double>> omitted;
    std::vector<TUtterance> unrelated;
    for (const TVoice &v : voices) {
        for (std::size_t k = 0; k < items.size(); ++k) {
            const TEvalItem &item = items[k];
            omitted.emplace_back(g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Omitted)),
                                 100.0 * ReadShare(item));
            unrelated.push_back(
                g.analyse(items[(k + 1) % items.size()].sentence, RenditionPath(dir, v, item, TRendition::Correct)));
        }
    }
    // Read floor and presence threshold: the pair that puts the most
    // omitted readings within 10 points of their share read (the target's
    // own measure), the smaller total error among equals.
    double bestError = 1e9;
    int bestWithin = -1;
    TCalibration bestFound = c;
    for (double floor : {0.0, 2.0, 5.0, 10.0, 15.0, 25.0}) {
        for (double presence : {-80.0, -60.0, -50.0, -40.0, -30.0, -25.0, -20.0, -15.0, -10.0, -5.0, 0.0}) {
            c.readFloor = floor;
            c.minPresence = presence;
            const TIntegrityFit fit = integrityFit(c, omitted);
            if (fit.within > bestWithin || (fit.within == bestWithin && fit.error < bestError - 1e-9)) {
                bestWithin = fit.within;
                bestError = fit.error;
                bestFound = c;
            }
        }
    }
    c.readFloor = bestFound.readFloor;
    c.minPresence = bestFound.minPresence;
    for (double gate = 0; gate <= 100; gate += 10) {
        c.accuracyGate = gate;
        double worst = 0;
        for (const TUtterance &u : unrelated)
            worst = std::max(worst, overallOf(c, u));
        if (worst < 30)
            break;
    }
    std::printf("// fitted on %zu readings of %zu items by %zu voices; fit-set word AUC %.3f; omissions' mean "
                "integrity error %.1f, %d of %zu within 10 points\n",
                correct.size(), items.size(), voices.size(), bestAuc,
                bestError / std::max<std::size_t>(1, omitted.size()), bestWithin, omitted.size());
    std::printf("f.expected = {");
    for (const auto &[phone, value] : c.expected)
        std::printf("{\"%s\", %.2f}, ", phone.c_str(), value);
    std::printf("};\nf.defaultExpected = %.2f;\nf.worstWeight = %.1f;\nf.competitorWeight = %.2f;\n"
                "f.segmentWeight = %.0f;\nf.segmentCompetitorWeight = %.0f;\nf.mid = %.2f;\n"
                "f.slope = %.2f;\nf.readFloor = %.0f;\nf.minPresence = %.0f;\nf.accuracyGate = %.0f;\n",
                c.defaultExpected, c.worstWeight, c.competitorWeight, c.segmentWeight, c.segmentCompetitorWeight, mid,
                slope, c.readFloor, c.minPresence, c.accuracyGate);
    return 0;
}

// Words read alone, as the word drill records them: each item's replaced
// word read correctly and its neighbour read in its place, both graded
// against the word. Prints the pairs whose neighbour scores lower, the AUC of
// neighbour against correct reading, and how many correct readings reach the
// drill's pass mark of 60.
void runWords(TTimedGrader &g, const std::vector<TEvalItem> &items, const std::vector<TVoice> &voices,
              const std::string &dir)
{
    const TCalibration &c = g.grader.Calibration();
    std::vector<double> good;
    std::vector<double> bad;
    std::map<std::string, std::pair<int, int>> perVoice;
    int lower = 0;
    for (const TVoice &v : voices) {
        for (const TEvalItem &item : items) {
            const std::string word = RenditionText(item, TRendition::WordCorrect);
            const TUtterance right = g.analyse(word, RenditionPath(dir, v, item, TRendition::WordCorrect));
            const TUtterance wrong = g.analyse(word, RenditionPath(dir, v, item, TRendition::WordReplaced));
            const double r = right.words.empty() ? 0 : WordScore(c, right.words.front());
            const double w = wrong.words.empty() ? 0 : WordScore(c, wrong.words.front());
            good.push_back(r);
            bad.push_back(w);
            ++perVoice[v.name].second;
            if (w < r) {
                ++lower;
                ++perVoice[v.name].first;
            }
        }
    }
    const int pairs = static_cast<int>(good.size());
    std::printf("words read alone, neighbour scores lower: %d of %d = %.1f %%\n", lower, pairs,
                100.0 * lower / std::max(1, pairs));
    for (const auto &[name, counts] : perVoice)
        std::printf("  %-18s %d of %d = %.1f %%\n", name.c_str(), counts.first, counts.second,
                    100.0 * counts.first / std::max(1, counts.second));
    const auto passing = std::count_if(good.begin(), good.end(), [](double x) { return x >= 60; });
    std::printf("words read alone: AUC %.3f; mean score correct %.1f, neighbour %.1f; correct readings at 60 or "
                "more %td of %d\n",
                1.0 - Auc(bad, good), Mean(good), Mean(bad), passing, pairs);
}

int runEval(TTimedGrader &g, const std::vector<TEvalItem> &items, const std::vector<TVoice> &voices,
            const std::string &dir)
{
    const TCalibration &c = g.grader.Calibration();
    int pairs = 0;
    int lower = 0;
    std::vector<double> replacedScores;
    std::vector<double> sameWordScores;
    std::vector<double> correctScores;
    std::vector<double> integrityError;
    std::vector<double> unrelated;
    std::vector<double> correctOverall;
    std::map<std::string, std::pair<int, int>> perVoice;
    std::vector<std::pair<TUtterance, double>> omittedReadings; // with the share read
    std::vector<TUtterance> unrelatedReadings;
    std::vector<TUtterance> correctReadings;
    for (const TVoice &v : voices) {
        for (std::size_t k = 0; k < items.size(); ++k) {
            const TEvalItem &item = items[k];
            const auto t = static_cast<std::size_t>(item.target);
            const TUtterance right = g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Correct));
            const TUtterance wrong = g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Replaced));
            const double good = WordScore(c, right.words[t]);
            const double bad = WordScore(c, wrong.words[t]);
            ++pairs;
            ++perVoice[v.name].second;
            if (bad < good) {
                ++lower;
                ++perVoice[v.name].first;
            }
            replacedScores.push_back(bad);
            sameWordScores.push_back(good);
            for (const TWordEval &w : right.words)
                correctScores.push_back(WordScore(c, w));
            correctOverall.push_back(overallOf(c, right));
            correctReadings.push_back(right);

            const TUtterance omitted = g.analyse(item.sentence, RenditionPath(dir, v, item, TRendition::Omitted));
            const double share = 100.0 * ReadShare(item);
            integrityError.push_back(integrityOf(c, omitted) - share);
            omittedReadings.emplace_back(omitted, share);

            const TEvalItem &other = items[(k + 1) % items.size()];
            unrelatedReadings.push_back(g.analyse(other.sentence, RenditionPath(dir, v, item, TRendition::Correct)));
            unrelated.push_back(overallOf(c, unrelatedReadings.back()));
        }
    }
    const std::string silence = SilencePath(dir);
    const std::string noise = NoisePath(dir);
    const double silenceOverall = overallOf(c, g.analyse(items.front().sentence, silence));
    const double noiseOverall = overallOf(c, g.analyse(items.front().sentence, noise));

    std::printf("voices: %zu, items: %zu, gradings: %d, audio %.1f s\n", voices.size(), items.size(), g.count, g.audio);
    std::printf("minimal pairs, replaced word scores lower: %d of %d = %.1f %% (target >= 90 %% of >= 100)\n", lower,
                pairs, 100.0 * lower / std::max(1, pairs));
    for (const auto &[name, counts] : perVoice)
        std::printf("  %-18s %d of %d = %.1f %%\n", name.c_str(), counts.first, counts.second,
                    100.0 * counts.first / std::max(1, counts.second));
    std::printf("word AUC, replaced vs every word of the correct readings: %.3f (target >= 0.90)\n",
                1.0 - Auc(replacedScores, correctScores));
    std::printf("word AUC, replaced vs the same word read correctly: %.3f\n",
                1.0 - Auc(replacedScores, sameWordScores));
    std::printf("mean word score: correct %.1f, replaced %.1f\n", Mean(correctScores), Mean(replacedScores));
    std::printf("correct readings overall: mean %.1f, min %.1f\n", Mean(correctOverall),
                *std::min_element(correctOverall.begin(), correctOverall.end()));
    double worst = 0;
    double absSum = 0;
    int within = 0;
    for (double e : integrityError) {
        worst = std::max(worst, std::abs(e));
        absSum += std::abs(e);
        within += std::abs(e) <= 10 ? 1 : 0;
    }
    std::printf(
        "omissions, integrity minus share read: mean %+.1f, mean |error| %.1f, worst %.1f, within 10 points %d of %zu "
        "(target: within 10)\n",
        Mean(integrityError), absSum / std::max<std::size_t>(1, integrityError.size()), worst, within,
        integrityError.size());
    std::printf("unrelated speech overall: mean %.1f, max %.1f (target < 30)\n", Mean(unrelated),
                *std::max_element(unrelated.begin(), unrelated.end()));
    std::printf("silence overall: %.1f (target 0); quiet noise overall: %.1f\n", silenceOverall, noiseOverall);
    // How the read floor and the accuracy gate trade integrity and the
    // overall of correct readings against unrelated speech.
    for (double floor : {0.0, 5.0, 10.0, 25.0}) {
        for (double gate : {0.0, 60.0, 80.0}) {
            TCalibration alt = c;
            alt.readFloor = floor;
            alt.accuracyGate = gate;
            const TIntegrityFit fit = integrityFit(alt, omittedReadings);
            double worstUnrelated = 0;
            for (const TUtterance &u : unrelatedReadings)
                worstUnrelated = std::max(worstUnrelated, overallOf(alt, u));
            double correctSum = 0;
            for (const TUtterance &u : correctReadings)
                correctSum += overallOf(alt, u);
            std::printf("  read floor %4.1f, gate %3.0f: integrity mean |error| %.1f, within 10 points %d of %zu; "
                        "unrelated max %.1f; correct readings overall mean %.1f\n",
                        floor, gate, fit.error / std::max<std::size_t>(1, omittedReadings.size()), fit.within,
                        omittedReadings.size(), worstUnrelated,
                        correctSum / std::max<std::size_t>(1, correctReadings.size()));
        }
    }
    // How the presence threshold trades words left out against words read.
    for (double presence : {-50.0, -25.0, -10.0, 0.0}) {
        TCalibration alt = c;
        alt.minPresence = presence;
        const TIntegrityFit fit = integrityFit(alt, omittedReadings);
        double correctIntegrity = 0;
        for (const TUtterance &u : correctReadings)
            correctIntegrity += integrityOf(alt, u);
        std::printf("  presence above %5.1f: integrity mean |error| %.1f, within 10 points %d of %zu; correct "
                    "readings integrity mean %.1f\n",
                    presence, fit.error / std::max<std::size_t>(1, omittedReadings.size()), fit.within,
                    omittedReadings.size(), correctIntegrity / std::max<std::size_t>(1, correctReadings.size()));
    }
    std::printf("real-time factor (CPU time of grading / audio time, one thread): %.3f (target <= 0.3)\n",
                g.cpu / std::max(1e-9, g.audio));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB (target < 200 MB)\n", usage.ru_maxrss / 1024.0);
    // After the real-time factor, which is that of the sentences: words read
    // alone are short, so the decoder's fixed cost weighs more in them.
    runWords(g, items, voices, dir);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::string dir = (std::filesystem::path(argv[0]).parent_path() / "grader-data").string();
    std::size_t limit = 0;
    bool fit = false;
    bool wordsOnly = false;
    std::string voiceList;
    std::string dump;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc)
            dir = argv[++i];
        else if (arg == "--items" && i + 1 < argc)
            limit = static_cast<std::size_t>(std::stoul(argv[++i]));
        else if (arg == "--voices" && i + 1 < argc)
            voiceList = argv[++i];
        else if (arg == "--fit")
            fit = true;
        else if (arg == "--words")
            wordsOnly = true;
        else if (arg == "--dump" && i + 1 < argc)
            dump = argv[++i];
        else {
            std::fprintf(
                stderr,
                "usage: grader_eval [--data DIR] [--items N] [--voices a,b,...] [--fit | --dump FILE | --words]\n");
            return 2;
        }
    }
    std::vector<TEvalItem> items = LoadItems(GRADER_PAIRS_FILE, fit ? "fit" : "eval");
    if (limit > 0 && items.size() > limit)
        items.resize(limit);
    std::vector<TVoice> voices = SelectVoices(voiceList);
    if (items.empty() || voices.empty()) {
        std::fprintf(stderr, "grader_eval: no items or no voices\n");
        return 2;
    }
    std::string error;
    if (!GenerateSpeech(dir, voices, items, error)) {
        std::fprintf(stderr, "grader_eval: %s\n", error.c_str());
        return 1;
    }
    TTimedGrader g;
    if (!dump.empty()) {
        std::vector<std::pair<std::string, std::vector<TEvalItem>>> sets;
        for (const char *set : {"fit", "eval"}) {
            std::vector<TEvalItem> setItems = LoadItems(GRADER_PAIRS_FILE, set);
            if (!GenerateSpeech(dir, voices, setItems, error)) {
                std::fprintf(stderr, "grader_eval: %s\n", error.c_str());
                return 1;
            }
            sets.emplace_back(set, std::move(setItems));
        }
        const bool written =
            WriteAnalyses(dump, dir, voices, sets,
                          [&g](const std::string &text, const std::string &wav) { return g.analyse(text, wav); });
        if (!written)
            std::fprintf(stderr, "grader_eval: cannot write %s\n", dump.c_str());
        return written ? 0 : 1;
    }
    if (wordsOnly) {
        runWords(g, items, voices, dir);
        return 0;
    }
    return fit ? runFit(g, items, voices, dir) : runEval(g, items, voices, dir);
}
