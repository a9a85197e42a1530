#include "kit/ui/UIEvent.h"

#include "kit/ui/UIView.h"

namespace kit {

KIT_REGISTER_CLASS(UIEvent);

UITouchSet UIEvent::touchesForView(const UIView* view) const
{
    std::vector<std::shared_ptr<UITouch>> result;
    for (auto& touch : m_touches)
        if (view && touch->view() == view)
            result.push_back(touch);
    return result;
}

UITouchSet UIEvent::touchesForWindow(const UIWindow* window) const
{
    std::vector<std::shared_ptr<UITouch>> result;
    for (auto& touch : m_touches)
        if (window && touch->window() == window)
            result.push_back(touch);
    return result;
}

void UIEvent::setTouches(UITouchSet touches, double timestamp)
{
    m_touches = std::move(touches);
    m_timestamp = timestamp;
}

}
