#include "ViewTestSupport.h"

#include "kit/foundation/NSNotificationCenter.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Selector.h"
#include "kit/runtime/Substrate.h"

namespace kit::test {

using TouchDelivery = ViewsTest;

TEST_F(TouchDelivery, TheViewHitOnTouchDownKeepsTheTouchUntilItEnds)
{
    auto window = makeWindow();
    auto left = std::make_shared<RecordingView>(CGRectMake(0, 0, 100, 100));
    auto right = std::make_shared<RecordingView>(CGRectMake(100, 0, 100, 100));
    window->addSubview(left);
    window->addSubview(right);

    app().touchDown(CGPointMake(50, 50));
    app().touchMove(CGPointMake(150, 50));
    app().touchUp(CGPointMake(150, 60));
    EXPECT_EQ(left->calls, (std::vector<std::string> { "began", "moved", "ended" }));
    EXPECT_TRUE(right->calls.empty());
}

TEST_F(TouchDelivery, UnhandledTouchesClimbTheResponderChain)
{
    auto window = makeWindow();
    auto parent = std::make_shared<RecordingView>(CGRectMake(0, 0, 200, 200));
    auto plain = std::make_shared<UIView>(CGRectMake(10, 10, 50, 50));
    window->addSubview(parent);
    parent->addSubview(plain);
    app().tap(CGPointMake(20, 20));
    EXPECT_EQ(parent->calls, (std::vector<std::string> { "began", "ended" }));
}

TEST_F(TouchDelivery, TouchesReportLocationsAndTapCounts)
{
    struct Probe : UIView {
        using UIView::UIView;
        CGPoint location, previous;
        int tapCount { 0 };
        size_t eventTouches { 0 };
        void touchesBegan(const UITouchSet& touches, UIEvent* event) override
        {
            tapCount = touches.anyObject()->tapCount();
            eventTouches = event->allTouches().count();
        }
        void touchesMoved(const UITouchSet& touches, UIEvent*) override
        {
            location = touches.anyObject()->locationInView(this);
            previous = touches.anyObject()->previousLocationInView(this);
        }
    };
    auto window = makeWindow();
    auto probe = std::make_shared<Probe>(CGRectMake(100, 100, 100, 100));
    probe->setTransform(CGAffineTransformMakeScale(2, 2));
    window->addSubview(probe);

    app().touchDown(CGPointMake(150, 150));
    app().touchMove(CGPointMake(170, 150));
    expectPointNear(probe->previous, CGPointMake(50, 50));
    expectPointNear(probe->location, CGPointMake(60, 50));
    app().touchUp(CGPointMake(170, 150));
    EXPECT_EQ(probe->tapCount, 1);

    RunLoop::main().advance(0.2);
    app().tap(CGPointMake(172, 150));
    EXPECT_EQ(probe->tapCount, 2);
    RunLoop::main().advance(1.0);
    app().touchDown(CGPointMake(172, 150));
    EXPECT_EQ(probe->tapCount, 1);
    app().touchDown(CGPointMake(180, 150), 1);
    EXPECT_EQ(probe->eventTouches, 2u);
    app().touchCancel(0);
    app().touchCancel(1);
}

TEST_F(TouchDelivery, AViewRemovedDuringATouchIsStillSafe)
{
    auto window = makeWindow();
    auto view = std::make_shared<RecordingView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(view);
    app().touchDown(CGPointMake(10, 10));
    view->removeFromSuperview();
    std::weak_ptr<RecordingView> weak = view;
    view.reset();
    app().touchMove(CGPointMake(20, 10));
    app().touchUp(CGPointMake(20, 10));
    // The touch kept the view alive to the end, then let it go.
    EXPECT_TRUE(weak.expired());
}

TEST_F(TouchDelivery, ApplicationEventsReachHooksAndObservers)
{
    int warnings = 0, backgrounds = 0;
    auto center = &NSNotificationCenter::defaultCenter();
    auto t1 = center->addObserverForName(UIApplicationDidReceiveMemoryWarningNotification, nullptr, [&](auto&) { ++warnings; });
    auto t2 = center->addObserverForName(UIApplicationDidEnterBackgroundNotification, nullptr, [&](auto&) { ++backgrounds; });

    static int hooked = 0;
    static void (*original)(id, SEL) = nullptr;
    void (*replacement)(id, SEL) = [](id self, SEL sel) {
        ++hooked;
        original(self, sel);
    };
    hookMessage(UIApplication::staticClass(), sel_registerName("didReceiveMemoryWarning"), replacement, &original);
    app().simulateMemoryWarning();
    app().enterBackground();
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(backgrounds, 1);
    void (*unused)(id, SEL) = nullptr;
    hookMessage(UIApplication::staticClass(), sel_registerName("didReceiveMemoryWarning"), original, &unused);
    center->removeObserver(t1);
    center->removeObserver(t2);
}

}
