#include "kit/ui/UILongPressGestureRecognizer.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UILongPressGestureRecognizer);

void UILongPressGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    if (state() != UIGestureRecognizerStatePossible)
        return;
    if (trackedTouches().size() > size_t(m_touchesRequired)) {
        stopTimer();
        return setState(UIGestureRecognizerStateFailed);
    }
    if (trackedTouches().size() == 1)
        m_start = touches.anyObject()->screenLocation();
    if (trackedTouches().size() != size_t(m_touchesRequired))
        return;
    std::weak_ptr<UILongPressGestureRecognizer> weak = strongRef<UILongPressGestureRecognizer>();
    stopTimer();
    m_timer = RunLoop::main().schedule(m_minimumPressDuration, [weak] {
        auto self = weak.lock();
        if (!self)
            return;
        self->m_timer.reset();
        if (self->state() == UIGestureRecognizerStatePossible && self->isEnabled())
            self->setState(UIGestureRecognizerStateBegan);
    });
}

void UILongPressGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*)
{
    if (state() == UIGestureRecognizerStatePossible) {
        CGPoint p = touches.anyObject()->screenLocation();
        if (std::hypot(p.x - m_start.x, p.y - m_start.y) > m_allowableMovement) {
            stopTimer();
            setState(UIGestureRecognizerStateFailed);
        }
    } else {
        setState(UIGestureRecognizerStateChanged);
    }
}

void UILongPressGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*)
{
    stopTimer();
    if (state() == UIGestureRecognizerStatePossible)
        setState(UIGestureRecognizerStateFailed);
    else if (trackedTouches().size() <= 1)
        setState(UIGestureRecognizerStateEnded);
}

void UILongPressGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*)
{
    stopTimer();
    setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed : UIGestureRecognizerStateCancelled);
}

void UILongPressGestureRecognizer::stopTimer()
{
    if (m_timer)
        m_timer->cancel();
    m_timer.reset();
}

void UILongPressGestureRecognizer::reset()
{
    stopTimer();
}

}
