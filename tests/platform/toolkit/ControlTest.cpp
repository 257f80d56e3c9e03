#include "TControl.h"
#include "TRectangle.h"
#include "TText.h"

#include "TestMouse.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(Control, OnlyALeftPressAndReleaseInsideClicksWhileEveryReleaseIsReported)
{
    TControl control;
    control.SetSize(100, 50);
    int clicks = 0, ups = 0;
    Qt::MouseButton lastButton = Qt::NoButton;
    QObject::connect(&control, &TControl::Click, &control, [&](TControl *) { ++clicks; });
    QObject::connect(&control, &TControl::MouseUp, &control,
                     [&](TControl *, Qt::MouseButton b, Qt::KeyboardModifiers, QPointF) {
                         lastButton = b;
                         ++ups;
                     });
    SendMouse(&control, QEvent::MouseButtonPress, {10, 10});
    SendMouse(&control, QEvent::MouseButtonRelease, {90, 40});
    EXPECT_EQ(clicks, 1);

    SendMouse(&control, QEvent::MouseButtonPress, {10, 10});
    SendMouse(&control, QEvent::MouseButtonRelease, {150, 10}); // outside
    SendMouse(&control, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
    SendMouse(&control, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton);
    EXPECT_EQ(lastButton, Qt::RightButton);
    SendMouse(&control, QEvent::MouseButtonRelease, {10, 10}); // without a press
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 4);
}

TEST(Control, ClickHandlerMayDeleteTheControl)
{
    QWidget parent;
    auto *c = new TControl(&parent);
    c->SetSize(20, 20);
    QPointer<TControl> watch(c);
    QObject::connect(c, &TControl::MouseUp, &parent,
                     [](TControl *s, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { delete s; });
    int clicks = 0;
    QObject::connect(c, &TControl::Click, &parent, [&](TControl *) { ++clicks; });
    SendMouse(c, QEvent::MouseButtonPress, {5, 5});
    SendMouse(c, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(clicks, 0);
}

TEST(Control, TextsLetClicksThroughUntilAMouseHandlerIsConnected)
{
    TRectangle row;
    row.SetSize(200, 40);
    auto *caption = new TText(&row);
    caption->SetBounds(0, 0, 200, 40);
    auto *other = new TText(&row);
    other->SetBounds(0, 0, 100, 40);
    other->SetHitTest(false);                 // set on purpose: stays off
    EXPECT_EQ(row.childAt(150, 20), nullptr); // the row gets the click

    QObject::connect(caption, &TControl::Click, &row, [](TControl *) {});
    QObject::connect(other, &TControl::Click, &row, [](TControl *) {});
    EXPECT_TRUE(caption->HitTest());
    EXPECT_EQ(row.childAt(150, 20), caption);
    EXPECT_FALSE(other->HitTest());
    EXPECT_EQ(row.childAt(50, 20), caption); // other is on top but transparent
}

} // namespace
