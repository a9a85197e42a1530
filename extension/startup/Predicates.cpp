#include "extension/startup/Predicates.h"

#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"

namespace vantor {

bool isPortraitNormalOrientation() { return _UIDeviceOrientation == 1; }
bool isPortraitUpsideDownOrientation() { return _UIDeviceOrientation == 2; }
bool isLandscapeRightOrientation() { return _UIDeviceOrientation == 3; }
bool isLandscapeLeftOrientation() { return _UIDeviceOrientation == 4; }
bool isLandscapeOrientation() { return isLandscapeRightOrientation() || isLandscapeLeftOrientation(); }

bool isCameraMode(kit::id controllerOrView)
{
    auto mode = host::cameraMode(controllerOrView);
    return mode == 0 || mode == 4;
}

bool isVideoMode(kit::id controllerOrView)
{
    auto mode = host::cameraMode(controllerOrView);
    return mode == 1 || mode == 2;
}

}
