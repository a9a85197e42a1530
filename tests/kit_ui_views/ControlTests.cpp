#include "ViewTestSupport.h"

#include "kit/ui/Renderer.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"

namespace kit::test {

namespace {

// The rightmost column with dark ink in a row band, or -1.
int rightmostInk(const CGImage& image, int top, int bottom)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = top; y < bottom; ++y)
            if (((image.pixel(x, y) >> 16) & 0xff) < 128)
                return x;
    return -1;
}

std::shared_ptr<UIImage> solidImage(uint32_t pixel, int size = 4)
{
    auto bitmap = CGImage::create(size, size);
    auto* words = reinterpret_cast<uint32_t*>(bitmap->mutableData());
    std::fill(words, words + size * size, pixel);
    return UIImage::imageWithCGImage(bitmap);
}

}

using Controls = ViewsTest;

TEST_F(Controls, LabelKernSpreadsTheLettersOnScreen)
{
    auto window = makeWindow(CGRectMake(0, 0, 200, 100));
    window->setBackgroundColor(UIColor::whiteColor());
    auto plain = std::make_shared<UILabel>(CGRectMake(0, 0, 200, 40));
    plain->setText("IIII");
    auto spaced = std::make_shared<UILabel>(CGRectMake(0, 50, 200, 40));
    NSAttributedString text("IIII");
    text.addKern(8, NSMakeRange(0, text.length()));
    spaced->setAttributedText(text);
    for (auto& label : { plain, spaced }) {
        label->setFont(UIFont::fontWithName("DejaVuSans-Bold", 20));
        window->addSubview(label);
    }
    Renderer renderer(CGSizeMake(200, 100), 1);
    renderer.render();
    int plainEnd = rightmostInk(renderer.pixels(), 0, 40);
    int spacedEnd = rightmostInk(renderer.pixels(), 50, 90);
    ASSERT_GT(plainEnd, 0);
    // Three gaps of 8 points between the four letters.
    EXPECT_NEAR(spacedEnd - plainEnd, 24, 2);
    EXPECT_GT(spaced->sizeThatFits(CGSizeZero).width, plain->sizeThatFits(CGSizeZero).width + 24);
}

TEST_F(Controls, LabelsShrinkToFitOnlyWhenAskedAndNotBelowTheMinimum)
{
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 40, 20));
    label->setText("A rather long caption");
    label->setFont(UIFont::systemFontOfSize(20));
    EXPECT_EQ(label->fontFittingWidth(40)->pointSize(), 20);
    label->setAdjustsFontSizeToFitWidth(true);
    EXPECT_LT(label->fontFittingWidth(40)->pointSize(), 10);
    label->setMinimumScaleFactor(0.5);
    EXPECT_EQ(label->fontFittingWidth(40)->pointSize(), 10);
    EXPECT_FALSE(label->isUserInteractionEnabled());
    label->sizeToFit();
    EXPECT_GT(label->bounds().size.width, 40);
}

TEST_F(Controls, ButtonsSendTouchUpInsideOnlyForALiftNearby)
{
    auto window = makeWindow();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(100, 100, 47, 47));
    window->addSubview(button);
    std::vector<std::string> events;
    button->addTarget(Action::function([&](id) { events.push_back("down"); }), UIControlEventTouchDown);
    button->addTarget(Action::function([&](id sender) {
        events.push_back(cast<UIButton>(sender) == button.get() ? "inside" : "?");
    }),
        UIControlEventTouchUpInside);
    button->addTarget(Action::function([&](id) { events.push_back("outside"); }), UIControlEventTouchUpOutside);

    app().touchDown(CGPointMake(120, 120));
    EXPECT_TRUE(button->isHighlighted());
    app().touchMove(CGPointMake(200, 120));
    app().touchUp(CGPointMake(200, 120));
    EXPECT_FALSE(button->isHighlighted());
    app().touchDown(CGPointMake(120, 120));
    app().touchMove(CGPointMake(300, 120));
    app().touchUp(CGPointMake(300, 120));
    EXPECT_EQ(events, (std::vector<std::string> { "down", "inside", "down", "outside" }));

    events.clear();
    button->setEnabled(false);
    app().tap(CGPointMake(120, 120));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(app().hitTest(CGPointMake(120, 120)), button.get()) << "a disabled button still takes its touches";
}

TEST_F(Controls, ButtonTitlesFollowTheState)
{
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setTitle("Done", UIControlStateNormal);
    button->setTitle("Chosen", UIControlStateSelected);
    EXPECT_EQ(button->titleLabel()->text(), "Done");
    button->setSelected(true);
    EXPECT_EQ(button->titleLabel()->text(), "Chosen");
    button->setHighlighted(true);
    EXPECT_EQ(button->currentTitle(), "Done") << "no title for selected+highlighted: the normal one";
    EXPECT_LT(button->currentTitleColor()->alpha(), 1) << "a system button dims while pressed";
    auto image = solidImage(0xff00ff00);
    button->setImage(image, UIControlStateNormal);
    EXPECT_EQ(button->imageView()->image(), image);
    EXPECT_EQ(UIButton::buttonWithType(UIButtonTypeCustom)->titleColorForState(UIControlStateNormal)->isEqual(UIColor::whiteColor().get()), true);
}

TEST_F(Controls, AButtonMayGoAwayInItsOwnAction)
{
    auto window = makeWindow();
    auto button = std::make_shared<UIButton>(CGRectMake(0, 0, 50, 50));
    window->addSubview(button);
    std::weak_ptr<UIButton> weak = button;
    button->addTarget(Action::function([&](id) { weak.lock()->removeFromSuperview(); }), UIControlEventTouchUpInside);
    button.reset();
    app().tap(CGPointMake(10, 10));
    EXPECT_TRUE(weak.expired());
}

TEST_F(Controls, SwitchesFlipOnATapAndReportOnlyThen)
{
    auto window = makeWindow();
    auto toggle = std::make_shared<UISwitch>(CGRectMake(10, 10, 100, 100));
    EXPECT_EQ(toggle->bounds().size, UISwitch::switchSize);
    window->addSubview(toggle);
    int changes = 0;
    toggle->addTarget(Action::function([&](id) { ++changes; }), UIControlEventValueChanged);
    app().tap(CGPointMake(20, 20));
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(changes, 1);
    toggle->setOn(false, true);
    EXPECT_EQ(changes, 1);
    RunLoop::main().advance(1);
    Renderer renderer(CGSizeMake(100, 100), 1);
    renderer.render();
    EXPECT_EQ(renderer.pixels().pixel(35, 25), 0xffffffffu) << "the thumb";
}

TEST_F(Controls, ImageViewsPlayTheirFramesOnTheClock)
{
    auto red = solidImage(0xffff0000), green = solidImage(0xff00ff00), blue = solidImage(0xff0000ff);
    auto view = std::make_shared<UIImageView>(red, blue);
    EXPECT_EQ(view->bounds().size, CGSizeMake(4, 4));
    EXPECT_FALSE(view->isUserInteractionEnabled());
    EXPECT_EQ(view->layerContents(0), red);
    view->setHighlighted(true);
    EXPECT_EQ(view->layerContents(0), blue);

    view->setAnimationImages({ red, green });
    view->setAnimationDuration(0.2);
    view->setAnimationRepeatCount(2);
    view->startAnimating();
    EXPECT_TRUE(view->isAnimating());
    double t = RunLoop::main().now();
    EXPECT_EQ(view->layerContents(t + 0.05), red);
    EXPECT_EQ(view->layerContents(t + 0.15), green);
    EXPECT_EQ(view->layerContents(t + 0.25), red);
    RunLoop::main().advance(0.41);
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(view->layerContents(RunLoop::main().now()), blue);
}

TEST_F(Controls, ScrollViewsFollowTheFingerBounceAndPage)
{
    auto window = makeWindow();
    auto scroll = std::make_shared<UIScrollView>(CGRectMake(0, 0, 320, 80));
    scroll->setContentSize(CGSizeMake(640, 80));
    window->addSubview(scroll);
    auto button = std::make_shared<UIButton>(CGRectMake(0, 0, 47, 47));
    scroll->addSubview(button);
    int taps = 0, cancels = 0;
    button->addTarget(Action::function([&](id) { ++taps; }), UIControlEventTouchUpInside);
    button->addTarget(Action::function([&](id) { ++cancels; }), UIControlEventTouchCancel);

    app().tap(CGPointMake(20, 20));
    EXPECT_EQ(taps, 1);

    app().touchDown(CGPointMake(20, 20));
    app().touchMove(CGPointMake(10, 20));
    app().touchMove(CGPointMake(-80, 20));
    EXPECT_NEAR(scroll->contentOffset().x, 100, 1e-9);
    EXPECT_TRUE(scroll->isDragging());
    app().touchUp(CGPointMake(-80, 20));
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(taps, 1);

    // Past the start the content follows at half speed, then settles back.
    app().touchDown(CGPointMake(20, 20));
    app().touchMove(CGPointMake(100, 20));
    app().touchMove(CGPointMake(220, 20));
    EXPECT_NEAR(scroll->contentOffset().x, -50, 1e-9);
    app().touchUp(CGPointMake(220, 20));
    EXPECT_EQ(scroll->contentOffset().x, 0) << "the model settles at once";
    EXPECT_LT(scroll->presentation().bounds.origin.x, 0) << "the screen follows over 0.3 s";
    RunLoop::main().advance(0.3);
    EXPECT_EQ(scroll->presentation().bounds.origin.x, 0);

    scroll->setPagingEnabled(true);
    app().touchDown(CGPointMake(300, 20));
    app().touchMove(CGPointMake(280, 20));
    app().touchMove(CGPointMake(100, 20));
    app().touchUp(CGPointMake(100, 20));
    EXPECT_EQ(scroll->contentOffset().x, 320);

    // Without bouncing nothing moves along an axis that cannot scroll.
    scroll->setBounces(false);
    app().touchDown(CGPointMake(300, 20));
    app().touchMove(CGPointMake(300, 40));
    app().touchMove(CGPointMake(300, 70));
    app().touchUp(CGPointMake(300, 70));
    EXPECT_EQ(scroll->contentOffset().y, 0);
}

}
