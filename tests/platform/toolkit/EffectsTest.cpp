#include "Render.h"
#include "TEffects.h"
#include "TRectangle.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(Effects, EffectOrControlMayBeDeletedFirst)
{
    TRectangle page;
    page.SetSize(200, 100);
    auto *left = new TRectangle(&page);
    QPointer<TGlowEffect> glow(new TGlowEffect(left));
    delete left; // takes its effects along
    EXPECT_TRUE(glow.isNull());

    auto *right = new TRectangle(&page);
    right->SetBounds(140, 40, 20, 20);
    auto *shadow = new TShadowEffect(right);
    delete shadow;
    EXPECT_FALSE(RenderToImage(&page).isNull()); // painting does not reach the deleted effect
}

} // namespace
