#include "host/camera/CAMZoomSlider.h"

#include "host/camera/HostRuntime.h"

#include "kit/ui/CGContext.h"
#include "kit/ui/UIGraphics.h"

#include <algorithm>

namespace host {

KIT_REGISTER_CLASS(CAMZoomSlider);

CAMZoomSlider::CAMZoomSlider()
{
    setOpaque(false);
    setAlpha(0);
}

kit::id CAMZoomSlider::initWithFrame(kit::CGRect frame)
{
    setFrame(frame);
    return this;
}

void CAMZoomSlider::makeInvisible()
{
    setAlpha(0);
}

void CAMZoomSlider::makeVisible()
{
    setAlpha(1);
}

void CAMZoomSlider::setValue(double value)
{
    value = std::clamp(value, 1.0, 5.0);
    if (value == m_value)
        return;
    m_value = value;
    setNeedsDisplay();
}

void CAMZoomSlider::drawRect(kit::CGRect)
{
    auto cg = kit::UIGraphicsGetCurrentContext();
    auto b = bounds();
    double mid = b.size.height / 2;
    double left = 24, right = b.size.width - 24;
    kit::CGContextSetRGBStrokeColor(cg, 1, 1, 1, 0.9);
    kit::CGContextSetLineWidth(cg, 1.5);
    // "−" and "+" at the ends, the track between.
    kit::CGContextMoveToPoint(cg, 6, mid);
    kit::CGContextAddLineToPoint(cg, 16, mid);
    kit::CGContextMoveToPoint(cg, b.size.width - 16, mid);
    kit::CGContextAddLineToPoint(cg, b.size.width - 6, mid);
    kit::CGContextMoveToPoint(cg, b.size.width - 11, mid - 5);
    kit::CGContextAddLineToPoint(cg, b.size.width - 11, mid + 5);
    kit::CGContextMoveToPoint(cg, left, mid);
    kit::CGContextAddLineToPoint(cg, right, mid);
    kit::CGContextStrokePath(cg);
    double knob = left + (right - left) * (m_value - 1) / 4;
    kit::CGContextSetRGBFillColor(cg, 1, 1, 1, 1);
    kit::CGContextFillEllipseInRect(cg, kit::CGRectMake(knob - 7, mid - 7, 14, 14));
}

void CAMZoomSlider::registerRuntimeMethods()
{
    staticClass()->setFactory([] { return std::make_shared<CAMZoomSlider>(); });
    registerMethod(sel::CAMZoomSlider_initWithFrame, memberImp<&CAMZoomSlider::initWithFrame>());
    registerMethod(sel::CAMZoomSlider_makeInvisible, memberImp<&CAMZoomSlider::makeInvisible>());
}

}
