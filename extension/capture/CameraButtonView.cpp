#include "extension/capture/CameraButtonView.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

KIT_REGISTER_CLASS(CameraButtonView);

void CameraButtonView::setTextForMode(kit::id, bool) { NOT_YET("the mode strip: setTextForMode:isCapturing:"); }

}
