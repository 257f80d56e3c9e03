#include "TLabel.h"
#include "TText.h"

#include <gtest/gtest.h>

namespace {

TEST(TextAutoSize, WrappedHeightFollowsTextWidthFontAndLineFeeds)
{
    TText text;
    text.SetWidth(200);
    text.SetFontSize(16);
    text.SetAutoSize(true);

    text.SetText(QStringLiteral("点击话筒"));
    const double oneLine = text.Height();
    EXPECT_GT(oneLine, 10);
    EXPECT_DOUBLE_EQ(text.Width(), 200); // wrapping text keeps its width
    text.SetText(QString());
    EXPECT_DOUBLE_EQ(text.Height(), oneLine); // empty text keeps one line
    text.SetText(QStringLiteral("a\nb\nc"));
    EXPECT_GE(text.Height(), 3 * oneLine - 3);

    text.SetText(QStringLiteral("The quick brown fox jumps over the lazy dog and keeps running far away."));
    const double wrapped = text.Height();
    EXPECT_GT(wrapped, 2 * oneLine - 2);
    EXPECT_DOUBLE_EQ(text.AutoSizedHeight(), wrapped);
    text.SetWidth(100); // a narrower control breaks the same text into more lines
    EXPECT_GT(text.Height(), wrapped);
    const double before = text.Height();
    text.SetFontSize(24);
    EXPECT_GT(text.Height(), before);
}

TEST(TextAutoSize, UnwrappedOrWidthlessTextTakesItsNaturalSize)
{
    TLabel label;
    label.SetSize(10, 10);
    label.SetAutoSize(true);
    label.SetText(QStringLiteral("短"));
    const double shortWidth = label.Width();
    const double lineHeight = label.Height();
    label.SetText(QStringLiteral("一个长得多的标题文字"));
    EXPECT_GT(label.Width(), 5 * shortWidth);
    EXPECT_DOUBLE_EQ(label.Height(), lineHeight);

    TText text;
    text.SetAutoSize(true);
    text.SetText(QStringLiteral("开始录音"));
    const QSizeF natural = MeasureText(text.Text(), text.Font(), 0, false);
    EXPECT_DOUBLE_EQ(text.Width(), natural.width());
    EXPECT_DOUBLE_EQ(text.Height(), natural.height());
    EXPECT_GT(text.Width(), 2 * text.Height()); // one line, not one glyph per line
}

TEST(TextAutoSize, OffLeavesTheSizeAloneButStillReportsTheNeededHeight)
{
    TText text;
    text.SetSize(80, 20);
    text.SetText(QStringLiteral("A sentence long enough to need several lines at this width."));
    EXPECT_DOUBLE_EQ(text.Height(), 20);
    EXPECT_GT(text.AutoSizedHeight(), 40);
}

TEST(MeasureText, WidthOfTheFirstLineDoesNotDependOnWrapWhenItFits)
{
    const QFont font = MakeFont(QString(), 14, fsBold);
    EXPECT_EQ(font.family(), QStringLiteral("WenQuanYi Zen Hei"));
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pixelSize(), 14);
    const QSizeF natural = MeasureText(QStringLiteral("hello"), font, 0, false);
    const QSizeF wrapped = MeasureText(QStringLiteral("hello"), font, 500, true);
    EXPECT_DOUBLE_EQ(natural.height(), wrapped.height());
    EXPECT_LT(natural.width(), 500);
    EXPECT_DOUBLE_EQ(wrapped.width(), 500);
}

} // namespace
