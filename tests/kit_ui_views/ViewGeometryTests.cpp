#include "ViewTestSupport.h"

#include <cmath>

namespace kit::test {

namespace {

class CircleView : public UIView {
public:
    using UIView::UIView;
    // Touchable only inside the inscribed circle.
    bool pointInside(CGPoint p, UIEvent*) override
    {
        CGRect b = bounds();
        return std::hypot(p.x - CGRectGetMidX(b), p.y - CGRectGetMidY(b)) <= b.size.width / 2;
    }
};

}

using ViewGeometry = ViewsTest;

TEST_F(ViewGeometry, FrameFollowsCenterBoundsAndTransform)
{
    auto view = std::make_shared<UIView>(CGRectMake(10, 20, 100, 50));
    EXPECT_EQ(view->center(), CGPointMake(60, 45));
    EXPECT_EQ(view->bounds(), CGRectMake(0, 0, 100, 50));
    view->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    CGRect turned = view->frame();
    EXPECT_NEAR(turned.origin.x, 35, 1e-9);
    EXPECT_NEAR(turned.origin.y, -5, 1e-9);
    EXPECT_NEAR(turned.size.width, 50, 1e-9);
    EXPECT_NEAR(turned.size.height, 100, 1e-9);
    // With a transform, setting the frame moves the centre only.
    view->setFrame(CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(view->center(), CGPointMake(5, 5));
    EXPECT_EQ(view->bounds().size, CGSizeMake(100, 50));
}

TEST_F(ViewGeometry, PointsConvertThroughRotatedAndScaledAncestors)
{
    auto window = makeWindow();
    auto parent = std::make_shared<UIView>(CGRectMake(100, 100, 200, 200));
    auto child = std::make_shared<UIView>(CGRectMake(50, 50, 100, 100));
    window->addSubview(parent);
    parent->addSubview(child);
    child->setTransform(CGAffineTransformMakeRotation(M_PI / 2));

    // The child's top-left corner turns a quarter about the child's centre.
    expectPointNear(child->convertPointToView(CGPointZero, parent.get()), CGPointMake(150, 50));
    expectPointNear(child->convertPointToView(CGPointZero, nullptr), CGPointMake(250, 150));
    expectPointNear(child->convertPointFromView(CGPointMake(250, 150), nullptr), CGPointZero);

    parent->setTransform(CGAffineTransformMakeScale(2, 2));
    CGPoint inWindow = child->convertPointToView(CGPointMake(10, 20), window.get());
    expectPointNear(parent->convertPointFromView(inWindow, window.get()), child->convertPointToView(CGPointMake(10, 20), parent.get()));
    expectPointNear(child->convertPointFromView(inWindow, window.get()), CGPointMake(10, 20));

    // The scroll offset (bounds origin) moves what is inside.
    parent->setTransform(CGAffineTransformIdentity);
    parent->setBounds(CGRectMake(0, 30, 200, 200));
    expectPointNear(parent->convertPointToView(CGPointMake(0, 30), window.get()), CGPointMake(100, 100));
}

TEST_F(ViewGeometry, RectanglesConvertToTheirBoundingBoxAcrossWindows)
{
    auto back = makeWindow();
    auto turned = makeWindow(CGRectMake(0, 0, 100, 100), 10);
    turned->setTransform(CGAffineTransformMakeRotation(M_PI));
    auto inside = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    turned->addSubview(inside);

    // A half turn about (50, 50) puts the view's square at (90, 90).
    CGRect inBack = inside->convertRectToView(inside->bounds(), back.get());
    EXPECT_NEAR(inBack.origin.x, 90, 1e-9);
    EXPECT_NEAR(inBack.origin.y, 90, 1e-9);
    EXPECT_NEAR(inBack.size.width, 10, 1e-9);

    auto leaning = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    back->addSubview(leaning);
    leaning->setTransform(CGAffineTransformMakeRotation(M_PI / 4));
    CGRect box = leaning->convertRectToView(leaning->bounds(), back.get());
    EXPECT_NEAR(box.size.width, 10 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(CGRectGetMidX(box), 5, 1e-9);
}

TEST_F(ViewGeometry, HitTestingFollowsRotationAndSkipsHiddenFaintAndInert)
{
    auto window = makeWindow();
    auto bar = std::make_shared<UIView>(CGRectMake(110, 0, 100, 20));
    window->addSubview(bar);
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    // Upright the bar would cover (115, 5) but not (160, 50); turned, the other way round.
    EXPECT_EQ(app().hitTest(CGPointMake(160, 50)), bar.get());
    EXPECT_EQ(app().hitTest(CGPointMake(115, 5)), window.get());

    auto front = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto inner = std::make_shared<UIView>(CGRectMake(10, 10, 20, 20));
    window->addSubview(front);
    front->addSubview(inner);
    EXPECT_EQ(app().hitTest(CGPointMake(15, 15)), inner.get());
    inner->setHidden(true);
    EXPECT_EQ(app().hitTest(CGPointMake(15, 15)), front.get());
    inner->setHidden(false);
    inner->setAlpha(0.009);
    EXPECT_EQ(app().hitTest(CGPointMake(15, 15)), front.get());
    inner->setAlpha(0.01);
    EXPECT_EQ(app().hitTest(CGPointMake(15, 15)), inner.get());
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(app().hitTest(CGPointMake(15, 15)), window.get());

    // A subview hanging outside its superview is not found there.
    front->setUserInteractionEnabled(true);
    auto outside = std::make_shared<UIView>(CGRectMake(150, 150, 20, 20));
    front->addSubview(outside);
    EXPECT_EQ(app().hitTest(CGPointMake(155, 155)), window.get());
}

TEST_F(ViewGeometry, OverriddenPointInsideShapesTheTouchArea)
{
    auto window = makeWindow();
    auto circle = std::make_shared<CircleView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(circle);
    EXPECT_EQ(app().hitTest(CGPointMake(50, 50)), circle.get());
    EXPECT_EQ(app().hitTest(CGPointMake(5, 5)), window.get());
}

TEST_F(ViewGeometry, WindowsAreTouchedInOrderOfLevelThenOfShowing)
{
    auto low = makeWindow(CGRectMake(0, 0, 100, 100), 5);
    auto high = makeWindow(CGRectMake(0, 0, 100, 100), 1500);
    auto later = makeWindow(CGRectMake(0, 0, 100, 100), 5);
    EXPECT_EQ(app().hitTest(CGPointMake(10, 10)), high.get());
    high->setHidden(true);
    EXPECT_EQ(app().hitTest(CGPointMake(10, 10)), later.get());
    low->setHidden(true);
    low->setHidden(false);
    EXPECT_EQ(app().hitTest(CGPointMake(10, 10)), low.get());
    auto order = app().windows();
    ASSERT_EQ(order.back(), high.get());
}

TEST_F(ViewGeometry, SubviewOrderAndTags)
{
    auto root = std::make_shared<UIView>();
    auto a = std::make_shared<UIView>(), b = std::make_shared<UIView>(), c = std::make_shared<UIView>();
    root->addSubview(a);
    root->addSubview(b);
    root->insertSubview(c, 0);
    EXPECT_EQ(root->subviews(), (std::vector { c, a, b }));
    root->bringSubviewToFront(c.get());
    root->sendSubviewToBack(b.get());
    EXPECT_EQ(root->subviews(), (std::vector { b, a, c }));
    root->insertSubview(a, 99);
    EXPECT_EQ(root->subviews().back(), a);

    c->setTag(102);
    auto deep = std::make_shared<UIView>();
    deep->setTag(7);
    c->addSubview(deep);
    EXPECT_EQ(root->viewWithTag(7), deep.get());
    EXPECT_EQ(root->viewWithTag(8), nullptr);

    // A view cannot go inside itself.
    deep->addSubview(root);
    EXPECT_EQ(root->superview(), nullptr);

    // Moving a view takes it out of its old superview.
    a->addSubview(deep);
    EXPECT_EQ(deep->superview(), a.get());
    EXPECT_TRUE(c->subviews().empty());
    deep->removeFromSuperview();
    EXPECT_EQ(deep->superview(), nullptr);
    EXPECT_TRUE(a->subviews().empty());
}

TEST_F(ViewGeometry, AlphaIsClampedAndAutoresizingFollowsTheMask)
{
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    view->setAlpha(2);
    EXPECT_EQ(view->alpha(), 1);
    view->setAlpha(-1);
    EXPECT_EQ(view->alpha(), 0);

    auto stretchy = std::make_shared<UIView>(CGRectMake(10, 10, 80, 80));
    stretchy->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    view->addSubview(stretchy);
    view->setFrame(CGRectMake(0, 0, 200, 150));
    EXPECT_EQ(stretchy->frame(), CGRectMake(10, 60, 180, 80));
}

TEST_F(ViewGeometry, LayoutRunsOncePerRequestBeforeTheNextTurn)
{
    struct Counting : UIView {
        int layouts { 0 };
        void layoutSubviews() override { ++layouts; }
    };
    auto window = makeWindow();
    auto view = std::make_shared<Counting>();
    window->addSubview(view);
    RunLoop::main().runDue();
    EXPECT_EQ(view->layouts, 1);
    view->setNeedsLayout();
    view->setNeedsLayout();
    RunLoop::main().runDue();
    EXPECT_EQ(view->layouts, 2);
    view->setFrame(CGRectMake(0, 0, 50, 50));
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 3);
}

TEST_F(ViewGeometry, AViewMadeOutsideAWindowIsLaidOutAtTheEndOfTheTurnThatShowsItUndrawn)
{
    struct Placing : UIView {
        std::shared_ptr<UIView> knob { std::make_shared<UIView>(CGRectMake(0, 0, 10, 10)) };
        double position { 0 };
        Placing() { addSubview(knob); }
        void setPosition(double x)
        {
            position = x;
            setNeedsLayout();
        }
        void layoutSubviews() override { knob->setCenter(CGPointMake(position, 5)); }
    };
    auto view = std::make_shared<Placing>();
    view->setPosition(40);
    auto window = makeWindow();
    auto holder = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    holder->addSubview(view);
    window->addSubview(holder);
    // A timer's turn, and no screen drawn at any time.
    RunLoop::main().schedule(0.5, [&] { view->setPosition(70); });
    RunLoop::main().advance(0.1);
    EXPECT_EQ(view->knob->center(), CGPointMake(40, 5));
    RunLoop::main().advance(0.5);
    EXPECT_EQ(view->knob->center(), CGPointMake(70, 5));
}

}
