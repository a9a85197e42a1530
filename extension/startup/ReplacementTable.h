#pragma once

// The 72 host methods the extension replaces, in the order it installs them:
// the replacement, the slot that receives the host implementation it
// replaces, the class, the selector, whether it is a class method, and the
// method's result and arguments after self and _cmd. Each replacement reaches
// the host only through its slot.

#include "kit/runtime/Types.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <string>

namespace kit {
class UIEvent;
class UITouchSet;
}

namespace vantor {

enum class ReplacedOn { Instance, ClassMethod };

// X(replacement, slot, class, selector, kind, result, arguments...)
#define VANTOR_REPLACEMENTS(X) \
    X(_method$UIApplication$didReceiveMemoryWarning$, _orig$UIApplication$didReceiveMemoryWarning$, "UIApplication", "didReceiveMemoryWarning", Instance, void) \
    X(_method$PLCIFilterUtilities$outputImageFromFilters$inputImage$orientation$copyFiltersFirst$$, _orig$PLCIFilterUtilities$outputImageFromFilters$inputImage$orientation$copyFiltersFirst$$, "PLCIFilterUtilities", "outputImageFromFilters:inputImage:orientation:copyFiltersFirst:", ClassMethod, kit::id, kit::id, kit::id, int32_t, bool) \
    X(_notifyDidCollapse_CAMHDRButton, __notifyDidCollapse_CAMHDRButton, "CAMHDRButton", "_notifyDidCollapse", Instance, void) \
    X(_notifyWillExpand_CAMHDRButton, __notifyWillExpand_CAMHDRButton, "CAMHDRButton", "_notifyWillExpand", Instance, void) \
    X(_method$CAMFilterButton$_commonCAMFilterButtonInitialization$, _orig$CAMFilterButton$_commonCAMFilterButtonInitialization$, "CAMFilterButton", "_commonCAMFilterButtonInitialization", Instance, void) \
    X(_method$CAMAvalancheSession$init$, _orig$CAMAvalancheSession$init$, "CAMAvalancheSession", "init", Instance, kit::id) \
    X(_method$CAMAvalancheSession$dealloc$, _orig$CAMAvalancheSession$dealloc$, "CAMAvalancheSession", "dealloc", Instance, void) \
    X(_method$CAMImageWell$setThumbnailImage$uuid$animated$$, _orig$CAMImageWell$setThumbnailImage$uuid$animated$$, "CAMImageWell", "setThumbnailImage:uuid:animated:", Instance, void, kit::id, std::string, bool) \
    X(_method$CAMImageWell$setThumbnailImage$animated$$, _orig$CAMImageWell$setThumbnailImage$animated$$, "CAMImageWell", "setThumbnailImage:animated:", Instance, void, kit::id, bool) \
    X(_method$PLCameraView$pointInside$withEvent$$, _orig$PLCameraView$pointInside$withEvent$$, "PLCameraView", "pointInside:withEvent:", Instance, bool, kit::CGPoint, kit::UIEvent*) \
    X(_method$PLCameraView$_assetContainerDidChange$$, _orig$PLCameraView$_assetContainerDidChange$$, "PLCameraView", "_assetContainerDidChange:", Instance, void, kit::id) \
    X(_method$PLCameraView$cameraController$capturedPhoto$error$$, _orig$PLCameraView$cameraController$capturedPhoto$error$$, "PLCameraView", "cameraController:capturedPhoto:error:", Instance, void, kit::id, kit::id, kit::id) \
    X(_method$PLCameraView$cameraControllerWillTakePhoto$$, _orig$PLCameraView$cameraControllerWillTakePhoto$$, "PLCameraView", "cameraControllerWillTakePhoto:", Instance, void, kit::id) \
    X(_method$PLCameraView$_handleVolumeUpEvents$$, _orig$PLCameraView$_handleVolumeUpEvents$$, "PLCameraView", "_handleVolumeUpEvents:", Instance, void, kit::id) \
    X(_method$PLCameraView$_handleVolumeButtonUp$, _orig$PLCameraView$_handleVolumeButtonUp$, "PLCameraView", "_handleVolumeButtonUp", Instance, void) \
    X(_method$PLCameraView$_handleVolumeButtonDown$, _orig$PLCameraView$_handleVolumeButtonDown$, "PLCameraView", "_handleVolumeButtonDown", Instance, void) \
    X(_method$PLCameraView$_cameraOrientationChanged$$, _orig$PLCameraView$_cameraOrientationChanged$$, "PLCameraView", "_cameraOrientationChanged:", Instance, void, kit::id) \
    X(_method$PLCameraView$videoPreviewView$, _orig$PLCameraView$videoPreviewView$, "PLCameraView", "videoPreviewView", Instance, kit::id) \
    X(_method$PLCameraView$cameraControllerModeDidChange$$, _orig$PLCameraView$cameraControllerModeDidChange$$, "PLCameraView", "cameraControllerModeDidChange:", Instance, void, kit::id) \
    X(_method$PLCameraView$animateBlurForSuspension$, _orig$PLCameraView$animateBlurForSuspension$, "PLCameraView", "animateBlurForSuspension", Instance, void) \
    X(_method$PLCameraView$_shouldShowFocus$, _orig$PLCameraView$_shouldShowFocus$, "PLCameraView", "_shouldShowFocus", Instance, bool) \
    X(_method$PLCameraView$cameraController$didStartTransitionToShowEffectsGrid$animated$$, _orig$PLCameraView$cameraController$didStartTransitionToShowEffectsGrid$animated$$, "PLCameraView", "cameraController:didStartTransitionToShowEffectsGrid:animated:", Instance, void, kit::id, bool, bool) \
    X(_method$PLCameraView$stopPreviewAnimated$$, _orig$PLCameraView$stopPreviewAnimated$$, "PLCameraView", "stopPreviewAnimated:", Instance, void, bool) \
    X(_method$PLCameraView$_isSwipeToModeSwitchAllowed$, _orig$PLCameraView$_isSwipeToModeSwitchAllowed$, "PLCameraView", "_isSwipeToModeSwitchAllowed", Instance, bool) \
    X(_method$PLCameraView$swipedToPreviousCameraMode$, _orig$PLCameraView$swipedToPreviousCameraMode$, "PLCameraView", "swipedToPreviousCameraMode", Instance, void) \
    X(_method$PLCameraView$swipedToNextCameraMode$, _orig$PLCameraView$swipedToNextCameraMode$, "PLCameraView", "swipedToNextCameraMode", Instance, void) \
    X(_method$PLCameraView$touchesBegan$withEvent$$, _orig$PLCameraView$touchesBegan$withEvent$$, "PLCameraView", "touchesBegan:withEvent:", Instance, void, const kit::UITouchSet*, kit::UIEvent*) \
    X(_method$PLCameraView$touchesMoved$withEvent$$, _orig$PLCameraView$touchesMoved$withEvent$$, "PLCameraView", "touchesMoved:withEvent:", Instance, void, const kit::UITouchSet*, kit::UIEvent*) \
    X(_method$PLCameraView$touchesEnded$withEvent$$, _orig$PLCameraView$touchesEnded$withEvent$$, "PLCameraView", "touchesEnded:withEvent:", Instance, void, const kit::UITouchSet*, kit::UIEvent*) \
    X(_method$PLCameraView$viewDidAppear$, _orig$PLCameraView$viewDidAppear$, "PLCameraView", "viewDidAppear", Instance, void) \
    X(_method$PLCameraView$_windowWillAnimateRotationToOrientation$$, _orig$PLCameraView$_windowWillAnimateRotationToOrientation$$, "PLCameraView", "_windowWillAnimateRotationToOrientation:", Instance, void, int32_t) \
    X(_method$PLCameraView$_handleOverlayViewLongPress$$, _orig$PLCameraView$_handleOverlayViewLongPress$$, "PLCameraView", "_handleOverlayViewLongPress:", Instance, void, kit::id) \
    X(_method$PLCameraView$dealloc$, _orig$PLCameraView$dealloc$, "PLCameraView", "dealloc", Instance, void) \
    X(_method$PLCameraView$cameraControllerDidTakePhoto$$, _orig$PLCameraView$cameraControllerDidTakePhoto$$, "PLCameraView", "cameraControllerDidTakePhoto:", Instance, void, kit::id) \
    X(_method$PLCameraView$_shutterButtonClicked$, _orig$PLCameraView$_shutterButtonClicked$, "PLCameraView", "_shutterButtonClicked", Instance, void) \
    X(_method$PLCameraView$_optionsButtonShouldBeHidden$, _orig$PLCameraView$_optionsButtonShouldBeHidden$, "PLCameraView", "_optionsButtonShouldBeHidden", Instance, bool) \
    X(_method$PLCameraView$_resetZoom$, _orig$PLCameraView$_resetZoom$, "PLCameraView", "_resetZoom", Instance, void) \
    X(_method$PLCameraView$showZoomSlider$, _orig$PLCameraView$showZoomSlider$, "PLCameraView", "showZoomSlider", Instance, void) \
    X(_method$PLCameraView$_performVideoCapture$, _orig$PLCameraView$_performVideoCapture$, "PLCameraView", "_performVideoCapture", Instance, void) \
    X(_method$PLCameraView$_removeVideoCaptureControls$, _orig$PLCameraView$_removeVideoCaptureControls$, "PLCameraView", "_removeVideoCaptureControls", Instance, void) \
    X(_method$PLCameraView$_clearUnsavedVideoCaptureState$, _orig$PLCameraView$_clearUnsavedVideoCaptureState$, "PLCameraView", "_clearUnsavedVideoCaptureState", Instance, void) \
    X(_method$CAMZoomSlider$initWithFrame$$, _orig$CAMZoomSlider$initWithFrame$$, "CAMZoomSlider", "initWithFrame:", Instance, kit::id, kit::CGRect) \
    X(_method$CAMTopBar$layoutSubviews$, _orig$CAMTopBar$layoutSubviews$, "CAMTopBar", "layoutSubviews", Instance, void) \
    X(_method$CAMTopBar$pointInside$withEvent$$, _orig$CAMTopBar$pointInside$withEvent$$, "CAMTopBar", "pointInside:withEvent:", Instance, bool, kit::CGPoint, kit::UIEvent*) \
    X(_method$CAMShutterButton$setMode$animated$$, _orig$CAMShutterButton$setMode$animated$$, "CAMShutterButton", "setMode:animated:", Instance, void, int64_t, bool) \
    X(_method$CAMBottomBar$_layoutForHorizontalOrientation$, _orig$CAMBottomBar$_layoutForHorizontalOrientation$, "CAMBottomBar", "_layoutForHorizontalOrientation", Instance, void) \
    X(_method$CAMBottomBar$_layoutForVerticalOrientation$, _orig$CAMBottomBar$_layoutForVerticalOrientation$, "CAMBottomBar", "_layoutForVerticalOrientation", Instance, void) \
    X(_method$CAMBottomBar$pointInside$withEvent$$, _orig$CAMBottomBar$pointInside$withEvent$$, "CAMBottomBar", "pointInside:withEvent:", Instance, bool, kit::CGPoint, kit::UIEvent*) \
    X(_method$CAMBottomBar$layoutSubviews$, _orig$CAMBottomBar$layoutSubviews$, "CAMBottomBar", "layoutSubviews", Instance, void) \
    X(_method$PLCameraViewController$viewDidAppear$$, _orig$PLCameraViewController$viewDidAppear$$, "PLCameraViewController", "viewDidAppear:", Instance, void, bool) \
    X(_method$PLCameraController$_capturedPhotoWithDictionary$error$$, _orig$PLCameraController$_capturedPhotoWithDictionary$error$$, "PLCameraController", "_capturedPhotoWithDictionary:error:", Instance, void, kit::id, kit::id) \
    X(_method$PLCameraController$_setupCamera$, _orig$PLCameraController$_setupCamera$, "PLCameraController", "_setupCamera", Instance, void) \
    X(_method$PLCameraController$_destroyCamera$, _orig$PLCameraController$_destroyCamera$, "PLCameraController", "_destroyCamera", Instance, void) \
    X(_method$PLCameraController$_configureSessionWithCameraMode$cameraDevice$$, _orig$PLCameraController$_configureSessionWithCameraMode$cameraDevice$$, "PLCameraController", "_configureSessionWithCameraMode:cameraDevice:", Instance, void, int32_t, int32_t) \
    X(_method$PLCameraController$accelerometer$didChangeDeviceOrientation$$, _orig$PLCameraController$accelerometer$didChangeDeviceOrientation$$, "PLCameraController", "accelerometer:didChangeDeviceOrientation:", Instance, void, kit::id, int32_t) \
    X(_method$PLCameraController$_sessionStopped$$, _orig$PLCameraController$_sessionStopped$$, "PLCameraController", "_sessionStopped:", Instance, void, kit::id) \
    X(_method$PLCameraController$_sessionStarted$$, _orig$PLCameraController$_sessionStarted$$, "PLCameraController", "_sessionStarted:", Instance, void, kit::id) \
    X(_method$PLCameraController$_previewStarted$, _orig$PLCameraController$_previewStarted$, "PLCameraController", "_previewStarted", Instance, void) \
    X(_method$PLCameraController$startVideoCapture$, _orig$PLCameraController$startVideoCapture$, "PLCameraController", "startVideoCapture", Instance, void) \
    X(_method$PLCameraController$stopVideoCapture$, _orig$PLCameraController$stopVideoCapture$, "PLCameraController", "stopVideoCapture", Instance, void) \
    X(_method$PLCameraController$init$, _orig$PLCameraController$init$, "PLCameraController", "init", Instance, kit::id) \
    X(_method$PLCameraController$_focusCompleted$, _orig$PLCameraController$_focusCompleted$, "PLCameraController", "_focusCompleted", Instance, void) \
    X(_method$PLCameraController$_focusStarted$, _orig$PLCameraController$_focusStarted$, "PLCameraController", "_focusStarted", Instance, void) \
    X(_method$PLCameraController$isFocusAllowed$, _orig$PLCameraController$isFocusAllowed$, "PLCameraController", "isFocusAllowed", Instance, bool) \
    X(_method$PLCameraController$_autofocus$autoExpose$$, _orig$PLCameraController$_autofocus$autoExpose$$, "PLCameraController", "_autofocus:autoExpose:", Instance, void, bool, bool) \
    X(_method$PLCameraController$autofocus$, _orig$PLCameraController$autofocus$, "PLCameraController", "autofocus", Instance, void) \
    X(_method$PLCameraController$_exposureStarted$, _orig$PLCameraController$_exposureStarted$, "PLCameraController", "_exposureStarted", Instance, void) \
    X(_method$PLCameraController$_exposureCompleted$, _orig$PLCameraController$_exposureCompleted$, "PLCameraController", "_exposureCompleted", Instance, void) \
    X(_method$PLCameraController$_setCameraMode$cameraDevice$$, _orig$PLCameraController$_setCameraMode$cameraDevice$$, "PLCameraController", "_setCameraMode:cameraDevice:", Instance, void, int32_t, int32_t) \
    X(_method$PLCameraController$startPreview$, _orig$PLCameraController$startPreview$, "PLCameraController", "startPreview", Instance, void) \
    X(_method$PLCameraController$startPreview$$, _orig$PLCameraController$startPreview$$, "PLCameraController", "startPreview:", Instance, void, kit::id) \
    X(_method$PLCameraController$canCapturePhotoDuringRecording$, _orig$PLCameraController$canCapturePhotoDuringRecording$, "PLCameraController", "canCapturePhotoDuringRecording", Instance, bool)

#define VANTOR_DECLARE_REPLACEMENT(replacement, slot, cls, selector, kind, result, ...) \
    result replacement(kit::id, kit::SEL __VA_OPT__(, ) __VA_ARGS__);                      \
    extern result (*slot)(kit::id, kit::SEL __VA_OPT__(, ) __VA_ARGS__);
VANTOR_REPLACEMENTS(VANTOR_DECLARE_REPLACEMENT)
#undef VANTOR_DECLARE_REPLACEMENT

// Installs every replacement, class by class in the table's order, each
// class looked up by name. A class that is not found gets nothing replaced
// and its slots stay empty.
void installReplacements();

}
