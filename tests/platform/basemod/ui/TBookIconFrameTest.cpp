#include "FakeArchive.h"
#include "FakeCustomHint.h"
#include "TBookIconFrame.h"
#include "TRectangle.h"
#include "TText.h"
#include "TestMouse.h"
#include "TextStyle.h"
#include "UIPicture.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

const QString kLongTitle = QStringLiteral("人教版新起点小学英语三年级上册同步练习与听说训练");

struct Click
{
    TBookIconFrame *sender = nullptr;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers shift;
    QPointF pos;
};

} // namespace

TEST(FitTextToLines, KeepsShortTextAndShortensLongTextToTheLinesWithAnEllipsis)
{
    const QFont font = MakeFont(DefaultFontFamily(), 13, fsNone);
    EXPECT_EQ(FitTextToLines(QStringLiteral("英语"), font, 110, 2), QStringLiteral("英语"));

    const QString fitted = FitTextToLines(kLongTitle, font, 110, 2);
    const QStringList lines = fitted.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(kLongTitle.startsWith(lines[0]));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("…")));
    const QFontMetricsF fm(font);
    for (const QString &l : lines)
        EXPECT_LE(fm.horizontalAdvance(l), 110.5) << l.toStdString();

    // Two lines' worth stays whole, broken where it wraps.
    const QString twoLines = kLongTitle.left(12);
    EXPECT_EQ(FitTextToLines(twoLines, font, 110, 2).remove(QLatin1Char('\n')), twoLines);
}

TEST(TBookIconFrame, TitleShowsTheNameFittedUnderThePicture)
{
    TBookIconFrame tile;
    tile.SetFontFamily(QStringLiteral("WenQuanYi Zen Hei"));
    tile.SetFontSize(13);
    tile.SetGoodsName(kLongTitle);
    EXPECT_EQ(tile.GoodsName(), kLongTitle);
    TText *title = tile.TitleText();
    EXPECT_TRUE(title->Text().endsWith(QStringLiteral("…")));
    EXPECT_LE(title->AutoSizedHeight(), title->Height());
    EXPECT_GE(title->Y(), tile.BookPicture()->Y() + tile.BookPicture()->Height());
    EXPECT_LE(title->Y() + title->Height(), tile.Height());
    EXPECT_EQ(title->FontFamily(), QStringLiteral("WenQuanYi Zen Hei"));

    tile.SetSideShow(0);
    EXPECT_FALSE(title->isVisibleTo(&tile));
    EXPECT_EQ(tile.BookPicture()->X(), 0);
    tile.SetSideShow(bsTitle | bsFrame);
    EXPECT_TRUE(title->isVisibleTo(&tile));
    EXPECT_GT(tile.BookPicture()->X(), 0);
}

TEST(TBookIconFrame, ReleaseOnThePressedTileRunsTheHandlerAndSignalUnlessTheHandlerDeletesIt)
{
    TBookIconFrame tile;
    tile.SetTag(4);
    QList<Click> handled;
    int signalled = 0;
    tile.SetOnBookMouseUp([&](TBookIconFrame *s, Qt::MouseButton b, Qt::KeyboardModifiers m, QPointF p) {
        handled.append(Click{s, b, m, p});
    });
    QObject::connect(&tile, &TBookIconFrame::BookMouseUp, &tile, [&] { ++signalled; });

    SendMouse(&tile, QEvent::MouseButtonPress, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(31, 41), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(handled.size(), 1);
    EXPECT_EQ(handled[0].sender, &tile);
    EXPECT_EQ(handled[0].sender->Tag(), 4);
    EXPECT_EQ(handled[0].button, Qt::LeftButton);
    EXPECT_EQ(handled[0].shift, Qt::ShiftModifier);
    EXPECT_EQ(handled[0].pos, QPointF(31, 41));
    EXPECT_EQ(signalled, 1);

    // Dragged off the tile, or released without a press: nothing happens.
    SendMouse(&tile, QEvent::MouseButtonPress, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(500, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handled.size(), 1);

    tile.DoBookMouseUp(Qt::LeftButton, Qt::NoModifier, QPointF(5, 5));
    EXPECT_EQ(handled.size(), 2);
    EXPECT_EQ(signalled, 2);

    // A handler may delete the tile: the signal is then not sent.
    QPointer<TBookIconFrame> doomed = new TBookIconFrame;
    QObject::connect(doomed.data(), &TBookIconFrame::BookMouseUp, &tile, [&] { ++signalled; });
    doomed->SetOnBookMouseUp([&](TBookIconFrame *s, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { delete s; });
    SendMouse(doomed, QEvent::MouseButtonPress, QPointF(10, 10));
    SendMouse(doomed, QEvent::MouseButtonRelease, QPointF(10, 10));
    EXPECT_TRUE(doomed.isNull());
    EXPECT_EQ(signalled, 2);
}

TEST(TBookIconFrame, HoverShowsTheHintAndHighlightsUntilTheMouseLeaves)
{
    auto hint = std::make_shared<FakeCustomHint>();
    TBookIconFrame tile;
    tile.SetMyHint(hint);
    tile.SetGoodsName(QStringLiteral("英语单词"));
    tile.SetDescription(QStringLiteral("五十个常用词"));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&tile, &enter);
    EXPECT_TRUE(hint->IsShown());
    EXPECT_EQ(hint->Text(), QStringLiteral("英语单词\n五十个常用词"));
    EXPECT_EQ(hint->Placement(), 3);
    EXPECT_TRUE(tile.IsHighlighted());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&tile, &leave);
    EXPECT_FALSE(hint->IsShown());
    EXPECT_FALSE(tile.IsHighlighted());
}

// Renders a shelf tile with an archive cover and a Chinese title too long for
// two lines and checks what is drawn where.
TEST(TBookIconFrame, RendersTheCoverOnTopAndTheTitleBelow)
{
    auto archive = std::make_shared<FakeArchive>();
    archive->SetPictureColor(QColor(0x2E, 0x8B, 0x57));
    archive->SetPictureSize(QSize(120, 160));
    TRectangle shelf;
    shelf.SetFillColor(0xFFFFFFFF);
    shelf.SetSize(TBookIconFrame::kWidth + 16, TBookIconFrame::kHeight + 28);
    auto *tile = new TBookIconFrame(&shelf);
    tile->SetPosition(8, 14);
    tile->SetSideShow(3);
    tile->SetFontSize(13);
    tile->SetGoodsName(kLongTitle);
    ASSERT_TRUE(LoadPicture_UI(tile->BookPicture(), QStringLiteral("png\\study\\home\\BookIcon.png"), archive));

    const QImage image = shelf.grab().toImage();
    const QPoint origin = tile->geometry().topLeft();
    const QRectF cover = tile->BookPicture()->geometry().translated(origin);
    EXPECT_EQ(image.pixelColor(cover.center().toPoint()), archive->PictureColor());
    // The title area holds dark text pixels; the strip between cover and
    // title is empty, and so is the shelf below the tile.
    const QRect titleArea = tile->TitleText()->geometry().translated(origin);
    int dark = 0;
    for (int y = titleArea.top(); y <= titleArea.bottom(); ++y)
        for (int x = titleArea.left(); x <= titleArea.right(); ++x)
            dark += image.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 40);
    const int middle = static_cast<int>(cover.center().x());
    EXPECT_EQ(image.pixelColor(middle, titleArea.top() - 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(middle, origin.y() + tile->height() + 4), QColor(Qt::white));
}
