#include "ViewTestSupport.h"

#include <cmath>

namespace kit::test {

using Animations = ViewsTest;

TEST_F(Animations, TheModelChangesAtOnceAndThePresentationFollowsTheCurve)
{
    auto window = makeWindow();
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(view);
    view->setAlpha(0);

    bool done = false, finished = false;
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setAlpha(1);
            view->setCenter(CGPointMake(150, 50));
        },
        [&](bool f) {
            done = true;
            finished = f;
        });
    EXPECT_EQ(view->alpha(), 1);
    EXPECT_EQ(view->center(), CGPointMake(150, 50));
    EXPECT_EQ(view->presentation().alpha, 0);
    RunLoop::main().advance(0.25);
    EXPECT_NEAR(view->presentation().alpha, 0.25, 1e-9);
    expectPointNear(view->presentation().center, CGPointMake(75, 50), 1e-9);
    RunLoop::main().advance(0.74);
    EXPECT_FALSE(done);
    RunLoop::main().advance(0.02);
    EXPECT_TRUE(done);
    EXPECT_TRUE(finished);
    EXPECT_EQ(view->presentation().alpha, 1);
    EXPECT_FALSE(view->hasRunningAnimations());
}

TEST_F(Animations, CurvesShapeTheMiddleOfTheAnimation)
{
    auto view = std::make_shared<UIView>();
    auto alphaAt = [&](UIViewAnimationOptions options, double t) {
        RunLoop::main().resetWithVirtualClock();
        view->setAlpha(0);
        UIView::animateWithDuration(1.0, 0, options, [&] { view->setAlpha(1); }, nullptr);
        RunLoop::main().advance(t);
        return view->presentation().alpha;
    };
    EXPECT_NEAR(alphaAt(UIViewAnimationOptionCurveEaseInOut, 0.5), 0.5, 1e-6);
    EXPECT_LT(alphaAt(UIViewAnimationOptionCurveEaseInOut, 0.25), 0.2);
    EXPECT_LT(alphaAt(UIViewAnimationOptionCurveEaseIn, 0.5), 0.4);
    EXPECT_GT(alphaAt(UIViewAnimationOptionCurveEaseOut, 0.5), 0.6);
    EXPECT_NEAR(alphaAt(0x30000, 0.3), 0.3, 1e-9);
}

TEST_F(Animations, TransformsTurnInsteadOfShrinking)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] { view->setTransform(CGAffineTransformMakeRotation(M_PI / 2)); }, nullptr);
    RunLoop::main().advance(0.5);
    auto t = view->presentation().transform;
    EXPECT_NEAR(t.a, std::cos(M_PI / 4), 1e-9);
    EXPECT_NEAR(t.b, std::sin(M_PI / 4), 1e-9);
    EXPECT_NEAR(t.a * t.d - t.b * t.c, 1, 1e-9);
}

TEST_F(Animations, CompletionsRunInTimeOrderAndChain)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    std::vector<std::string> order;
    UIView::animateWithDuration(0.5, [&] { view->setAlpha(0.5); }, [&](bool) {
        order.push_back("fade");
        // A caption-style chain: hold with no changes, then fade out.
        UIView::animateWithDuration(1.7, 0, 0, nullptr, [&](bool finished) {
            order.push_back(finished ? "hold" : "hold cut");
            UIView::animateWithDuration(1.2, [&] { view->setAlpha(0); }, [&](bool) { order.push_back("out"); });
        });
    });
    UIView::animateWithDuration(0.3, [&] { view->setCenter(CGPointMake(1, 1)); }, [&](bool) { order.push_back("move"); });

    RunLoop::main().advance(0.5);
    EXPECT_EQ(order, (std::vector<std::string> { "move", "fade" }));
    RunLoop::main().advance(1.69);
    EXPECT_EQ(order.size(), 2u);
    RunLoop::main().advance(0.02);
    EXPECT_EQ(order.back(), "hold");
    // The last link starts from its own completion time.
    RunLoop::main().advance(0.6);
    EXPECT_NEAR(view->presentation().alpha, 0.25, 0.02);
    RunLoop::main().advance(0.61);
    EXPECT_EQ(order, (std::vector<std::string> { "move", "fade", "hold", "out" }));
}

TEST_F(Animations, ATakenOverAnimationFinishesEarlyAndUnfinished)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    std::vector<std::string> events;
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(0); },
        [&](bool finished) { events.push_back(finished ? "first finished" : "first cut"); });
    RunLoop::main().advance(0.5);
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(1); },
        [&](bool finished) { events.push_back(finished ? "second finished" : "second cut"); });
    // The new animation starts from what was on screen.
    EXPECT_NEAR(view->presentation().alpha, 0.5, 1e-9);
    RunLoop::main().runDue();
    EXPECT_EQ(events, (std::vector<std::string> { "first cut" }));
    RunLoop::main().advance(0.5);
    EXPECT_NEAR(view->presentation().alpha, 0.75, 1e-9);
    RunLoop::main().advance(0.5);
    EXPECT_EQ(events, (std::vector<std::string> { "first cut", "second finished" }));
}

TEST_F(Animations, AViewRemovedDuringItsOwnAnimationIsSafe)
{
    auto window = makeWindow();
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    window->addSubview(view);
    std::weak_ptr<UIView> weak = view;
    std::vector<bool> results;
    UIView::animateWithDuration(1.0, [&] { view->setAlpha(0); }, [&, weak](bool finished) {
        results.push_back(finished);
        // The completion may find its view gone.
        if (auto v = weak.lock())
            v->removeFromSuperview();
    });
    RunLoop::main().advance(0.3);
    view->removeFromSuperview();
    view.reset();
    EXPECT_TRUE(weak.expired());
    RunLoop::main().advance(0.01);
    EXPECT_EQ(results, (std::vector { false }));
    RunLoop::main().advance(2);
    EXPECT_EQ(results.size(), 1u);

    // A view that removes itself in its own completion.
    auto dial = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    window->addSubview(dial);
    UIView* raw = dial.get();
    UIView::animateWithDuration(0.25, [&] { raw->setAlpha(0); }, [raw](bool finished) {
        EXPECT_TRUE(finished);
        raw->setHidden(true);
        raw->removeFromSuperview();
    });
    dial.reset();
    RunLoop::main().advance(0.3);
    EXPECT_TRUE(window->subviews().empty());
}

TEST_F(Animations, BeginCommitBlocksWithDelayCurveAndCallback)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    int context = 42;
    std::vector<std::string> stops;
    UIView::beginAnimations("w", &context);
    UIView::setAnimationDuration(0.4);
    UIView::setAnimationDelay(0.1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDidStopCallback([&](const std::string& name, bool finished, void* ctx) {
        stops.push_back(name + (finished ? " finished" : " cut") + (ctx == &context ? " with context" : ""));
    });
    view->setTransform(CGAffineTransformMakeScale(2, 2));
    UIView::commitAnimations();

    EXPECT_EQ(view->transform(), CGAffineTransformMakeScale(2, 2));
    RunLoop::main().advance(0.05);
    EXPECT_EQ(view->presentation().transform, CGAffineTransformIdentity);
    RunLoop::main().advance(0.25);
    EXPECT_NEAR(view->presentation().transform.a, 1.5, 1e-9);
    RunLoop::main().advance(0.21);
    EXPECT_EQ(stops, (std::vector<std::string> { "w finished with context" }));
}

TEST_F(Animations, NothingAnimatesWhenAnimationsAreOff)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    bool done = false;
    UIView::setAnimationsEnabled(false);
    UIView::animateWithDuration(1.0, [&] { view->setAlpha(0.2); }, [&](bool) { done = true; });
    EXPECT_NEAR(view->presentation().alpha, 0.2, 1e-9);
    RunLoop::main().advance(1.0);
    EXPECT_TRUE(done);

    UIView::setAnimationsEnabled(true);
    UIView::animateWithDuration(1.0, [&] {
        UIView::performWithoutAnimation([&] { view->setAlpha(0.9); });
    });
    EXPECT_NEAR(view->presentation().alpha, 0.9, 1e-9);
}

TEST_F(Animations, MovingViewsIgnoreTouchesUnlessAllowed)
{
    auto window = makeWindow();
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(view);
    UIView::animateWithDuration(1.0, [&] { view->setAlpha(0.5); });
    EXPECT_EQ(app().hitTest(CGPointMake(50, 50)), window.get());
    RunLoop::main().advance(1.0);
    EXPECT_EQ(app().hitTest(CGPointMake(50, 50)), view.get());
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionAllowUserInteraction, [&] { view->setAlpha(1); }, nullptr);
    EXPECT_EQ(app().hitTest(CGPointMake(50, 50)), view.get());
}

}
