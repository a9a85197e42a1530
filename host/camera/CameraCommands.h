#pragma once

#include "host/common/AppProtocol.h"

#include <optional>

namespace host {

class CameraScreen;

// The camera's commands, for a process that shows the camera and is driven
// over the line protocol (host/common/AppServer.h):
//
//   shutter | volume up|down | swipe up|down|left|right | pinch SCALE
//   mode N                   0 photo, 1 video, 2 slow motion, 3 panorama, 4 square
//   camera-device N          0 back, 1 front
//   filters on|off | memory-warning
//
// Each acts on the camera shown, or answers that there is none in front
// (a memory warning reaches the process either way). Nothing when the
// command is not one of them.
std::optional<AppAnswer> performCameraCommand(CameraScreen*, const AppCommand&);

}
