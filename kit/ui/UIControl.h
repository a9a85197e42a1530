#pragma once

#include "kit/foundation/Action.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIView.h"

#include <vector>

namespace kit {

using UIControlState = uint32_t;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;

using UIControlEvents = uint32_t;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x0FFF;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

// A view that turns touches into control events and sends them to its
// targets. A touch that lands on it highlights it; lifting within its bounds
// widened by touchSlop points sends touch-up-inside. A disabled control
// takes its touches and does nothing with them. Targets are held weakly;
// an action may remove or release the control.
class UIControl : public UIView {
    KIT_OBJECT(UIControl, UIView)

public:
    // Points around the bounds that still count as inside while tracking.
    static constexpr CGFloat touchSlop = 70;

    explicit UIControl(CGRect frame = CGRectZero);

    bool isEnabled() const { return m_enabled; }
    virtual void setEnabled(bool);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool);
    UIControlState state() const;

    // addTarget:action:forControlEvents:. Actions run in the order added.
    void addTarget(Action, UIControlEvents);
    template <typename T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(id sender), UIControlEvents events)
    {
        addTarget(Action(target, method), events);
    }
    // addTarget:action:forControlEvents: with a selector: the target is sent
    // the message (with the control as sender) through the runtime, and is
    // held weakly (it must be owned by a std::shared_ptr to be reached).
    void addTarget(id target, SEL action, UIControlEvents);
    // actionsForTarget:forControlEvent:, for any target: the selectors sent
    // for any of the events, in the order added.
    std::vector<SEL> actionSelectorsForControlEvents(UIControlEvents) const;
    // Removes every action for those events.
    void removeTargetsForControlEvents(UIControlEvents);
    void removeAllTargets() { m_targets.clear(); }
    bool hasActionsForControlEvents(UIControlEvents) const;
    void sendActionsForControlEvents(UIControlEvents);

    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;

protected:
    // Called after enabled, selected or highlighted changed; redraws by default.
    virtual void stateDidChange() { setNeedsDisplay(); }

private:
    bool isInside(const UITouch*) const;

    struct Target {
        Action action;
        UIControlEvents events;
        SEL selector { nullptr };
    };
    std::vector<Target> m_targets;
    bool m_enabled { true };
    bool m_selected { false };
    bool m_highlighted { false };
    bool m_tracking { false };
    bool m_touchInside { false };
};

}
