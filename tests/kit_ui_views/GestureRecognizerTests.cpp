#include "ViewTestSupport.h"

#include "kit/ui/UILongPressGestureRecognizer.h"
#include "kit/ui/UIPanGestureRecognizer.h"
#include "kit/ui/UISwipeGestureRecognizer.h"
#include "kit/ui/UITapGestureRecognizer.h"

#include <cmath>

namespace kit::test {

namespace {

// Writes down the state each action saw.
struct Log {
    std::vector<UIGestureRecognizerState> states;
    Action action()
    {
        return Action::function([this](id sender) { states.push_back(cast<UIGestureRecognizer>(sender)->state()); });
    }
};

// A one-finger turn, as a product would subclass it: the state is set first
// and the value after, so the action must come after the touch method.
class TurnRecognizer : public UIGestureRecognizer {
public:
    using UIGestureRecognizer::UIGestureRecognizer;
    double rotation { 0 };

    void touchesMoved(const UITouchSet& touches, UIEvent*) override
    {
        setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateBegan : UIGestureRecognizerStateChanged);
        UITouch* touch = touches.anyObject();
        CGPoint c { CGRectGetMidX(view()->bounds()), CGRectGetMidY(view()->bounds()) };
        CGPoint now = touch->locationInView(view()), before = touch->previousLocationInView(view());
        rotation = std::atan2(now.y - c.y, now.x - c.x) - std::atan2(before.y - c.y, before.x - c.x);
    }
    void touchesEnded(const UITouchSet&, UIEvent*) override
    {
        setState(state() == UIGestureRecognizerStateChanged ? UIGestureRecognizerStateEnded : UIGestureRecognizerStateFailed);
    }
    void touchesCancelled(const UITouchSet&, UIEvent*) override { setState(UIGestureRecognizerStateFailed); }
};

}

class GestureRecognizers : public ViewsTest {
protected:
    void SetUp() override
    {
        ViewsTest::SetUp();
        window = makeWindow();
        view = std::make_shared<RecordingView>(CGRectMake(0, 0, 320, 400));
        window->addSubview(view);
    }

    template <typename R>
    std::shared_ptr<R> attach(Log& log)
    {
        auto recognizer = std::make_shared<R>(log.action());
        view->addGestureRecognizer(recognizer);
        return recognizer;
    }

    // A finger moving in steps of 1/60 s.
    void stroke(CGPoint from, CGPoint to, double seconds, bool lift = true)
    {
        app().touchDown(from);
        int steps = std::max(1, int(seconds * 60));
        for (int i = 1; i <= steps; ++i) {
            RunLoop::main().advance(seconds / steps);
            double t = double(i) / steps;
            app().touchMove(CGPointMake(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
        }
        if (lift)
            app().touchUp(to);
    }

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<RecordingView> view;
};

TEST_F(GestureRecognizers, ATapIsRecognisedOnLiftAndFailsWhenTheFingerWanders)
{
    Log log;
    auto tap = attach<UITapGestureRecognizer>(log);
    app().tap(CGPointMake(100, 100));
    EXPECT_EQ(log.states, (std::vector { UIGestureRecognizerStateRecognized }));
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
    // The recognised tap took the touch from the view.
    EXPECT_EQ(view->calls, (std::vector<std::string> { "began", "cancelled" }));

    stroke(CGPointMake(100, 100), CGPointMake(100, 115), 0.1);
    EXPECT_EQ(log.states.size(), 1u);
}

TEST_F(GestureRecognizers, DoubleTapsNeedBothTapsInTime)
{
    Log doubles, singles;
    auto doubleTap = attach<UITapGestureRecognizer>(doubles);
    doubleTap->setNumberOfTapsRequired(2);
    auto singleTap = attach<UITapGestureRecognizer>(singles);
    singleTap->requireGestureRecognizerToFail(doubleTap);

    app().tap(CGPointMake(100, 100));
    RunLoop::main().advance(0.2);
    app().tap(CGPointMake(104, 100));
    EXPECT_EQ(doubles.states.size(), 1u);
    EXPECT_TRUE(singles.states.empty());

    // A lone tap waits for the double tap to give up, then counts.
    RunLoop::main().advance(1);
    app().tap(CGPointMake(100, 100));
    EXPECT_TRUE(singles.states.empty());
    RunLoop::main().advance(0.34);
    EXPECT_TRUE(singles.states.empty());
    RunLoop::main().advance(0.02);
    EXPECT_EQ(singles.states.size(), 1u);
    EXPECT_EQ(doubles.states.size(), 1u);

    // Taps too far apart in time are two failed double taps.
    RunLoop::main().advance(1);
    app().tap(CGPointMake(100, 100));
    RunLoop::main().advance(0.5);
    app().tap(CGPointMake(100, 100));
    RunLoop::main().advance(0.5);
    EXPECT_EQ(doubles.states.size(), 1u);
    EXPECT_EQ(singles.states.size(), 3u);
}

TEST_F(GestureRecognizers, ViewsGetTheirDelayedTouchEndOnceRecognisersGiveUp)
{
    Log log;
    auto doubleTap = attach<UITapGestureRecognizer>(log);
    doubleTap->setNumberOfTapsRequired(2);
    app().tap(CGPointMake(100, 100));
    EXPECT_EQ(view->calls, (std::vector<std::string> { "began" }));
    RunLoop::main().advance(0.4);
    EXPECT_EQ(view->calls, (std::vector<std::string> { "began", "ended" }));
}

TEST_F(GestureRecognizers, SwipesFollowTheirDirectionMask)
{
    Log up, down, sideways;
    auto swipeUp = attach<UISwipeGestureRecognizer>(up);
    swipeUp->setDirection(UISwipeGestureRecognizerDirectionUp);
    swipeUp->setCancelsTouchesInView(false);
    auto swipeDown = attach<UISwipeGestureRecognizer>(down);
    swipeDown->setDirection(UISwipeGestureRecognizerDirectionDown);
    swipeDown->setCancelsTouchesInView(false);
    auto swipeSide = attach<UISwipeGestureRecognizer>(sideways);
    swipeSide->setDirection(UISwipeGestureRecognizerDirectionLeft | UISwipeGestureRecognizerDirectionRight);

    stroke(CGPointMake(160, 300), CGPointMake(165, 200), 0.15);
    EXPECT_EQ(up.states, (std::vector { UIGestureRecognizerStateRecognized }));
    EXPECT_TRUE(down.states.empty());
    // Not cancelling, the view saw the whole touch.
    EXPECT_EQ(view->calls.front(), "began");
    EXPECT_EQ(view->calls.back(), "ended");

    stroke(CGPointMake(160, 100), CGPointMake(160, 250), 0.2);
    EXPECT_EQ(down.states.size(), 1u);
    stroke(CGPointMake(250, 100), CGPointMake(100, 105), 0.2);
    stroke(CGPointMake(100, 100), CGPointMake(250, 95), 0.2);
    EXPECT_EQ(sideways.states.size(), 2u);

    // Too slow, too crooked or too short: nothing.
    stroke(CGPointMake(160, 300), CGPointMake(160, 200), 1.5);
    stroke(CGPointMake(100, 300), CGPointMake(200, 200), 0.2);
    stroke(CGPointMake(160, 300), CGPointMake(160, 270), 0.2);
    EXPECT_EQ(up.states.size(), 1u);
    EXPECT_EQ(sideways.states.size(), 2u);
}

TEST_F(GestureRecognizers, LongPressBeginsOnTheClockAndEndsOnLift)
{
    Log log;
    auto press = attach<UILongPressGestureRecognizer>(log);
    app().touchDown(CGPointMake(100, 100));
    RunLoop::main().advance(0.49);
    EXPECT_TRUE(log.states.empty());
    RunLoop::main().advance(0.02);
    EXPECT_EQ(log.states, (std::vector { UIGestureRecognizerStateBegan }));
    EXPECT_EQ(view->calls, (std::vector<std::string> { "began", "cancelled" }));
    app().touchMove(CGPointMake(130, 100));
    app().touchUp(CGPointMake(130, 100));
    EXPECT_EQ(log.states, (std::vector { UIGestureRecognizerStateBegan, UIGestureRecognizerStateChanged,
                              UIGestureRecognizerStateEnded }));
    expectPointNear(press->locationInView(view.get()), CGPointMake(130, 100));

    // Moving beyond the allowance, or lifting early, fails it.
    log.states.clear();
    app().touchDown(CGPointMake(100, 100));
    RunLoop::main().advance(0.2);
    app().touchMove(CGPointMake(111, 100));
    RunLoop::main().advance(0.5);
    app().touchUp(CGPointMake(111, 100));
    app().touchDown(CGPointMake(100, 100));
    RunLoop::main().advance(0.3);
    app().touchUp(CGPointMake(100, 100));
    RunLoop::main().advance(1);
    EXPECT_TRUE(log.states.empty());
}

TEST_F(GestureRecognizers, PanReportsTranslationAndVelocityInAnyView)
{
    Log log;
    auto pan = attach<UIPanGestureRecognizer>(log);
    auto scaled = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    scaled->setTransform(CGAffineTransformMakeScale(2, 2));
    window->addSubview(scaled);
    scaled->setUserInteractionEnabled(false);

    app().touchDown(CGPointMake(100, 100));
    app().touchMove(CGPointMake(105, 100));
    EXPECT_TRUE(log.states.empty());
    RunLoop::main().advance(0.05);
    app().touchMove(CGPointMake(120, 100));
    EXPECT_EQ(log.states, (std::vector { UIGestureRecognizerStateBegan }));
    expectPointNear(pan->translationInView(view.get()), CGPointMake(20, 0));
    expectPointNear(pan->translationInView(scaled.get()), CGPointMake(10, 0));
    RunLoop::main().advance(0.05);
    app().touchMove(CGPointMake(140, 110));
    expectPointNear(pan->velocityInView(view.get()), CGPointMake(350, 100), 1e-6);
    pan->setTranslation(CGPointZero, view.get());
    RunLoop::main().advance(0.05);
    app().touchMove(CGPointMake(150, 110));
    expectPointNear(pan->translationInView(nullptr), CGPointMake(10, 0));
    app().touchUp(CGPointMake(150, 110));
    EXPECT_EQ(log.states.back(), UIGestureRecognizerStateEnded);
    EXPECT_EQ(view->calls, (std::vector<std::string> { "began", "moved", "cancelled" }));
}

TEST_F(GestureRecognizers, ASubclassSetsItsStateAndItsValuesReachTheAction)
{
    auto turn = std::make_shared<TurnRecognizer>();
    std::vector<double> seen;
    turn->addTarget(Action::function([&](id sender) { seen.push_back(cast<TurnRecognizer>(sender)->rotation); }));
    auto dial = std::make_shared<UIView>(CGRectMake(0, 0, 200, 200));
    window->addSubview(dial);
    dial->addGestureRecognizer(turn);

    app().touchDown(CGPointMake(190, 100));
    app().touchMove(CGPointMake(100, 190));
    app().touchMove(CGPointMake(10, 100));
    app().touchUp(CGPointMake(10, 100));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NEAR(seen[0], M_PI / 2, 1e-9);
    EXPECT_NEAR(seen[1], M_PI / 2, 1e-9);
    EXPECT_EQ(turn->state(), UIGestureRecognizerStatePossible);

    // Lifting without turning fails: no action.
    app().tap(CGPointMake(150, 100));
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(GestureRecognizers, ARecogniserWhoseTargetIsGoneDoesNothing)
{
    struct Target : Object {
        int calls { 0 };
        void handle(id) { ++calls; }
    };
    auto target = std::make_shared<Target>();
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget(target, &Target::handle);
    view->addGestureRecognizer(tap);
    app().tap(CGPointMake(10, 10));
    EXPECT_EQ(target->calls, 1);
    target.reset();
    app().tap(CGPointMake(200, 200));
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
}

TEST_F(GestureRecognizers, AnActionMayRemoveItsViewAndRecogniser)
{
    auto tap = std::make_shared<UITapGestureRecognizer>();
    std::weak_ptr<UITapGestureRecognizer> weak = tap;
    tap->addTarget(Action::function([&](id) {
        view->removeGestureRecognizer(weak.lock().get());
        view->removeFromSuperview();
        view.reset();
    }));
    view->addGestureRecognizer(tap);
    tap.reset();
    app().tap(CGPointMake(10, 10));
    EXPECT_FALSE(view);
    RunLoop::main().advance(1);
}

TEST_F(GestureRecognizers, DisabledRecognisersAndSimultaneity)
{
    Log first, second;
    auto a = attach<UIPanGestureRecognizer>(first);
    auto b = attach<UIPanGestureRecognizer>(second);
    stroke(CGPointMake(10, 10), CGPointMake(60, 10), 0.1);
    EXPECT_FALSE(first.states.empty());
    EXPECT_TRUE(second.states.empty());

    first.states.clear();
    b->setShouldRecognizeSimultaneously([](auto*, auto*) { return true; });
    stroke(CGPointMake(10, 10), CGPointMake(60, 10), 0.1);
    EXPECT_FALSE(first.states.empty());
    EXPECT_FALSE(second.states.empty());

    first.states.clear();
    a->setEnabled(false);
    stroke(CGPointMake(10, 10), CGPointMake(60, 10), 0.1);
    EXPECT_TRUE(first.states.empty());
}

}
