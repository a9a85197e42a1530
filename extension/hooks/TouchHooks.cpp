// Touches on the camera view reach the extension's reticles and mode strip
// after the host's own handling (TouchRouting.h).

#include "extension/hooks/TouchRouting.h"
#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/ui/UIView.h"

namespace vantor {

bool _method$PLCameraView$pointInside$withEvent$$(kit::id self, kit::SEL cmd, kit::CGPoint point, kit::UIEvent* event)
{
    bool inside = _orig$PLCameraView$pointInside$withEvent$$(self, cmd, point, event);
    return cameraViewPointInside(inside, point, kit::cast<kit::UIView>(self), event);
}

// No camera-mode switch while the user's finger is on one of the reticles.
bool _method$PLCameraView$_isSwipeToModeSwitchAllowed$(kit::id self, kit::SEL cmd)
{
    bool allowed = _orig$PLCameraView$_isSwipeToModeSwitchAllowed$(self, cmd);
    return allowed && !skipModeSwitching;
}

void _method$PLCameraView$touchesBegan$withEvent$$(
    kit::id self, kit::SEL cmd, const kit::UITouchSet* touches, kit::UIEvent* event)
{
    _orig$PLCameraView$touchesBegan$withEvent$$(self, cmd, touches, event);
    touchBegin(touches, kit::cast<kit::UIView>(self), event);
}

void _method$PLCameraView$touchesMoved$withEvent$$(
    kit::id self, kit::SEL cmd, const kit::UITouchSet* touches, kit::UIEvent* event)
{
    _orig$PLCameraView$touchesMoved$withEvent$$(self, cmd, touches, event);
    touchMoved(touches);
}

void _method$PLCameraView$touchesEnded$withEvent$$(
    kit::id self, kit::SEL cmd, const kit::UITouchSet* touches, kit::UIEvent* event)
{
    _orig$PLCameraView$touchesEnded$withEvent$$(self, cmd, touches, event);
    touchEnd(touches, kit::cast<kit::UIView>(self));
}

void _method$PLCameraView$_handleOverlayViewLongPress$$(kit::id self, kit::SEL cmd, kit::id recognizer)
{
    _orig$PLCameraView$_handleOverlayViewLongPress$$(self, cmd, recognizer);
    handleOverlayViewLongPress(recognizer);
}

bool _method$CAMBottomBar$pointInside$withEvent$$(kit::id self, kit::SEL cmd, kit::CGPoint point, kit::UIEvent* event)
{
    bool inside = _orig$CAMBottomBar$pointInside$withEvent$$(self, cmd, point, event);
    return isTouchOnCameraControlsOrParent(inside, point, kit::cast<kit::UIView>(self));
}

}
