#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <vector>

namespace kit {

class UIView;
class UIWindow;

enum UITouchPhase {
    UITouchPhaseBegan = 0,
    UITouchPhaseMoved = 1,
    UITouchPhaseStationary = 2,
    UITouchPhaseEnded = 3,
    UITouchPhaseCancelled = 4,
};

// One finger on the screen, from touch-down to lift-off. The touch keeps the
// view it first landed on (and that view's window) until it ends, even when
// the finger leaves that view. Locations are kept in screen points and
// converted on request, so they stay right when views move under the finger.
class UITouch final : public Object {
    KIT_OBJECT(UITouch, Object)

public:
    // Where the finger is / was at the previous event, in the view's
    // coordinates; nil means the touch's window.
    CGPoint locationInView(const UIView*) const;
    CGPoint previousLocationInView(const UIView*) const;

    UITouchPhase phase() const { return m_phase; }
    // 1 for a single tap; each quick tap near the previous one counts up.
    int tapCount() const { return m_tapCount; }
    // Run-loop seconds of the latest change.
    double timestamp() const { return m_timestamp; }
    // The view hit on touch-down (nothing when the finger landed on no view).
    UIView* view() const { return m_view.get(); }
    UIWindow* window() const;

    // Screen points, for the delivery machinery and the host.
    CGPoint screenLocation() const { return m_location; }
    CGPoint previousScreenLocation() const { return m_previousLocation; }
    int finger() const { return m_finger; }

    // Set by touch delivery only.
    void update(UITouchPhase phase, CGPoint screenLocation, double timestamp);
    void begin(int finger, CGPoint screenLocation, double timestamp, int tapCount, std::shared_ptr<UIView> view);

private:
    std::shared_ptr<UIView> m_view;
    CGPoint m_location;
    CGPoint m_previousLocation;
    UITouchPhase m_phase { UITouchPhaseBegan };
    double m_timestamp { 0 };
    int m_tapCount { 1 };
    int m_finger { 0 };
};

// The set of touches handed to touch handlers (NSSet of UITouch). Order is
// the order the fingers came down.
class UITouchSet {
public:
    UITouchSet() = default;
    UITouchSet(std::vector<std::shared_ptr<UITouch>> touches) : m_touches(std::move(touches)) { }

    // Any one touch of the set; nothing when empty.
    UITouch* anyObject() const { return m_touches.empty() ? nullptr : m_touches.front().get(); }
    size_t count() const { return m_touches.size(); }
    bool empty() const { return m_touches.empty(); }
    bool containsObject(const UITouch*) const;
    const std::vector<std::shared_ptr<UITouch>>& allObjects() const { return m_touches; }

    auto begin() const { return m_touches.begin(); }
    auto end() const { return m_touches.end(); }

private:
    std::vector<std::shared_ptr<UITouch>> m_touches;
};

}
