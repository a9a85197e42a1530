#pragma once

#include "host/springboard/SpringBoard.h"

#include <cstdio>

namespace host {

// The home screen's side of the line protocol over which vantor-sim drives
// it in its own process: every app's commands (host/common/AppServer.h),
// the camera's on the lock-screen camera (host/camera/CameraCommands.h),
// and its own:
//
//   lock                 the side button
//   home                 the home button
//   unlock               "slide to unlock" slid across
//   lock-camera          the camera grabber swiped up
//   gravity X Y Z        how the device is held, for the camera when it opens too
//   background           an app came to the front: the home screen steps back
//
// Its event record (the camera's host calls, its own steps) comes as
// "event" lines, and it tells, as notices, "screen NAME" when what it shows
// changes (SpringBoardScreen.h) and "open BUNDLE" when an icon asks for an
// app. An unknown model or a missing device root is answered "error REASON",
// and the program ends.
int serveSpringBoard(SpringBoardOptions, std::FILE* in, std::FILE* out);

}
