#pragma once

#include "kit/ui/AffineTransform.h"
#include "kit/ui/UIImageView.h"

namespace vantor {

// The vertical-tilt alert: an image view with no normal image and the warning
// sign as its highlighted image, so it shows only while highlighted. Its
// class side makes the horizon level's two views and turns them with the
// device.
class VerticalAlertImageView final : public kit::UIImageView {
    KIT_OBJECT(VerticalAlertImageView, kit::UIImageView)

public:
    using kit::UIImageView::UIImageView;

    // The level's views for the stored device orientation: identity upright,
    // a half turn upside down, a quarter turn for the landscape orientations
    // (the reverse of the extension's element turn, since the level follows
    // the world rather than the screen), and all zero ("unknown") for
    // anything else.
    static kit::CGAffineTransform getTransformationFromDeviceOrientation();
    static kit::CGAffineTransform getTransformation() { return getTransformationFromDeviceOrientation(); }

    // Makes the level's base and indicator in the host view, invisible
    // (alpha 0) until the level is switched on.
    static void CreateHorizontalAlignmentViews();
    // Turns whichever of the two exists to the orientation transform over
    // 0.4 s; an unknown orientation leaves them.
    static void UpdateHorizontalAlignmentViewsOrientation();
};

}
