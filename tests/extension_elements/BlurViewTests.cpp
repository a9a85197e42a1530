#include "ElementsTestSupport.h"

#include "common/CAM_Tools.h"
#include "extension/elements/BlurView.h"

#include "kit/ui/Renderer.h"
#include "kit/ui/UIColor.h"

#include <vector>

using namespace elements_test;
using kit::CGRectMake;

namespace {

std::shared_ptr<kit::CAFilter> tint(double grey)
{
    auto filter = kit::CAFilter::filterWithName(kit::kCAFilterColorAdd);
    filter->setValue(std::vector<double> { grey, grey, grey, 1.0 }, "inputColor");
    return filter;
}

const std::vector<double>* inputColor(const kit::CAFilter& filter)
{
    auto* value = filter.valueForKey("inputColor");
    return value ? std::get_if<std::vector<double>>(value) : nullptr;
}

}

TEST(BlurView, StartsAsAFivePointBlurAtDefaultQuality)
{
    vantor::BlurView view(CGRectMake(0, 0, 100, 40));
    ASSERT_EQ(view.layer()->filters().size(), 1u);
    EXPECT_EQ(view.layer()->filters()[0], view.blurFilter());
    EXPECT_EQ(view.blurFilter()->type(), kit::kCAFilterGaussianBlur);
    EXPECT_EQ(view.blurRadius(), 5);
    EXPECT_EQ(view.blurQuality(), "default");
    EXPECT_EQ(view.quality(), "default");
    EXPECT_EQ(view.colorFilter(), nullptr);
}

TEST(BlurView, PutsTheTintBeforeTheBlurAndReplacesIt)
{
    vantor::BlurView view(CGRectMake(0, 0, 100, 40));
    auto first = tint(0.1), second = tint(0.35);
    view.setTintColorFilter(first);
    ASSERT_EQ(view.layer()->filters().size(), 2u);
    EXPECT_EQ(view.layer()->filters()[0], first);
    EXPECT_EQ(view.layer()->filters()[1], view.blurFilter());

    view.setTintColorFilter(second);
    ASSERT_EQ(view.layer()->filters().size(), 2u);
    EXPECT_EQ(view.layer()->filters()[0], second);
    EXPECT_EQ(view.colorFilter(), second);
    EXPECT_EQ(view.layer()->filters()[1], view.blurFilter());

    // A new blur filter keeps the tint in front and takes over the settings.
    auto blur = kit::CAFilter::filterWithType(kit::kCAFilterGaussianBlur);
    view.setBlurFilter(blur);
    EXPECT_EQ(view.layer()->filters()[0], second);
    EXPECT_EQ(view.layer()->filters()[1], blur);
    view.setBlurRadius(7);
    EXPECT_EQ(blur->numberForKey("inputRadius"), 7);
}

TEST(BlurView, StoresEdgesInvertedAsHardEdges)
{
    vantor::BlurView view(CGRectMake(0, 0, 100, 40));
    view.setBlurEdges(false);
    EXPECT_EQ(view.blurFilter()->numberForKey(vantor::BlurViewHardEdgesKey), 1);
    EXPECT_FALSE(view.blurEdges());
    view.setBlurEdges(true);
    EXPECT_EQ(view.blurFilter()->numberForKey(vantor::BlurViewHardEdgesKey), 0);
    EXPECT_TRUE(view.blurEdges());

    view.setBlurCroppingRect(CGRectMake(1, 2, 3, 4));
    EXPECT_EQ(view.blurCroppingRect(), CGRectMake(1, 2, 3, 4));
    view.setQuality("low");
    EXPECT_EQ(view.quality(), "low");
    EXPECT_EQ(view.blurQuality(), "low");
    view.setBlurRadius(-3);
    EXPECT_EQ(view.blurRadius(), 0);
}

TEST(BlurViewFactory, MakesAHardEdgedRadiusTenViewTintedDarkGrey)
{
    auto view = vantor::CAM_Tools::CreateAndConfigureBlurView(CGRectMake(30, 40, 200, 50));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->frame(), CGRectMake(0, 0, 200, 50));
    EXPECT_EQ(view->blurRadius(), 10);
    EXPECT_FALSE(view->blurEdges());
    EXPECT_EQ(view->blurFilter()->numberForKey(vantor::BlurViewHardEdgesKey), 1);
    ASSERT_NE(view->colorFilter(), nullptr);
    EXPECT_EQ(view->colorFilter()->type(), "colorAdd");
    ASSERT_NE(inputColor(*view->colorFilter()), nullptr);
    EXPECT_EQ(*inputColor(*view->colorFilter()), (std::vector<double> { 0.1, 0.1, 0.1, 1.0 }));
    ASSERT_EQ(view->layer()->filters().size(), 2u);
    EXPECT_EQ(view->layer()->filters()[0], view->colorFilter());
}

class BlurViewOnScreen : public ElementsTest { };

TEST_F(BlurViewOnScreen, BlursAndTintsWhatLiesBehindIt)
{
    // A sharp white | black edge at x = 50, half of it under the blur view.
    auto window = makeWindow(CGRectMake(0, 0, 100, 100), kit::UIColor::blackColor());
    auto white = std::make_shared<kit::UIView>(CGRectMake(0, 0, 50, 100));
    white->setBackgroundColor(kit::UIColor::whiteColor());
    window->addSubview(white);
    auto blur = vantor::CAM_Tools::CreateAndConfigureBlurView(CGRectMake(0, 0, 100, 50));
    window->addSubview(blur);
    kit::Renderer renderer(kit::CGSizeMake(100, 100), 1);
    renderer.render();

    // Below the view the edge stays sharp.
    EXPECT_EQ(at(renderer.pixels(), 48, 75).r, 255);
    EXPECT_EQ(at(renderer.pixels(), 51, 75).r, 0);
    // Under it the edge is spread into greys, lifted by the 0.1 tint.
    int left = at(renderer.pixels(), 48, 25).r, right = at(renderer.pixels(), 51, 25).r;
    EXPECT_LT(left, 230);
    EXPECT_GT(right, 50);
    EXPECT_GT(left, right);
    // Far from the edge, black plus the tint is a dark grey and white stays white.
    EXPECT_NEAR(at(renderer.pixels(), 95, 25).r, 26, 2);
    EXPECT_EQ(at(renderer.pixels(), 3, 25).r, 255);
    EXPECT_EQ(at(renderer.pixels(), 95, 25).a, 255);
}
