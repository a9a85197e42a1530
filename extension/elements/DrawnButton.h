#pragma once

#include "kit/ui/UIBezierPath.h"
#include "kit/ui/UIButton.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

namespace vantor {

// The common drawing of the mode strip's pictogram buttons: every shape of
// the pictogram is filled in one colour, white normally and the button's
// selected colour while it is selected, on a 47 × 47 point canvas in the
// button's bounds (top-left origin). Selecting or deselecting asks for
// display again (UIControl does), so the colour follows the state.
//
// This class has no runtime class of its own: each pictogram button names
// UIButton as its superclass, as the platform's classes do.
class DrawnButton : public kit::UIButton {
public:
    using Shapes = std::vector<std::shared_ptr<kit::UIBezierPath>>;
    using RGBA = std::array<kit::CGFloat, 4>;

    // The side of the canvas the pictograms are drawn on, in points.
    static constexpr kit::CGFloat canvasSize = 47;
    // The selected colour of most mode buttons.
    static constexpr RGBA modeSelectedColor { 1.0, 0.78, 0.267, 1.0 };

    // The fill colour for the current state.
    RGBA fillColor() const;
    // The pictogram, in canvas points; each shape is filled on its own with
    // its own fill rule.
    virtual Shapes pictogram() const = 0;

    void drawRect(kit::CGRect) override;

protected:
    DrawnButton(kit::CGRect frame, RGBA selectedColor);

    // Shape helpers for the pictograms; `holes` are cut out of the first
    // outline with the even-odd rule.
    static std::shared_ptr<kit::UIBezierPath> oval(kit::CGFloat x, kit::CGFloat y, kit::CGFloat width, kit::CGFloat height);
    static std::shared_ptr<kit::UIBezierPath> rect(kit::CGFloat x, kit::CGFloat y, kit::CGFloat width, kit::CGFloat height);
    static std::shared_ptr<kit::UIBezierPath> polygon(std::initializer_list<kit::CGPoint>);
    static std::shared_ptr<kit::UIBezierPath> withHoles(std::shared_ptr<kit::UIBezierPath> outline,
        std::initializer_list<std::shared_ptr<kit::UIBezierPath>> holes);

private:
    RGBA m_selectedColor;
};

}
