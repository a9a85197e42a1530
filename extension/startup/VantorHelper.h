#pragma once

#include "kit/ui/AffineTransform.h"
#include "kit/ui/Geometry.h"

namespace vantor {

// Geometry for the reticles and the points of interest.
class VantorHelper {
public:
    // Each coordinate clamped to 0..1.
    static kit::CGPoint boxPoint(kit::CGPoint);
    // The origin that puts a square reticle of rect's width with its centre
    // 5 points right of and below the point; the width is used for both axes.
    static kit::CGPoint getOrientationOffsetPoint(kit::CGRect rect, kit::CGPoint basePoint);
    // The rotation that turns an element upright for the stored device
    // orientation: identity in portrait, a half turn upside down, a quarter
    // turn either way in landscape.
    static kit::CGAffineTransform getTransformation();
};

}
