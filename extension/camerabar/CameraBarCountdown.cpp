// The count-down behind both timed captures. A self-timer counts its seconds,
// beeps in the last three and presses the shutter once; a time-lapse counts
// each interval, and the photo-taken hook starts the next count-down, so a
// series is a chain of count-downs.

#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/foundation/NSTimer.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/AVAudioPlayer.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace vantor {

namespace {

constexpr double tickSeconds = 1.0;
// The self-timer beeps while this many seconds or fewer are left.
constexpr int32_t beepFromSeconds = 3;

void setDigitsFont(SelectorDialEx& dial, double pointSize)
{
    if (dial.timeLbl())
        dial.timeLbl()->setFont(kit::UIFont::fontWithName("TrebuchetMS-Bold", pointSize));
}

}

void CameraBar::startTimerMode()
{
    killtimer = false;
    if (m_selDialEx)
        removeOuterRing(false);
    // The count-down lives on the main run loop; a caller on another thread
    // waits until it is scheduled.
    kit::RunLoop::main().performAndWait([this] { createTimer(); });
}

void CameraBar::createTimer()
{
    m_timerIsRunning = true;
    m_iSeconds = getTimerSeconds();
    _timerTime = m_timerTime;
    _timeLapseTime = m_timeLapseTime;
    globalFrameRateTime = m_frameRateTime;

    // The timer is the only reference to itself: it reaches the camera bar
    // weakly and stops itself once the bar has gone (a teardown between two
    // ticks), instead of ticking for nothing.
    std::weak_ptr<CameraBar> weakBar = strongRef<CameraBar>();
    kit::NSTimer::scheduledTimerWithTimeInterval(tickSeconds, kit::Action::function([weakBar](kit::id timer) {
        if (auto bar = weakBar.lock()) {
            bar->countTheSeconds(timer);
        } else if (auto* orphan = kit::cast<kit::NSTimer>(timer)) {
            orphan->invalidate();
        }
    }), true);
}

int32_t CameraBar::getTimerSeconds()
{
    if (auto dial = m_selDialEx) {
        int32_t multiplier = 1;
        if (dial->selectorDialType() == SelectorDialEx::SelectorDialTypeTimeLapse) {
            m_timeType = dial->timeType();
            if (m_timeType == TimeTypeMinutes) {
                // The count-down of a minutes interval is shown in seconds.
                multiplier = 60;
                setDigitsFont(*dial, SelectorDialEx::smallDigitsSize);
                if (dial->bottomLbl())
                    dial->bottomLbl()->setText("sec");
            }
        } else {
            setDigitsFont(*dial, SelectorDialEx::largeDigitsSize);
        }
        int32_t value = dial->currentTime();
        keepDialValue(dial->selectorDialType(), value);
        return value * multiplier;
    }

    auto controller = currentCameraController();
    if (isVideoMode(controller))
        return m_frameRateTime + 1;
    if (!isCameraMode(controller))
        return 1;
    // Without a dial (every self-timer press after the first, every interval
    // after the dial has gone) the stored length of the armed mode counts.
    int64_t armed = m_prevTimerMode != TimerModeOff ? m_prevTimerMode : m_timerMode;
    if (armed == TimerModeTimeLapse)
        return m_timeType == TimeTypeMinutes ? m_timeLapseTime * 60 : m_timeLapseTime;
    return m_timerTime;
}

void CameraBar::countTheSeconds(kit::id timer)
{
    // Held for the whole tick: the element codes and the host's shutter may
    // tear the camera bar down.
    auto self = strongRef<CameraBar>();
    auto* countdown = kit::cast<kit::NSTimer>(timer);
    bool selfTimer = m_prevTimerMode != TimerModeTimeLapse;

    auto endCountdown = [&] {
        if (selfTimer) {
            toggleElementFinished(-5, 0.0f);
            toggleElementFinished(1, 0.0f);
        }
        if (countdown)
            countdown->invalidate();
        m_timerIsRunning = false;
    };
    auto cancel = [&] {
        selfTimer = m_prevTimerMode != TimerModeTimeLapse;
        endCountdown();
        m_timerMode = m_prevTimerMode;
        m_prevTimerMode = TimerModeOff;
    };

    --m_iSeconds;
    if (killtimer) {
        cancel();
        return;
    }
    if (m_iSeconds < 1) {
        endCountdown();
        // The shutter first: with timerMode still 0 the shutter hook lets the
        // host take the photo instead of starting another count-down, and the
        // photo hooks start the next interval of a time-lapse.
        if (auto view = cameraView.lock())
            host::pressShutterButton(view.get());
        if (selfTimer) {
            // The self-timer stays chosen for the next press.
            m_timerMode = m_prevTimerMode;
            m_prevTimerMode = TimerModeOff;
        }
        return;
    }

    if (auto dial = m_selDialEx) {
        dial->showInnerCircle();
        dial->setCountdownTime(m_iSeconds);
    }
    if (m_iSeconds <= beepFromSeconds && m_prevTimerMode == TimerModeSelfTimer && m_countDownSound)
        m_countDownSound->play();
    if (killtimer)
        cancel();
}

}
