// What a shutter press does in each timed mode, and how a self-timer or
// time-lapse series goes on after each photo.
//
// Plain photo: the host takes it. Self-timer chosen: the count-down starts and
// its end presses the shutter. Self-timer counting: the count-down is
// cancelled and a photo is taken now. Time-lapse chosen: the series starts.
// Time-lapse running: one more photo is taken and the series ends. Video: the
// host records as usual.

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/DarwinNotificationCenter.h"
#include "kit/foundation/NSFileManager.h"

namespace vantor {

namespace {

// Arms the chosen timed mode: it becomes the running one.
void startChosenTimedMode(CameraBar& bar)
{
    kit::CFNotificationCenterPostNotification(kit::CFNotificationCenterGetDarwinNotifyCenter(),
        "Vantor_START_TIMED_PHOTO_Notification", nullptr, nullptr, true);
    bar.setPrevTimerMode(bar.timerMode());
    bar.setTimerMode(CameraBar::TimerModeOff);
    bar.startTimerMode();
}

}

void _method$PLCameraView$_shutterButtonClicked$(kit::id self, kit::SEL cmd)
{
    // The hooks below may end the camera bar; keep it for this press.
    auto bar = cameraBar;
    if (bar) {
        bar->toggleElementFinished(-4, 0.25f);
        if (bar->selDialEx() && bar->timerMode() == 0 && bar->prevTimerMode() == 0)
            bar->toggleElementFinished(-5, 0.0f);
        bar->toggleElementFinished(1, 0.0f);
    }

    if (bar && isCameraMode(currentCameraController())) {
        bool leaveDial = bar->timerMode() == CameraBar::TimerModeSelfTimer
            && bar->prevTimerMode() != CameraBar::TimerModeTimeLapse;
        hideCameraBar4(nullptr, 0.3f, false, leaveDial);

        if (bar->timerMode() != CameraBar::TimerModeOff) {
            startChosenTimedMode(*bar);
            return; // the count-down takes the photo
        }
        if (bar->timerIsRunning()) {
            if (bar->prevTimerMode() == CameraBar::TimerModeSelfTimer) {
                bar->setPrevTimerMode(CameraBar::TimerModeOff);
                killtimer = true;
            } else if (bar->prevTimerMode() == CameraBar::TimerModeTimeLapse) {
                // This photo is the series' last: its own callback starts no
                // further interval, and the interval already counting stops at
                // its next tick instead of taking one more photo and going on.
                shutterPressWhileTimerOn = true;
                killtimer = true;
            }
        }
    }
    _orig$PLCameraView$_shutterButtonClicked$(self, cmd);
}

void _method$PLCameraView$cameraControllerDidTakePhoto$$(kit::id self, kit::SEL cmd, kit::id controller)
{
    _orig$PLCameraView$cameraControllerDidTakePhoto$$(self, cmd, controller);
    auto bar = cameraBar;
    if (!bar || !isCameraMode(currentCameraController()))
        return;
    if (shutterPressWhileTimerOn) {
        shutterPressWhileTimerOn = false;
        return;
    }
    if (bar->timerMode() != CameraBar::TimerModeTimeLapse && bar->prevTimerMode() != CameraBar::TimerModeTimeLapse)
        return;
    if (bar->prevTimerMode() != CameraBar::TimerModeTimeLapse) {
        bar->setPrevTimerMode(bar->timerMode());
        bar->setTimerMode(CameraBar::TimerModeOff);
    }
    bar->startTimerMode(); // the next interval of the time-lapse
}

void _method$PLCameraView$cameraControllerWillTakePhoto$$(kit::id self, kit::SEL cmd, kit::id controller)
{
    checkTimestampLable_VS_Filters();
    _orig$PLCameraView$cameraControllerWillTakePhoto$$(self, cmd, controller);
}

// The host's photo album changed: during a time-lapse, the newest photo of
// the camera roll is the one just taken.
void _method$PLCameraView$_assetContainerDidChange$$(kit::id self, kit::SEL cmd, kit::id container)
{
    _orig$PLCameraView$_assetContainerDidChange$$(self, cmd, container);
    auto bar = cameraBar;
    if (!bar || shutterPressWhileTimerOn || !convertTimeLapseToVideo)
        return;
    if (bar->timerMode() != CameraBar::TimerModeTimeLapse && bar->prevTimerMode() != CameraBar::TimerModeTimeLapse)
        return;
    if (!bar->timeLapseNames())
        bar->setTimeLapseNames(std::make_shared<std::vector<std::string>>());

    auto folder = cameraRollFolder();
    std::string newest;
    for (const auto& name : kit::NSFileManager::defaultManager().contentsOfDirectoryAtPath(folder)) {
        if (kit::pathExtension(name) == "JPG")
            newest = name;
    }
    // A folder without a photo names no frame; the export would only fail on it.
    if (newest.empty())
        return;
    bar->timeLapseNames()->push_back(folder + "/" + newest);
}

}
