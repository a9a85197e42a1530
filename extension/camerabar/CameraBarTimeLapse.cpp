#include "extension/camerabar/CameraBar.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CameraBar::exportImages() { NOT_YET("the time-lapse movie: exportImages"); }

}
