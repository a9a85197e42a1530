#include "extension/startup/Globals.h"

namespace vantor {

// Every global with the value it has when the library is loaded. The start
// values of a camera session are set by InitVariables and the settings file.
#define VANTOR_GLOBALS(X) \
    X(bool, LOGGER_ON, false) \
    X(bool, IS_IPAD, false) \
    X(bool, IS_IPHONE_5S, false) \
    X(bool, IS_IPHONE_5S_SCREEN_SIZE, false) \
    X(int32_t, kFocusAndExposureTopOffset, 0) \
    X(bool, IS_IPAD_ZOOM, false) \
    X(std::weak_ptr<kit::Object>, cameraController, {}) \
    X(std::weak_ptr<kit::UIView>, cameraView, {}) \
    X(std::weak_ptr<kit::UIView>, _CAMTopBar, {}) \
    X(std::weak_ptr<kit::UIView>, _CAMBottomBar, {}) \
    X(int32_t, kCameraButtonBarHeight, 0) \
    X(std::weak_ptr<kit::UIView>, _CAMZoomSlider, {}) \
    X(int64_t, _UIDeviceOrientation, 0) \
    X(std::shared_ptr<CameraBar>, cameraBar, {}) \
    X(std::shared_ptr<kit::PropertyList::Dictionary>, prefsDictionary, {}) \
    X(std::shared_ptr<MainOverlay>, mainOverlay, {}) \
    X(std::shared_ptr<FocusView>, focusView, {}) \
    X(std::shared_ptr<ExposureView>, exposureView, {}) \
    X(std::shared_ptr<CameraButtonView>, _cameraButtonView, {}) \
    X(std::shared_ptr<CameraButton>, modeAdvCameraBtn, {}) \
    X(std::shared_ptr<TimerButton>, modeTimerBtn, {}) \
    X(std::shared_ptr<TimeLapseButton>, modeLapseTimerBtn, {}) \
    X(std::shared_ptr<MovieButton>, modeAdvVideoBtn, {}) \
    X(std::shared_ptr<WBLockButton>, modeWBBtn, {}) \
    X(std::shared_ptr<CameraButton>, modeTakeRecordingPhotoBtn, {}) \
    X(std::shared_ptr<kit::UIView>, _CAMSlalomIndicatorView, {}) \
    X(std::shared_ptr<kit::UIView>, _CAMSlalomIndicatorReplacement, {}) \
    X(std::shared_ptr<kit::UIView>, _CAMSlalomDimensionIndicator, {}) \
    X(std::shared_ptr<FrameRatesForDimensions>, deviceFrameRatesForDimensions, {}) \
    X(std::shared_ptr<kit::UIView>, _overlayIndicator, {}) \
    X(std::shared_ptr<kit::UIImageView>, horizonAlignmentBtn, {}) \
    X(std::shared_ptr<kit::UIImageView>, horizontalAlignmentBase, {}) \
    X(std::shared_ptr<kit::UIImageView>, horizontalAlignmentIndicator, {}) \
    X(std::shared_ptr<kit::UIImageView>, videoVerticallyTiltedAlert, {}) \
    X(std::shared_ptr<kit::UILabel>, memoryWarningLbl, {}) \
    X(std::shared_ptr<kit::UILabel>, timestampLbl, {}) \
    X(std::shared_ptr<kit::UIImageView>, bulbView, {}) \
    X(std::shared_ptr<CustomTransparentFilledLabel>, whiteBalanceLockLbl, {}) \
    X(std::shared_ptr<kit::UIView>, zoomView, {}) \
    X(Mode, globCameraMode, 0) \
    X(Mode, globTimerMode, 0) \
    X(Mode, globVideoMode, 0) \
    X(Mode, globFrameRateMode, 0) \
    X(Mode, globOverlayMode, 0) \
    X(Mode, sessionCameraMode, 0) \
    X(Mode, sessionTimerMode, 0) \
    X(Mode, sessionOverlayMode, 0) \
    X(Mode, sessionVideoMode, 0) \
    X(bool, UseAdvancedCamera, false) \
    X(bool, canFocus, false) \
    X(bool, canExpose, false) \
    X(bool, canWhiteBalance, false) \
    X(bool, rememberSettings, false) \
    X(int32_t, guideIndex, 0) \
    X(int32_t, resolutionIndex, 0) \
    X(int32_t, _timerTime, 0) \
    X(int32_t, _timeLapseTime, 0) \
    X(int32_t, _timeType, 0) \
    X(int32_t, globalFrameRateTime, 0) \
    X(bool, _didSetPrefs, false) \
    X(bool, _resolutionSelected, false) \
    X(bool, _tmpResolutionSelected, false) \
    X(bool, _guideSelected, false) \
    X(bool, _tmpGuideSelected, false) \
    X(int32_t, prevCameraControllerCameraMode, 0) \
    X(int32_t, currentDimensionHeight, 0) \
    X(int32_t, currentFrameRate, 0) \
    X(bool, filtersShowing, false) \
    X(bool, isFiltering, false) \
    X(bool, hasFilterBtn, false) \
    X(bool, isBursting, false) \
    X(bool, longPressHandled, false) \
    X(bool, skipModeSwitching, false) \
    X(bool, touchInsideExposure, false) \
    X(bool, touchInsideFocus, false) \
    X(bool, touchDirectObject, false) \
    X(bool, movedObject, false) \
    X(bool, touchInsideButtonView, false) \
    X(bool, swipedUpCameraControls, false) \
    X(kit::CGPoint, startLocation, {}) \
    X(bool, killtimer, false) \
    X(bool, shutterPressWhileTimerOn, false) \
    X(bool, showingButtonArray, false) \
    X(bool, buttonsCreated, false) \
    X(bool, didFirstTapOnTimestampLbl, false) \
    X(bool, bulbViewOn, false) \
    X(float, tourchLevel, 0.5f) \
    X(int32_t, prevIndex, -1) \
    X(bool, overlaySelectorIsShowing, false) \
    X(bool, focusAndExposureHidden, false) \
    X(bool, focusViewWasHidden, false) \
    X(bool, exposureViewViewWasHidden, false) \
    X(double, zoomViewYPortrait, 0) \
    X(double, zoomViewYLandscape, 0) \
    X(double, minXForZoom, 0) \
    X(double, maxXForZoom, 0) \
    X(int32_t, CameraBtn_PhotoStart, 0) \
    X(int32_t, CameraBtn_PhotoOffset, 0) \
    X(int32_t, CameraBtn_VideoStart, 0) \
    X(int32_t, CameraBtn_VideoOffset, 0) \
    X(int32_t, CameraBtn_Top, 0) \
    X(bool, showDimensions, false) \
    X(bool, showFPS, false) \
    X(bool, showOverlays, false) \
    X(bool, showHorizonAlignment, false) \
    X(bool, showVerticalAlert, false) \
    X(bool, showBulb, false) \
    X(bool, showMemoryWarning, false) \
    X(bool, blurButtonBar, false) \
    X(bool, convertTimeLapseToVideo, false) \
    X(bool, timeStampVisible, false) \
    X(bool, timeStampVisibleAndPlace, false) \
    X(bool, prevTimeStampVisibleAndPlace, false) \
    X(bool, timestampIncludeTime, false) \
    X(bool, timeStampFontColorSet, false) \
    X(bool, HDRAlwaysOn, false) \
    X(bool, horizonAlignmentShowing, false) \
    X(bool, showHelpHowToShow, false) \
    X(bool, showHelpHowToHide, false)

#define VANTOR_DEFINE_GLOBAL(type, name, value) type name = value;
VANTOR_GLOBALS(VANTOR_DEFINE_GLOBAL)
#undef VANTOR_DEFINE_GLOBAL

void resetGlobalsToLoadValues()
{
#define VANTOR_RESET_GLOBAL(type, name, value) name = value;
    VANTOR_GLOBALS(VANTOR_RESET_GLOBAL)
#undef VANTOR_RESET_GLOBAL
}

}
