#include "ElementsTestSupport.h"

#include "extension/elements/CustomTransparentFilledLabel.h"

#include "kit/ui/Renderer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"

using namespace elements_test;
using kit::CGRectMake;

namespace {

bool isBadge(const RGBA& px) { return px.a == 255 && px.r >= 250 && std::abs(px.g - 204) <= 3 && px.b <= 3; }

}

class TransparentFilledLabel : public ElementsTest { };

TEST_F(TransparentFilledLabel, IsSetUpAsARoundedCentredBadge)
{
    vantor::CustomTransparentFilledLabel label(CGRectMake(0, 0, 120, 22));
    EXPECT_EQ(label.layer()->cornerRadius(), 2);
    EXPECT_TRUE(label.clipsToBounds());
    EXPECT_FALSE(label.isOpaque());
    EXPECT_EQ(label.textAlignment(), kit::NSTextAlignmentCenter);
    EXPECT_EQ(label.font()->pointSize(), 12);

    // The text colour cannot be changed: the letters are always cut out.
    label.setTextColor(kit::UIColor::redColor());
    kit::CGFloat r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(label.textColor()->getRed(&r, &g, &b, &a));
    EXPECT_EQ(r + g + b + a, 4);

    label.setTextEx("WB LOCK");
    EXPECT_EQ(label.text(), "WB LOCK");
    ASSERT_TRUE(label.attributedText().has_value());
    EXPECT_EQ(label.attributedText()->kern, 2.0);
}

TEST_F(TransparentFilledLabel, EmptyTextIsAPlainBadge)
{
    vantor::CustomTransparentFilledLabel label(CGRectMake(0, 0, 40, 20));
    auto image = drawnContent(label, { 40, 20 }, 2);
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            ASSERT_TRUE(isBadge(at(*image, x, y))) << x << ", " << y;
}

TEST_F(TransparentFilledLabel, ShowsTheSceneThroughItsLetters)
{
    auto window = makeWindow(CGRectMake(0, 0, 160, 60), kit::UIColor::blueColor());
    auto label = std::make_shared<vantor::CustomTransparentFilledLabel>(CGRectMake(20, 20, 120, 22));
    label->setTextEx("WB LOCK");
    window->addSubview(label);
    kit::Renderer renderer(kit::CGSizeMake(160, 60), 2);
    renderer.render();
    const auto& pixels = renderer.pixels();

    int badge = 0, scene = 0, white = 0;
    for (int y = 40; y < 84; ++y)
        for (int x = 40; x < 280; ++x) {
            RGBA px = at(pixels, x, y);
            badge += isBadge(px);
            scene += px.b >= 250 && px.r <= 3 && px.g <= 3;
            white += px.r >= 200 && px.g >= 200 && px.b >= 200;
        }
    // Mostly badge, letters of pure scene, and never white text.
    EXPECT_GT(badge, 240 * 44 / 2);
    EXPECT_GT(scene, 150);
    EXPECT_EQ(white, 0);
    // The middle row through the letters is not all badge; the edges are.
    int sceneInMiddleRow = 0;
    for (int x = 40; x < 280; ++x)
        sceneInMiddleRow += at(pixels, x, 62).b > 128;
    EXPECT_GT(sceneInMiddleRow, 10);
    EXPECT_TRUE(isBadge(at(pixels, 44, 62)));
    EXPECT_TRUE(isBadge(at(pixels, 275, 62)));
    // The rounded corner lets the scene through at the very corner pixel.
    EXPECT_GT(at(pixels, 40, 40).b, 128);
}

TEST_F(TransparentFilledLabel, KeepsTheLettersWhereTheBaseLabelDrawsThem)
{
    // The knocked-out holes lie exactly where the plain label puts its
    // white letters: no flip or offset in the mask.
    vantor::CustomTransparentFilledLabel knocked(CGRectMake(0, 0, 100, 22));
    knocked.setTextEx("AV");
    kit::UILabel plain(CGRectMake(0, 0, 100, 22));
    plain.setAttributedText(knocked.attributedText());
    plain.setFont(knocked.font());
    plain.setTextAlignment(kit::NSTextAlignmentCenter);
    plain.setTextColor(kit::UIColor::whiteColor());

    auto holes = drawnContent(knocked, { 100, 22 }, 2);
    auto letters = drawnContent(plain, { 100, 22 }, 2);
    int mismatched = 0, inked = 0;
    for (int y = 0; y < holes->height(); ++y)
        for (int x = 0; x < holes->width(); ++x) {
            int ink = at(*letters, x, y).a, open = 255 - at(*holes, x, y).a;
            inked += ink > 128;
            mismatched += std::abs(ink - open) > 8;
        }
    EXPECT_GT(inked, 40);
    EXPECT_EQ(mismatched, 0);
}
