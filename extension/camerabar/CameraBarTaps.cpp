#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::toggleElement(kit::id) { NOT_YET("the indicators' tap action: toggleElement:"); }

}
