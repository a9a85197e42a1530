#include "kit/ui/UIScrollView.h"

#include "kit/ui/UIPanGestureRecognizer.h"

#include <algorithm>
#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UIScrollView);

UIScrollView::UIScrollView(CGRect frame)
    : UIView(frame)
    , m_pan(std::make_shared<UIPanGestureRecognizer>())
{
    setClipsToBounds(true);
    // The recogniser belongs to this view, which clears the action before it
    // goes away, so the plain pointer never outlives it.
    m_pan->addTarget(Action::function([this](id) { handlePan(); }));
    addGestureRecognizer(m_pan);
}

UIScrollView::~UIScrollView()
{
    m_pan->removeAllTargets();
}

void UIScrollView::setContentSize(CGSize size)
{
    m_contentSize = { std::max<CGFloat>(0, size.width), std::max<CGFloat>(0, size.height) };
}

void UIScrollView::setContentOffset(CGPoint offset)
{
    if (offset == contentOffset())
        return;
    setBounds({ offset, bounds().size });
    // What is inside may depend on what is visible (a table's rows).
    setNeedsLayout();
    if (m_didScroll)
        m_didScroll(this);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated)
{
    if (!animated)
        return setContentOffset(offset);
    UIView::animateWithDuration(0.3, 0, UIViewAnimationOptionCurveEaseOut | UIViewAnimationOptionAllowUserInteraction,
        [&] { setContentOffset(offset); }, nullptr);
}

void UIScrollView::setScrollEnabled(bool enabled)
{
    m_scrollEnabled = enabled;
    m_pan->setEnabled(enabled);
}

CGPoint UIScrollView::maximumContentOffset() const
{
    return { std::max<CGFloat>(0, m_contentSize.width - bounds().size.width),
        std::max<CGFloat>(0, m_contentSize.height - bounds().size.height) };
}

bool UIScrollView::scrollsHorizontally() const
{
    return m_contentSize.width > bounds().size.width || m_alwaysBounceHorizontal;
}

bool UIScrollView::scrollsVertically() const
{
    return m_contentSize.height > bounds().size.height || m_alwaysBounceVertical;
}

CGPoint UIScrollView::restingOffset(CGPoint offset) const
{
    CGPoint most = maximumContentOffset();
    CGSize page = bounds().size;
    auto settle = [&](CGFloat value, CGFloat maximum, CGFloat pageLength) {
        if (m_pagingEnabled && pageLength > 0)
            value = std::round(value / pageLength) * pageLength;
        return std::clamp<CGFloat>(value, 0, maximum);
    };
    return { settle(offset.x, most.x, page.width), settle(offset.y, most.y, page.height) };
}

void UIScrollView::handlePan()
{
    auto keep = strongRef<UIScrollView>();
    switch (m_pan->state()) {
    case UIGestureRecognizerStateBegan:
        m_dragging = true;
        m_dragStartOffset = contentOffset();
        [[fallthrough]];
    case UIGestureRecognizerStateChanged: {
        CGPoint t = m_pan->translationInView(this);
        CGPoint most = maximumContentOffset();
        // Past an end the content follows at half speed, or stops.
        auto follow = [&](CGFloat start, CGFloat delta, CGFloat maximum) {
            CGFloat value = start - delta;
            CGFloat clamped = std::clamp<CGFloat>(value, 0, maximum);
            return m_bounces ? clamped + (value - clamped) / 2 : clamped;
        };
        CGPoint offset = contentOffset();
        if (scrollsHorizontally())
            offset.x = follow(m_dragStartOffset.x, t.x, most.x);
        if (scrollsVertically())
            offset.y = follow(m_dragStartOffset.y, t.y, most.y);
        setContentOffset(offset);
        break;
    }
    case UIGestureRecognizerStateEnded:
    case UIGestureRecognizerStateCancelled:
        m_dragging = false;
        setContentOffset(restingOffset(contentOffset()), true);
        break;
    default:
        break;
    }
}

}
