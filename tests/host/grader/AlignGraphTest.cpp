// The alignment grammar and the walk that maps decoded labels back to the
// words and phones of the reference.

#include "AlignGraph.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace grader;
using Labels = std::vector<std::string>;

namespace {

// "read" (two pronunciations), "it", "now".
TAlignGraph threeWords()
{
    return BuildAlignGraph({{{"R", "IY", "D"}, {"R", "EH", "D"}}, {{"IH", "T"}}, {{"N", "AW"}}}, TGraphOptions{});
}

struct TPlace
{
    int word;
    int phone;
    int pron;
};

std::vector<TPlace> places(const TAlignGraph &g, const Labels &labels)
{
    const auto arcs = ParseAlignment(g, labels);
    EXPECT_TRUE(arcs.has_value());
    std::vector<TPlace> out;
    if (arcs)
        for (int a : *arcs)
            out.push_back({g.arcs[a].word, g.arcs[a].phone, g.arcs[a].pron});
    return out;
}

} // namespace

TEST(AlignGraphTest, ArcsPointForwardAndEveryWordCanBeSkipped)
{
    const TAlignGraph g = threeWords();
    EXPECT_EQ(g.start, 0);
    int skips = 0;
    for (const TArc &a : g.arcs) {
        EXPECT_LT(a.from, a.to);
        EXPECT_LT(a.to, g.states);
        if (a.skip) {
            ++skips;
            EXPECT_LT(a.prob, 0.01);
        }
    }
    EXPECT_EQ(skips, 3);
    // A word without pronunciation can only be skipped, at no cost.
    const TAlignGraph empty = BuildAlignGraph({{}}, TGraphOptions{});
    ASSERT_EQ(std::count_if(empty.arcs.begin(), empty.arcs.end(), [](const TArc &a) { return a.skip; }), 1);
    EXPECT_TRUE(ParseAlignment(empty, {}).has_value());
}

TEST(AlignGraphTest, DecodedLabelsFindTheirWordsAndPhones)
{
    const TAlignGraph g = threeWords();
    const struct
    {
        Labels labels;
        std::vector<int> words; // word of each label, -1 for silence
        std::vector<int> prons;
    } cases[] = {
        {{"R", "IY", "D", "IH", "T", "N", "AW"}, {0, 0, 0, 1, 1, 2, 2}, {0, 0, 0, 0, 0, 0, 0}},
        {{"<sil>", "R", "EH", "D", "<sil>", "IH", "T", "N", "AW", "<sil>"},
         {-1, 0, 0, 0, -1, 1, 1, 2, 2, -1},
         {-1, 1, 1, 1, -1, 0, 0, 0, 0, -1}},
        {{"R", "IY", "D", "N", "AW"}, {0, 0, 0, 2, 2}, {0, 0, 0, 0, 0}}, // "it" left out
        {{"<sil>", "IH", "T"}, {-1, 1, 1}, {-1, 0, 0}},                  // only "it"
    };
    for (const auto &c : cases) {
        const auto got = places(g, c.labels);
        ASSERT_EQ(got.size(), c.labels.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].word, c.words[i]) << "label " << i;
            EXPECT_EQ(got[i].pron, c.prons[i]) << "label " << i;
        }
    }
    EXPECT_EQ(places(g, {"R", "IY", "D", "IH", "T", "N", "AW"})[4].phone, 1);
}

TEST(AlignGraphTest, LabelsOffTheGraphAreRejected)
{
    const TAlignGraph g = threeWords();
    // Four word boundaries take at most four pauses.
    for (const Labels &labels : {Labels{"N", "AW", "R", "IY", "D"}, Labels{"R", "IY"}, Labels{"R", "IY", "D", "D"},
                                 Labels(5, "<sil>"), Labels{"S"}, Labels{"R", "IH", "D", "IH", "T", "N", "AW"}})
        EXPECT_FALSE(ParseAlignment(g, labels).has_value()) << labels.size();
}

TEST(AlignGraphTest, RepeatedWordsPreferTheReadingWithFewestSkips)
{
    // "no no": the labels N OW could be either word; one is skipped then,
    // and with both read each word gets its own phones.
    const TAlignGraph g = BuildAlignGraph({{{"N", "OW"}}, {{"N", "OW"}}}, TGraphOptions{});
    const auto both = places(g, {"N", "OW", "N", "OW"});
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(both[0].word, 0);
    EXPECT_EQ(both[2].word, 1);
}

TEST(AlignGraphTest, CompetitorsStandBesideEachPhone)
{
    TGraphOptions options;
    options.competitors = true;
    const TAlignGraph g = BuildAlignGraph({{{"SH", "IH", "P"}}}, options);
    // "ship" heard as "sheep": the vowel arc is a competitor of phone 1.
    const auto arcs = ParseAlignment(g, {"SH", "IY", "P"});
    ASSERT_TRUE(arcs.has_value());
    const TArc &vowel = g.arcs[(*arcs)[1]];
    EXPECT_TRUE(vowel.competitor);
    EXPECT_EQ(vowel.word, 0);
    EXPECT_EQ(vowel.phone, 1);
    EXPECT_LT(vowel.prob, 1.0);
    EXPECT_FALSE(g.arcs[(*arcs)[0]].competitor);
    // Without competitors the same labels are off the graph.
    EXPECT_FALSE(ParseAlignment(BuildAlignGraph({{{"SH", "IH", "P"}}}, TGraphOptions{}), {"SH", "IY", "P"}));
}
