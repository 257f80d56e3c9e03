#pragma once
// Layout arithmetic of the result views: the word card's phoneme list, the
// phoneme chips of a word row, the passage table's rows as they fold and
// unfold, and the word strips a sentence unfolds into. Plain numbers in
// logical pixels; the views only apply them.

#include <QList>
#include <QString>

// -- the word card's phoneme list: one row per phoneme, stacked without gaps --
inline constexpr double kPhonemeRowHeight = 26;
// y of phoneme row k.
double PhonemeRowY(int k);
// y of the row's play button (16 high), centred on the row.
double PhonemePlayButtonY(double rowY, double rowHeight = kPhonemeRowHeight);

// -- the phoneme chips of a word row, four to a line --
inline constexpr int kChipsPerLine = 4;
struct TChipPlace
{
    double x = 0;
    double y = 0;
};
// Chip j of a row whose chips are chipWidth x chipHeight, to the right of a
// word cell wordCellWidth wide; neighbouring chips share their border line.
TChipPlace ChipPlace(int j, double chipWidth, double chipHeight, double wordCellWidth);
// Empty chips that fill the last line of `count` chips up to four; 0 when the
// last line is full or there are no chips.
int ChipPadding(int count);

// -- the passage table --
inline constexpr double kSentenceRowGap = 14;
// A sentence row is drawn transparent on even rows, tinted on odd ones.
bool SentenceRowTransparent(int n);
// The folded y of every row, from the rows' heights: the first at 0, each
// next one under the previous with a gap of kSentenceRowGap.
QList<double> FoldedRowYs(const QList<double> &heights);
// The rows' y with row n unfolded: rows after n move down by tablesHeight,
// the others keep their folded place. tablesHeight 0 (a sentence without
// words) moves nothing; an n out of range gives the folded places.
QList<double> UnfoldedRowYs(const QList<double> &heights, int n, double tablesHeight);

// The sizes of the word strips a sentence of `wordCount` words unfolds into:
// groups of `perStrip` (8) in order, the last one shorter.
QList<int> WordStripSizes(int wordCount, int perStrip = 8);
// Height of stacked strips that overlap by one line: the first strip's height
// plus each next strip's height minus 1. 0 for no strips.
double StackedStripsHeight(const QList<double> &stripHeights);

// -- a word strip's columns --
inline constexpr int kWordStripColumns = 8;
// x of column i (0-based) of a strip `width` wide; a strip of the full 838
// places its columns at 0, 105, 210, 315, 420, 524, 628 and 732, each 106
// wide, and a narrower strip scales them.
double WordStripColumnX(int i, double width);
double WordStripColumnWidth(double width);

// A score as a decimal number text: "85", "59.5".
QString DecimalScoreText(double score);
