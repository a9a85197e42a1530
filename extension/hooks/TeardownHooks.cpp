// The host events that take the extension's state apart: suspension, the
// preview stopping and the camera view going away. The next preview start
// re-creates what they release.

#include "extension/capture/CameraButtonFunctions.h"
#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"
#include "extension/startup/Teardown.h"

namespace vantor {

void _method$PLCameraView$animateBlurForSuspension$(kit::id self, kit::SEL cmd)
{
    CleanUpOnMinimize();
    _orig$PLCameraView$animateBlurForSuspension$(self, cmd);
}

void _method$PLCameraView$stopPreviewAnimated$$(kit::id self, kit::SEL cmd, bool animated)
{
    CleanUpOnMinimize();
    clearVariables();
    hideCameraBar(nullptr);
    killtimer = true;
    destroyObjects(false);
    _orig$PLCameraView$stopPreviewAnimated$$(self, cmd, animated);
}

void _method$PLCameraView$dealloc$(kit::id self, kit::SEL cmd)
{
    hideCameraBar(nullptr);
    destroyObjects(false);
    _orig$PLCameraView$dealloc$(self, cmd);
}

}
