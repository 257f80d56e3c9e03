#include "ResultLayout.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPhonemePlaySize = 16;
constexpr double kFullStripWidth = 838;
constexpr double kFullColumnWidth = 106;
constexpr double kFullColumnX[kWordStripColumns] = {0, 105, 210, 315, 420, 524, 628, 732};
} // namespace

double PhonemeRowY(int k)
{
    return k <= 0 ? 0 : k * kPhonemeRowHeight;
}

double PhonemePlayButtonY(double rowY, double rowHeight)
{
    return rowY + (rowHeight - kPhonemePlaySize) / 2;
}

TChipPlace ChipPlace(int j, double chipWidth, double chipHeight, double wordCellWidth)
{
    const int column = j % kChipsPerLine;
    const int line = j / kChipsPerLine;
    return {(chipWidth - 1) * column + (wordCellWidth - 1), (chipHeight - 1) * line};
}

int ChipPadding(int count)
{
    if (count <= 0 || count % kChipsPerLine == 0)
        return 0;
    return kChipsPerLine - count % kChipsPerLine;
}

bool SentenceRowTransparent(int n)
{
    return n % 2 == 0;
}

QList<double> FoldedRowYs(const QList<double> &heights)
{
    QList<double> ys;
    ys.reserve(heights.size());
    for (qsizetype i = 0; i < heights.size(); ++i)
        ys.push_back(i == 0 ? 0 : ys[i - 1] + heights[i - 1] + kSentenceRowGap);
    return ys;
}

QList<double> UnfoldedRowYs(const QList<double> &heights, int n, double tablesHeight)
{
    QList<double> ys = FoldedRowYs(heights);
    if (n < 0 || n >= ys.size() || tablesHeight <= 0)
        return ys;
    for (qsizetype i = n + 1; i < ys.size(); ++i)
        ys[i] += tablesHeight;
    return ys;
}

QList<int> WordStripSizes(int wordCount, int perStrip)
{
    QList<int> sizes;
    if (perStrip <= 0)
        return sizes;
    for (int left = wordCount; left > 0; left -= perStrip)
        sizes.push_back(std::min(left, perStrip));
    return sizes;
}

double StackedStripsHeight(const QList<double> &stripHeights)
{
    double h = 0;
    for (qsizetype i = 0; i < stripHeights.size(); ++i)
        h += i == 0 ? stripHeights[i] : stripHeights[i] - 1;
    return h;
}

double WordStripColumnX(int i, double width)
{
    const int c = std::clamp(i, 0, kWordStripColumns - 1);
    return std::round(kFullColumnX[c] * width / kFullStripWidth);
}

double WordStripColumnWidth(double width)
{
    return std::round(kFullColumnWidth * width / kFullStripWidth);
}

QString DecimalScoreText(double score)
{
    if (!std::isfinite(score))
        return QStringLiteral("0");
    return QString::number(score, 'g', 15);
}
