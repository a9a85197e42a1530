#pragma once

// The colour picker's swatch: a rounded, edged patch filled with the picked
// colour.

#include "kit/ui/UIView.h"

#include <memory>

namespace vantor {

class ColorSwatchView : public kit::UIView {
    KIT_OBJECT(ColorSwatchView, kit::UIView)

public:
    // initWithCoder:: the view as a layout makes it, with its rounding and
    // edge already set up.
    static std::shared_ptr<ColorSwatchView> initWithCoder();

    // Fills the view with the colour, rounded and edged as the picker's
    // appearance says.
    void setupLayers();

    const std::shared_ptr<kit::UIColor>& color() const { return m_color; }
    // An equal colour changes nothing.
    void setColor(const std::shared_ptr<kit::UIColor>&);

private:
    std::shared_ptr<kit::UIColor> m_color;
};

}
