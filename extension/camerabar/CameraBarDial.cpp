#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::checkSelectionDialSetup() { NOT_YET("the selection dial: checkSelectionDialSetup"); }

void CameraBar::removeSelDial(bool) { NOT_YET("the selection dial: removeSelDial:"); }

void CameraBar::removeOuterRing(bool) { NOT_YET("the selection dial: removeOuterRing:"); }

void CameraBar::removeInnerCircle() { NOT_YET("the selection dial: removeInnerCircle"); }

void CameraBar::InnerCircleTapped(kit::id) { NOT_YET("the selection dial: InnerCircleTapped:"); }

}
