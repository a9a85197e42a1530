#include "kit/ui/UIView.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGestureRecognizer.h"
#include "kit/ui/UIViewController.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UIView);

namespace {

CGPoint boundsCenter(CGRect bounds)
{
    return { bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2 };
}

}

UIView::UIView(CGRect frame)
    : m_layer(std::make_shared<CALayer>())
{
    m_layer->setDelegate(this);
    frame = CGRectStandardize(frame);
    m_bounds = { CGPointZero, frame.size };
    m_center = { CGRectGetMidX(frame), CGRectGetMidY(frame) };
}

UIView::~UIView()
{
    endAnimations();
    for (auto& subview : m_subviews)
        subview->m_superview = nullptr;
    for (auto& recognizer : m_gestureRecognizers)
        recognizer->setView(nullptr);
    m_layer->setDelegate(nullptr);
}

// --- Geometry ----------------------------------------------------------------

CGRect UIView::frame() const
{
    CGRect local { { -m_bounds.size.width / 2, -m_bounds.size.height / 2 }, m_bounds.size };
    CGRect turned = CGRectApplyAffineTransform(local, m_transform);
    return CGRectOffset(turned, m_center.x, m_center.y);
}

void UIView::setFrame(CGRect frame)
{
    frame = CGRectStandardize(frame);
    setCenter({ CGRectGetMidX(frame), CGRectGetMidY(frame) });
    if (CGAffineTransformIsIdentity(m_transform))
        setBounds({ m_bounds.origin, frame.size });
}

void UIView::setBounds(CGRect bounds)
{
    bounds = CGRectStandardize(bounds);
    if (bounds == m_bounds)
        return;
    recordChange(animation::Property::Bounds);
    CGSize oldSize = m_bounds.size;
    m_bounds = bounds;
    if (oldSize != bounds.size)
        boundsSizeChanged(oldSize);
}

void UIView::setCenter(CGPoint center)
{
    if (center == m_center)
        return;
    recordChange(animation::Property::Center);
    m_center = center;
}

void UIView::setTransform(CGAffineTransform transform)
{
    if (transform == m_transform)
        return;
    recordChange(animation::Property::Transform);
    m_transform = transform;
}

void UIView::boundsSizeChanged(CGSize oldSize)
{
    setNeedsDisplay();
    setNeedsLayout();
    if (m_autoresizesSubviews)
        resizeSubviews(oldSize);
}

void UIView::resizeSubviews(CGSize oldSize)
{
    CGSize newSize = m_bounds.size;
    // Each axis shares its change among the flexible parts (leading margin,
    // size, trailing margin) in proportion to their current lengths.
    auto distribute = [](CGFloat delta, bool flexLead, bool flexSize, bool flexTrail, CGFloat& lead, CGFloat& size,
                          CGFloat trail) {
        CGFloat parts[3] = { flexLead ? std::max<CGFloat>(lead, 0) : 0, flexSize ? std::max<CGFloat>(size, 0) : 0,
            flexTrail ? std::max<CGFloat>(trail, 0) : 0 };
        int flexible = int(flexLead) + int(flexSize) + int(flexTrail);
        if (!flexible || delta == 0)
            return;
        CGFloat total = parts[0] + parts[1] + parts[2];
        auto share = [&](int i, bool flex) { return !flex ? 0 : total > 0 ? delta * parts[i] / total : delta / flexible; };
        CGFloat leadShare = share(0, flexLead);
        CGFloat sizeShare = share(1, flexSize);
        lead += leadShare;
        size = std::max<CGFloat>(0, size + sizeShare);
    };
    for (auto& subview : std::vector(m_subviews)) {
        UIViewAutoresizing mask = subview->m_autoresizingMask;
        if (mask == UIViewAutoresizingNone)
            continue;
        CGRect f = subview->frame();
        CGFloat x = f.origin.x, w = f.size.width, y = f.origin.y, h = f.size.height;
        distribute(newSize.width - oldSize.width, mask & UIViewAutoresizingFlexibleLeftMargin,
            mask & UIViewAutoresizingFlexibleWidth, mask & UIViewAutoresizingFlexibleRightMargin, x, w,
            oldSize.width - f.origin.x - f.size.width);
        distribute(newSize.height - oldSize.height, mask & UIViewAutoresizingFlexibleTopMargin,
            mask & UIViewAutoresizingFlexibleHeight, mask & UIViewAutoresizingFlexibleBottomMargin, y, h,
            oldSize.height - f.origin.y - f.size.height);
        subview->setFrame(CGRectMake(x, y, w, h));
    }
}

// --- Appearance ----------------------------------------------------------------

void UIView::setAlpha(CGFloat alpha)
{
    alpha = std::clamp<CGFloat>(alpha, 0, 1);
    if (alpha == m_alpha)
        return;
    recordChange(animation::Property::Alpha);
    m_alpha = alpha;
}

void UIView::setHidden(bool hidden)
{
    m_hidden = hidden;
}

void UIView::setBackgroundColor(std::shared_ptr<UIColor> color)
{
    if (color == m_backgroundColor || (color && m_backgroundColor && color->isEqual(m_backgroundColor.get())))
        return;
    recordChange(animation::Property::BackgroundColor);
    m_backgroundColor = std::move(color);
}

std::shared_ptr<UIColor> UIView::tintColor() const
{
    for (const UIView* view = this; view; view = view->m_superview)
        if (view->m_tintColor)
            return view->m_tintColor;
    return nullptr;
}

void UIView::setContentMode(UIViewContentMode mode)
{
    if (mode == m_contentMode)
        return;
    m_contentMode = mode;
    setNeedsDisplay();
}

animation::Color UIView::colorComponents(const UIColor* color)
{
    if (!color)
        return {};
    auto rgba = color->CGColor()->rgba();
    return { rgba[0], rgba[1], rgba[2], rgba[3] };
}

// --- Hierarchy ----------------------------------------------------------------

UIWindow* UIView::window() const
{
    for (const UIView* view = this; view; view = view->m_superview)
        if (auto* window = dynamic_cast<const UIWindow*>(view))
            return const_cast<UIWindow*>(window);
    return nullptr;
}

void UIView::addSubview(const std::shared_ptr<UIView>& view)
{
    insertSubviewAt(view, m_subviews.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, size_t index)
{
    insertSubviewAt(view, index);
}

void UIView::insertSubviewBelow(const std::shared_ptr<UIView>& view, const UIView* sibling)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& s) { return s.get() == sibling; });
    insertSubviewAt(view, it == m_subviews.end() ? m_subviews.size() : size_t(it - m_subviews.begin()));
}

void UIView::insertSubviewAbove(const std::shared_ptr<UIView>& view, const UIView* sibling)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& s) { return s.get() == sibling; });
    insertSubviewAt(view, it == m_subviews.end() ? m_subviews.size() : size_t(it - m_subviews.begin()) + 1);
}

void UIView::insertSubviewAt(const std::shared_ptr<UIView>& view, size_t index)
{
    if (!view)
        return;
    if (view.get() == this || isDescendantOfView(view.get())) {
        logf("UIView: refused to add a view inside itself (%s)", view->className());
        return;
    }
    auto keep = view;
    if (view->m_superview == this) {
        auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
        size_t old = size_t(it - m_subviews.begin());
        m_subviews.erase(it);
        if (index > old)
            --index;
        m_subviews.insert(m_subviews.begin() + std::ptrdiff_t(std::min(index, m_subviews.size())), view);
        return;
    }
    UIWindow* oldWindow = view->window();
    view->willMoveToSuperview(this);
    if (auto* oldParent = view->m_superview) {
        auto it = std::find(oldParent->m_subviews.begin(), oldParent->m_subviews.end(), view);
        if (it != oldParent->m_subviews.end()) {
            oldParent->willRemoveSubview(view.get());
            it = std::find(oldParent->m_subviews.begin(), oldParent->m_subviews.end(), view);
            if (it != oldParent->m_subviews.end())
                oldParent->m_subviews.erase(it);
        }
    }
    index = std::min(index, m_subviews.size());
    m_subviews.insert(m_subviews.begin() + std::ptrdiff_t(index), view);
    view->m_superview = this;
    setNeedsLayout();
    didAddSubview(view.get());
    view->didMoveToSuperview();
    if (view->m_superview == this && view->window() != oldWindow)
        view->moveToWindow(oldWindow);
}

void UIView::removeFromSuperview()
{
    UIView* parent = m_superview;
    if (!parent)
        return;
    auto keep = strongRef<UIView>();
    UIWindow* oldWindow = window();
    // Removed views stop animating, with everything inside them.
    std::vector<UIView*> pending { this };
    while (!pending.empty()) {
        UIView* view = pending.back();
        pending.pop_back();
        view->endAnimations();
        for (auto& subview : view->m_subviews)
            pending.push_back(subview.get());
    }
    willMoveToSuperview(nullptr);
    if (m_superview != parent)
        return;
    parent->willRemoveSubview(this);
    auto it = std::find_if(parent->m_subviews.begin(), parent->m_subviews.end(), [&](auto& s) { return s.get() == this; });
    if (it != parent->m_subviews.end())
        parent->m_subviews.erase(it);
    m_superview = nullptr;
    parent->setNeedsLayout();
    didMoveToSuperview();
    if (oldWindow && !m_superview)
        moveToWindow(oldWindow);
}

void UIView::moveToWindow(UIWindow* oldWindow)
{
    didMoveToWindow();
    for (auto& subview : std::vector(m_subviews))
        if (subview->m_superview == this)
            subview->moveToWindow(oldWindow);
}

void UIView::bringSubviewToFront(const UIView* view)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& s) { return s.get() == view; });
    if (it != m_subviews.end())
        std::rotate(it, it + 1, m_subviews.end());
}

void UIView::sendSubviewToBack(const UIView* view)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& s) { return s.get() == view; });
    if (it != m_subviews.end())
        std::rotate(m_subviews.begin(), it, it + 1);
}

void UIView::exchangeSubviewAtIndex(size_t index1, size_t index2)
{
    if (index1 < m_subviews.size() && index2 < m_subviews.size())
        std::swap(m_subviews[index1], m_subviews[index2]);
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    for (const UIView* v = this; v; v = v->m_superview)
        if (v == view)
            return true;
    return false;
}

UIView* UIView::viewWithTag(int64_t tag)
{
    if (m_tag == tag)
        return this;
    for (auto& subview : m_subviews)
        if (auto* found = subview->viewWithTag(tag))
            return found;
    return nullptr;
}

// --- Coordinates ----------------------------------------------------------------

CGPoint UIView::convertPointToSuperview(CGPoint point) const
{
    CGPoint c = boundsCenter(m_bounds);
    CGPoint turned = CGPointApplyAffineTransform({ point.x - c.x, point.y - c.y }, m_transform);
    return { turned.x + m_center.x, turned.y + m_center.y };
}

CGPoint UIView::convertPointFromSuperview(CGPoint point) const
{
    CGPoint local = CGPointApplyAffineTransform({ point.x - m_center.x, point.y - m_center.y },
        CGAffineTransformInvert(m_transform));
    CGPoint c = boundsCenter(m_bounds);
    return { local.x + c.x, local.y + c.y };
}

CGPoint UIView::convertPointToScreen(CGPoint point) const
{
    for (const UIView* view = this; view; view = view->m_superview)
        point = view->convertPointToSuperview(point);
    return point;
}

CGPoint UIView::convertPointFromScreen(CGPoint point) const
{
    std::vector<const UIView*> chain;
    for (const UIView* view = this; view; view = view->m_superview)
        chain.push_back(view);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->convertPointFromSuperview(point);
    return point;
}

namespace {

const UIView* rootOf(const UIView* view)
{
    while (view->superview())
        view = view->superview();
    return view;
}

// The view a nil argument stands for: the window, or the root of the tree.
const UIView* resolve(const UIView* self, const UIView* view)
{
    return view ? view : rootOf(self);
}

}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const
{
    view = resolve(this, view);
    if (view == this)
        return point;
    return view->convertPointFromScreen(convertPointToScreen(point));
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const
{
    view = resolve(this, view);
    if (view == this)
        return point;
    return convertPointFromScreen(view->convertPointToScreen(point));
}

namespace {

template <typename Convert>
CGRect convertCorners(CGRect rect, Convert convert)
{
    if (CGRectIsNull(rect))
        return rect;
    rect = CGRectStandardize(rect);
    CGPoint corners[4] = { rect.origin, { CGRectGetMaxX(rect), rect.origin.y }, { rect.origin.x, CGRectGetMaxY(rect) },
        { CGRectGetMaxX(rect), CGRectGetMaxY(rect) } };
    CGFloat minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (auto corner : corners) {
        CGPoint p = convert(corner);
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

}

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const
{
    return convertCorners(rect, [&](CGPoint p) { return convertPointToView(p, view); });
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const
{
    return convertCorners(rect, [&](CGPoint p) { return convertPointFromView(p, view); });
}

// --- Hit-testing ----------------------------------------------------------------

bool UIView::pointInside(CGPoint point, UIEvent*)
{
    return CGRectContainsPoint(m_bounds, point);
}

UIView* UIView::hitTest(CGPoint point, UIEvent* event)
{
    if (m_hidden || !m_userInteractionEnabled || m_alpha < 0.01)
        return nullptr;
    if (!m_animations.empty() && isAnimatingWithoutInteraction(RunLoop::main().now()))
        return nullptr;
    if (!pointInside(point, event))
        return nullptr;
    auto subviews = m_subviews;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (auto* hit = (*it)->hitTest((*it)->convertPointFromSuperview(point), event))
            return hit;
    }
    return this;
}

// --- Drawing and layout ----------------------------------------------------------

void UIView::setNeedsDisplay()
{
    m_backingStore.valid = false;
}

void UIView::drawRect(CGRect)
{
}

std::shared_ptr<UIImage> UIView::layerContents(double) const
{
    return nullptr;
}

void UIView::setNeedsLayout()
{
    m_needsLayout = true;
    if (window())
        UIWindow::requestLayoutPass();
}

void UIView::layoutIfNeeded()
{
    auto keep = strongRef<UIView>();
    if (m_needsLayout) {
        m_needsLayout = false;
        auto controller = m_viewController.lock();
        if (controller)
            controller->viewWillLayoutSubviews();
        layoutSubviews();
        if (controller)
            controller->viewDidLayoutSubviews();
    }
    for (auto& subview : std::vector(m_subviews))
        if (subview->m_superview == this)
            subview->layoutIfNeeded();
}

CGSize UIView::sizeThatFits(CGSize) const
{
    return m_bounds.size;
}

void UIView::sizeToFit()
{
    CGSize size = sizeThatFits(m_bounds.size);
    if (CGAffineTransformIsIdentity(m_transform)) {
        CGRect f = frame();
        setFrame({ f.origin, size });
    } else {
        setBounds({ m_bounds.origin, size });
    }
}

// --- Gesture recognisers ----------------------------------------------------------

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer)
{
    if (!recognizer || recognizer->view() == this)
        return;
    auto keep = recognizer;
    if (auto* owner = recognizer->view())
        owner->removeGestureRecognizer(recognizer.get());
    m_gestureRecognizers.push_back(recognizer);
    recognizer->setView(this);
}

void UIView::removeGestureRecognizer(UIGestureRecognizer* recognizer)
{
    auto it = std::find_if(m_gestureRecognizers.begin(), m_gestureRecognizers.end(),
        [&](auto& r) { return r.get() == recognizer; });
    if (it == m_gestureRecognizers.end())
        return;
    auto keep = *it;
    m_gestureRecognizers.erase(it);
    keep->setView(nullptr);
}

// --- Responder chain ----------------------------------------------------------------

UIResponder* UIView::nextResponder() const
{
    if (auto controller = m_viewController.lock())
        return controller.get();
    return m_superview;
}

UIViewController* UIView::viewControllerForRootView() const
{
    return m_viewController.lock().get();
}

void UIView::setViewControllerForRootView(const std::shared_ptr<UIViewController>& controller)
{
    m_viewController = controller;
}

}
