// The layout arithmetic of the result views and the word search of the
// passage text: plain functions, tested without a window.

#include "ResultLayout.h"
#include "WordFlow.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultLayout, PhonemeRowsStackAndChipsGoFourToALineSharingTheirBorders)
{
    EXPECT_DOUBLE_EQ(PhonemeRowY(2), 52);
    EXPECT_DOUBLE_EQ(PhonemePlayButtonY(52), 57);
    // Chips of 154 x 33 to the right of the 160 wide word cell.
    const struct
    {
        int j;
        double x, y;
    } places[] = {{0, 159, 0}, {1, 312, 0}, {3, 618, 0}, {4, 159, 32}, {5, 312, 32}, {9, 312, 64}};
    for (const auto &p : places) {
        const TChipPlace c = ChipPlace(p.j, 154, 33, 160);
        EXPECT_DOUBLE_EQ(c.x, p.x) << p.j;
        EXPECT_DOUBLE_EQ(c.y, p.y) << p.j;
    }
    // Padding fills only an unfinished last line.
    const QList<std::pair<int, int>> cases{{0, 0}, {1, 3}, {3, 1}, {4, 0}, {5, 3}, {6, 2}, {8, 0}};
    for (const auto &[count, padding] : cases)
        EXPECT_EQ(ChipPadding(count), padding) << count;
}

TEST(ResultLayout, SentenceRowsFoldAndUnfold)
{
    const QList<double> heights{20, 40, 20, 20, 20};
    EXPECT_EQ(FoldedRowYs(heights), (QList<double>{0, 34, 88, 122, 156}));
    // Row 1 unfolded over 197: the rows after it move down, the others stay.
    EXPECT_EQ(UnfoldedRowYs(heights, 1, 197), (QList<double>{0, 34, 285, 319, 353}));
    EXPECT_EQ(UnfoldedRowYs(heights, 4, 197), FoldedRowYs(heights));
    // A sentence without words moves nothing; a row out of range neither.
    EXPECT_EQ(UnfoldedRowYs(heights, 1, 0), FoldedRowYs(heights));
    EXPECT_EQ(UnfoldedRowYs(heights, 7, 50), FoldedRowYs(heights));
    EXPECT_TRUE(FoldedRowYs({}).isEmpty());
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(SentenceRowTransparent(n), n % 2 == 0) << n;
}

TEST(ResultLayout, WordsUnfoldInStripsOfEight)
{
    const QList<std::pair<int, QList<int>>> cases{{0, {}},     {1, {1}},     {8, {8}},
                                                  {9, {8, 1}}, {16, {8, 8}}, {17, {8, 8, 1}}};
    for (const auto &[count, sizes] : cases)
        EXPECT_EQ(WordStripSizes(count), sizes) << count;
    // Strips overlap by one line; their columns scale with the strip.
    EXPECT_DOUBLE_EQ(StackedStripsHeight({99, 99, 99}), 295);
    EXPECT_DOUBLE_EQ(StackedStripsHeight({}), 0);
    EXPECT_DOUBLE_EQ(WordStripColumnX(5, 838), 524);
    EXPECT_DOUBLE_EQ(WordStripColumnWidth(838), 106);
    EXPECT_DOUBLE_EQ(WordStripColumnX(7, 419), 366);
    EXPECT_DOUBLE_EQ(WordStripColumnWidth(419), 53);
    EXPECT_EQ(DecimalScoreText(59.5), QStringLiteral("59.5"));
    EXPECT_EQ(DecimalScoreText(72.25), QStringLiteral("72.25"));
}

TEST(WordFlow, SplitsAtRunsOfSpacesFillsLinesThenWraps)
{
    EXPECT_EQ(SplitWords(QStringLiteral("  Hello  world ")),
              (QStringList{QStringLiteral("Hello"), QStringLiteral("world")}));
    EXPECT_TRUE(SplitWords(QStringLiteral("   ")).isEmpty());
    // Width 100: 40 + 50 fit, the third word (30) does not and starts a line.
    const QList<QSizeF> sizes{{40, 20}, {50, 20}, {30, 20}, {60, 20}};
    const QList<TWordPlace> places = FlowWords(sizes, 100);
    ASSERT_EQ(places.size(), 4);
    const TWordPlace expected[] = {{0, 0}, {40, 0}, {0, 20}, {30, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(places[i].x, expected[i].x) << i;
        EXPECT_DOUBLE_EQ(places[i].y, expected[i].y) << i;
    }
    EXPECT_DOUBLE_EQ(FlowHeight(places, sizes), 50);
    EXPECT_DOUBLE_EQ(FlowHeight({}, {}), 0);
}

TEST(WordFlow, PhraseAndWordSearch)
{
    const QStringList words = SplitWords(QStringLiteral("I said that I LIKE apples very much "));
    const struct
    {
        const char *phrase;
        int from;
        int found;
    } cases[] = {
        {"I like apples", 0, 3},                            // words 3 to 5, case-insensitively
        {"i", 1, 3},                                        // the search starts at `from`
        {"I said", 1, -1},                                  // only before `from`
        {"very much more", 0, -1},                          // its first words match only at the end
        {"much", 0, 7},                                     // the last word
        {"said", -1, -1},                                   // a failed search leaves -1
        {"I said that I like apples very much too", 0, -1}, // longer than the text
        {"", 2, 2},                                         // nothing to find: the place stays
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindPhrase(words, QString::fromLatin1(c.phrase), c.from), c.found) << c.phrase;
    EXPECT_EQ(FindPhrase({}, QStringLiteral("a"), 0), -1);

    // A word in an example, also at its start.
    const QString example = QStringLiteral("Apple trees grow apples.");
    EXPECT_EQ(FindWordInText(example, QStringLiteral("apple")), 0);
    EXPECT_EQ(FindWordInText(example, QStringLiteral(" TREES ")), 6);
    EXPECT_EQ(FindWordInText(example, QStringLiteral("pear")), -1);
    EXPECT_EQ(FindWordInText(example, QStringLiteral("  ")), -1);
}

} // namespace
