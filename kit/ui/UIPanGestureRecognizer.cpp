#include "kit/ui/UIPanGestureRecognizer.h"

#include "kit/ui/UIView.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UIPanGestureRecognizer);

CGPoint UIPanGestureRecognizer::centroid() const
{
    CGPoint sum;
    for (auto& touch : trackedTouches()) {
        sum.x += touch->screenLocation().x;
        sum.y += touch->screenLocation().y;
    }
    size_t n = trackedTouches().size();
    return n ? CGPoint { sum.x / double(n), sum.y / double(n) } : m_current;
}

CGPoint UIPanGestureRecognizer::vectorInView(CGPoint vector, const UIView* view) const
{
    if (!view) {
        view = this->view();
        while (view && view->superview())
            view = view->superview();
    }
    if (!view)
        return vector;
    CGPoint a = view->convertPointFromScreen(m_origin);
    CGPoint b = view->convertPointFromScreen({ m_origin.x + vector.x, m_origin.y + vector.y });
    return { b.x - a.x, b.y - a.y };
}

CGPoint UIPanGestureRecognizer::vectorFromView(CGPoint vector, const UIView* view) const
{
    if (!view) {
        view = this->view();
        while (view && view->superview())
            view = view->superview();
    }
    if (!view)
        return vector;
    CGPoint a = view->convertPointToScreen(CGPointZero);
    CGPoint b = view->convertPointToScreen(vector);
    return { b.x - a.x, b.y - a.y };
}

CGPoint UIPanGestureRecognizer::translationInView(const UIView* view) const
{
    return vectorInView({ m_current.x - m_origin.x, m_current.y - m_origin.y }, view);
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, const UIView* view)
{
    CGPoint screen = vectorFromView(translation, view);
    m_origin = { m_current.x - screen.x, m_current.y - screen.y };
}

CGPoint UIPanGestureRecognizer::velocityInView(const UIView* view) const
{
    if (m_samples.size() < 2)
        return CGPointZero;
    auto& first = m_samples.front();
    auto& last = m_samples.back();
    double dt = last.time - first.time;
    if (dt <= 0)
        return CGPointZero;
    return vectorInView({ (last.location.x - first.location.x) / dt, (last.location.y - first.location.y) / dt }, view);
}

void UIPanGestureRecognizer::sample()
{
    double t = now();
    m_samples.push_back({ t, m_current });
    while (m_samples.size() > 2 && t - m_samples[1].time >= m_config.velocityWindow)
        m_samples.pop_front();
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet&, UIEvent*)
{
    // A new finger moves the centroid; keep the translation continuous.
    CGPoint before = m_current;
    m_current = centroid();
    if (trackedTouches().size() == 1) {
        m_origin = m_current;
        m_samples.clear();
    } else {
        m_origin = { m_origin.x + (m_current.x - before.x), m_origin.y + (m_current.y - before.y) };
    }
    if (trackedTouches().size() > size_t(m_maximumTouches) && state() == UIGestureRecognizerStatePossible)
        setState(UIGestureRecognizerStateFailed);
    sample();
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*)
{
    m_current = centroid();
    sample();
    if (state() == UIGestureRecognizerStatePossible) {
        if (trackedTouches().size() < size_t(m_minimumTouches))
            return;
        if (std::hypot(m_current.x - m_origin.x, m_current.y - m_origin.y) >= m_config.minimumMovement)
            setState(UIGestureRecognizerStateBegan);
    } else {
        setState(UIGestureRecognizerStateChanged);
    }
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*)
{
    sample();
    if (trackedTouches().size() > 1) {
        // The centroid jumps when a finger leaves; keep the translation continuous.
        CGPoint before = m_current;
        CGPoint sum;
        size_t n = 0;
        for (auto& touch : trackedTouches())
            if (touch->phase() != UITouchPhaseEnded && touch->phase() != UITouchPhaseCancelled) {
                sum.x += touch->screenLocation().x;
                sum.y += touch->screenLocation().y;
                ++n;
            }
        if (n) {
            m_current = { sum.x / double(n), sum.y / double(n) };
            m_origin = { m_origin.x + (m_current.x - before.x), m_origin.y + (m_current.y - before.y) };
        }
        return;
    }
    if (state() == UIGestureRecognizerStatePossible)
        setState(UIGestureRecognizerStateFailed);
    else
        setState(UIGestureRecognizerStateEnded);
}

void UIPanGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*)
{
    setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed : UIGestureRecognizerStateCancelled);
}

void UIPanGestureRecognizer::reset()
{
    m_samples.clear();
}

}
