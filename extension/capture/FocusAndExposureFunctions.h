#pragma once

// The advanced mode's separate focus and exposure reticles, their overlay
// window and the white-balance lock.

namespace kit {
class UIView;
}

namespace vantor {

void createFocusAndExposureObjects();
void destroyFocusAndExposureObjects();
void CenterFocusExposureViews();
void fadeOutFocusAndExposureObjects(float duration);
void fadeInFocusAndExposureObjects(float duration, float alpha);
// Switches the advanced mode on or off; the camera view may be nothing.
void toggleAdvancedFocus(bool active, kit::UIView* cameraView, bool recenter);
void toggleWhiteBalance(bool lock);
void createAndShowWBLabel();
void hideAndDestroyWBLabel();

}
