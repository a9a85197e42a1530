#pragma once

// The colour picker's brightness track: a vertical gradient from a colour at
// the top to black at the bottom, the brightnesses the chosen hue and
// saturation can take.

#include "kit/ui/CGGradient.h"
#include "kit/ui/UIView.h"

#include <memory>

namespace vantor {

class BrightDarkGradView : public kit::UIView {
    KIT_OBJECT(BrightDarkGradView, kit::UIView)

public:
    using kit::UIView::UIView;

    // The colour at the top; alpha is ignored, the gradient is opaque. An
    // equal colour changes nothing; another rebuilds the gradient and
    // redraws.
    const std::shared_ptr<kit::UIColor>& color() const { return m_color; }
    void setColor(const std::shared_ptr<kit::UIColor>&);

    // Two evenly spaced stops in device RGB: the colour, then black. The
    // previous gradient is let go. Without a colour there is no gradient.
    void setupGradient();
    const kit::CGGradientRef& gradient() const { return m_gradient; }

    // The gradient from the top edge to the bottom edge, inside the bounds.
    void drawRect(kit::CGRect) override;

private:
    std::shared_ptr<kit::UIColor> m_color;
    kit::CGGradientRef m_gradient;
};

}
