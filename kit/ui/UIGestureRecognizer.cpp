#include "kit/ui/UIGestureRecognizer.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIView.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UIGestureRecognizer);

UIGestureRecognizer::UIGestureRecognizer(Action action)
{
    addTarget(std::move(action));
}

UIGestureRecognizer::~UIGestureRecognizer() = default;

void UIGestureRecognizer::addTarget(Action action)
{
    if (action)
        m_actions.push_back(std::move(action));
}

double UIGestureRecognizer::now()
{
    return RunLoop::main().now();
}

void UIGestureRecognizer::setView(UIView* view)
{
    if (view == m_view)
        return;
    // Detached first: a gesture cancelled because its view is going away
    // must not hand that view to its targets.
    m_view = view;
    if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged)
        setState(UIGestureRecognizerStateCancelled);
}

void UIGestureRecognizer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled) {
        if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged)
            setState(UIGestureRecognizerStateCancelled);
        else if (m_state == UIGestureRecognizerStatePossible)
            setState(UIGestureRecognizerStateFailed);
    }
}

bool UIGestureRecognizer::acceptsTouches() const
{
    bool tracking = m_state == UIGestureRecognizerStatePossible || m_state == UIGestureRecognizerStateBegan
        || m_state == UIGestureRecognizerStateChanged;
    return tracking && !isWaitingForFailure();
}

void UIGestureRecognizer::requireGestureRecognizerToFail(const std::shared_ptr<UIGestureRecognizer>& other)
{
    if (other && other.get() != this)
        m_requiredToFail.push_back(other);
}

bool UIGestureRecognizer::shouldRecognizeSimultaneouslyWith(UIGestureRecognizer* other)
{
    if (m_simultaneity && m_simultaneity(this, other))
        return true;
    return other->m_simultaneity && other->m_simultaneity(other, this);
}

bool UIGestureRecognizer::blockedByRequirement() const
{
    for (auto& weak : m_requiredToFail) {
        auto required = weak.lock();
        if (!required || !required->isEnabled() || !required->view())
            continue;
        // A required recogniser that is still deciding (touches down, or a
        // tap waiting for the next tap) holds this one back.
        if (required->state() == UIGestureRecognizerStatePossible
            && (!required->trackedTouches().empty() || required->isWaitingForFailure() || required->isDeciding()))
            return true;
    }
    return false;
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state)
{
    if (isWaitingForFailure()) {
        if (state == UIGestureRecognizerStateFailed || state == UIGestureRecognizerStateCancelled) {
            m_waitingState = UIGestureRecognizerStatePossible;
            applyState(UIGestureRecognizerStateFailed);
        } else if (state == UIGestureRecognizerStateEnded) {
            m_waitingState = UIGestureRecognizerStateEnded;
        }
        return;
    }
    bool starting = m_state == UIGestureRecognizerStatePossible
        && (state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateEnded);
    if (starting) {
        if (blockedByRequirement()) {
            m_waitingState = state;
            if (auto self = strongRef<UIGestureRecognizer>())
                TouchDelivery::shared().addWaiting(self);
            return;
        }
        if (!TouchDelivery::shared().mayBegin(this)) {
            applyState(UIGestureRecognizerStateFailed);
            return;
        }
    }
    applyState(state);
}

void UIGestureRecognizer::failureRequirementChanged()
{
    if (!isWaitingForFailure())
        return;
    for (auto& weak : m_requiredToFail) {
        auto required = weak.lock();
        if (!required)
            continue;
        auto s = required->state();
        if (s == UIGestureRecognizerStateBegan || s == UIGestureRecognizerStateChanged || s == UIGestureRecognizerStateEnded) {
            m_waitingState = UIGestureRecognizerStatePossible;
            applyState(UIGestureRecognizerStateFailed);
            return;
        }
    }
    if (blockedByRequirement())
        return;
    auto state = m_waitingState;
    m_waitingState = UIGestureRecognizerStatePossible;
    setState(state);
}

void UIGestureRecognizer::applyState(UIGestureRecognizerState state)
{
    auto keep = strongRef<UIGestureRecognizer>();
    m_state = state;
    if (state != UIGestureRecognizerStatePossible && state != UIGestureRecognizerStateFailed)
        m_actionPending = true;
    if (state != UIGestureRecognizerStatePossible)
        TouchDelivery::shared().stateChanged(this);
    if (m_inTouchMethod)
        return;
    flush();
    if (m_touches.empty())
        resetIfFinished();
}

void UIGestureRecognizer::flush()
{
    if (!m_actionPending)
        return;
    m_actionPending = false;
    auto keep = strongRef<UIGestureRecognizer>();
    for (auto& action : std::vector(m_actions))
        action(this);
}

void UIGestureRecognizer::deliver(void (UIGestureRecognizer::*method)(const UITouchSet&, UIEvent*),
    const UITouchSet& touches, UIEvent* event)
{
    auto keep = strongRef<UIGestureRecognizer>();
    if (!touches.empty())
        m_lastLocation = touches.anyObject()->screenLocation();
    ++m_inTouchMethod;
    (this->*method)(touches, event);
    --m_inTouchMethod;
    flush();
}

void UIGestureRecognizer::addTrackedTouch(const std::shared_ptr<UITouch>& touch)
{
    if (std::find(m_touches.begin(), m_touches.end(), touch) == m_touches.end())
        m_touches.push_back(touch);
}

void UIGestureRecognizer::removeTrackedTouch(const UITouch* touch)
{
    auto it = std::find_if(m_touches.begin(), m_touches.end(), [&](auto& t) { return t.get() == touch; });
    if (it == m_touches.end())
        return;
    m_lastLocation = (*it)->screenLocation();
    m_touches.erase(it);
}

void UIGestureRecognizer::resetIfFinished()
{
    if (!m_touches.empty() || isWaitingForFailure())
        return;
    if (m_state == UIGestureRecognizerStateEnded || m_state == UIGestureRecognizerStateCancelled
        || m_state == UIGestureRecognizerStateFailed) {
        m_state = UIGestureRecognizerStatePossible;
        reset();
    }
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const
{
    CGPoint screen = m_lastLocation;
    if (!m_touches.empty()) {
        screen = {};
        for (auto& touch : m_touches) {
            screen.x += touch->screenLocation().x;
            screen.y += touch->screenLocation().y;
        }
        screen.x /= double(m_touches.size());
        screen.y /= double(m_touches.size());
    }
    if (!view && m_view) {
        view = m_view;
        while (view->superview())
            view = view->superview();
    }
    return view ? view->convertPointFromScreen(screen) : screen;
}

CGPoint UIGestureRecognizer::locationOfTouch(size_t index, const UIView* view) const
{
    if (index >= m_touches.size())
        return locationInView(view);
    return m_touches[index]->locationInView(view);
}

}
