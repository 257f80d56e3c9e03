// studygrade: grades one recording offline and prints the result JSON.
//
//   studygrade REF_TEXT WAV [--mode sentence|passage|word] [--limit SECONDS] [--analyse]
//
// --analyse prints, instead of the result, each word's score and presence and
// its phones with their frames, goodness of pronunciation and silence share
// (for calibration).
// The printed object is what the grading engine hands to the module:
// {"result": {…}}. Exit 0 when a result was printed, 2 on a usage error,
// 1 when the grader cannot start (model files missing) or the WAV file cannot
// be read.

#include "OfflineGrader.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: studygrade REF_TEXT WAV [--mode sentence|passage|word] [--limit SECONDS] [--analyse]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    std::string text;
    std::string wav;
    grader::TGradeMode mode = grader::TGradeMode::Sentence;
    double limit = 0;
    int positional = 0;
    bool analyse = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--mode" && i + 1 < argc) {
            const std::string m = argv[++i];
            if (m == "sentence")
                mode = grader::TGradeMode::Sentence;
            else if (m == "passage")
                mode = grader::TGradeMode::Passage;
            else if (m == "word")
                mode = grader::TGradeMode::Word;
            else
                return usage();
        } else if (arg == "--limit" && i + 1 < argc) {
            try {
                limit = std::stod(argv[++i]);
            } catch (const std::exception &) {
                return usage();
            }
        } else if (arg == "--analyse") {
            analyse = true;
        } else if (arg == "-h" || arg == "--help") {
            return usage();
        } else if (positional == 0) {
            text = arg;
            ++positional;
        } else if (positional == 1) {
            wav = arg;
            ++positional;
        } else {
            return usage();
        }
    }
    if (positional != 2)
        return usage();
    // A file that is missing or not a WAV recording is the caller's mistake,
    // not a reading that scores 0.
    const std::optional<grader::TAudio> audio = grader::ReadWav(wav, limit);
    if (!audio) {
        std::fprintf(stderr, "studygrade: cannot read %s as a WAV recording\n", wav.c_str());
        return 1;
    }
    try {
        grader::TOfflineGrader grader;
        if (analyse) {
            const grader::TUtterance u = grader.Analyse(text, *audio);
            for (const grader::TWordEval &w : u.words) {
                std::printf("%-14s %s score %.1f presence %.1f\n", w.text.c_str(), w.aligned ? "aligned" : "skipped",
                            grader::WordScore(grader.Calibration(), w), w.presence);
                for (const grader::TPhoneEval &p : w.phones)
                    std::printf("    %-3s %4d-%4d gop %7.2f rival %7.2f segment %7.2f segment rival %7.2f norm %7.2f "
                                "silence %.2f%s%s\n",
                                p.phone.c_str(), p.startFrame, p.endFrame, p.gop, p.competitorGop, p.segmentGop,
                                p.segmentCompetitorGop, grader::NormalisedGop(grader.Calibration(), p), p.silenceShare,
                                p.heardAs.empty() ? "" : " heard as ", p.heardAs.c_str());
            }
            return 0;
        }
        const nlohmann::ordered_json result{{"result", grader.Grade(mode, text, *audio)}};
        std::printf("%s\n", result.dump().c_str());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "studygrade: %s\n", e.what());
        return 1;
    }
}
