#include "kit/ui/UISwitch.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"

namespace kit {

KIT_REGISTER_CLASS(UISwitch);

UISwitch::UISwitch(CGRect frame)
    : UIControl(CGRectMake(frame.origin.x, frame.origin.y, switchSize.width, switchSize.height))
    , m_onTintColor(UIColor::colorWithRed(0.3, 0.85, 0.39, 1))
{
    setOpaque(false);
}

void UISwitch::setOn(bool on, bool animated)
{
    if (on == m_on)
        return;
    m_on = on;
    if (animated)
        UIView::transitionWithView(this, 0.2, UIViewAnimationOptionTransitionCrossDissolve, nullptr, nullptr);
    setNeedsDisplay();
}

void UISwitch::setOnTintColor(std::shared_ptr<UIColor> color)
{
    m_onTintColor = std::move(color);
    setNeedsDisplay();
}

void UISwitch::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    auto keep = strongRef<UISwitch>();
    bool inside = isEnabled() && isTracking() && touches.anyObject()
        && CGRectContainsPoint(CGRectInset(bounds(), -touchSlop, -touchSlop), touches.anyObject()->locationInView(this));
    if (inside) {
        setOn(!m_on, true);
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
    UIControl::touchesEnded(touches, event);
}

void UISwitch::drawRect(CGRect)
{
    auto context = UIGraphicsGetCurrentContext();
    CGFloat w = switchSize.width, h = switchSize.height, r = h / 2;
    auto track = m_on ? m_onTintColor->CGColor() : CGColorCreateGray(0.9, 1);
    CGContextSetFillColorWithColor(context, track);
    CGContextFillEllipseInRect(context, CGRectMake(0, 0, h, h));
    CGContextFillEllipseInRect(context, CGRectMake(w - h, 0, h, h));
    CGContextFillRect(context, CGRectMake(r, 0, w - h, h));
    CGFloat thumb = h - 4;
    CGContextSetGrayFillColor(context, 1, 1);
    CGContextFillEllipseInRect(context, CGRectMake(m_on ? w - thumb - 2 : 2, 2, thumb, thumb));
}

}
