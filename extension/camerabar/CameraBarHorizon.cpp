#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::StartCMDeviceMotion() { NOT_YET("the horizon level: StartCMDeviceMotion"); }

void CameraBar::DestroyCMDeviceMotion() { NOT_YET("the horizon level: DestroyCMDeviceMotion"); }

void CameraBar::toggleHorizonAlignment(kit::id) { NOT_YET("the horizon level: toggleHorizonAlignment:"); }

}
