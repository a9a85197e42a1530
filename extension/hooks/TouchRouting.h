#pragma once

// Touches on the host's camera view decide which reticle of the advanced
// mode they belong to: a tap places both unlocked reticles, a drag moves
// one, a long press locks one and a plain tap unlocks them; the capture
// device gets the matching points of interest. Also the hit-test widening
// of the host's bottom bar and the tap on the date-stamp label.
//
// The flags of one touch (Globals.h: touchInsideExposure, touchInsideFocus,
// touchDirectObject, movedObject, longPressHandled, skipModeSwitching,
// startLocation) live from touchBegin to touchEnd. All of it runs on the
// main thread, after the host's own touch handling.

#include "kit/runtime/Types.h"
#include "kit/ui/Geometry.h"

namespace kit {
class UIEvent;
class UITouchSet;
class UIView;
}

namespace vantor {

// The camera view is the view whose touch methods were called.
void touchBegin(const kit::UITouchSet* touches, kit::UIView* cameraView, kit::UIEvent* event);
void touchMoved(const kit::UITouchSet* touches);
void touchEnd(const kit::UITouchSet* touches, kit::UIView* cameraView);

// After the host's long press: in the advanced mode, locks the reticle(s)
// the touch began on.
void handleOverlayViewLongPress(kit::id recognizer);

// The bottom bar's answer to a hit test, widened to the extension's mode
// buttons, the strip and the date-stamp label; remembered in
// touchInsideButtonView. The point is in the bar's coordinates.
bool isTouchOnCameraControlsOrParent(bool hostAnswer, kit::CGPoint point, kit::UIView* bar);

// The camera view's answer to a hit test. On a phone, a touch-down on the
// date-stamp label toggles the label once and reaches nothing: the hit test
// that finds it and a repeated hit test for the same touch-down both answer
// false. The point is in the camera view's coordinates.
bool cameraViewPointInside(bool hostAnswer, kit::CGPoint point, kit::UIView* cameraView, kit::UIEvent* event);

}
