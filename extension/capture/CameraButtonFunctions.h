#pragma once

// The row of mode buttons on the host's bottom bar: created once per camera
// session, slid in and out by swipes, and the camera bar's dial faded with it.

#include "kit/runtime/Types.h"

namespace kit {
class UIView;
}

namespace vantor {

// Creates the strip, its buttons and, when there is none, the camera bar.
void createCameraButtonArray(kit::UIView* bottomBar);
// 1 shows the strip, 0 hides it.
void toggleCameraButtonArray(int show);
void destroyCameraButtonArray();
// Fades the camera bar's selection dial out.
void hideCameraBar(kit::id sender);
void hideCameraBar4(kit::id sender, float duration, bool keepDialAttached, bool leaveDial);

}
