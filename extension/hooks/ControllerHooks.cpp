// The replaced methods of the host's camera controller: the controller is
// remembered, the settings re-read when the preview starts, the
// mode-dependent elements rebuilt around every mode switch, the recording
// state shown, and the host's own focus and exposure kept from overriding a
// reticle the user locked.

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/capture/FocusView.h"
#include "extension/composition/HorizonAlignment.h"
#include "extension/composition/OverlayFunctions.h"
#include "extension/elements/CameraButton.h"
#include "extension/hooks/BarItems.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/Prefs.h"
#include "extension/startup/ReplacementTable.h"

namespace vantor {

namespace {

// The indicators' common tap action, on the camera bar.
kit::Action toggleElementAction() { return kit::Action(cameraBar, &CameraBar::toggleElement); }

}

// --- Pass-throughs.

void _method$PLCameraController$_capturedPhotoWithDictionary$error$$(
    kit::id self, kit::SEL cmd, kit::id dictionary, kit::id error)
{
    _orig$PLCameraController$_capturedPhotoWithDictionary$error$$(self, cmd, dictionary, error);
}

void _method$PLCameraController$_setupCamera$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraController$_setupCamera$(self, cmd);
}

void _method$PLCameraController$_destroyCamera$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraController$_destroyCamera$(self, cmd);
}

void _method$PLCameraController$_configureSessionWithCameraMode$cameraDevice$$(
    kit::id self, kit::SEL cmd, int32_t mode, int32_t device)
{
    _orig$PLCameraController$_configureSessionWithCameraMode$cameraDevice$$(self, cmd, mode, device);
}

void _method$PLCameraController$_sessionStopped$$(kit::id self, kit::SEL cmd, kit::id notification)
{
    _orig$PLCameraController$_sessionStopped$$(self, cmd, notification);
}

void _method$PLCameraController$_sessionStarted$$(kit::id self, kit::SEL cmd, kit::id notification)
{
    _orig$PLCameraController$_sessionStarted$$(self, cmd, notification);
}

// --- The controller and its preview.

kit::id _method$PLCameraController$init$(kit::id self, kit::SEL cmd)
{
    auto controller = _orig$PLCameraController$init$(self, cmd);
    if (controller)
        cameraController = controller->weak_from_this();
    return controller;
}

void _method$PLCameraController$startPreview$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraController$startPreview$(self, cmd);
    LoadPrefs();
}

// The camera bar of each camera session is born here.
void _method$PLCameraController$startPreview$$(kit::id self, kit::SEL cmd, kit::id options)
{
    _orig$PLCameraController$startPreview$$(self, cmd, options);
    LoadPrefs();
    if (!buttonsCreated)
        createCameraButtonArray(_CAMBottomBar.lock().get());
    if (!cameraBar)
        createCameraBar();
}

void _method$PLCameraController$_previewStarted$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraController$_previewStarted$(self, cmd);
    getDimensions(host::cameraMode(self), host::cameraDevice(self), true);
}

// --- Mode switches.

void _method$PLCameraController$_setCameraMode$cameraDevice$$(kit::id self, kit::SEL cmd, int32_t mode, int32_t device)
{
    if (self)
        cameraController = self->weak_from_this();
    if (!focusView || !exposureView)
        createFocusAndExposureObjects();
    if (auto bar = cameraBar) {
        bar->toggleElementFinished(-5, 1.0f);
        bar->toggleElementFinished(-4, 0.1f);
        bar->toggleElementFinished(1, 0.0f);
    }
    if (auto bar = cameraBar)
        bar->DisplayCameraModeChangeObjectsTimed();
    toggleCameraButtonArray(0);

    _orig$PLCameraController$_setCameraMode$cameraDevice$$(self, cmd, mode, device);

    assignCurrentFrameRateAndSetLabel(30);
    if (cameraBar) {
        auto action = toggleElementAction();
        createOrToggleFrameRateLabels(action, host::cameraMode(self), currentFrameRate);
        createDimensionLabels(action);
        CreateOverlayIndicator(action);
        CreateHorizonAlignmentBtn(kit::Action(cameraBar, &CameraBar::toggleHorizonAlignment));
        CreateVideoVerticallyTiltedAlert();
        if (timeStampVisible) {
            if (isCameraMode(self))
                createAndShowTimeStampLbl(action);
            else
                hideAndDestroyTimeStampLbl();
        }
        createAndShowBulbView(action);
    }
    prevCameraControllerCameraMode = host::cameraMode(self);
}

// --- Video recording.

void _method$PLCameraController$startVideoCapture$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraController$startVideoCapture$(self, cmd);
    if (_cameraButtonView)
        _cameraButtonView->setTextForMode(currentCameraController(), true);
    if (modeTakeRecordingPhotoBtn)
        modeTakeRecordingPhotoBtn->setEnabled(true);
    hideChooserAndDialShowReticles(0.0f);
}

void _method$PLCameraController$stopVideoCapture$(kit::id self, kit::SEL cmd)
{
    if (modeTakeRecordingPhotoBtn)
        modeTakeRecordingPhotoBtn->setEnabled(false);
    _orig$PLCameraController$stopVideoCapture$(self, cmd);
    if (_cameraButtonView)
        _cameraButtonView->setTextForMode(currentCameraController(), false);
}

// The snapshot button takes photos while recording.
bool _method$PLCameraController$canCapturePhotoDuringRecording$(kit::id, kit::SEL) { return true; }

// --- Focus and exposure: canFocus and canExpose are false while the user
// holds that reticle locked.

bool _method$PLCameraController$isFocusAllowed$(kit::id self, kit::SEL cmd)
{
    bool hostAllows = _orig$PLCameraController$isFocusAllowed$(self, cmd);
    return hostAllows && canFocus && !touchInsideButtonView;
}

void _method$PLCameraController$autofocus$(kit::id self, kit::SEL cmd)
{
    if (canFocus)
        _orig$PLCameraController$autofocus$(self, cmd);
}

void _method$PLCameraController$_autofocus$autoExpose$$(kit::id self, kit::SEL cmd, bool, bool)
{
    _orig$PLCameraController$_autofocus$autoExpose$$(self, cmd, canFocus, canExpose);
}

namespace {

// While a reticle is held locked the host's own focus or exposure does not
// run; the reticle pulses instead, unless it is itself locked.
template <typename Reticle>
bool startedWhileLocked(bool allowed, const std::shared_ptr<Reticle>& reticle)
{
    if (allowed)
        return false;
    if (UseAdvancedCamera && reticle && !reticle->isLocked())
        reticle->startAnimating();
    return true;
}

template <typename Reticle>
void completedWhileLocked(bool allowed, const std::shared_ptr<Reticle>& reticle)
{
    if (!allowed && UseAdvancedCamera && reticle)
        reticle->stopAnimating();
}

}

void _method$PLCameraController$_focusStarted$(kit::id self, kit::SEL cmd)
{
    if (!startedWhileLocked(canFocus, focusView))
        _orig$PLCameraController$_focusStarted$(self, cmd);
}

void _method$PLCameraController$_focusCompleted$(kit::id self, kit::SEL cmd)
{
    completedWhileLocked(canFocus, focusView);
    _orig$PLCameraController$_focusCompleted$(self, cmd);
}

void _method$PLCameraController$_exposureStarted$(kit::id self, kit::SEL cmd)
{
    if (!startedWhileLocked(canExpose, exposureView))
        _orig$PLCameraController$_exposureStarted$(self, cmd);
}

void _method$PLCameraController$_exposureCompleted$(kit::id self, kit::SEL cmd)
{
    completedWhileLocked(canExpose, exposureView);
    _orig$PLCameraController$_exposureCompleted$(self, cmd);
}

}
