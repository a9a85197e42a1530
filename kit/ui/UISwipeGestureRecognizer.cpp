#include "kit/ui/UISwipeGestureRecognizer.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UISwipeGestureRecognizer);

namespace {

struct Axis {
    UISwipeGestureRecognizerDirection bit;
    double x, y;
};

constexpr Axis axes[] = {
    { UISwipeGestureRecognizerDirectionRight, 1, 0 },
    { UISwipeGestureRecognizerDirectionLeft, -1, 0 },
    { UISwipeGestureRecognizerDirectionUp, 0, -1 },
    { UISwipeGestureRecognizerDirectionDown, 0, 1 },
};

}

void UISwipeGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    if (trackedTouches().size() > size_t(m_touchesRequired)) {
        stopTimer();
        return setState(UIGestureRecognizerStateFailed);
    }
    if (trackedTouches().size() != 1)
        return;
    m_start = touches.anyObject()->screenLocation();
    m_startTime = now();
    std::weak_ptr<UISwipeGestureRecognizer> weak = strongRef<UISwipeGestureRecognizer>();
    stopTimer();
    m_timer = RunLoop::main().schedule(m_config.maximumDuration, [weak] {
        auto self = weak.lock();
        if (!self)
            return;
        self->m_timer.reset();
        if (self->state() == UIGestureRecognizerStatePossible)
            self->setState(UIGestureRecognizerStateFailed);
    });
}

void UISwipeGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*)
{
    if (trackedTouches().size() != size_t(m_touchesRequired))
        return;
    if (now() - m_startTime > m_config.maximumDuration) {
        stopTimer();
        return setState(UIGestureRecognizerStateFailed);
    }
    CGPoint p = touches.anyObject()->screenLocation();
    double dx = p.x - m_start.x, dy = p.y - m_start.y;
    bool stillPossible = false;
    for (auto& axis : axes) {
        if (!(m_direction & axis.bit))
            continue;
        double along = dx * axis.x + dy * axis.y;
        double across = std::abs(dx * axis.y - dy * axis.x);
        if (along >= m_config.minimumDistance && across <= m_config.maximumDeviation * along) {
            stopTimer();
            return setState(UIGestureRecognizerStateRecognized);
        }
        bool straightEnough = across <= std::max(m_config.slop, m_config.maximumDeviation * std::max(along, 0.0));
        bool rightWay = along >= -m_config.slop;
        stillPossible = stillPossible || (straightEnough && rightWay);
    }
    if (!stillPossible) {
        stopTimer();
        setState(UIGestureRecognizerStateFailed);
    }
}

void UISwipeGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*)
{
    stopTimer();
    setState(UIGestureRecognizerStateFailed);
}

void UISwipeGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*)
{
    stopTimer();
    setState(UIGestureRecognizerStateFailed);
}

void UISwipeGestureRecognizer::stopTimer()
{
    if (m_timer)
        m_timer->cancel();
    m_timer.reset();
}

void UISwipeGestureRecognizer::reset()
{
    stopTimer();
}

}
