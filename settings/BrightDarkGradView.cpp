#include "settings/BrightDarkGradView.h"

#include "kit/runtime/Class.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"

namespace vantor {

KIT_REGISTER_CLASS(BrightDarkGradView);

// Layouts make the track by name.
[[maybe_unused]] static const bool brightDarkGradViewFactory = [] {
    BrightDarkGradView::staticClass()->setFactory([] { return std::make_shared<BrightDarkGradView>(); });
    return true;
}();

void BrightDarkGradView::setColor(const std::shared_ptr<kit::UIColor>& colour)
{
    if (colour == m_color || (colour && m_color && colour->isEqual(m_color.get())))
        return;
    m_color = colour;
    setupGradient();
    setNeedsDisplay();
}

void BrightDarkGradView::setupGradient()
{
    kit::CGGradientRelease(m_gradient);
    kit::CGFloat red = 0, green = 0, blue = 0;
    if (!m_color || !m_color->getRed(&red, &green, &blue, nullptr))
        return;
    const kit::CGFloat components[] = { red, green, blue, 1, 0, 0, 0, 1 };
    auto space = kit::CGColorSpaceCreateDeviceRGB();
    m_gradient = kit::CGGradientCreateWithColorComponents(space, components, nullptr, 2);
    kit::CGColorSpaceRelease(space);
}

void BrightDarkGradView::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context || !m_gradient)
        return;
    auto size = bounds().size;
    kit::CGContextSaveGState(context);
    kit::CGContextClipToRect(context, { { 0, 0 }, size });
    kit::CGContextDrawLinearGradient(context, m_gradient, { 0, 0 }, { 0, size.height }, 0);
    kit::CGContextRestoreGState(context);
}

}
