#include "kit/ui/UIControl.h"

#include "kit/runtime/MessageSend.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UIControl);

UIControl::UIControl(CGRect frame)
    : UIView(frame)
{
}

void UIControl::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        m_highlighted = false;
    stateDidChange();
}

void UIControl::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted)
{
    if (highlighted == m_highlighted)
        return;
    m_highlighted = highlighted;
    stateDidChange();
}

UIControlState UIControl::state() const
{
    UIControlState state = UIControlStateNormal;
    if (m_highlighted)
        state |= UIControlStateHighlighted;
    if (!m_enabled)
        state |= UIControlStateDisabled;
    if (m_selected)
        state |= UIControlStateSelected;
    return state;
}

void UIControl::addTarget(Action action, UIControlEvents events)
{
    if (action && events)
        m_targets.push_back({ std::move(action), events });
}

void UIControl::addTarget(id target, SEL action, UIControlEvents events)
{
    if (!target || !action || !events)
        return;
    std::weak_ptr<Object> weak = target->strongRef();
    m_targets.push_back({ Action::function([weak, action](id sender) {
                              if (auto strong = weak.lock())
                                  msgSend<void, id>(strong.get(), action, sender);
                          }),
        events, action });
}

std::vector<SEL> UIControl::actionSelectorsForControlEvents(UIControlEvents events) const
{
    std::vector<SEL> selectors;
    for (auto& target : m_targets)
        if ((target.events & events) && target.selector)
            selectors.push_back(target.selector);
    return selectors;
}

void UIControl::removeTargetsForControlEvents(UIControlEvents events)
{
    for (auto& target : m_targets)
        target.events &= ~events;
    std::erase_if(m_targets, [](auto& t) { return t.events == 0; });
}

bool UIControl::hasActionsForControlEvents(UIControlEvents events) const
{
    return std::any_of(m_targets.begin(), m_targets.end(), [&](auto& t) { return (t.events & events) && t.action.isAlive(); });
}

void UIControl::sendActionsForControlEvents(UIControlEvents events)
{
    auto keep = strongRef<UIControl>();
    for (auto& target : std::vector(m_targets))
        if (target.events & events)
            target.action(this);
}

bool UIControl::isInside(const UITouch* touch) const
{
    return CGRectContainsPoint(CGRectInset(bounds(), -touchSlop, -touchSlop), touch->locationInView(this));
}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    if (!m_enabled)
        return;
    auto keep = strongRef<UIControl>();
    m_tracking = true;
    m_touchInside = true;
    setHighlighted(true);
    UIControlEvents events = UIControlEventTouchDown;
    if (touches.anyObject() && touches.anyObject()->tapCount() > 1)
        events |= UIControlEventTouchDownRepeat;
    sendActionsForControlEvents(events);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent*)
{
    if (!m_enabled || !m_tracking)
        return;
    auto keep = strongRef<UIControl>();
    bool wasInside = m_touchInside;
    m_touchInside = isInside(touches.anyObject());
    setHighlighted(m_touchInside);
    UIControlEvents events = m_touchInside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (m_touchInside != wasInside)
        events |= m_touchInside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    sendActionsForControlEvents(events);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent*)
{
    if (!m_enabled || !m_tracking)
        return;
    auto keep = strongRef<UIControl>();
    m_tracking = false;
    m_touchInside = isInside(touches.anyObject());
    setHighlighted(false);
    sendActionsForControlEvents(m_touchInside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside);
}

void UIControl::touchesCancelled(const UITouchSet&, UIEvent*)
{
    if (!m_tracking)
        return;
    auto keep = strongRef<UIControl>();
    m_tracking = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}

}
