#include "extension/capture/FocusAndExposureFunctions.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void createFocusAndExposureObjects() { NOT_YET("reticles: createFocusAndExposureObjects"); }

void destroyFocusAndExposureObjects()
{
    NOT_YET("reticles: destroyFocusAndExposureObjects");
    focusView.reset();
    exposureView.reset();
}

void CenterFocusExposureViews() { NOT_YET("reticles: CenterFocusExposureViews"); }

void fadeOutFocusAndExposureObjects(float) { NOT_YET("reticles: fadeOutFocusAndExposureObjects"); }

void fadeInFocusAndExposureObjects(float, float) { NOT_YET("reticles: fadeInFocusAndExposureObjects"); }

void toggleAdvancedFocus(bool, kit::UIView*, bool) { NOT_YET("reticles: toggleAdvancedFocus"); }

void toggleWhiteBalance(bool) { NOT_YET("white balance: toggleWhiteBalance"); }

void createAndShowWBLabel() { NOT_YET("white balance: createAndShowWBLabel"); }

void hideAndDestroyWBLabel()
{
    NOT_YET("white balance: hideAndDestroyWBLabel");
    whiteBalanceLockLbl.reset();
}

}
