#include "kit/ui/TouchDelivery.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIGestureRecognizer.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <cmath>

namespace kit {

TouchDelivery& TouchDelivery::shared()
{
    static TouchDelivery delivery;
    return delivery;
}

std::shared_ptr<TouchDelivery::Active> TouchDelivery::find(int finger) const
{
    for (auto& active : m_active)
        if (!active->ended && active->touch->finger() == finger)
            return active;
    return nullptr;
}

UIView* TouchDelivery::hitTest(CGPoint screenPoint, UIEvent* event) const
{
    auto windows = UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        UIWindow* window = *it;
        if (window->isHidden())
            continue;
        if (auto* hit = window->hitTest(window->convertPointFromScreen(screenPoint), event))
            return hit;
    }
    return nullptr;
}

UIEvent* TouchDelivery::prepareEvent(const UITouch* current)
{
    std::vector<std::shared_ptr<UITouch>> touches;
    for (auto& active : m_active)
        if (!active->ended || active->touch.get() == current)
            touches.push_back(active->touch);
    m_event->setTouches(std::move(touches), RunLoop::main().now());
    return m_event.get();
}

void TouchDelivery::deliverToRecognizers(const Active& active,
    void (UIGestureRecognizer::*method)(const UITouchSet&, UIEvent*), UIEvent* event)
{
    UITouchSet touches({ active.touch });
    for (auto& recognizer : std::vector(active.recognizers)) {
        if (!recognizer->isEnabled() || recognizer->view() == nullptr)
            continue;
        auto state = recognizer->state();
        bool tracking = state == UIGestureRecognizerStatePossible || state == UIGestureRecognizerStateBegan
            || state == UIGestureRecognizerStateChanged;
        if (tracking && !recognizer->isWaitingForFailure())
            recognizer->deliver(method, touches, event);
    }
}

void TouchDelivery::down(CGPoint point, int finger)
{
    if (find(finger))
        cancel(finger);
    double now = RunLoop::main().now();
    bool nearLast = std::hypot(point.x - m_lastTapLocation.x, point.y - m_lastTapLocation.y) <= m_config.tapDistance;
    int tapCount = (now >= m_lastTapTime && now - m_lastTapTime <= m_config.tapInterval && nearLast) ? m_lastTapCount + 1 : 1;

    auto touch = std::make_shared<UITouch>();
    touch->begin(finger, point, now, tapCount, nullptr);
    prepareEvent(nullptr);
    UIView* hit = hitTest(point, m_event.get());
    std::shared_ptr<UIView> view = hit ? hit->strongRef<UIView>() : nullptr;
    touch->begin(finger, point, now, tapCount, view);

    auto active = std::make_shared<Active>();
    active->touch = touch;
    for (UIView* v = view.get(); v; v = v->superview())
        for (auto& recognizer : v->gestureRecognizers())
            if (recognizer->isEnabled() && recognizer->acceptsTouches()) {
                active->recognizers.push_back(recognizer);
                recognizer->addTrackedTouch(touch);
            }
    m_active.push_back(active);

    UIEvent* event = prepareEvent(touch.get());
    deliverToRecognizers(*active, &UIGestureRecognizer::touchesBegan, event);
    if (view && !active->viewCancelled)
        view->touchesBegan(UITouchSet({ touch }), prepareEvent(touch.get()));
}

void TouchDelivery::move(CGPoint point, int finger)
{
    auto active = find(finger);
    if (!active)
        return;
    active->touch->update(UITouchPhaseMoved, point, RunLoop::main().now());
    UIEvent* event = prepareEvent(active->touch.get());
    deliverToRecognizers(*active, &UIGestureRecognizer::touchesMoved, event);
    if (auto* view = active->touch->view(); view && !active->viewCancelled)
        view->touchesMoved(UITouchSet({ active->touch }), prepareEvent(active->touch.get()));
}

void TouchDelivery::up(CGPoint point, int finger)
{
    auto active = find(finger);
    if (!active)
        return;
    double now = RunLoop::main().now();
    active->touch->update(UITouchPhaseEnded, point, now);
    UIEvent* event = prepareEvent(active->touch.get());
    deliverToRecognizers(*active, &UIGestureRecognizer::touchesEnded, event);
    active->ended = true;
    if (!active->viewCancelled) {
        if (isDelayingEnd(*active)) {
            active->endPending = true;
        } else if (auto* view = active->touch->view()) {
            view->touchesEnded(UITouchSet({ active->touch }), prepareEvent(active->touch.get()));
        }
    }
    m_lastTapTime = now;
    m_lastTapLocation = point;
    m_lastTapCount = active->touch->tapCount();
    finish(active->touch, false);
}

void TouchDelivery::cancel(int finger)
{
    auto active = find(finger);
    if (!active)
        return;
    active->touch->update(UITouchPhaseCancelled, active->touch->screenLocation(), RunLoop::main().now());
    UIEvent* event = prepareEvent(active->touch.get());
    deliverToRecognizers(*active, &UIGestureRecognizer::touchesCancelled, event);
    active->ended = true;
    if (!active->viewCancelled) {
        active->viewCancelled = true;
        if (auto* view = active->touch->view())
            view->touchesCancelled(UITouchSet({ active->touch }), prepareEvent(active->touch.get()));
    }
    m_lastTapCount = 0;
    finish(active->touch, true);
}

void TouchDelivery::finish(const std::shared_ptr<UITouch>& touch, bool)
{
    auto it = std::find_if(m_active.begin(), m_active.end(), [&](auto& a) { return a->touch == touch; });
    if (it == m_active.end())
        return;
    auto active = *it;
    for (auto& recognizer : active->recognizers)
        recognizer->removeTrackedTouch(touch.get());
    if (!active->endPending)
        std::erase(m_active, active);
    // The event lets go of finished touches (and so of their views).
    prepareEvent(nullptr);
    for (auto& recognizer : std::vector(active->recognizers))
        recognizer->resetIfFinished();
}

bool TouchDelivery::isDelayingEnd(const Active& active) const
{
    return std::any_of(active.recognizers.begin(), active.recognizers.end(), [](auto& r) {
        return r->view() && r->isEnabled() && r->delaysTouchesEnded() && r->state() == UIGestureRecognizerStatePossible;
    });
}

void TouchDelivery::releasePendingEnds()
{
    for (auto& active : std::vector(m_active)) {
        if (!active->endPending || isDelayingEnd(*active))
            continue;
        active->endPending = false;
        std::erase(m_active, active);
        if (!active->viewCancelled)
            if (auto* view = active->touch->view())
                view->touchesEnded(UITouchSet({ active->touch }), prepareEvent(active->touch.get()));
        prepareEvent(nullptr);
    }
}

std::vector<std::shared_ptr<UIGestureRecognizer>> TouchDelivery::sharingTouchesWith(UIGestureRecognizer* recognizer) const
{
    std::vector<std::shared_ptr<UIGestureRecognizer>> others;
    for (auto& active : m_active) {
        bool involved = std::any_of(active->recognizers.begin(), active->recognizers.end(),
            [&](auto& r) { return r.get() == recognizer; });
        if (!involved)
            continue;
        for (auto& other : active->recognizers)
            if (other.get() != recognizer && std::find(others.begin(), others.end(), other) == others.end())
                others.push_back(other);
    }
    return others;
}

bool TouchDelivery::mayBegin(UIGestureRecognizer* recognizer)
{
    for (auto& other : sharingTouchesWith(recognizer)) {
        auto state = other->state();
        bool owns = state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateChanged
            || state == UIGestureRecognizerStateEnded;
        if (owns && !recognizer->shouldRecognizeSimultaneouslyWith(other.get()))
            return false;
    }
    return true;
}

void TouchDelivery::stateChanged(UIGestureRecognizer* recognizer)
{
    auto state = recognizer->state();
    bool took = state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateEnded;
    if (took) {
        // The winner takes the touches: the others fail...
        for (auto& other : sharingTouchesWith(recognizer)) {
            if (other->state() == UIGestureRecognizerStatePossible
                && !recognizer->shouldRecognizeSimultaneouslyWith(other.get()))
                other->setState(UIGestureRecognizerStateFailed);
        }
        // ...and the views hear that their touches are gone.
        if (recognizer->cancelsTouchesInView()) {
            for (auto& active : std::vector(m_active)) {
                bool involved = std::any_of(active->recognizers.begin(), active->recognizers.end(),
                    [&](auto& r) { return r.get() == recognizer; });
                if (!involved || active->viewCancelled)
                    continue;
                active->viewCancelled = true;
                bool wasEnded = active->ended && !active->endPending;
                if (active->endPending) {
                    active->endPending = false;
                    std::erase(m_active, active);
                }
                if (!wasEnded)
                    if (auto* view = active->touch->view())
                        view->touchesCancelled(UITouchSet({ active->touch }), prepareEvent(active->touch.get()));
            }
        }
    }
    if (state != UIGestureRecognizerStatePossible) {
        std::erase_if(m_waiting, [](auto& w) { return w.expired(); });
        for (auto& weak : std::vector(m_waiting))
            if (auto waiting = weak.lock(); waiting && waiting.get() != recognizer)
                waiting->failureRequirementChanged();
        releasePendingEnds();
    }
}

void TouchDelivery::addWaiting(const std::shared_ptr<UIGestureRecognizer>& recognizer)
{
    m_waiting.push_back(recognizer);
}

void TouchDelivery::forgetAll()
{
    m_active.clear();
    m_waiting.clear();
    m_lastTapTime = -1e9;
    m_lastTapCount = 0;
}

}
