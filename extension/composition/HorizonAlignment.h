#pragma once

// The horizon-alignment level, its button on the top bar and the alert shown
// while video is recorded with the device held upright.

#include "kit/foundation/Action.h"
#include "kit/media/CMDeviceMotion.h"

namespace vantor {

// Makes the on/off button once, when the level is offered: beside the host's
// camera-switch button in the top bar, sending its taps to the action.
void CreateHorizonAlignmentBtn(const kit::Action&);
// Makes the alert once when it is offered (never on a pad) and lights it for
// the current mode and orientation.
void CreateVideoVerticallyTiltedAlert();
// Class side of VerticalAlertImageView.
void CreateHorizontalAlignmentViews();
void UpdateHorizontalAlignmentViewsOrientation();
// The tilt alert lights up while video is taken with the device upright
// (portrait or upside down).
void highlightVideoVerticallyTiltedAlert(bool videoMode);

// The roll of the device, atan2(gravity.x, gravity.y) in radians: pi upright
// in portrait, about +-pi/2 in landscape, 0 upside down.
double horizonAngle(kit::CMAcceleration gravity);
// Level: |angle| strictly inside (1.561453, 1.581453) in landscape or
// (3.13, 3.15) upright in portrait; never upside down.
bool isHorizonLevel(double angle);
// One device-motion sample on the main thread: turns the level's indicator
// by the roll and lights both views while level. A sample that is not
// finite leaves the indicator where it is, unlit.
void showHorizonLevel(kit::CMAcceleration gravity);

}
