#include "EvalData.h"

#include "WavAudio.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> words(const std::string &s)
{
    std::istringstream in(s);
    std::vector<std::string> out;
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

std::string join(const std::vector<std::string> &w)
{
    std::string out;
    for (const auto &x : w)
        out += (out.empty() ? "" : " ") + x;
    return out;
}

std::string replaceAll(std::string s, const std::string &from, const std::string &to)
{
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
        s.replace(p, from.size(), to);
    return s;
}

} // namespace

const char *RenditionName(TRendition r)
{
    switch (r) {
    case TRendition::Correct: return "correct";
    case TRendition::Replaced: return "replaced";
    case TRendition::Omitted: return "omitted";
    case TRendition::WordCorrect: return "word-correct";
    case TRendition::WordReplaced: return "word-replaced";
    }
    return "";
}

std::vector<TEvalItem> LoadItems(const std::string &path, const std::string &set)
{
    std::vector<TEvalItem> items;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string part;
        while (std::getline(fields, part, '|'))
            f.push_back(part);
        if (f.size() != 4 || f[0] != set)
            continue;
        TEvalItem item;
        item.sentence = f[1];
        item.target = std::stoi(f[2]);
        item.replacement = f[3];
        const int n = static_cast<int>(words(item.sentence).size());
        // Leave out one, two or three words in turn, never the first, spread
        // over the sentence.
        const int count = 1 + static_cast<int>(items.size() % 3);
        for (int k = 0; k < count && 1 + 2 * k < n; ++k)
            item.omitted.push_back(1 + 2 * k + static_cast<int>(items.size() % 2));
        std::erase_if(item.omitted, [n](int i) { return i >= n; });
        char id[32];
        std::snprintf(id, sizeof id, "%s%02zu", set.c_str(), items.size());
        item.id = id;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<TVoice> SelectVoices(const std::string &names)
{
    // Every synthesiser writes its own rate; sox makes 16 kHz mono of it.
    static const std::vector<TVoice> all = {
        {"espeak-us", "espeak-ng -v en-us -f %T -w %W.raw.wav"},
        {"espeak-gb", "espeak-ng -v en-gb -f %T -w %W.raw.wav"},
        {"flite-slt", "flite -voice slt -f %T -o %W.raw.wav"},
        {"flite-rms", "flite -voice rms -f %T -o %W.raw.wav"},
        {"festival-hts-slt", "text2wave -eval '(voice_cmu_us_slt_arctic_hts)' %T -o %W.raw.wav"},
    };
    if (names.empty())
        return all;
    std::vector<TVoice> out;
    for (const TVoice &v : all)
        if (("," + names + ",").find("," + v.name + ",") != std::string::npos)
            out.push_back(v);
    return out;
}

std::string RenditionText(const TEvalItem &item, TRendition r)
{
    std::vector<std::string> w = words(item.sentence);
    switch (r) {
    case TRendition::Correct: break;
    case TRendition::Replaced: w[static_cast<std::size_t>(item.target)] = item.replacement; break;
    case TRendition::Omitted: {
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < w.size(); ++i)
            if (std::find(item.omitted.begin(), item.omitted.end(), static_cast<int>(i)) == item.omitted.end())
                kept.push_back(w[i]);
        w = kept;
        break;
    }
    case TRendition::WordCorrect: return w[static_cast<std::size_t>(item.target)];
    case TRendition::WordReplaced: return item.replacement;
    }
    return join(w);
}

double ReadShare(const TEvalItem &item)
{
    const double n = static_cast<double>(words(item.sentence).size());
    return (n - static_cast<double>(item.omitted.size())) / n;
}

std::string RenditionPath(const std::string &dir, const TVoice &v, const TEvalItem &item, TRendition r)
{
    return (fs::path(dir) / v.name / (item.id + "-" + RenditionName(r) + ".wav")).string();
}

std::string SilencePath(const std::string &dir)
{
    return (fs::path(dir) / "silence.wav").string();
}

std::string NoisePath(const std::string &dir)
{
    return (fs::path(dir) / "noise.wav").string();
}

bool GenerateSpeech(const std::string &dir, const std::vector<TVoice> &voices, const std::vector<TEvalItem> &items,
                    std::string &error)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::exists(SilencePath(dir)))
        grader::WriteWav(SilencePath(dir), std::vector<int16_t>(3 * grader::kSampleRate, 0));
    if (!fs::exists(NoisePath(dir))) {
        std::mt19937 rng(7);
        std::normal_distribution<double> n(0, 300); // about -40 dB below full scale
        std::vector<int16_t> s(3 * grader::kSampleRate);
        for (auto &x : s)
            x = static_cast<int16_t>(n(rng));
        grader::WriteWav(NoisePath(dir), s);
    }
    for (const TVoice &v : voices) {
        fs::create_directories(fs::path(dir) / v.name, ec);
        for (const TEvalItem &item : items) {
            for (TRendition r : {TRendition::Correct, TRendition::Replaced, TRendition::Omitted,
                                 TRendition::WordCorrect, TRendition::WordReplaced}) {
                const std::string wav = RenditionPath(dir, v, item, r);
                if (fs::exists(wav))
                    continue;
                const std::string txt = wav + ".txt";
                std::ofstream(txt) << RenditionText(item, r) << "\n";
                std::string cmd = replaceAll(replaceAll(v.command, "%T", "'" + txt + "'"), "%W", "'" + wav + "'");
                cmd += " >/dev/null 2>&1 && sox '" + wav + ".raw.wav' -r 16000 -c 1 -b 16 '" + wav + "' && rm -f '"
                       + wav + ".raw.wav' '" + txt + "'";
                if (std::system(cmd.c_str()) != 0 || !fs::exists(wav)) {
                    error = "cannot synthesise " + wav + " (" + v.name + ")";
                    return false;
                }
            }
        }
    }
    return true;
}
