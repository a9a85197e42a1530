// The date stamp drawn into each captured photo.

#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void _method$PLCameraView$cameraController$capturedPhoto$error$$(
    kit::id self, kit::SEL cmd, kit::id controller, kit::id photo, kit::id error)
{
    NOT_YET("time stamp: drawing the date into the captured photo");
    _orig$PLCameraView$cameraController$capturedPhoto$error$$(self, cmd, controller, photo, error);
}

}
