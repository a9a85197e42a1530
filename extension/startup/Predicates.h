#pragma once

// How the device is held (the stored _UIDeviceOrientation) and whether the
// host camera is in a photo or a video mode.

#include "kit/runtime/Types.h"

namespace vantor {

bool isPortraitNormalOrientation();     // 1
bool isPortraitUpsideDownOrientation(); // 2
bool isLandscapeRightOrientation();     // 3
bool isLandscapeLeftOrientation();      // 4
bool isLandscapeOrientation();          // 3 or 4

// Of anything that answers cameraMode (the host controller or view): photo
// modes are 0 and 4, video modes 1 and 2; 3 is neither.
bool isCameraMode(kit::id controllerOrView);
bool isVideoMode(kit::id controllerOrView);

}
