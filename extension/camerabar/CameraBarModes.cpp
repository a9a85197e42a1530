#include "extension/camerabar/CameraBar.h"

#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"

namespace vantor {

namespace {

enum ModeButtonTag : int64_t {
    AdvancedPhotoTag = 1,
    SelfTimerTag = 2,
    TimeLapseTag = 3,
    AdvancedVideoTag = 6,
    WhiteBalanceTag = 7,
    SnapshotTag = 10,
};

// The strip's own button when it exists, else the tapped one, so a tap
// always flips the state that is read back afterwards.
kit::UIControl* modeButton(kit::UIControl* stripButton, kit::id tapped)
{
    return stripButton ? stripButton : kit::cast<kit::UIControl>(tapped);
}

bool toggle(kit::UIControl* button)
{
    if (!button)
        return false;
    button->setSelected(!button->isSelected());
    return button->isSelected();
}

void deselect(kit::UIControl* button)
{
    if (button)
        button->setSelected(false);
}

bool isSelected(kit::id button)
{
    auto* control = kit::cast<kit::UIControl>(button);
    return control && control->isSelected();
}

// Switches the advanced focus and exposure to the mode the bar now holds and
// marks its button to match.
void applyAdvancedMode(int64_t mode, Mode& sessionMode, kit::UIControl* button)
{
    bool advanced = mode == CameraBar::CameraModeAdvanced;
    UseAdvancedCamera = advanced;
    sessionMode = advanced ? 1 : 0;
    toggleAdvancedFocus(advanced, nullptr, true);
    if (button)
        button->setSelected(advanced);
}

}

void CameraBar::floatingButtonTapped(kit::id sender)
{
    // Modes stay as they are while a count-down or a time-lapse interval runs.
    if (m_timerIsRunning)
        return;

    m_prevTimerMode = TimerModeOff;
    std::string caption;
    auto* view = kit::cast<kit::UIView>(sender);
    int64_t tag = view ? view->tag() : 0;

    switch (tag) {
    case AdvancedPhotoTag:
        m_selectedMode = SelectedModeAdvancedPhoto;
        toggle(modeButton(modeAdvCameraBtn.get(), sender));
        if (isSelected(sender)) {
            m_cameraMode = CameraModeAdvanced;
            caption = "Advanced Mode";
        } else {
            m_cameraMode = CameraModeStandard;
        }
        break;
    case SelfTimerTag:
        m_selectedMode = SelectedModeTimer;
        if (m_timerMode == TimerModeSelfTimer) {
            m_timerMode = TimerModeOff;
            caption = "Timer Mode Off";
        } else {
            m_timerMode = TimerModeSelfTimer;
            caption = "Timer Mode";
        }
        toggle(modeButton(modeTimerBtn.get(), sender));
        deselect(modeLapseTimerBtn.get());
        break;
    case TimeLapseTag:
        m_selectedMode = SelectedModeTimer;
        if (m_timerMode == TimerModeTimeLapse) {
            m_timerMode = TimerModeOff;
            caption = "Time Lapse Mode Off";
        } else {
            m_timerMode = TimerModeTimeLapse;
            caption = "Time Lapse Mode";
        }
        deselect(modeTimerBtn.get());
        toggle(modeButton(modeLapseTimerBtn.get(), sender));
        break;
    case AdvancedVideoTag:
        m_selectedMode = SelectedModeAdvancedVideo;
        toggle(modeButton(modeAdvVideoBtn.get(), sender));
        if (isSelected(sender)) {
            m_videoMode = CameraModeAdvanced;
            caption = "Advanced Mode";
        } else {
            m_videoMode = CameraModeStandard;
        }
        break;
    case WhiteBalanceTag: {
        bool locked = toggle(modeButton(modeWBBtn.get(), sender));
        canWhiteBalance = !locked;
        if (!locked)
            hideAndDestroyWBLabel();
        else if (!whiteBalanceLockLbl)
            createAndShowWBLabel();
        toggleWhiteBalance(locked);
        break;
    }
    case SnapshotTag:
        host::capturePhoto(cameraController.lock().get());
        break;
    default:
        break;
    }

    if (!caption.empty())
        fadeinText(caption);

    checkSelectionDialSetup();

    // Other selections (the timed modes, the frame-rate dial) leave the
    // advanced mode and cameraMode as the advanced-photo button last set them.
    if (m_selectedMode == SelectedModeAdvancedVideo)
        applyAdvancedMode(m_videoMode, sessionVideoMode, modeAdvVideoBtn.get());
    else if (m_selectedMode == SelectedModeAdvancedPhoto)
        applyAdvancedMode(m_cameraMode, sessionCameraMode, modeAdvCameraBtn.get());
}

}
