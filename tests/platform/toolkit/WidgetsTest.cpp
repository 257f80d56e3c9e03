#include "TButton.h"
#include "TCheckBox.h"
#include "TFrame.h"
#include "TImageControl.h"
#include "TMemo.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "Render.h"
#include "TestMouse.h"

#include <QBuffer>

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

TEST(Buttons, StyleLookupChangesThePaintedLook)
{
    TButton b;
    b.SetSize(60, 24);
    b.SetStyleLookup(QStringLiteral("tabbuttonstyle"));
    const QRgb up = RenderToImage(&b).pixel(30, 3);
    b.SetIsPressed(true);
    const QRgb down = RenderToImage(&b).pixel(30, 3);
    EXPECT_EQ(qAlpha(up), 0);
    EXPECT_EQ(down, qRgb(0xFF, 0x96, 0x0D));
    b.SetStyleLookup(QStringLiteral("no-such-style")); // falls back to the default look
    const TButtonLook fallback = ButtonLookFor(QStringLiteral("no-such-style"), true, false, true);
    const TButtonLook def = ButtonLookFor(QString(), true, false, true);
    EXPECT_EQ(fallback.face, def.face);
    EXPECT_EQ(qAlpha(ButtonLookFor(QStringLiteral("TransparentStyle"), false, false, true).face), 0);
    EXPECT_LT(qAlpha(ButtonLookFor(QString(), false, false, false).face),
              qAlpha(ButtonLookFor(QString(), false, false, true).face));
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

TEST(RadioButton, CheckingOneUnchecksOnlyItsGroupUnderTheSameParent)
{
    TFrame frame, otherFrame;
    auto *a1 = new TRadioButton(&frame);
    auto *a2 = new TRadioButton(&frame);
    auto *b1 = new TRadioButton(&frame);
    auto *elsewhere = new TRadioButton(&otherFrame);
    for (TRadioButton *r : {a1, a2, b1, elsewhere})
        r->SetSize(80, 20);
    a1->SetGroupName(QStringLiteral("roles"));
    a2->SetGroupName(QStringLiteral("roles"));
    b1->SetGroupName(QStringLiteral("speed"));
    elsewhere->SetGroupName(QStringLiteral("roles"));
    b1->SetIsChecked(true);
    elsewhere->SetIsChecked(true);

    int a1Changes = 0;
    QObject::connect(a1, &TRadioButton::Change, a1, [&](TControl *) { ++a1Changes; });
    a1->SetIsChecked(true);
    ClickMiddle(a2);
    EXPECT_FALSE(a1->IsChecked());
    EXPECT_TRUE(a2->IsChecked());
    EXPECT_EQ(a1Changes, 2);
    EXPECT_TRUE(b1->IsChecked());        // other group
    EXPECT_TRUE(elsewhere->IsChecked()); // other parent

    ClickMiddle(a2); // clicking a checked radio keeps it checked
    EXPECT_TRUE(a2->IsChecked());
    // Through the check box interface the group rule still holds.
    static_cast<TCheckBox *>(a1)->SetIsChecked(true);
    EXPECT_FALSE(a2->IsChecked());
}

TEST(ProgressBar, StyleIsLookedUpOnceBeforeTheFirstPictureAndRoundedEndsTakeHalfTheHeightLessOne)
{
    TFrame frame;
    frame.SetSize(300, 40);
    auto *bar = new TProgressBar(&frame);
    bar->SetBounds(10, 10, 200, 14);
    bar->SetValue(50);
    int lookups = 0;
    QObject::connect(bar, &TProgressBar::ApplyStyleLookup, bar, [&](TProgressBar *sender) {
        ++lookups;
        sender->ApplyRoundedEnds();
    });
    EXPECT_FALSE(bar->StyleApplied());
    RenderToImage(&frame);
    RenderToImage(&frame);
    EXPECT_EQ(lookups, 1);
    TRectangle *track = bar->FindStylePart(QStringLiteral("RectangleStyle1"));
    TRectangle *fill = bar->FindStylePart(QStringLiteral("RectangleStyle2"));
    ASSERT_NE(track, nullptr);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(bar->FindStylePart(QStringLiteral("RectangleStyle3")), nullptr);
    EXPECT_DOUBLE_EQ(track->XRadius(), 6);
    EXPECT_DOUBLE_EQ(track->YRadius(), 6);
    EXPECT_DOUBLE_EQ(fill->Height(), 12);
    EXPECT_DOUBLE_EQ(fill->YRadius(), 5);
    EXPECT_NEAR(fill->Width(), 99, 0.01); // half of the inner 198 pixels

    // A new style lookup starts from square parts.
    QObject::disconnect(bar, &TProgressBar::ApplyStyleLookup, bar, nullptr);
    bar->SetStyleLookup(QStringLiteral("progressbarstyle"));
    EXPECT_DOUBLE_EQ(track->XRadius(), 0);
    EXPECT_EQ(lookups, 1);
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

TEST(Memo, SelectionIsKeptWithinTheTextAndGivesTheSelectedText)
{
    TMemo memo;
    memo.SetSize(300, 100);
    memo.SetText(QStringLiteral("Good morning.\nHow are you?"));
    const int at = memo.IndexOf(QStringLiteral("How"));
    EXPECT_EQ(at, 14);
    memo.SetSelStart(at);
    memo.SetSelLength(12);
    EXPECT_EQ(memo.SelStart(), 14);
    EXPECT_EQ(memo.SelText(), QStringLiteral("How are you?"));
    memo.Select(5, 100); // clipped at the end
    EXPECT_EQ(memo.SelLength(), memo.Length() - 5);
    EXPECT_EQ(memo.SelText(), QStringLiteral("morning.\nHow are you?"));
    memo.Select(-3, 2);
    EXPECT_EQ(memo.SelStart(), 0);
    EXPECT_EQ(memo.SelText(), QStringLiteral("Go"));
    EXPECT_EQ(memo.IndexOf(QStringLiteral("absent")), -1);
}

TEST(ImageControl, ShowsThePictureAtTheIndex)
{
    TImageControl ic;
    ic.SetSize(40, 20);
    QImage red(10, 10, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QImage blue(10, 10, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    blue.save(&buffer, "PNG");
    EXPECT_EQ(ic.AddImage(red), 0);
    EXPECT_EQ(ic.AddImageData(png), 1);
    EXPECT_EQ(ic.AddImageData(QByteArray("junk")), -1);
    EXPECT_EQ(ic.ImageCount(), 2);

    ic.SetImageIndex(1);
    QImage shot = RenderToImage(&ic);
    EXPECT_EQ(shot.pixel(20, 10), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(shot.pixel(2, 10)), 0); // kept square, centred
    ic.SetImageIndex(5);
    EXPECT_TRUE(ic.CurrentImage().isNull());
    EXPECT_EQ(qAlpha(RenderToImage(&ic).pixel(20, 10)), 0);
    ic.ClearImages();
    EXPECT_EQ(ic.ImageCount(), 0);
}

} // namespace
