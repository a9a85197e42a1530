#include "extension/startup/Teardown.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/capture/FocusView.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Prefs.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <utility>

namespace vantor {

namespace {

// Forgets the global before the view leaves its parent, so that nothing
// reached from the removal finds it half released.
template <typename View>
void removeAndRelease(std::shared_ptr<View>& global)
{
    auto view = std::exchange(global, nullptr);
    if (view)
        view->removeFromSuperview();
}

}

void CleanUpOnMinimize()
{
    savePrefs();
    emptyMaxFrameRatesForHeightVariables();
    if (auto bar = cameraBar) {
        bar->toggleElementFinished(-4, 0.25f);
        bar->toggleElementFinished(1, 0.0f);
        bar->removeHelpViews();
        bar->DestroyCMDeviceMotion();
        killtimer = true;
    }
    toggleCameraButtonArray(0);
    if (IS_IPAD && zoomView)
        zoomView->setAlpha(0);
    if (whiteBalanceLockLbl)
        hideAndDestroyWBLabel();
}

void clearVariables()
{
    cameraView.reset();
    touchDirectObject = false;
    if (cameraBar)
        cameraBar->setCameraMode(CameraBar::CameraModeAdvanced);
    if (exposureView)
        exposureView->setIsLocked(false);
    if (focusView)
        focusView->setIsLocked(false);
}

void destroyObjects(bool keepPrefs)
{
    touchDirectObject = touchInsideExposure = touchInsideFocus = false;
    mainOverlay.reset();
    killtimer = true;
    if (!keepPrefs)
        prefsDictionary.reset();
    cameraBar.reset();
    _CAMBottomBar.reset();
    destroyFocusAndExposureObjects();
    destroyCameraButtonArray();
    destroyLabelsAndIndicators();
}

void destroyLabelsAndIndicators()
{
    removeAndRelease(_CAMSlalomIndicatorView);
    removeAndRelease(_CAMSlalomIndicatorReplacement);
    removeAndRelease(_CAMSlalomDimensionIndicator);
    deviceFrameRatesForDimensions.reset();
    removeAndRelease(_overlayIndicator);
    removeAndRelease(horizonAlignmentBtn);
    removeAndRelease(horizontalAlignmentBase);
    removeAndRelease(horizontalAlignmentIndicator);
    removeAndRelease(videoVerticallyTiltedAlert);
    removeAndRelease(memoryWarningLbl);
    removeAndRelease(timestampLbl);
    removeAndRelease(bulbView);
}

}
