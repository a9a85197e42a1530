#include "extension/capture/CameraButtonFunctions.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void createCameraButtonArray(kit::UIView*) { NOT_YET("the mode strip: createCameraButtonArray"); }

void toggleCameraButtonArray(int) { NOT_YET("the mode strip: toggleCameraButtonArray"); }

void destroyCameraButtonArray() { NOT_YET("the mode strip: destroyCameraButtonArray"); }

void hideCameraBar(kit::id) { NOT_YET("the mode strip: hideCameraBar"); }

void hideCameraBar4(kit::id, float, bool, bool) { NOT_YET("the mode strip: hideCameraBar4"); }

}
