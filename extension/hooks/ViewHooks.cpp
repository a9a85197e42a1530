// The replaced methods of the host's camera view and its small neighbours:
// mode changes and the filter grid rebuild the extension's elements, the view
// is remembered when it appears, the zoom slider is taken over, and the
// shutter button's recording look is followed.

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/composition/HorizonAlignment.h"
#include "extension/composition/OverlayFunctions.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/ZoomView.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/ui/UIImageView.h"
#include "kit/ui/UIScreen.h"

namespace vantor {

namespace {

kit::UIView* asView(kit::id object) { return kit::cast<kit::UIView>(object); }

void disableSnapshotButton()
{
    if (modeTakeRecordingPhotoBtn)
        modeTakeRecordingPhotoBtn->setEnabled(false);
}

}

void _method$PLCameraView$cameraControllerModeDidChange$$(kit::id self, kit::SEL cmd, kit::id controller)
{
    _orig$PLCameraView$cameraControllerModeDidChange$$(self, cmd, controller);
    auto bar = cameraBar;
    auto now = currentCameraController();
    if (isCameraMode(now)) {
        toggleAdvancedFocus(bar && bar->cameraMode() == 1, asView(self), true);
        if (HDRAlwaysOn && host::respondsToHDRIsOn(self) && !host::HDRIsOn(self))
            host::toggleHDR(self, true);
    } else if (isVideoMode(now)) {
        toggleAdvancedFocus(bar && bar->videoMode() == 1, asView(self), true);
    } else {
        toggleAdvancedFocus(false, nullptr, true);
    }
    emptyMaxFrameRatesForHeightVariables();
    getDimensions(host::cameraMode(now), host::cameraDevice(now), false);
    highlightVideoVerticallyTiltedAlert(isVideoMode(cameraView.lock().get()));
}

void _method$PLCameraView$cameraController$didStartTransitionToShowEffectsGrid$animated$$(
    kit::id self, kit::SEL cmd, kit::id controller, bool show, bool animated)
{
    filtersShowing = show;
    auto bar = cameraBar;
    if (show) {
        if (_overlayIndicator && !_overlayIndicator->isHidden())
            hideOverlayFunctionality(true);
        if (_CAMSlalomDimensionIndicator)
            _CAMSlalomDimensionIndicator->setHidden(true);
        toggleAdvancedFocus(false, nullptr, true);
        if (bar) {
            bar->toggleElementFinished(-5, 1.0f);
            bar->toggleElementFinished(-4, 0.25f);
            bar->toggleElementFinished(-6, 0.25f);
            bar->toggleElementFinished(-8, 0.0f);
            bar->toggleElementFinished(-9, 0.0f);
        }
    } else {
        if (bar) {
            bar->toggleElementFinished(3, 0.25f);
            createDimensionLabels(kit::Action(bar, &CameraBar::toggleElement));
            if (isVideoMode(controller))
                toggleAdvancedFocus(bar->videoMode() == 1, nullptr, true);
            else if (isCameraMode(controller))
                toggleAdvancedFocus(bar->cameraMode() == 1, nullptr, true);
            // The square mode (4) has no guides.
            if (host::cameraMode(currentCameraController()) == 0)
                hideOverlayFunctionality(false);
            bar->toggleElementFinished(6, 0.0f);
            bar->toggleElementFinished(7, 0.0f);
        }
        checkTimestampLable_VS_Filters();
    }
    _orig$PLCameraView$cameraController$didStartTransitionToShowEffectsGrid$animated$$(
        self, cmd, controller, show, animated);
}

void _method$PLCameraView$viewDidAppear$(kit::id self, kit::SEL cmd)
{
    auto* view = asView(self);
    if (view)
        cameraView = view->strongRef<kit::UIView>();
    if (!buttonsCreated)
        createCameraButtonArray(_CAMBottomBar.lock().get());
    if (view && view->frame().size.width == 0) {
        if (auto* parent = view->superview())
            parent->setFrame(kit::UIScreen::mainScreen()->bounds());
    }
    createFocusAndExposureObjects();
    _orig$PLCameraView$viewDidAppear$(self, cmd);
}

kit::id _method$PLCameraView$videoPreviewView$(kit::id self, kit::SEL cmd)
{
    auto now = currentCameraController();
    getDimensions(host::cameraMode(now), host::cameraDevice(now), true);
    return _orig$PLCameraView$videoPreviewView$(self, cmd);
}

// With the front camera the host's focus square follows the exposure lock.
bool _method$PLCameraView$_shouldShowFocus$(kit::id self, kit::SEL cmd)
{
    bool show = _orig$PLCameraView$_shouldShowFocus$(self, cmd);
    if (show && host::cameraDevice(currentCameraController()) == 1)
        return canExpose;
    return show;
}

void _method$PLCameraView$swipedToPreviousCameraMode$(kit::id self, kit::SEL cmd)
{
    fadeOutFocusAndExposureObjects(0.2f);
    _orig$PLCameraView$swipedToPreviousCameraMode$(self, cmd);
}

void _method$PLCameraView$swipedToNextCameraMode$(kit::id self, kit::SEL cmd)
{
    fadeOutFocusAndExposureObjects(0.2f);
    _orig$PLCameraView$swipedToNextCameraMode$(self, cmd);
}

bool _method$PLCameraView$_optionsButtonShouldBeHidden$(kit::id, kit::SEL) { return false; }

// --- Zoom: with the extension's zoom control the host's slider never shows.

kit::id _method$CAMZoomSlider$initWithFrame$$(kit::id self, kit::SEL cmd, kit::CGRect frame)
{
    auto slider = _orig$CAMZoomSlider$initWithFrame$$(self, cmd, frame);
    if (auto* view = asView(slider))
        _CAMZoomSlider = view->strongRef<kit::UIView>();
    return slider;
}

void _method$PLCameraView$showZoomSlider$(kit::id self, kit::SEL cmd)
{
    if (zoomView)
        return;
    _orig$PLCameraView$showZoomSlider$(self, cmd);
    toggleCameraButtonArray(0);
}

void _method$PLCameraView$_resetZoom$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraView$_resetZoom$(self, cmd);
    if (auto* zoom = kit::cast<ZoomView>(zoomView.get()))
        zoom->setValue(1.0f);
}

// --- Recording.

void _method$PLCameraView$_removeVideoCaptureControls$(kit::id self, kit::SEL cmd)
{
    disableSnapshotButton();
    _orig$PLCameraView$_removeVideoCaptureControls$(self, cmd);
}

void _method$PLCameraView$_clearUnsavedVideoCaptureState$(kit::id self, kit::SEL cmd)
{
    disableSnapshotButton();
    _orig$PLCameraView$_clearUnsavedVideoCaptureState$(self, cmd);
}

void _method$CAMShutterButton$setMode$animated$$(kit::id self, kit::SEL cmd, int64_t mode, bool animated)
{
    bool capturing = (mode == 4 || mode == 5) && animated;
    if (!IS_IPAD) {
        if (capturing && _cameraButtonView)
            _cameraButtonView->setTextForMode(currentCameraController(), true);
        if (!capturing)
            disableSnapshotButton();
    }
    if (capturing)
        hideChooserAndDialShowReticles(0.0f);
    _orig$CAMShutterButton$setMode$animated$$(self, cmd, mode, animated);
}

// --- Small host classes.

void _method$CAMFilterButton$_commonCAMFilterButtonInitialization$(kit::id self, kit::SEL cmd)
{
    hasFilterBtn = true;
    _orig$CAMFilterButton$_commonCAMFilterButtonInitialization$(self, cmd);
}

kit::id _method$CAMAvalancheSession$init$(kit::id self, kit::SEL cmd)
{
    isBursting = true;
    return _orig$CAMAvalancheSession$init$(self, cmd);
}

void _method$CAMAvalancheSession$dealloc$(kit::id self, kit::SEL cmd)
{
    isBursting = false;
    _orig$CAMAvalancheSession$dealloc$(self, cmd);
}

}
