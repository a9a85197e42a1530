#include "kit/ui/UITapGestureRecognizer.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UITapGestureRecognizer);

namespace {

double distance(CGPoint a, CGPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

}

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    stopWaiting();
    CGPoint location = touches.anyObject()->screenLocation();
    if (trackedTouches().size() == 1) {
        m_tapStart = location;
        m_mostTouches = 0;
        if (m_taps == 0)
            m_firstLocation = location;
        else if (distance(location, m_firstLocation) > m_config.maximumTapDistance)
            return setState(UIGestureRecognizerStateFailed);
    }
    m_mostTouches = std::max(m_mostTouches, trackedTouches().size());
    if (m_mostTouches > size_t(m_touchesRequired))
        setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*)
{
    if (distance(touches.anyObject()->screenLocation(), m_tapStart) > m_config.maximumMovement)
        setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*)
{
    // The tap is complete when the last of its fingers lifts.
    if (trackedTouches().size() > 1)
        return;
    if (m_mostTouches != size_t(m_touchesRequired))
        return setState(UIGestureRecognizerStateFailed);
    if (++m_taps >= m_tapsRequired)
        return setState(UIGestureRecognizerStateRecognized);
    std::weak_ptr<UITapGestureRecognizer> weak = strongRef<UITapGestureRecognizer>();
    m_waitingForNextTap = RunLoop::main().schedule(m_config.maximumTapInterval, [weak] {
        auto self = weak.lock();
        if (!self)
            return;
        self->m_waitingForNextTap.reset();
        if (self->state() == UIGestureRecognizerStatePossible)
            self->setState(UIGestureRecognizerStateFailed);
    });
}

void UITapGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*)
{
    setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::stopWaiting()
{
    if (m_waitingForNextTap)
        m_waitingForNextTap->cancel();
    m_waitingForNextTap.reset();
}

void UITapGestureRecognizer::reset()
{
    stopWaiting();
    m_taps = 0;
    m_mostTouches = 0;
}

}
