#pragma once

// The horizon-alignment level, its button on the top bar and the alert shown
// while video is recorded with the device held upright.

#include "kit/foundation/Action.h"

namespace vantor {

void CreateHorizonAlignmentBtn(const kit::Action&);
void CreateVideoVerticallyTiltedAlert();
// Class side of VerticalAlertImageView.
void CreateHorizontalAlignmentViews();
void UpdateHorizontalAlignmentViewsOrientation();
// The tilt alert lights up while video is taken with the device upright
// (portrait or upside down).
void highlightVideoVerticallyTiltedAlert(bool videoMode);

}
