#include "Render.h"
#include "TEffects.h"
#include "TFrame.h"
#include "TRectangle.h"

#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool isWhite(QRgb c)
{
    return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245;
}

class EffectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.SetSize(200, 100);
        auto *back = new TRectangle(&page);
        back->SetBounds(0, 0, 200, 100);
        back->SetFillColor(0xFFFFFFFF);
        left = new TRectangle(&page);
        left->SetBounds(40, 40, 20, 20);
        left->SetFillColor(0xFF0000FF);
        right = new TRectangle(&page);
        right->SetBounds(140, 40, 20, 20);
        right->SetFillColor(0xFF0000FF);
    }
    QImage shot() { return RenderToImage(&page).convertToFormat(QImage::Format_ARGB32); }

    TFrame page;
    TRectangle *left = nullptr;
    TRectangle *right = nullptr;
};

TEST_F(EffectsTest, ShadowFallsAtItsDistanceAndDirectionAndCanBeSwitchedOff)
{
    auto *shadow = new TShadowEffect(left);
    shadow->SetSoftness(0);
    shadow->SetOpacity(1);
    shadow->SetDistance(10);
    shadow->SetDirection(90); // straight down
    QImage img = shot();
    EXPECT_FALSE(isWhite(img.pixel(50, 65)));      // below the square
    EXPECT_TRUE(isWhite(img.pixel(50, 35)));       // above: no shadow
    EXPECT_TRUE(isWhite(img.pixel(65, 50)));       // right: no shadow
    EXPECT_EQ(img.pixel(50, 50), qRgb(0, 0, 255)); // the control itself on top

    shadow->SetDirection(0); // to the right
    img = shot();
    EXPECT_FALSE(isWhite(img.pixel(65, 50)));
    EXPECT_TRUE(isWhite(img.pixel(50, 65)));

    shadow->SetEnabled(false);
    img = shot();
    EXPECT_TRUE(isWhite(img.pixel(65, 50)));
    EXPECT_EQ(img.pixel(50, 50), qRgb(0, 0, 255));
}

TEST_F(EffectsTest, GlowAndShadowOnOneControlCombineWithItsOpacityAndTheGlowCanMoveToAnotherTarget)
{
    auto *shadow = new TShadowEffect(left);
    shadow->SetSoftness(0);
    shadow->SetOpacity(1);
    shadow->SetDistance(12);
    shadow->SetDirection(90);
    auto *glow = new TGlowEffect(left);
    glow->SetColor(0xFFFF0000);
    glow->SetSoftness(0.3);
    left->SetOpacity(0.5);
    const QImage img = shot();
    EXPECT_FALSE(isWhite(img.pixel(50, 68)));                     // shadow below
    EXPECT_GT(qRed(img.pixel(37, 45)), qBlue(img.pixel(37, 45))); // glow at the side
    const QRgb body = img.pixel(50, 45);
    EXPECT_GT(qBlue(body), qRed(body)); // half-transparent blue over the page
    EXPECT_GT(qRed(body), 60);
    EXPECT_TRUE(isWhite(img.pixel(137, 50)));

    glow->SetTarget(right);
    EXPECT_EQ(glow->Target(), right);
    EXPECT_EQ(glow->parent(), right);
    const QImage moved = shot();
    EXPECT_TRUE(isWhite(moved.pixel(37, 45)));
    EXPECT_FALSE(isWhite(moved.pixel(137, 50)));
    EXPECT_FALSE(isWhite(moved.pixel(50, 68))); // the shadow stays
}

TEST_F(EffectsTest, EffectOrControlMayBeDeletedFirst)
{
    QPointer<TGlowEffect> glow(new TGlowEffect(left));
    delete left; // takes its effects along
    EXPECT_TRUE(glow.isNull());

    auto *shadow = new TShadowEffect(right);
    delete shadow;
    EXPECT_TRUE(isWhite(shot().pixel(165, 50)));
}

TEST(Render, WritesAPngOfTheWidgetAndFailsOnABadPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TRectangle r;
    r.SetSize(30, 20);
    r.SetFillColor(0xFF00FF00);
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    ASSERT_TRUE(RenderToPng(&r, path));
    const QImage back(path);
    EXPECT_EQ(back.size(), QSize(30, 20));
    EXPECT_EQ(back.pixel(15, 10), qRgb(0, 255, 0));
    EXPECT_FALSE(RenderToPng(&r, dir.filePath(QStringLiteral("missing/dir/shot.png"))));
    TRectangle empty;
    EXPECT_FALSE(RenderToPng(&empty, path));
    EXPECT_FALSE(RenderToPng(nullptr, path));
}

} // namespace
