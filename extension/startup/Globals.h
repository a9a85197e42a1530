#pragma once

// The extension's process-wide state, grouped by role. Everything here lives
// as long as the process; the objects the extension creates are owned by
// exactly one global and released by a teardown step (Teardown.h), which
// tests the global first, so a second teardown in a row is harmless. Host
// objects are only remembered: a host object that is gone reads as nothing.
//
// Start values: globals with a reset in InitVariables.cpp get it at start-up;
// all others start as written here, when the library is loaded.

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Types.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <map>
#include <memory>

namespace kit {
class Object;
class UIButton;
class UIImageView;
class UILabel;
class UIView;
}

namespace vantor {

class CameraBar;
class CameraButton;
class CameraButtonView;
class CustomTransparentFilledLabel;
class ExposureView;
class FocusView;
class MainOverlay;
class MovieButton;
class TimeLapseButton;
class TimerButton;
class WBLockButton;

// Camera modes, timed modes and the other mode fields are 64-bit, like the
// camera bar's properties.
using Mode = int64_t;

// --- Device and process, set once at start-up.
extern bool LOGGER_ON;
extern bool IS_IPAD;
extern bool IS_IPHONE_5S;
extern bool IS_IPHONE_5S_SCREEN_SIZE;
extern int32_t kFocusAndExposureTopOffset; // 0 on a 568-point screen, else 32
extern bool IS_IPAD_ZOOM;                  // from the settings file

// --- Host objects, remembered, never owned.
extern std::weak_ptr<kit::Object> cameraController;
extern std::weak_ptr<kit::UIView> cameraView;
extern std::weak_ptr<kit::UIView> _CAMTopBar;
extern std::weak_ptr<kit::UIView> _CAMBottomBar;
extern int32_t kCameraButtonBarHeight;
extern std::weak_ptr<kit::UIView> _CAMZoomSlider;
// 1 portrait, 2 upside down, 3 landscape right, 4 landscape left; face up
// and face down are never stored.
extern int64_t _UIDeviceOrientation;

// --- Objects the extension owns.
extern std::shared_ptr<CameraBar> cameraBar;
extern std::shared_ptr<kit::PropertyList::Dictionary> prefsDictionary;
extern std::shared_ptr<MainOverlay> mainOverlay;
extern std::shared_ptr<FocusView> focusView;
extern std::shared_ptr<ExposureView> exposureView;
extern std::shared_ptr<CameraButtonView> _cameraButtonView;
extern std::shared_ptr<CameraButton> modeAdvCameraBtn;
extern std::shared_ptr<TimerButton> modeTimerBtn;
extern std::shared_ptr<TimeLapseButton> modeLapseTimerBtn;
extern std::shared_ptr<MovieButton> modeAdvVideoBtn;
extern std::shared_ptr<WBLockButton> modeWBBtn;
extern std::shared_ptr<CameraButton> modeTakeRecordingPhotoBtn;
// The labels and indicators of the bars, released by destroyLabelsAndIndicators.
extern std::shared_ptr<kit::UIView> _CAMSlalomIndicatorView;
extern std::shared_ptr<kit::UIView> _CAMSlalomIndicatorReplacement;
extern std::shared_ptr<kit::UIView> _CAMSlalomDimensionIndicator;
// Video height -> the highest frame rate the device offers for it.
using FrameRatesForDimensions = std::map<int32_t, int32_t>;
extern std::shared_ptr<FrameRatesForDimensions> deviceFrameRatesForDimensions;
extern std::shared_ptr<kit::UIView> _overlayIndicator;
extern std::shared_ptr<kit::UIImageView> horizonAlignmentBtn;
extern std::shared_ptr<kit::UIImageView> horizontalAlignmentBase;
extern std::shared_ptr<kit::UIImageView> horizontalAlignmentIndicator;
extern std::shared_ptr<kit::UIImageView> videoVerticallyTiltedAlert;
extern std::shared_ptr<kit::UILabel> memoryWarningLbl;
extern std::shared_ptr<kit::UILabel> timestampLbl;
extern std::shared_ptr<kit::UIImageView> bulbView;
extern std::shared_ptr<CustomTransparentFilledLabel> whiteBalanceLockLbl;
// The tablet zoom control lives as long as the process.
extern std::shared_ptr<kit::UIView> zoomView;

// --- Modes: the defaults the settings give (glob) and the modes of this run
// of the camera (session).
extern Mode globCameraMode, globTimerMode, globVideoMode, globFrameRateMode, globOverlayMode;
extern Mode sessionCameraMode, sessionTimerMode, sessionOverlayMode, sessionVideoMode;
extern bool UseAdvancedCamera;
extern bool canFocus, canExpose, canWhiteBalance;
extern bool rememberSettings;
extern int32_t guideIndex;
extern int32_t resolutionIndex;
extern int32_t _timerTime;     // self-timer seconds
extern int32_t _timeLapseTime; // time-lapse interval, in units of _timeType
extern int32_t _timeType;      // 0 seconds, 1 minutes
extern int32_t globalFrameRateTime;
extern bool _didSetPrefs, _resolutionSelected, _tmpResolutionSelected, _guideSelected, _tmpGuideSelected;
extern int32_t prevCameraControllerCameraMode;
extern int32_t currentDimensionHeight, currentFrameRate;

// --- Capture, touch and timer state.
extern bool filtersShowing;
extern bool isFiltering;
extern bool hasFilterBtn;
extern bool isBursting;
extern bool longPressHandled, skipModeSwitching, touchInsideExposure, touchInsideFocus, touchDirectObject,
    movedObject, touchInsideButtonView, swipedUpCameraControls;
extern kit::CGPoint startLocation;
extern bool killtimer;
extern bool shutterPressWhileTimerOn;
extern bool showingButtonArray, buttonsCreated;
extern bool didFirstTapOnTimestampLbl;
extern bool bulbViewOn;
extern float tourchLevel;
extern int32_t prevIndex;
extern bool overlaySelectorIsShowing;
extern bool focusAndExposureHidden;
// Which reticles were visible before a fade-out; the fade-in shows those.
extern bool focusViewWasHidden, exposureViewViewWasHidden;

// --- Layout values of the tablet zoom control, in points.
extern double zoomViewYPortrait, zoomViewYLandscape, minXForZoom, maxXForZoom;

// --- Layout of the mode strip's buttons, in points, set when the strip is
// created: where the first photo / video button starts along the strip, the
// step between buttons, and the buttons' other coordinate.
extern int32_t CameraBtn_PhotoStart, CameraBtn_PhotoOffset, CameraBtn_VideoStart, CameraBtn_VideoOffset, CameraBtn_Top;

// --- Feature switches and time-stamp settings, from the settings file.
extern bool showDimensions, showFPS, showOverlays, showHorizonAlignment, showVerticalAlert, showBulb,
    showMemoryWarning, blurButtonBar, convertTimeLapseToVideo;
extern bool timeStampVisible, timeStampVisibleAndPlace, prevTimeStampVisibleAndPlace, timestampIncludeTime,
    timeStampFontColorSet, HDRAlwaysOn, horizonAlignmentShowing;
extern bool showHelpHowToShow, showHelpHowToHide;

// Puts every global back to the value it has when the library is loaded:
// objects released, host objects forgotten. Lets each test start from a
// freshly loaded library.
void resetGlobalsToLoadValues();

}
