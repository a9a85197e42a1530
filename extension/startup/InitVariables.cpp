#include "extension/startup/InitVariables.h"

#include "extension/startup/Globals.h"

namespace vantor {

void InitVariables()
{
    kCameraButtonBarHeight = 0;

    globCameraMode = globTimerMode = globVideoMode = globFrameRateMode = 0;
    // globOverlayMode keeps its value: it is only ever set from the settings.
    sessionCameraMode = sessionTimerMode = sessionOverlayMode = sessionVideoMode = 0;
    UseAdvancedCamera = false;
    canFocus = canExpose = canWhiteBalance = true;
    rememberSettings = false;
    guideIndex = 3;
    resolutionIndex = 1;
    _timerTime = 5;
    _timeLapseTime = 5;
    _timeType = 0;
    globalFrameRateTime = 30;
    _didSetPrefs = _resolutionSelected = _tmpResolutionSelected = _guideSelected = _tmpGuideSelected = false;

    filtersShowing = false;
    longPressHandled = skipModeSwitching = touchInsideExposure = touchInsideFocus = false;
    touchDirectObject = movedObject = touchInsideButtonView = swipedUpCameraControls = false;
    killtimer = false;
    shutterPressWhileTimerOn = false;
    showingButtonArray = buttonsCreated = false;

    zoomViewYPortrait = 310;
    zoomViewYLandscape = 180;
    minXForZoom = -140;
    maxXForZoom = -200;
}

}
