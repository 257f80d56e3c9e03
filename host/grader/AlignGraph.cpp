#include "AlignGraph.h"

#include <algorithm>
#include <limits>

#include <map>

namespace grader {

const std::vector<std::string> &CompetitorPhones(const std::string &phone)
{
    static const std::map<std::string, std::vector<std::string>> table = {
        {"IY", {"IH"}},
        {"IH", {"IY", "EH"}},
        {"UW", {"UH"}},
        {"UH", {"UW"}},
        {"AE", {"EH", "AH", "AA"}},
        {"EH", {"AE", "IH", "EY"}},
        {"AH", {"AE", "AA"}},
        {"AA", {"AH", "AO", "AE"}},
        {"AO", {"AA", "OW", "ER"}},
        {"ER", {"AO", "AA"}},
        {"OW", {"AO", "OY"}},
        {"OY", {"OW"}},
        {"EY", {"EH"}},
        {"AY", {"AA"}},
        {"AW", {"AA"}},
        {"TH", {"S", "T", "F"}},
        {"DH", {"D", "Z"}},
        {"S", {"TH", "SH", "Z"}},
        {"Z", {"S"}},
        {"SH", {"S", "CH"}},
        {"CH", {"SH"}},
        {"JH", {"ZH", "Y"}},
        {"ZH", {"JH"}},
        {"V", {"W", "B", "F"}},
        {"W", {"V"}},
        {"F", {"P", "V"}},
        {"B", {"P", "V"}},
        {"P", {"B", "F"}},
        {"T", {"D", "TH"}},
        {"D", {"T", "DH"}},
        {"K", {"G"}},
        {"G", {"K"}},
        {"L", {"R", "N"}},
        {"R", {"L"}},
        {"N", {"L", "NG"}},
        {"NG", {"N"}},
        {"M", {"N"}},
    };
    static const std::vector<std::string> none;
    const auto it = table.find(phone);
    return it != table.end() ? it->second : none;
}

TAlignGraph BuildAlignGraph(const std::vector<std::vector<TPronunciation>> &words, const TGraphOptions &options)
{
    TAlignGraph g;
    int next = 0;
    auto newState = [&next] { return next++; };
    auto optionalSilence = [&](int from) {
        const int to = newState();
        g.arcs.push_back({from, to, kSilenceLabel, options.silenceProb});
        g.arcs.push_back({from, to, {}, 1.0 - options.silenceProb});
        return to;
    };
    g.start = newState();
    int boundary = g.start;
    for (int w = 0; w < static_cast<int>(words.size()); ++w) {
        const int wordStart = optionalSilence(boundary);
        const auto &prons = words[w];
        // The phones' inner states come first and the word's end after them,
        // so that every arc points forward.
        int inner = 0;
        for (const auto &phones : prons)
            inner += std::max(0, static_cast<int>(phones.size()) - 1);
        const int wordEnd = next + inner;
        for (int p = 0; p < static_cast<int>(prons.size()); ++p) {
            int from = wordStart;
            const auto &phones = prons[p];
            for (int k = 0; k < static_cast<int>(phones.size()); ++k) {
                const bool last = k + 1 == static_cast<int>(phones.size());
                const int to = last ? wordEnd : newState();
                const double entry = k == 0 ? 1.0 / static_cast<double>(prons.size()) : 1.0;
                g.arcs.push_back(TArc{from, to, phones[k], entry, w, k, p});
                if (options.competitors) {
                    for (const std::string &other : CompetitorPhones(phones[k])) {
                        TArc arc{from, to, other, entry * options.competitorProb, w, k, p};
                        arc.competitor = true;
                        g.arcs.push_back(arc);
                    }
                }
                from = to;
            }
        }
        next = wordEnd + 1;
        TArc skip{wordStart, wordEnd, {}, prons.empty() ? 1.0 : options.skipProb};
        skip.word = w;
        skip.skip = true;
        g.arcs.push_back(skip);
        boundary = wordEnd;
    }
    g.final = optionalSilence(boundary);
    g.states = next;
    return g;
}

std::optional<std::vector<int>> ParseAlignment(const TAlignGraph &graph, const std::vector<std::string> &labels)
{
    // States are numbered so that every arc goes forward (to > from), so one
    // pass in state order settles the null arcs after each label.
    constexpr int kNone = std::numeric_limits<int>::max();
    const auto n = static_cast<std::size_t>(graph.states);
    const std::size_t steps = labels.size() + 1;
    std::vector<int> cost(steps * n, kNone);
    std::vector<int> via(steps * n, -1); // arc that reached the state
    auto at = [n](std::size_t i, int s) { return i * n + static_cast<std::size_t>(s); };
    std::vector<std::vector<int>> outgoing(n);
    for (int a = 0; a < static_cast<int>(graph.arcs.size()); ++a)
        outgoing[static_cast<std::size_t>(graph.arcs[a].from)].push_back(a);

    cost[at(0, graph.start)] = 0;
    for (std::size_t i = 0; i < steps; ++i) {
        for (int s = 0; s < graph.states; ++s) {
            const int c = cost[at(i, s)];
            if (c == kNone)
                continue;
            for (int a : outgoing[static_cast<std::size_t>(s)]) {
                const TArc &arc = graph.arcs[a];
                if (arc.label.empty()) {
                    const int nc = c + (arc.skip ? 1 : 0);
                    if (nc < cost[at(i, arc.to)]) {
                        cost[at(i, arc.to)] = nc;
                        via[at(i, arc.to)] = a;
                    }
                } else if (i < labels.size() && arc.label == labels[i]) {
                    if (c < cost[at(i + 1, arc.to)]) {
                        cost[at(i + 1, arc.to)] = c;
                        via[at(i + 1, arc.to)] = a;
                    }
                }
            }
        }
    }
    if (cost[at(labels.size(), graph.final)] == kNone)
        return std::nullopt;
    std::vector<int> out(labels.size(), -1);
    std::size_t i = labels.size();
    int s = graph.final;
    while (!(i == 0 && s == graph.start)) {
        const int a = via[at(i, s)];
        const TArc &arc = graph.arcs[a];
        if (!arc.label.empty()) {
            --i;
            out[i] = a;
        }
        s = arc.from;
    }
    return out;
}

} // namespace grader
