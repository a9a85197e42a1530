// The camera bar's side of the selection dial: when the dial shows, what it
// is set to, what a tap on its centre does, and how its value is kept and
// saved when it goes.

#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/camerabar/SelectorDialGeometry.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/Prefs.h"
#include "kit/foundation/Dispatch.h"

namespace vantor {

namespace {

constexpr double dialFadeSeconds = 0.25;
constexpr float chooserFadeSeconds = 0.25f;
constexpr float barFadeSeconds = 0.3f;

int32_t maxFrameRateOfCurrentDevice()
{
    // The device's fastest allowed format decides the frame-rate dial's
    // largest value.
    return getMaxFrameRate(host::currentDevice(currentCameraController()));
}

void deselectTimerButtons()
{
    if (modeTimerBtn)
        modeTimerBtn->setSelected(false);
    if (modeLapseTimerBtn)
        modeLapseTimerBtn->setSelected(false);
}

}

void CameraBar::checkSelectionDialSetup()
{
    kit::id controller = currentCameraController();
    bool wanted = false;
    switch (m_selectedMode) {
    case SelectedModeAdvancedPhoto:
    case SelectedModeTimer:
        wanted = m_timerMode != TimerModeOff && isCameraMode(controller);
        break;
    case SelectedModeAdvancedVideo:
    case SelectedModeFrameRate:
        wanted = m_frameRateMode == 1 && isVideoMode(controller);
        break;
    default:
        break;
    }

    if (!wanted) {
        toggleElementFinished(-5, 0);
        toggleElementFinished(1, 0);
        return;
    }

    if (m_dimensionSelectorViewShowing)
        toggleElementFinished(-4, chooserFadeSeconds);

    if (!m_selDialEx) {
        auto dial = SelectorDialEx::initWithFrame(dial::windowFrame(IS_IPAD));
        dial->setAlpha(0);
        dial->setMaxFrameRate(maxFrameRateOfCurrentDevice());
        dial->setDelegate(strongRef<CameraBar>());
        if (isCameraMode(controller) && m_timerMode == TimerModeSelfTimer)
            dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimer);
        else if (isCameraMode(controller) && m_timerMode == TimerModeTimeLapse)
            dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimeLapse);
        else if (isVideoMode(controller) && m_frameRateMode == 1)
            dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeFrames);
        m_selDialEx = dial;
    }

    // Held here: the element codes below may remove the bar's dial.
    std::shared_ptr<SelectorDialEx> dial = m_selDialEx;
    dial->_rotate();
    if (m_timerMode == TimerModeTimeLapse) {
        dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimeLapse);
        dial->setTimeType(m_timeType);
        if (m_timeLapseTime > 0)
            dial->setCurrentTime(m_timeLapseTime);
    } else if (m_timerMode == TimerModeSelfTimer) {
        dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimer);
        if (m_timerTime > 0)
            dial->setCurrentTime(m_timerTime);
    } else if (m_frameRateMode == 1) {
        dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeFrames);
        if (m_frameRateTime > 0)
            dial->setCurrentTime(m_frameRateTime);
    }
    dial->setHidden(false);

    toggleElementFinished(0, 0);
    kit::UIView::animateWithDuration(dialFadeSeconds, [dial] { dial->setAlpha(1); });
}

void CameraBar::removeSelDial(bool switchTimedModesOff)
{
    std::shared_ptr<SelectorDialEx> dial = m_selDialEx;
    int32_t value = dial ? dial->currentTime() : 0;

    if (dial) {
        // The value is kept only when one was chosen: a dial that never
        // showed a value leaves the stored times alone.
        if (value > 0) {
            m_selectorDialType = dial->selectorDialType();
            if (m_selectorDialType == SelectorDialEx::SelectorDialTypeTimeLapse)
                m_timeType = dial->timeType();
            keepDialValue(dial->selectorDialType(), value);
        }

        std::weak_ptr<CameraBar> weakBar = strongRef<CameraBar>();
        kit::UIView::animateWithDuration(dialFadeSeconds, [dial] { dial->setAlpha(0); },
            [weakBar, dial](bool finished) {
                // Shown again before the fade ended: the dial stays.
                if (!finished && dial->alpha() > 0)
                    return;
                dial->setHidden(true);
                auto bar = weakBar.lock();
                if (!bar)
                    return;
                bar->setFrameRateMode(0);
                if (bar->selDialEx() == dial)
                    bar->setSelDialEx(nullptr);
            });
    }

    switch (m_selectorDialType) {
    case SelectorDialEx::SelectorDialTypeTimer:
        if (value > 0)
            _timerTime = m_timerTime;
        break;
    case SelectorDialEx::SelectorDialTypeTimeLapse:
        _timeType = int32_t(m_timeType);
        if (value > 0)
            _timeLapseTime = m_timeLapseTime;
        break;
    case SelectorDialEx::SelectorDialTypeFrames:
        if (value > 0)
            globalFrameRateTime = m_frameRateTime;
        break;
    default:
        break;
    }

    if (value > 0 && rememberSettings)
        savePrefs();

    if (switchTimedModesOff) {
        if (m_timerMode != TimerModeOff)
            killtimer = true;
        m_timerMode = TimerModeOff;
        deselectTimerButtons();
    }
}

void CameraBar::removeOuterRing(bool save)
{
    if (m_selDialEx)
        m_selDialEx->removeOuterRing();
    if (m_selectorDialType == SelectorDialEx::SelectorDialTypeTimeLapse)
        _timeType = int32_t(m_timeType);
    if (save && rememberSettings)
        savePrefs();
}

void CameraBar::keepDialValue(int64_t dialType, int32_t value)
{
    switch (dialType) {
    case SelectorDialEx::SelectorDialTypeTimer:
        m_timerTime = value;
        break;
    case SelectorDialEx::SelectorDialTypeTimeLapse:
        m_timeLapseTime = value;
        break;
    case SelectorDialEx::SelectorDialTypeFrames:
        m_frameRateTime = value;
        break;
    default:
        break;
    }
}

void CameraBar::removeInnerCircle()
{
    if (m_selDialEx)
        m_selDialEx->removeInnerCircle();
}

void CameraBar::InnerCircleTapped(kit::id sender)
{
    // The calls below may remove the dial and tear down the bar.
    auto self = strongRef<CameraBar>();
    std::shared_ptr<SelectorDialEx> dial = m_selDialEx;

    if (m_timerIsRunning) {
        // A tap during a count-down or a time-lapse interval stops it.
        deselectTimerButtons();
        m_timerMode = TimerModeOff;
        m_prevTimerMode = TimerModeOff;
        killtimer = true;
        toggleElementFinished(-5, 0);
        toggleElementFinished(1, 0);
        exportImagesLater();
        return;
    }
    if (!dial)
        return;

    switch (dial->selectorDialType()) {
    case SelectorDialEx::SelectorDialTypeTimer:
        m_prevTimerMode = m_timerMode;
        m_timerMode = TimerModeOff;
        startTimerMode();
        removeOuterRing(true);
        hideCameraBar4(sender, barFadeSeconds, false, true);
        break;
    case SelectorDialEx::SelectorDialTypeTimeLapse:
        m_timeType = dial->toggleTimeType();
        _timeType = int32_t(m_timeType);
        break;
    case SelectorDialEx::SelectorDialTypeFrames:
        m_frameRateMode = 0;
        setFrameRate(getTimerSeconds());
        hideCameraBar(sender);
        break;
    default:
        break;
    }
}

}
