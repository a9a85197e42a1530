#pragma once

#include "kit/ui/UIView.h"

#include <functional>

namespace kit {

class UIPanGestureRecognizer;

// A view whose content is larger than itself, moved by dragging. The content
// offset is the bounds' origin. A drag (its own pan recogniser, which takes
// the touch from the views inside once it begins) moves the offset along
// each axis that can scroll: one whose content is larger than the bounds, or
// that always bounces. Past the ends the offset follows the finger at half
// speed when bouncing, and stops when not; on lift it settles back inside
// (or onto the nearest page when paging) over 0.3 s. There is no momentum.
class UIScrollView : public UIView {
    KIT_OBJECT(UIScrollView, UIView)

public:
    explicit UIScrollView(CGRect frame = CGRectZero);
    ~UIScrollView() override;

    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint);
    // Animated over 0.3 s when asked.
    void setContentOffset(CGPoint, bool animated);

    bool bounces() const { return m_bounces; }
    void setBounces(bool bounces) { m_bounces = bounces; }
    bool alwaysBounceVertical() const { return m_alwaysBounceVertical; }
    void setAlwaysBounceVertical(bool bounce) { m_alwaysBounceVertical = bounce; }
    bool alwaysBounceHorizontal() const { return m_alwaysBounceHorizontal; }
    void setAlwaysBounceHorizontal(bool bounce) { m_alwaysBounceHorizontal = bounce; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool);
    bool isPagingEnabled() const { return m_pagingEnabled; }
    void setPagingEnabled(bool paging) { m_pagingEnabled = paging; }
    bool showsHorizontalScrollIndicator() const { return m_showsHorizontalIndicator; }
    void setShowsHorizontalScrollIndicator(bool shows) { m_showsHorizontalIndicator = shows; }
    bool showsVerticalScrollIndicator() const { return m_showsVerticalIndicator; }
    void setShowsVerticalScrollIndicator(bool shows) { m_showsVerticalIndicator = shows; }

    bool isDragging() const { return m_dragging; }
    UIPanGestureRecognizer* panGestureRecognizer() const { return m_pan.get(); }

    // scrollViewDidScroll: of the delegate; called after every offset change.
    void setDidScrollCallback(std::function<void(UIScrollView*)> callback) { m_didScroll = std::move(callback); }

    // The offsets the content can rest at: 0 up to content minus bounds.
    CGPoint maximumContentOffset() const;

private:
    void handlePan();
    bool scrollsHorizontally() const;
    bool scrollsVertically() const;
    CGPoint restingOffset(CGPoint) const;

    CGSize m_contentSize;
    bool m_bounces { true };
    bool m_alwaysBounceVertical { false };
    bool m_alwaysBounceHorizontal { false };
    bool m_scrollEnabled { true };
    bool m_pagingEnabled { false };
    bool m_showsHorizontalIndicator { true };
    bool m_showsVerticalIndicator { true };
    bool m_dragging { false };
    CGPoint m_dragStartOffset;
    std::shared_ptr<UIPanGestureRecognizer> m_pan;
    std::function<void(UIScrollView*)> m_didScroll;
};

}
