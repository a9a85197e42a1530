#pragma once

// Every method of the camera app that other code reaches through the runtime:
// the class it lives on, its selector, and the exact type of its
// implementation, R (*)(kit::id, kit::SEL, A...). A replacement installed
// with MSHookMessageEx must have that type, and a message sent to it must be
// sent with those types (msgSend<R, A...>), or a debug build stops at the call.
//
// Argument conventions: objects are kit::id (a kit::Object*); camera modes,
// camera devices and orientations are int32_t; the shutter button's mode is
// int64_t; flags are bool; sizes, factors and zoom are double (CGFloat);
// points and rectangles are kit::CGPoint / kit::CGRect; a touch set is a
// const kit::UITouchSet* and an event a kit::UIEvent*; strings are
// std::string by value. Errors are passed as kit::id and are always nil here.
//
// Only kit headers are needed, so any library can include this file.
//
// A replacement in the extension's shape, for the table's entry
// PLCameraView_shutterButtonClicked (void, no arguments):
//   static void (*_orig$PLCameraView$_shutterButtonClicked$)(kit::id, kit::SEL);
//   static void _method$PLCameraView$_shutterButtonClicked$(kit::id self, kit::SEL cmd)
//   {
//       ...
//       _orig$PLCameraView$_shutterButtonClicked$(self, cmd);
//   }
//   kit::hookMessage(kit::objc_getClass("PLCameraView"), kit::sel_registerName("_shutterButtonClicked"),
//       &_method$PLCameraView$_shutterButtonClicked$, &_orig$PLCameraView$_shutterButtonClicked$);
// The implementation type of any entry is decltype(host::sel::NAME)::Imp.

#include "kit/runtime/MessageSend.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <string>

namespace kit {
class UIEvent;
class UITouchSet;
}

namespace host::sel {

enum class Kind { Instance, ClassMethod };
// Replaced: one of the methods the extension replaces. Called: an operation
// the extension sends to the host. Host: sent by the host to itself only.
enum class Role { Replaced, Called, Host };

// One method: where it lives and, in its type, its signature.
template <typename R, typename... A>
struct Method {
    using Imp = R (*)(kit::id, kit::SEL, A...);
    const char* className;
    const char* selector;
    Kind kind;
    Role role;

    kit::SEL sel() const { return kit::sel_registerName(selector); }
    static kit::Signature signature() { return kit::signatureOf<R, A...>(); }
};

// The same, without its type: for walking the whole table.
struct MethodInfo {
    const char* className;
    const char* selector;
    Kind kind;
    Role role;
    kit::Signature (*signature)();
};

using kit::id;
using CGPoint = kit::CGPoint;
using CGRect = kit::CGRect;
using TouchSet = const kit::UITouchSet*;
using Event = kit::UIEvent*;
constexpr Kind I = Kind::Instance;
constexpr Kind C = Kind::ClassMethod;
constexpr Role R = Role::Replaced;
constexpr Role O = Role::Called;
constexpr Role H = Role::Host;

// X(name, class, selector, kind, role, result, arguments...)
// The replaced methods come first, in the order the extension installs them.
#define HOST_CAMERA_METHODS(X)                                                                                  \
    X(UIApplication_didReceiveMemoryWarning, "UIApplication", "didReceiveMemoryWarning", I, R, void)             \
    X(PLCIFilterUtilities_outputImageFromFilters, "PLCIFilterUtilities",                                          \
        "outputImageFromFilters:inputImage:orientation:copyFiltersFirst:", C, R, id, id, id, int32_t, bool)       \
    X(CAMHDRButton_notifyDidCollapse, "CAMHDRButton", "_notifyDidCollapse", I, R, void)                          \
    X(CAMHDRButton_notifyWillExpand, "CAMHDRButton", "_notifyWillExpand", I, R, void)                            \
    X(CAMFilterButton_commonInitialization, "CAMFilterButton", "_commonCAMFilterButtonInitialization", I, R,    \
        void)                                                                                                     \
    X(CAMAvalancheSession_init, "CAMAvalancheSession", "init", I, R, id)                                         \
    X(CAMAvalancheSession_dealloc, "CAMAvalancheSession", "dealloc", I, R, void)                                 \
    X(CAMImageWell_setThumbnailImageUuidAnimated, "CAMImageWell", "setThumbnailImage:uuid:animated:", I, R,     \
        void, id, std::string, bool)                                                                              \
    X(CAMImageWell_setThumbnailImageAnimated, "CAMImageWell", "setThumbnailImage:animated:", I, R, void, id,    \
        bool)                                                                                                     \
    X(PLCameraView_pointInside, "PLCameraView", "pointInside:withEvent:", I, R, bool, CGPoint, Event)            \
    X(PLCameraView_assetContainerDidChange, "PLCameraView", "_assetContainerDidChange:", I, R, void, id)         \
    X(PLCameraView_capturedPhoto, "PLCameraView", "cameraController:capturedPhoto:error:", I, R, void, id, id,  \
        id)                                                                                                       \
    X(PLCameraView_willTakePhoto, "PLCameraView", "cameraControllerWillTakePhoto:", I, R, void, id)              \
    X(PLCameraView_handleVolumeUpEvents, "PLCameraView", "_handleVolumeUpEvents:", I, R, void, id)               \
    X(PLCameraView_handleVolumeButtonUp, "PLCameraView", "_handleVolumeButtonUp", I, R, void)                    \
    X(PLCameraView_handleVolumeButtonDown, "PLCameraView", "_handleVolumeButtonDown", I, R, void)                \
    X(PLCameraView_cameraOrientationChanged, "PLCameraView", "_cameraOrientationChanged:", I, R, void, id)       \
    X(PLCameraView_videoPreviewView, "PLCameraView", "videoPreviewView", I, R, id)                               \
    X(PLCameraView_modeDidChange, "PLCameraView", "cameraControllerModeDidChange:", I, R, void, id)              \
    X(PLCameraView_animateBlurForSuspension, "PLCameraView", "animateBlurForSuspension", I, R, void)             \
    X(PLCameraView_shouldShowFocus, "PLCameraView", "_shouldShowFocus", I, R, bool)                              \
    X(PLCameraView_showEffectsGrid, "PLCameraView",                                                               \
        "cameraController:didStartTransitionToShowEffectsGrid:animated:", I, R, void, id, bool, bool)            \
    X(PLCameraView_stopPreviewAnimated, "PLCameraView", "stopPreviewAnimated:", I, R, void, bool)                \
    X(PLCameraView_isSwipeToModeSwitchAllowed, "PLCameraView", "_isSwipeToModeSwitchAllowed", I, R, bool)        \
    X(PLCameraView_swipedToPreviousCameraMode, "PLCameraView", "swipedToPreviousCameraMode", I, R, void)         \
    X(PLCameraView_swipedToNextCameraMode, "PLCameraView", "swipedToNextCameraMode", I, R, void)                 \
    X(PLCameraView_touchesBegan, "PLCameraView", "touchesBegan:withEvent:", I, R, void, TouchSet, Event)         \
    X(PLCameraView_touchesMoved, "PLCameraView", "touchesMoved:withEvent:", I, R, void, TouchSet, Event)         \
    X(PLCameraView_touchesEnded, "PLCameraView", "touchesEnded:withEvent:", I, R, void, TouchSet, Event)         \
    X(PLCameraView_viewDidAppear, "PLCameraView", "viewDidAppear", I, R, void)                                   \
    X(PLCameraView_windowWillAnimateRotation, "PLCameraView", "_windowWillAnimateRotationToOrientation:", I, R,  \
        void, int32_t)                                                                                            \
    X(PLCameraView_handleOverlayViewLongPress, "PLCameraView", "_handleOverlayViewLongPress:", I, R, void, id)   \
    X(PLCameraView_dealloc, "PLCameraView", "dealloc", I, R, void)                                               \
    X(PLCameraView_didTakePhoto, "PLCameraView", "cameraControllerDidTakePhoto:", I, R, void, id)                \
    X(PLCameraView_shutterButtonClicked, "PLCameraView", "_shutterButtonClicked", I, R, void)                    \
    X(PLCameraView_optionsButtonShouldBeHidden, "PLCameraView", "_optionsButtonShouldBeHidden", I, R, bool)      \
    X(PLCameraView_resetZoom, "PLCameraView", "_resetZoom", I, R, void)                                          \
    X(PLCameraView_showZoomSlider, "PLCameraView", "showZoomSlider", I, R, void)                                 \
    X(PLCameraView_performVideoCapture, "PLCameraView", "_performVideoCapture", I, R, void)                      \
    X(PLCameraView_removeVideoCaptureControls, "PLCameraView", "_removeVideoCaptureControls", I, R, void)        \
    X(PLCameraView_clearUnsavedVideoCaptureState, "PLCameraView", "_clearUnsavedVideoCaptureState", I, R, void)  \
    X(CAMZoomSlider_initWithFrame, "CAMZoomSlider", "initWithFrame:", I, R, id, CGRect)                          \
    X(CAMTopBar_layoutSubviews, "CAMTopBar", "layoutSubviews", I, R, void)                                       \
    X(CAMTopBar_pointInside, "CAMTopBar", "pointInside:withEvent:", I, R, bool, CGPoint, Event)                  \
    X(CAMShutterButton_setModeAnimated, "CAMShutterButton", "setMode:animated:", I, R, void, int64_t, bool)      \
    X(CAMBottomBar_layoutForHorizontalOrientation, "CAMBottomBar", "_layoutForHorizontalOrientation", I, R,     \
        void)                                                                                                     \
    X(CAMBottomBar_layoutForVerticalOrientation, "CAMBottomBar", "_layoutForVerticalOrientation", I, R, void)   \
    X(CAMBottomBar_pointInside, "CAMBottomBar", "pointInside:withEvent:", I, R, bool, CGPoint, Event)            \
    X(CAMBottomBar_layoutSubviews, "CAMBottomBar", "layoutSubviews", I, R, void)                                 \
    X(PLCameraViewController_viewDidAppear, "PLCameraViewController", "viewDidAppear:", I, R, void, bool)        \
    X(PLCameraController_capturedPhotoWithDictionary, "PLCameraController", "_capturedPhotoWithDictionary:error:", \
        I, R, void, id, id)                                                                                       \
    X(PLCameraController_setupCamera, "PLCameraController", "_setupCamera", I, R, void)                          \
    X(PLCameraController_destroyCamera, "PLCameraController", "_destroyCamera", I, R, void)                      \
    X(PLCameraController_configureSession, "PLCameraController", "_configureSessionWithCameraMode:cameraDevice:", \
        I, R, void, int32_t, int32_t)                                                                             \
    X(PLCameraController_accelerometerOrientation, "PLCameraController",                                         \
        "accelerometer:didChangeDeviceOrientation:", I, R, void, id, int32_t)                                    \
    X(PLCameraController_sessionStopped, "PLCameraController", "_sessionStopped:", I, R, void, id)               \
    X(PLCameraController_sessionStarted, "PLCameraController", "_sessionStarted:", I, R, void, id)               \
    X(PLCameraController_previewStarted, "PLCameraController", "_previewStarted", I, R, void)                    \
    X(PLCameraController_startVideoCapture, "PLCameraController", "startVideoCapture", I, R, void)               \
    X(PLCameraController_stopVideoCapture, "PLCameraController", "stopVideoCapture", I, R, void)                 \
    X(PLCameraController_init, "PLCameraController", "init", I, R, id)                                           \
    X(PLCameraController_focusCompleted, "PLCameraController", "_focusCompleted", I, R, void)                    \
    X(PLCameraController_focusStarted, "PLCameraController", "_focusStarted", I, R, void)                        \
    X(PLCameraController_isFocusAllowed, "PLCameraController", "isFocusAllowed", I, R, bool)                     \
    X(PLCameraController_autofocusAutoExpose, "PLCameraController", "_autofocus:autoExpose:", I, R, void, bool, \
        bool)                                                                                                     \
    X(PLCameraController_autofocus, "PLCameraController", "autofocus", I, R, void)                               \
    X(PLCameraController_exposureStarted, "PLCameraController", "_exposureStarted", I, R, void)                  \
    X(PLCameraController_exposureCompleted, "PLCameraController", "_exposureCompleted", I, R, void)              \
    X(PLCameraController_setCameraMode, "PLCameraController", "_setCameraMode:cameraDevice:", I, R, void,       \
        int32_t, int32_t)                                                                                         \
    X(PLCameraController_startPreview, "PLCameraController", "startPreview", I, R, void)                         \
    X(PLCameraController_startPreviewWith, "PLCameraController", "startPreview:", I, R, void, id)                \
    X(PLCameraController_canCapturePhotoDuringRecording, "PLCameraController", "canCapturePhotoDuringRecording", \
        I, R, bool)                                                                                               \
    /* The operations the extension calls. */                                                                    \
    X(PLCameraController_sharedInstance, "PLCameraController", "sharedInstance", C, O, id)                      \
    X(PLCameraController_cameraMode, "PLCameraController", "cameraMode", I, O, int32_t)                         \
    X(PLCameraController_cameraDevice, "PLCameraController", "cameraDevice", I, O, int32_t)                     \
    X(PLCameraController_currentDevice, "PLCameraController", "currentDevice", I, O, id)                        \
    X(PLCameraController_capturePhoto, "PLCameraController", "capturePhoto", I, O, void)                        \
    X(PLCameraController_videoCapturePath, "PLCameraController", "videoCapturePath", I, O, std::string)         \
    X(PLCameraController_lockFocusExposureWhiteBalance, "PLCameraController",                                   \
        "_lockFocus:lockExposure:lockWhiteBalance:", I, O, void, bool, bool, bool)                              \
    X(PLCameraView_pressShutterButton, "PLCameraView", "pressShutterButton", I, O, void)                        \
    X(PLCameraView_HDRIsOn, "PLCameraView", "HDRIsOn", I, O, bool)                                              \
    X(PLCameraView_toggleHDR, "PLCameraView", "toggleHDR:", I, O, void, bool)                                   \
    X(PLCameraView_filterButton, "PLCameraView", "_filterButton", I, O, id)                                     \
    X(PLCameraView_cameraMode, "PLCameraView", "cameraMode", I, O, int32_t)                                     \
    X(PLCameraView_setShouldShowFocus, "PLCameraView", "_setShouldShowFocus:", I, O, void, bool)                \
    X(PLCameraView_setZoomFactor, "PLCameraView", "_setZoomFactor:", I, O, void, double)                        \
    X(PLCameraView_zoomIsAllowed, "PLCameraView", "_zoomIsAllowed", I, O, bool)                                 \
    X(PLCameraView_updateModeSwitchingAvailability, "PLCameraView", "_updateModeSwitchingAvailability", I, O,   \
        void)                                                                                                     \
    X(PLCameraView_convertToPointOfInterest, "PLCameraView",                                                    \
        "convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:", I, O, CGPoint, CGPoint, bool*)     \
    X(CAMTopBar_flipButton, "CAMTopBar", "flipButton", I, O, id)                                                \
    X(CAMHDRButton_onLabel, "CAMHDRButton", "_onLabel", I, O, id)                                               \
    X(CAMHDRMenuItem_label, "CAMHDRMenuItem", "_label", I, O, id)                                               \
    X(CAMFilterButton_isOn, "CAMFilterButton", "isOn", I, O, bool)                                              \
    X(CAMZoomSlider_makeInvisible, "CAMZoomSlider", "makeInvisible", I, O, void)                                \
    X(CAMSlalomIndicatorView_initWithFrame, "CAMSlalomIndicatorView", "initWithFrame:", I, O, id, CGRect)      \
    X(CAMSlalomIndicatorView_setFramesPerSecond, "CAMSlalomIndicatorView", "setFramesPerSecond:", I, O, void,  \
        int32_t)                                                                                                  \
    X(CAMSlalomIndicatorView_framerateLabel, "CAMSlalomIndicatorView", "_framerateLabel", I, O, id)            \
    X(PLPhotoLibrary_simpleDCIMDirectory, "PLPhotoLibrary", "simpleDCIMDirectory", C, O, id)                   \
    X(PLDCIMDirectory_nextAvailableFileURL, "PLDCIMDirectory", "nextAvailableFileURLWithExtension:", I, O,     \
        std::string, std::string)                                                                                 \
    /* Sent by the host to itself. */                                                                            \
    X(PLCameraController_stopPreview, "PLCameraController", "stopPreview", I, H, void)

#define HOST_CAMERA_DECLARE_METHOD(name, cls, selector, kind, role, ...)                                         \
    inline constexpr Method<__VA_ARGS__> name { cls, selector, kind, role };
HOST_CAMERA_METHODS(HOST_CAMERA_DECLARE_METHOD)
#undef HOST_CAMERA_DECLARE_METHOD

#define HOST_CAMERA_METHOD_INFO(name, cls, selector, kind, role, ...)                                            \
    MethodInfo { cls, selector, kind, role, &decltype(name)::signature },
inline const MethodInfo allMethods[] = { HOST_CAMERA_METHODS(HOST_CAMERA_METHOD_INFO) };
#undef HOST_CAMERA_METHOD_INFO

}
