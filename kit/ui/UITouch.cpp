#include "kit/ui/UITouch.h"

#include "kit/ui/UIWindow.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UITouch);

namespace {

CGPoint locate(CGPoint screen, const UIView* view, const UIView* touched)
{
    if (!view && touched) {
        view = touched;
        while (view->superview())
            view = view->superview();
    }
    return view ? view->convertPointFromScreen(screen) : screen;
}

}

CGPoint UITouch::locationInView(const UIView* view) const
{
    return locate(m_location, view, m_view.get());
}

CGPoint UITouch::previousLocationInView(const UIView* view) const
{
    return locate(m_previousLocation, view, m_view.get());
}

UIWindow* UITouch::window() const
{
    return m_view ? m_view->window() : nullptr;
}

void UITouch::begin(int finger, CGPoint location, double timestamp, int tapCount, std::shared_ptr<UIView> view)
{
    m_finger = finger;
    m_location = m_previousLocation = location;
    m_timestamp = timestamp;
    m_tapCount = tapCount;
    m_phase = UITouchPhaseBegan;
    m_view = std::move(view);
}

void UITouch::update(UITouchPhase phase, CGPoint location, double timestamp)
{
    m_previousLocation = m_location;
    m_location = location;
    m_phase = phase;
    m_timestamp = timestamp;
}

bool UITouchSet::containsObject(const UITouch* touch) const
{
    return std::any_of(m_touches.begin(), m_touches.end(), [&](auto& t) { return t.get() == touch; });
}

}
