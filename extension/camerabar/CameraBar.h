#pragma once

#include "extension/camerabar/SelectorDialDelegate.h"
#include "extension/elements/ZoomViewDelegate.h"
#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kit {
class AVAudioPlayer;
class CMMotionManager;
class NSTimer;
class UIColor;
struct NSNotification;
}

namespace vantor {

class CustomDimensionView;
class SelectorDialEx;

// The controller of the features the extension adds to the camera. Not a
// view: one instance exists while the camera runs, held by cameraBar. It
// keeps the mode state the hooks read, receives the mode buttons' taps,
// decides when the selection dial shows, runs the count-down and the
// time-lapse, and shows and hides the on-screen elements by element code.
//
// Timed modes: choosing one sets timerMode; starting it moves the value into
// prevTimerMode and sets timerMode to 0; the end of a count-down moves it back.
class CameraBar final : public kit::Object, public SelectorDialDelegate, public ZoomViewDelegate {
    KIT_OBJECT(CameraBar, kit::Object)

public:
    enum : int64_t { CameraModeStandard = 0, CameraModeAdvanced = 1 };
    enum : int64_t { TimerModeOff = 0, TimerModeTimeLapse = 1, TimerModeSelfTimer = 2 };
    enum : int64_t {
        SelectedModeAdvancedPhoto = 1,
        SelectedModeTimer = 3,
        SelectedModeAdvancedVideo = 5,
        SelectedModeFrameRate = 7,
    };
    enum : int64_t { TimeTypeSeconds = 0, TimeTypeMinutes = 1 };

    // initWithFrame: the rectangle is not used; the state comes from the
    // settings (loaded first when nothing is loaded yet).
    explicit CameraBar(kit::CGRect frame);
    ~CameraBar() override;

    // --- Modes and times (properties).
    int64_t selectedMode() const { return m_selectedMode; }
    void setSelectedMode(int64_t mode) { m_selectedMode = mode; }
    int64_t selectorDialType() const { return m_selectorDialType; }
    void setSelectorDialType(int64_t type) { m_selectorDialType = type; }
    int64_t timeType() const { return m_timeType; }
    void setTimeType(int64_t type) { m_timeType = type; }
    int64_t cameraMode() const { return m_cameraMode; }
    void setCameraMode(int64_t mode) { m_cameraMode = mode; }
    int64_t timerMode() const { return m_timerMode; }
    void setTimerMode(int64_t mode) { m_timerMode = mode; }
    int64_t videoMode() const { return m_videoMode; }
    void setVideoMode(int64_t mode) { m_videoMode = mode; }
    int64_t frameRateMode() const { return m_frameRateMode; }
    void setFrameRateMode(int64_t mode) { m_frameRateMode = mode; }
    int64_t prevTimerMode() const { return m_prevTimerMode; }
    void setPrevTimerMode(int64_t mode) { m_prevTimerMode = mode; }
    int32_t timeLapseTime() const { return m_timeLapseTime; }
    void setTimeLapseTime(int32_t time) { m_timeLapseTime = time; }
    int32_t timerTime() const { return m_timerTime; }
    void setTimerTime(int32_t time) { m_timerTime = time; }
    int32_t frameRateTime() const { return m_frameRateTime; }
    void setFrameRateTime(int32_t rate) { m_frameRateTime = rate; }
    bool timerIsRunning() const { return m_timerIsRunning; }
    void setTimerIsRunning(bool running) { m_timerIsRunning = running; }
    int32_t iSeconds() const { return m_iSeconds; }
    void setISeconds(int32_t seconds) { m_iSeconds = seconds; }
    bool dimensionSelectorViewShowing() const { return m_dimensionSelectorViewShowing; }
    void setDimensionSelectorViewShowing(bool showing) { m_dimensionSelectorViewShowing = showing; }

    // --- Owned objects (properties).
    const std::shared_ptr<SelectorDialEx>& selDialEx() const { return m_selDialEx; }
    void setSelDialEx(std::shared_ptr<SelectorDialEx> dial) { m_selDialEx = std::move(dial); }
    const std::shared_ptr<CustomDimensionView>& dimensionSelectionView() const { return m_dimensionSelectionView; }
    void setDimensionSelectionView(std::shared_ptr<CustomDimensionView> view) { m_dimensionSelectionView = std::move(view); }
    const std::shared_ptr<kit::AVAudioPlayer>& countDownSound() const { return m_countDownSound; }
    void setCountDownSound(std::shared_ptr<kit::AVAudioPlayer> sound) { m_countDownSound = std::move(sound); }
    const std::shared_ptr<kit::UIColor>& timeStampFontColor() const { return m_timeStampFontColor; }
    void setTimeStampFontColor(std::shared_ptr<kit::UIColor> colour) { m_timeStampFontColor = std::move(colour); }
    const std::string& timeStampFontName() const { return m_timeStampFontName; }
    void setTimeStampFontName(std::string name) { m_timeStampFontName = std::move(name); }
    // The files of the current time-lapse series, in the order taken; nothing
    // outside a series.
    const std::shared_ptr<std::vector<std::string>>& timeLapseNames() const { return m_timeLapseNames; }
    void setTimeLapseNames(std::shared_ptr<std::vector<std::string>> names) { m_timeLapseNames = std::move(names); }

    // --- Modes and captions.
    // The target of every mode button, by the button's tag.
    void floatingButtonTapped(kit::id button);
    // The transient caption, upper-cased; 0.8 s fade-in when no duration is given.
    void fadeinText(const std::string& text);
    void fadeinText(const std::string& text, float duration);
    // Targets of the swipes that show and hide the mode strip.
    void showCameraButtonObjCall();
    void hideCameraButtonObjCall();
    void DisplayCameraModeChangeObjectsTimed();
    void DisplayCameraModeChangeObjects();
    // The circular zoom control's delegate call: the host view zooms to the
    // factor.
    void zoomFactor(float factor) override;
    void _rotate();
    void appDidEnterBackground();

    // --- The selection dial.
    void checkSelectionDialSetup();
    void removeSelDial(bool switchTimedModesOff);
    void removeOuterRing(bool save);
    void removeInnerCircle();
    void InnerCircleTapped(kit::id sender) override;

    // --- The count-down and the time-lapse export.
    void startTimerMode();
    void createTimer();
    void countTheSeconds(kit::id timer);
    int32_t getTimerSeconds();
    // The movie of the current series, made now; the series is done after it.
    void exportImages();
    // The same a second later on the queue "com.tallberry.backgroundDelay".
    void exportImagesLater();

    // --- Elements by code, and the indicators' common tap action.
    void toggleElementFinished(int32_t element, float extraInfo);
    void toggleElement(kit::id recognizer);
    void hideFocusAndExposure();
    void showFocusAndExposure();
    void showDimensionSelectionView();
    void hideDimensionSelectionView(float seconds);
    void dimensionFadeinFinished();
    void dimensionFadeoutFinished();
    void createHelpViews();
    void removeHelpViews();
    void animateHelp(kit::id timer);
    kit::CGRect HowToShowStartFrame() const;
    kit::CGRect HowToShowEndFrame() const;
    kit::CGRect HowToShowDirectionFrame() const;

    // --- Horizon alignment.
    // Fades the level in over 0.25 s (the button lights and the state is
    // kept when the fade ends) and, on a device with motion sensors, turns
    // its indicator with 60 samples a second, taken on a queue of their own
    // and shown on the main thread. Nothing without the level's two views.
    void StartCMDeviceMotion();
    // Fades the level out; when the fade ends the updates stop, the button
    // goes dark and the state is kept. Nothing without the level's views.
    void StopCMDeviceMotion();
    // Stops the updates at once and releases the motion manager.
    void DestroyCMDeviceMotion();
    // The horizon button's tap: the level on or off.
    void toggleHorizonAlignment(kit::id sender);

private:
    friend void createCameraBar();

    // The background notification's observer; forwards to appDidEnterBackground.
    void applicationDidEnterBackground(const kit::NSNotification&);
    // Hands the current time-lapse series over and forgets it.
    std::vector<std::string> takeTimeLapseSeries();
    // Keeps a value chosen on a dial of the type as the self-timer's seconds,
    // the time-lapse interval or the frame rate.
    void keepDialValue(int64_t dialType, int32_t value);

    std::shared_ptr<kit::CMMotionManager> m_motionManager;
    int64_t m_selectedMode { 0 };
    std::shared_ptr<SelectorDialEx> m_selDialEx;
    int64_t m_selectorDialType { 0 };
    int64_t m_timeType { 0 };
    int64_t m_cameraMode { 1 };
    int64_t m_timerMode { 0 };
    int64_t m_videoMode { 0 };
    int64_t m_frameRateMode { 0 };
    int64_t m_prevTimerMode { 0 };
    int32_t m_timeLapseTime { 5 };
    int32_t m_timerTime { 5 };
    int32_t m_frameRateTime { 30 };
    bool m_timerIsRunning { false };
    int32_t m_iSeconds { 0 };
    bool m_dimensionSelectorViewShowing { false };
    std::shared_ptr<CustomDimensionView> m_dimensionSelectionView;
    std::shared_ptr<kit::NSTimer> m_animateHelpTimer;
    float m_focusAndExposureObjectAlphaBeforeHide { 0 };
    std::shared_ptr<kit::AVAudioPlayer> m_countDownSound;
    std::shared_ptr<kit::UIColor> m_timeStampFontColor;
    std::string m_timeStampFontName;
    std::shared_ptr<std::vector<std::string>> m_timeLapseNames;
    bool m_frameRateNotDefault { false };
    bool m_toggling { false };
};

// Creates the one camera bar in cameraBar.
void createCameraBar();

}
