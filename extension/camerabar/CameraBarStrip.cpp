#include "extension/camerabar/CameraBar.h"

#include "extension/capture/CameraButtonFunctions.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Prefs.h"

namespace vantor {

namespace {

// A swipe that ends a drag of a reticle, a long press or a direct touch on an
// element belongs to that gesture, not to the mode strip.
bool touchIsBusy()
{
    return longPressHandled || touchInsideExposure || touchInsideFocus || movedObject || touchDirectObject;
}

}

void CameraBar::showCameraButtonObjCall()
{
    if (touchIsBusy())
        return;
    swipedUpCameraControls = true;
    toggleCameraButtonArray(1);

    // The first lesson is learnt: teach how to hide the strip next.
    if (showHelpHowToShow) {
        showHelpHowToShow = false;
        showHelpHowToHide = true;
        createHelpViews();
    }
}

void CameraBar::hideCameraButtonObjCall()
{
    if (touchIsBusy())
        return;
    swipedUpCameraControls = true;
    toggleCameraButtonArray(0);

    // Both lessons are learnt: the help never comes back, even after a restart.
    if (showHelpHowToHide) {
        showHelpHowToShow = false;
        showHelpHowToHide = false;
        removeHelpViews();
        savePrefs();
    }
}

}
