#pragma once

// The colour picker's fixed look: the rounding, borders and shadow of its
// markers, plane and swatch. Points, except the opacity.

#include "kit/ui/UIColor.h"

#include <memory>

namespace vantor::colorpicker {

// Every edge is drawn in white 0.9 at alpha 0.8, visible on dark and light.
inline std::shared_ptr<kit::UIColor> edgeColor() { return kit::UIColor::colorWithWhite(0.9, 0.8); }

struct EdgeLook {
    kit::CGFloat cornerRadius;
    kit::CGFloat borderWidth;
};

inline constexpr EdgeLook kCrosshairLook { 19, 0.8 };
inline constexpr EdgeLook kBrightnessMarkerLook { 9, 1.0 };
inline constexpr EdgeLook kPlaneLook { 0, 1.0 };
inline constexpr EdgeLook kSwatchLook { 7, 0.8 };

// The crosshair's shadow: black, straight below (no offset), soft.
inline constexpr kit::CGFloat kCrosshairShadowRadius = 1;
inline constexpr float kCrosshairShadowOpacity = 0.5f;

}
