#include "kit/ui/UIColor.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kit;

TEST(UIColor, HueSaturationBrightnessRoundTrip)
{
    const CGFloat hues[] = { 0, 0.1, 1.0 / 3, 0.5, 0.75, 0.95 };
    for (CGFloat hue : hues) {
        auto color = UIColor::colorWithHue(hue, 0.6, 0.8, 0.5);
        CGFloat h = -1, s = -1, b = -1, a = -1;
        ASSERT_TRUE(color->getHue(&h, &s, &b, &a));
        EXPECT_NEAR(h, hue, 1e-9);
        EXPECT_NEAR(s, 0.6, 1e-9);
        EXPECT_NEAR(b, 0.8, 1e-9);
        EXPECT_EQ(a, 0.5);
    }
    CGFloat r, g, b, a;
    UIColor::colorWithHue(1.0, 1, 1, 1)->getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
}

TEST(UIColor, GreyStaysGreyAndAnswersHueAsBrightness)
{
    auto grey = UIColor::colorWithWhite(0.4, 0.7);
    EXPECT_TRUE(grey->isGrey());
    CGFloat white = 0, alpha = 0;
    EXPECT_TRUE(grey->getWhite(&white, &alpha));
    EXPECT_EQ(white, 0.4);
    EXPECT_EQ(alpha, 0.7);
    CGFloat h = -1, s = -1, b = -1;
    EXPECT_TRUE(grey->getHue(&h, &s, &b, nullptr));
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(b, 0.4);

    EXPECT_TRUE(grey->colorWithAlphaComponent(0.2)->isGrey());
    EXPECT_EQ(grey->colorWithAlphaComponent(0.2)->alpha(), 0.2);
    EXPECT_EQ(CGColorGetNumberOfComponents(grey->CGColor()), 2u);

    // A grey and the RGB colour that looks the same are different colours.
    EXPECT_FALSE(UIColor::whiteColor()->isEqual(UIColor::colorWithRed(1, 1, 1, 1).get()));
    EXPECT_TRUE(UIColor::whiteColor()->isEqual(UIColor::colorWithWhite(1, 1).get()));
    EXPECT_FALSE(UIColor::redColor()->getWhite(&white, &alpha));
    EXPECT_EQ(UIColor::darkGrayColor()->description(), "UIDeviceWhiteColorSpace 0.333333 1");
}

TEST(UIColor, ComponentsAreClamped)
{
    CGFloat r, g, b, a;
    UIColor::colorWithRed(1.5, -0.5, 0.5, 2)->getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0.5);
    EXPECT_EQ(a, 1);

    // Not-a-number components read as 0 rather than poisoning drawing.
    UIColor::colorWithHue(NAN, 1, 1, NAN)->getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(a, 0);
}

TEST(UIColor, ArchiveRoundTripKeepsTheSpace)
{
    auto amber = UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0);
    auto back = UIColor::colorWithArchivedData(amber->archivedData());
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->isEqual(amber.get()));

    auto grey = UIColor::colorWithWhite(0.25, 0.5);
    auto greyBack = UIColor::colorWithArchivedData(grey->archivedData());
    ASSERT_TRUE(greyBack);
    EXPECT_TRUE(greyBack->isGrey());
    EXPECT_TRUE(greyBack->isEqual(grey.get()));

    const uint8_t junk[] = { 1, 2, 3 };
    EXPECT_FALSE(UIColor::colorWithArchivedData(junk));
}
