// Touches on the camera view reach the extension's reticles, zoom control
// and mode strip before the host's own handling.

#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

bool _method$PLCameraView$pointInside$withEvent$$(kit::id self, kit::SEL cmd, kit::CGPoint point, kit::UIEvent* event)
{
    bool inside = _orig$PLCameraView$pointInside$withEvent$$(self, cmd, point, event);
    NOT_YET("touch routing: the first tap on the timestamp label");
    return inside;
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
    NOT_YET("touch routing: touchBegin");
}

void _method$PLCameraView$touchesMoved$withEvent$$(
    kit::id self, kit::SEL cmd, const kit::UITouchSet* touches, kit::UIEvent* event)
{
    _orig$PLCameraView$touchesMoved$withEvent$$(self, cmd, touches, event);
    NOT_YET("touch routing: touchMoved");
}

void _method$PLCameraView$touchesEnded$withEvent$$(
    kit::id self, kit::SEL cmd, const kit::UITouchSet* touches, kit::UIEvent* event)
{
    _orig$PLCameraView$touchesEnded$withEvent$$(self, cmd, touches, event);
    NOT_YET("touch routing: touchEnd");
}

void _method$PLCameraView$_handleOverlayViewLongPress$$(kit::id self, kit::SEL cmd, kit::id recognizer)
{
    _orig$PLCameraView$_handleOverlayViewLongPress$$(self, cmd, recognizer);
    NOT_YET("touch routing: the long press that locks a reticle");
}

bool _method$CAMBottomBar$pointInside$withEvent$$(kit::id self, kit::SEL cmd, kit::CGPoint point, kit::UIEvent* event)
{
    bool inside = _orig$CAMBottomBar$pointInside$withEvent$$(self, cmd, point, event);
    NOT_YET("touch routing: the bottom bar's hit test widened to the mode strip");
    return inside;
}

}
