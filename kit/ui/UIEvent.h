#pragma once

#include "kit/ui/UITouch.h"

namespace kit {

class UIView;
class UIWindow;

// A touch event: every finger currently on the screen, whichever one changed.
// The delivery machinery owns the event and fills it before each delivery.
class UIEvent final : public Object {
    KIT_OBJECT(UIEvent, Object)

public:
    const UITouchSet& allTouches() const { return m_touches; }
    // The touches that landed on the view / window.
    UITouchSet touchesForView(const UIView*) const;
    UITouchSet touchesForWindow(const UIWindow*) const;
    double timestamp() const { return m_timestamp; }

    void setTouches(UITouchSet touches, double timestamp);

private:
    UITouchSet m_touches;
    double m_timestamp { 0 };
};

}
