// Device rotation: the stored orientation follows the accelerometer, and the
// extension's elements turn in place with it.

#include "extension/composition/HorizonAlignment.h"
#include "extension/hooks/Rotation.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/Dispatch.h"
#include "kit/foundation/NotYet.h"

namespace vantor {

void rotateObjectsOnMainThread() { NOT_YET("rotation: rotateObjectsOnMainThread"); }

// The host may call this off the main thread; the elements are only touched
// on the main queue.
void _method$PLCameraController$accelerometer$didChangeDeviceOrientation$$(
    kit::id self, kit::SEL cmd, kit::id accelerometer, int32_t orientation)
{
    UpdateHorizontalAlignmentViewsOrientation();
    bool faceUpOrDown = orientation == 5 || orientation == 6;
    if (!faceUpOrDown && orientation != _UIDeviceOrientation) {
        _UIDeviceOrientation = orientation;
        highlightVideoVerticallyTiltedAlert(isVideoMode(self));
        kit::dispatch_async(kit::dispatch_get_main_queue(), [] { rotateObjectsOnMainThread(); });
    }
    _orig$PLCameraController$accelerometer$didChangeDeviceOrientation$$(self, cmd, accelerometer, orientation);
}

void _method$PLCameraView$_cameraOrientationChanged$$(kit::id self, kit::SEL cmd, kit::id notification)
{
    _orig$PLCameraView$_cameraOrientationChanged$$(self, cmd, notification);
    NOT_YET("rotation: the horizon views and the pad re-layout on a camera orientation change");
}

void _method$CAMBottomBar$_layoutForHorizontalOrientation$(kit::id self, kit::SEL cmd)
{
    _orig$CAMBottomBar$_layoutForHorizontalOrientation$(self, cmd);
    if (IS_IPAD)
        NOT_YET("rotation: adjustElementsForRotation");
}

void _method$CAMBottomBar$_layoutForVerticalOrientation$(kit::id self, kit::SEL cmd)
{
    _orig$CAMBottomBar$_layoutForVerticalOrientation$(self, cmd);
    if (IS_IPAD)
        NOT_YET("rotation: adjustElementsForRotation");
}

}
