#include "settings/ColorSwatchView.h"

#include "settings/ColorPickerAppearance.h"

#include "kit/runtime/Class.h"
#include "kit/ui/CALayer.h"
#include "kit/ui/UIColor.h"

namespace vantor {

KIT_REGISTER_CLASS(ColorSwatchView);

// Layouts make the swatch by name.
[[maybe_unused]] static const bool colorSwatchViewFactory = [] {
    ColorSwatchView::staticClass()->setFactory([] { return ColorSwatchView::initWithCoder(); });
    return true;
}();

std::shared_ptr<ColorSwatchView> ColorSwatchView::initWithCoder()
{
    auto swatch = std::make_shared<ColorSwatchView>();
    swatch->setupLayers();
    return swatch;
}

void ColorSwatchView::setupLayers()
{
    setBackgroundColor(m_color);
    layer()->setCornerRadius(colorpicker::kSwatchLook.cornerRadius);
    layer()->setBorderWidth(colorpicker::kSwatchLook.borderWidth);
    layer()->setBorderColor(colorpicker::edgeColor());
}

void ColorSwatchView::setColor(const std::shared_ptr<kit::UIColor>& colour)
{
    if (colour == m_color || (colour && m_color && colour->isEqual(m_color.get())))
        return;
    m_color = colour;
    setBackgroundColor(m_color);
}

}
