#include "EvalDump.h"

#include <algorithm>
#include <cstdio>

namespace {

void writeUtterance(std::FILE *out, const std::string &head, const TEvalItem &item, const std::string &rendition,
                    const grader::TUtterance &u)
{
    std::fprintf(out, "U %s %s %d ", head.c_str(), rendition.c_str(), u.frames);
    for (std::size_t i = 0; i < u.pauses.size(); ++i)
        std::fprintf(out, "%s%d", i ? "," : "", u.pauses[i]);
    std::fprintf(out, "%s\n", u.pauses.empty() ? "-" : "");
    for (std::size_t w = 0; w < u.words.size(); ++w) {
        const grader::TWordEval &word = u.words[w];
        const int index = static_cast<int>(w);
        const char *role = "-";
        if (rendition == "replaced" && index == item.target)
            role = "target";
        else if (rendition == "omitted"
                 && std::find(item.omitted.begin(), item.omitted.end(), index) != item.omitted.end())
            role = "omitted";
        std::fprintf(out, "W %s %s %d %s %s %d ", head.c_str(), rendition.c_str(), index, word.text.c_str(), role,
                     word.aligned ? 1 : 0);
        for (std::size_t p = 0; p < word.phones.size(); ++p) {
            const grader::TPhoneEval &ph = word.phones[p];
            std::fprintf(out, "%s%s:%d:%d:%.3f:%.3f:%.3f:%s:%.3f:%.3f", p ? ";" : "", ph.phone.c_str(), ph.startFrame,
                         ph.endFrame, ph.gop, ph.competitorGop, ph.silenceShare,
                         ph.heardAs.empty() ? "-" : ph.heardAs.c_str(), ph.segmentGop, ph.segmentCompetitorGop);
        }
        std::fprintf(out, "%s %zu %.3f\n", word.phones.empty() ? "-" : "", word.reference.size(),
                     word.presenceKnown ? word.presence : 0.0);
    }
}

} // namespace

bool WriteAnalyses(const std::string &path, const std::string &dir, const std::vector<TVoice> &voices,
                   const std::vector<std::pair<std::string, std::vector<TEvalItem>>> &sets,
                   const std::function<grader::TUtterance(const std::string &, const std::string &)> &analyse)
{
    std::FILE *out = std::fopen(path.c_str(), "w");
    if (!out)
        return false;
    for (const auto &[set, items] : sets) {
        for (const TVoice &v : voices) {
            for (std::size_t k = 0; k < items.size(); ++k) {
                const TEvalItem &item = items[k];
                const std::string head = set + " " + v.name + " " + item.id;
                for (TRendition r : {TRendition::Correct, TRendition::Replaced, TRendition::Omitted})
                    writeUtterance(out, head, item, RenditionName(r),
                                   analyse(item.sentence, RenditionPath(dir, v, item, r)));
                // The target word and its neighbour read alone, graded against the word.
                for (TRendition r : {TRendition::WordCorrect, TRendition::WordReplaced})
                    writeUtterance(
                        out, head, item, RenditionName(r),
                        analyse(RenditionText(item, TRendition::WordCorrect), RenditionPath(dir, v, item, r)));
                const TEvalItem &other = items[(k + 1) % items.size()];
                writeUtterance(out, head, other, "unrelated",
                               analyse(other.sentence, RenditionPath(dir, v, item, TRendition::Correct)));
            }
        }
    }
    return std::fclose(out) == 0;
}
