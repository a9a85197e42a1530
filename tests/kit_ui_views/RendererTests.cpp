#include "ViewTestSupport.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/PNGCodec.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"

#include <cmath>
#include <filesystem>

namespace kit::test {

namespace {

struct RGBA {
    int r, g, b, a;
};

RGBA at(const CGImage& image, int x, int y)
{
    uint32_t px = image.pixel(x, y);
    return { int((px >> 16) & 0xff), int((px >> 8) & 0xff), int(px & 0xff), int(px >> 24) };
}

std::shared_ptr<CAFilter> blurFilter(double radius)
{
    auto filter = CAFilter::filterWithType(kCAFilterGaussianBlur);
    filter->setValue(radius, "inputRadius");
    filter->setValue(1.0, "inputHardEdges");
    return filter;
}

std::shared_ptr<CAFilter> tintFilter(double grey)
{
    auto filter = CAFilter::filterWithType(kCAFilterColorAdd);
    filter->setValue(std::vector<double> { grey, grey, grey, 1.0 }, "inputColor");
    return filter;
}

}

class Rendering : public ViewsTest {
protected:
    std::shared_ptr<UIView> addView(UIView* parent, CGRect frame, std::shared_ptr<UIColor> color)
    {
        auto view = std::make_shared<UIView>(frame);
        view->setBackgroundColor(std::move(color));
        parent->addSubview(view);
        return view;
    }

    Renderer renderer { CGSizeMake(100, 100), 1 };
};

TEST_F(Rendering, WindowsStackByLevelAndAlphaBlends)
{
    auto top = makeWindow(CGRectMake(50, 0, 50, 100), 10);
    top->setBackgroundColor(UIColor::blueColor());
    auto bottom = makeWindow(CGRectMake(0, 0, 100, 100), 0);
    bottom->setBackgroundColor(UIColor::redColor());
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 25, 50).r, 255);
    EXPECT_EQ(at(renderer.pixels(), 75, 50).b, 255);
    EXPECT_EQ(at(renderer.pixels(), 75, 50).r, 0);

    top->setAlpha(0.5);
    renderer.render();
    auto mixed = at(renderer.pixels(), 75, 50);
    EXPECT_NEAR(mixed.r, 128, 1);
    EXPECT_NEAR(mixed.b, 128, 1);
    EXPECT_EQ(mixed.a, 255);
}

TEST_F(Rendering, TransformsCornersBordersAndClipping)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::whiteColor());
    auto rounded = addView(window.get(), CGRectMake(10, 10, 40, 40), UIColor::greenColor());
    rounded->layer()->setCornerRadius(10);
    rounded->layer()->setBorderWidth(2);
    rounded->layer()->setBorderColor(UIColor::blackColor());
    auto clipper = addView(window.get(), CGRectMake(60, 60, 20, 20), UIColor::blueColor());
    clipper->setClipsToBounds(true);
    addView(clipper.get(), CGRectMake(10, 10, 30, 30), UIColor::redColor());
    auto bar = addView(window.get(), CGRectMake(60, 20, 30, 4), UIColor::blackColor());
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    renderer.render();
    auto& px = renderer.pixels();

    EXPECT_EQ(at(px, 10, 10).g, 255) << "the rounded corner is cut away";
    EXPECT_EQ(at(px, 10, 10).r, 255);
    EXPECT_EQ(at(px, 30, 30).g, 255) << "inside: the colour green";
    EXPECT_EQ(at(px, 30, 30).r, 0);
    EXPECT_EQ(at(px, 10, 30).g, 0) << "the border";
    EXPECT_EQ(at(px, 75, 75).r, 255) << "the child inside the clip";
    EXPECT_EQ(at(px, 85, 85).r, 255);
    EXPECT_EQ(at(px, 85, 85).g, 255) << "the child outside the clip is cut off";
    EXPECT_EQ(at(px, 75, 10).r, 0) << "the turned bar stands upright";
    EXPECT_EQ(at(px, 62, 22).r, 255);
}

TEST_F(Rendering, ThePresentationValueIsWhatIsDrawn)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::blackColor());
    auto view = addView(window.get(), CGRectMake(0, 0, 100, 100), UIColor::whiteColor());
    view->setAlpha(0);
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(1); }, nullptr);
    RunLoop::main().advance(0.5);
    renderer.render();
    EXPECT_NEAR(at(renderer.pixels(), 50, 50).r, 128, 1);
    RunLoop::main().advance(0.5);
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 50, 50).r, 255);
}

TEST_F(Rendering, CustomDrawingIsKeptUntilTheViewAsksAgain)
{
    struct Drawn : UIView {
        using UIView::UIView;
        int draws { 0 };
        void drawRect(CGRect) override
        {
            ++draws;
            auto context = UIGraphicsGetCurrentContext();
            CGContextSetRGBFillColor(context, 1, 0, 0, 1);
            CGContextFillRect(context, CGRectMake(0, 0, 10, 10));
        }
    };
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    auto drawn = std::make_shared<Drawn>(CGRectMake(20, 20, 40, 40));
    window->addSubview(drawn);
    renderer.render();
    renderer.render();
    EXPECT_EQ(drawn->draws, 1);
    EXPECT_EQ(at(renderer.pixels(), 25, 25).r, 255);
    EXPECT_EQ(at(renderer.pixels(), 35, 35).a, 0);
    drawn->setNeedsDisplay();
    renderer.render();
    EXPECT_EQ(drawn->draws, 2);
}

TEST_F(Rendering, BlurViewsBlurWhatLiesBehindAfterTheirTint)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::blackColor());
    addView(window.get(), CGRectMake(0, 0, 50, 100), UIColor::whiteColor());
    auto blur = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(blur);

    auto edgeProfile = [&](std::vector<std::shared_ptr<CAFilter>> filters) {
        blur->layer()->setFilters(std::move(filters));
        renderer.render();
        std::vector<int> row;
        for (int x = 0; x < 100; ++x)
            row.push_back(at(renderer.pixels(), x, 50).r);
        return row;
    };

    auto sharp = edgeProfile({});
    EXPECT_EQ(sharp[49], 255);
    EXPECT_EQ(sharp[50], 0);

    auto narrow = edgeProfile({ blurFilter(2) });
    auto wide = edgeProfile({ blurFilter(10) });
    EXPECT_GT(narrow[49], 128);
    EXPECT_LT(narrow[49], 255);
    EXPECT_GT(narrow[50], 0);
    EXPECT_EQ(narrow[40], 255);
    EXPECT_LT(wide[40], 250) << "a larger radius reaches further";
    EXPECT_GT(wide[60], 5);
    EXPECT_EQ(wide[2], 255) << "hard edges: nothing dark bleeds in from outside";
    EXPECT_EQ(wide[97], 0);

    // The tint is added before the blur: the dark side lifts to 0.1 grey.
    auto tinted = edgeProfile({ tintFilter(0.1), blurFilter(10) });
    EXPECT_NEAR(tinted[97], 26, 1);
    EXPECT_EQ(tinted[2], 255);
    EXPECT_GT(tinted[60], wide[60]);
}

TEST_F(Rendering, CurlTransitionsShowTheOldPageGoingAway)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    addView(window.get(), CGRectMake(0, 0, 100, 100), UIColor::redColor());
    auto next = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    next->setBackgroundColor(UIColor::blueColor());
    UIView::beginAnimations("", nullptr);
    UIView::setAnimationDuration(1.0);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationTransition(UIViewAnimationTransitionCurlUp, window.get(), true);
    window->addSubview(next);
    UIView::commitAnimations();

    RunLoop::main().advance(0.5);
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 50, 10).r, 255) << "the old page still covers the top";
    EXPECT_EQ(at(renderer.pixels(), 50, 90).b, 255) << "the new page shows below";
    RunLoop::main().advance(0.6);
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 50, 10).b, 255);
}

// Half-way, the old page's lifted corner lies turned over above the fold:
// the paper's light back, neither the old page's red nor the new one's blue.
// The curl down plays the same picture backwards, the new page on top.
TEST_F(Rendering, CurlsTurnThePageOverAlongAFold)
{
    auto curlAtHalf = [&](UIViewAnimationTransition transition) {
        auto window = makeWindow(CGRectMake(0, 0, 100, 100));
        auto old = addView(window.get(), CGRectMake(0, 0, 100, 100), UIColor::redColor());
        auto next = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
        next->setBackgroundColor(UIColor::blueColor());
        UIView::beginAnimations("", nullptr);
        UIView::setAnimationDuration(1.0);
        UIView::setAnimationCurve(UIViewAnimationCurveLinear);
        UIView::setAnimationTransition(transition, window.get(), true);
        window->addSubview(next);
        UIView::commitAnimations();
        RunLoop::main().advance(0.5);
        renderer.render();
        RunLoop::main().advance(0.6);
        window->setHidden(true);
    };

    curlAtHalf(UIViewAnimationTransitionCurlUp);
    auto back = at(renderer.pixels(), 50, 38);
    EXPECT_GT(back.r, 150);
    EXPECT_GT(back.g, 150) << "the paper's back, not the red page";
    EXPECT_GT(back.b, 150);
    EXPECT_EQ(at(renderer.pixels(), 90, 95).b, 255) << "the corner has lifted off the new page";
    EXPECT_EQ(at(renderer.pixels(), 50, 10).r, 255) << "the top still lies flat";

    curlAtHalf(UIViewAnimationTransitionCurlDown);
    back = at(renderer.pixels(), 50, 38);
    EXPECT_GT(back.r, 150);
    EXPECT_GT(back.g, 150);
    EXPECT_EQ(at(renderer.pixels(), 90, 95).r, 255) << "the old page shows where the new one has not come down";
    EXPECT_EQ(at(renderer.pixels(), 50, 10).b, 255) << "the new page lies over the top";
}

TEST_F(Rendering, FlipsNarrowTheOldContentThenWidenTheNew)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::whiteColor());
    auto card = addView(window.get(), CGRectMake(0, 0, 100, 100), UIColor::redColor());
    UIView::transitionWithView(card.get(), 1.0, UIViewAnimationOptionTransitionFlipFromLeft | UIViewAnimationOptionCurveLinear,
        [&] { card->setBackgroundColor(UIColor::blueColor()); }, nullptr);
    RunLoop::main().advance(0.25);
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 50, 50).r, 255) << "the old side, narrowed";
    EXPECT_EQ(at(renderer.pixels(), 5, 50).g, 255) << "beside it, what lies behind";
    RunLoop::main().advance(0.5);
    renderer.render();
    EXPECT_EQ(at(renderer.pixels(), 50, 50).b, 255) << "the new side";
    EXPECT_EQ(at(renderer.pixels(), 5, 50).g, 255);
}

TEST_F(Rendering, ScreenshotsAreWrittenAsPNG)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::greenColor());
    renderer.render();
    auto path = std::filesystem::temp_directory_path() / "kit_ui_views_screenshot.png";
    ASSERT_TRUE(renderer.writePNG(path.string()));
    auto bytes = readWholeFile(path, 1 << 20);
    ASSERT_TRUE(bytes);
    auto decoded = PNGCodec::decode(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 100);
    EXPECT_EQ(decoded->pixel(5, 5), renderer.pixels().pixel(5, 5));
    std::filesystem::remove(path);
    EXPECT_FALSE(renderer.writePNG("/nonexistent-folder/x.png"));
}

TEST_F(Rendering, ShadowsAndImagesByContentMode)
{
    auto window = makeWindow(CGRectMake(0, 0, 100, 100));
    window->setBackgroundColor(UIColor::whiteColor());
    auto card = addView(window.get(), CGRectMake(10, 10, 30, 30), UIColor::whiteColor());
    card->layer()->setShadowOpacity(1);
    card->layer()->setShadowOffset(CGSizeMake(10, 10));
    card->layer()->setShadowRadius(0);
    card->layer()->setShadowColor(UIColor::blackColor());

    auto bitmap = CGImage::create(2, 1);
    reinterpret_cast<uint32_t*>(bitmap->mutableData())[0] = 0xffff0000;
    reinterpret_cast<uint32_t*>(bitmap->mutableData())[1] = 0xff0000ff;
    auto image = std::make_shared<UIImageView>(UIImage::imageWithCGImage(bitmap));
    image->setFrame(CGRectMake(50, 50, 40, 40));
    image->setContentMode(UIViewContentModeScaleAspectFit);
    window->addSubview(image);
    renderer.render();
    auto& px = renderer.pixels();
    EXPECT_EQ(at(px, 45, 45).r, 0) << "the shadow, offset down and right";
    EXPECT_EQ(at(px, 15, 15).r, 255) << "the card over its shadow";
    EXPECT_EQ(at(px, 55, 52).r, 255) << "aspect fit leaves bands above and below";
    EXPECT_EQ(at(px, 55, 70).r, 255);
    EXPECT_EQ(at(px, 55, 70).b, 0);
    EXPECT_EQ(at(px, 85, 70).b, 255);
}

}
