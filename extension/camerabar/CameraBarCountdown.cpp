#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::startTimerMode() { NOT_YET("the count-down: startTimerMode"); }

void CameraBar::createTimer() { NOT_YET("the count-down: createTimer"); }

void CameraBar::countTheSeconds(kit::id) { NOT_YET("the count-down: countTheSeconds:"); }

int32_t CameraBar::getTimerSeconds()
{
    NOT_YET("the count-down: getTimerSeconds");
    return 0;
}

}
