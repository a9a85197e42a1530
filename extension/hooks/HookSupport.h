#pragma once

// Small steps that several replaced host methods share.

#include "kit/runtime/Types.h"

#include <string>

namespace vantor {

// The remembered host controller, or nothing once it is gone.
kit::id currentCameraController();

// When capture starts: the resolution chooser hides over 0.25 s, the
// selection dial goes (element -5 with the given extra) and the reticles
// show again. Nothing without a camera bar.
void hideChooserAndDialShowReticles(float dialExtra);

// The folder of the camera's photos (a device path): the folder of the next
// photo file's URL, without the URL's scheme. Any thread.
std::string cameraRollFolder();

}
