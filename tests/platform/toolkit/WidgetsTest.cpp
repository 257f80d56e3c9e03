#include "TButton.h"
#include "TCheckBox.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TestMouse.h"

#include <gtest/gtest.h>

namespace {

TEST(Buttons, StaysPressedTogglesOnClickAndTurningItOffReleases)
{
    TButton b;
    b.SetSize(80, 30);
    int clicks = 0;
    QObject::connect(&b, &TControl::Click, &b, [&](TControl *) { ++clicks; });
    ClickMiddle(&b);
    EXPECT_FALSE(b.IsPressed()); // a plain button does not stay down
    b.SetStaysPressed(true);
    ClickMiddle(&b);
    EXPECT_TRUE(b.IsPressed());
    ClickMiddle(&b);
    EXPECT_FALSE(b.IsPressed());
    b.SetIsPressed(true);
    b.SetStaysPressed(false);
    EXPECT_FALSE(b.IsPressed());
    EXPECT_EQ(clicks, 3);
}

TEST(CheckBox, ClickTogglesAndChangeFiresOnlyOnRealChanges)
{
    TCheckBox c;
    c.SetSize(120, 20);
    int changes = 0;
    QObject::connect(&c, &TCheckBox::Change, &c, [&](TControl *) { ++changes; });
    ClickMiddle(&c);
    EXPECT_TRUE(c.IsChecked());
    c.SetIsChecked(true);
    EXPECT_EQ(changes, 1);
    ClickMiddle(&c);
    EXPECT_FALSE(c.IsChecked());
    EXPECT_EQ(changes, 2);
}

TEST(ProgressBar, ValueIsKeptWithinTheRange)
{
    TProgressBar bar;
    bar.SetSize(102, 10);
    bar.SetValue(150);
    EXPECT_DOUBLE_EQ(bar.Value(), 100);
    EXPECT_DOUBLE_EQ(bar.Fraction(), 1);
    bar.SetMax(0);
    EXPECT_DOUBLE_EQ(bar.Fraction(), 0); // empty range
    EXPECT_FALSE(bar.FindStylePart(QStringLiteral("RectangleStyle2"))->Visible());
}

} // namespace
