#include "FakeCustomHint.h"
#include "TBookIconFrame.h"
#include "TestMouse.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPointer>

#include <gtest/gtest.h>

TEST(TBookIconFrame, ReleaseOnThePressedTileRunsTheHandlerAndSignalUnlessTheHandlerDeletesIt)
{
    TBookIconFrame tile;
    QList<QPointF> handled;
    int signalled = 0;
    tile.SetOnBookMouseUp([&](TBookIconFrame *s, Qt::MouseButton, Qt::KeyboardModifiers m, QPointF p) {
        EXPECT_EQ(s, &tile);
        EXPECT_EQ(m, Qt::ShiftModifier);
        handled << p;
    });
    QObject::connect(&tile, &TBookIconFrame::BookMouseUp, &tile, [&] { ++signalled; });

    SendMouse(&tile, QEvent::MouseButtonPress, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(31, 41), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handled, QList<QPointF>{QPointF(31, 41)});
    EXPECT_EQ(signalled, 1);

    // Dragged off the tile, or released without a press: nothing happens.
    SendMouse(&tile, QEvent::MouseButtonPress, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(500, 40), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(&tile, QEvent::MouseButtonRelease, QPointF(30, 40), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handled.size(), 1);

    // A handler may delete the tile: the signal is then not sent.
    QPointer<TBookIconFrame> doomed = new TBookIconFrame;
    QObject::connect(doomed.data(), &TBookIconFrame::BookMouseUp, &tile, [&] { ++signalled; });
    doomed->SetOnBookMouseUp([&](TBookIconFrame *s, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { delete s; });
    SendMouse(doomed, QEvent::MouseButtonPress, QPointF(10, 10));
    SendMouse(doomed, QEvent::MouseButtonRelease, QPointF(10, 10));
    EXPECT_TRUE(doomed.isNull());
    EXPECT_EQ(signalled, 1);
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
    EXPECT_TRUE(tile.IsHighlighted());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&tile, &leave);
    EXPECT_FALSE(hint->IsShown());
    EXPECT_FALSE(tile.IsHighlighted());
}
