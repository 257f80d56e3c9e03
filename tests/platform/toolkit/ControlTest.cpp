#include "Render.h"
#include "TControl.h"
#include "TRectangle.h"
#include "TText.h"

#include "TestMouse.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

QImage shot(QWidget *w)
{
    return RenderToImage(w).convertToFormat(QImage::Format_ARGB32);
}

TEST(AlphaColor, ParsesAlphaFirstTextsAndRejectsOthers)
{
    bool ok = false;
    const std::pair<const char *, TAlphaColor> good[] = {
        {"#FFFF960D", 0xFFFF960Du}, {"#80ff0000", 0x80FF0000u}, {"#00FF00", 0xFF00FF00u}};
    for (const auto &[text, color] : good) {
        EXPECT_EQ(ParseAlphaColor(QString::fromLatin1(text), &ok), color) << text;
        EXPECT_TRUE(ok) << text;
    }
    for (const char *bad : {"FFFF960D", "#FFFF9", "#GGFF960D", "#+1234567", "", "#FFFF960D0"}) {
        EXPECT_EQ(ParseAlphaColor(QString::fromLatin1(bad), &ok), 0xFF000000u) << bad;
        EXPECT_FALSE(ok) << bad;
    }
    EXPECT_EQ(AlphaColorToString(0x0AFF960Du), QStringLiteral("#0AFF960D"));
    const QColor c = ToQColor(0x80102030u);
    EXPECT_EQ(c.alpha(), 0x80);
    EXPECT_EQ(c.red(), 0x10);
    EXPECT_EQ(FromQColor(c), 0x80102030u);
}

TEST(Control, FractionalGeometrySurvivesRounding)
{
    TControl c;
    c.SetBounds(10.4, 20.6, 100.5, 30.25);
    EXPECT_DOUBLE_EQ(c.X(), 10.4);
    EXPECT_DOUBLE_EQ(c.Width(), 100.5);
    EXPECT_EQ(c.geometry(), QRect(10, 21, 101, 30));
    // A size imposed by Qt itself becomes the logical size.
    c.resize(50, 40);
    EXPECT_DOUBLE_EQ(c.Width(), 50);
    EXPECT_DOUBLE_EQ(c.Height(), 40);
    c.SetX(5);
    EXPECT_EQ(c.geometry(), QRect(5, 21, 50, 40));
}

TEST(Control, OnlyALeftPressAndReleaseInsideClicksWhileEveryReleaseIsReported)
{
    TControl control;
    control.SetSize(100, 50);
    int clicks = 0, ups = 0;
    Qt::MouseButton lastButton = Qt::NoButton;
    Qt::KeyboardModifiers lastMods;
    QPointF lastPos;
    QObject::connect(&control, &TControl::Click, &control, [&](TControl *s) {
        EXPECT_EQ(s, &control);
        ++clicks;
    });
    QObject::connect(&control, &TControl::MouseUp, &control,
                     [&](TControl *, Qt::MouseButton b, Qt::KeyboardModifiers m, QPointF p) {
                         lastButton = b;
                         lastMods = m;
                         lastPos = p;
                         ++ups;
                     });
    SendMouse(&control, QEvent::MouseButtonPress, {10, 10});
    SendMouse(&control, QEvent::MouseButtonRelease, {90, 40}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lastMods, Qt::ShiftModifier);
    EXPECT_EQ(lastPos, QPointF(90, 40));

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

TEST(Rectangle, StrokeIsDrawnOnlyOnTheChosenSides)
{
    TRectangle r;
    r.SetSize(40, 30);
    r.SetFillColor(0xFFFFFFFF);
    r.SetStrokeColor(0xFFFF0000);
    r.SetStrokeThickness(3);
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
    const QPoint top(20, 1), left(1, 15), bottom(20, 28), right(38, 15);
    for (const bool topLeft : {true, false}) {
        r.SetSides(topLeft ? TRectangle::SideTop | TRectangle::SideLeft
                           : TRectangle::SideBottom | TRectangle::SideRight);
        const QImage img = shot(&r);
        EXPECT_EQ(img.pixel(top), topLeft ? red : white) << topLeft;
        EXPECT_EQ(img.pixel(left), topLeft ? red : white) << topLeft;
        EXPECT_EQ(img.pixel(bottom), topLeft ? white : red) << topLeft;
        EXPECT_EQ(img.pixel(right), topLeft ? white : red) << topLeft;
        EXPECT_EQ(img.pixel(20, 15), white); // inside
    }
}

TEST(Rectangle, OnlyChosenCornersAreRoundedAndOpacityAppliesToTheFill)
{
    TRectangle r;
    r.SetSize(40, 40);
    r.SetFillColor(0xFF0000FF);
    r.SetXRadius(12);
    r.SetYRadius(12);
    r.SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerBottomRight);
    QImage img = shot(&r);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);        // rounded
    EXPECT_EQ(qAlpha(img.pixel(39, 39)), 0);      // rounded
    EXPECT_EQ(img.pixel(39, 0), qRgb(0, 0, 255)); // square
    EXPECT_EQ(img.pixel(0, 39), qRgb(0, 0, 255)); // square

    r.SetOpacity(0.5);
    EXPECT_NEAR(qAlpha(shot(&r).pixel(20, 20)), 128, 2);
}

TEST(Rectangle, BitmapFillIsStretchedAndCanBeTurned)
{
    QImage bitmap(2, 1, QImage::Format_ARGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 255, 0));
    TRectangle r;
    r.SetSize(40, 40);
    EXPECT_FALSE(r.LoadBitmap(QByteArray("not a picture")));
    EXPECT_EQ(r.Fill(), TRectangle::FillKind::Solid);
    r.SetBitmap(bitmap);
    QImage img = shot(&r);
    EXPECT_GT(qRed(img.pixel(3, 20)), 200);    // left half red
    EXPECT_GT(qGreen(img.pixel(36, 20)), 200); // right half green
    r.SetBitmapRotation(180);
    img = shot(&r);
    EXPECT_GT(qGreen(img.pixel(3, 20)), 200);
    EXPECT_GT(qRed(img.pixel(36, 20)), 200);
}

} // namespace
