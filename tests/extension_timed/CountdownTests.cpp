// The count-down of the self-timer and of every time-lapse interval, on the
// virtual clock of a camera run: its ticks, beeps, the photo at zero, and
// every way to stop it.

#include "tests/extension_hooks/HooksTest.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/AudioJournal.h"
#include "kit/ui/UILabel.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using vantor::CameraBar;
using vantor::SelectorDialEx;

class Countdown : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
        kit::AudioJournal::clear();
    }

    // Chooses a timed mode as the mode strip does and presses the shutter.
    void startWith(int64_t timerMode)
    {
        bar().setTimerMode(timerMode);
        m_phone->pressShutter();
        m_start = m_phone->now();
    }

    std::vector<double> beepTimes() const
    {
        std::vector<double> times;
        for (const auto& play : kit::AudioJournal::plays()) {
            EXPECT_TRUE(play.path.ends_with("Sounds/count.aif")) << play.path;
            times.push_back(play.time - m_start);
        }
        return times;
    }

    double m_start { 0 };
};

TEST_F(Countdown, SelfTimerTicksFourTimesBeepsAtThreeTwoOneAndShootsAtFiveSeconds)
{
    bar().setTimerTime(5);
    startWith(CameraBar::TimerModeSelfTimer);
    ASSERT_TRUE(bar().timerIsRunning());
    EXPECT_EQ(bar().iSeconds(), 5);

    std::vector<int32_t> shown;
    for (int tick = 1; tick <= 4; ++tick) {
        m_phone->advance(1.0);
        shown.push_back(bar().iSeconds());
        EXPECT_EQ(photos(), 0) << "tick " << tick;
    }
    EXPECT_EQ(shown, (std::vector<int32_t> { 4, 3, 2, 1 }));
    EXPECT_THAT(beepTimes(), testing::Pointwise(testing::DoubleNear(1e-9), std::vector<double> { 2.0, 3.0, 4.0 }));

    m_phone->advance(1.0);
    EXPECT_EQ(photos(), 1);
    EXPECT_FALSE(bar().timerIsRunning());
    // Still chosen: the next press starts another count-down.
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(vantor::_timerTime, 5);

    m_phone->advance(10.0);
    EXPECT_EQ(photos(), 1) << "one photo per press";
    EXPECT_EQ(kit::AudioJournal::playCount(), 3u);

    m_phone->pressShutter();
    EXPECT_TRUE(bar().timerIsRunning());
    EXPECT_EQ(photos(), 1);
}

TEST_F(Countdown, ALengthOfZeroShootsAtTheFirstTick)
{
    bar().setTimerTime(0);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(1.0);
    EXPECT_EQ(photos(), 1);
    EXPECT_FALSE(bar().timerIsRunning());
}

TEST_F(Countdown, TimeLapseTakesAPhotoEveryIntervalWithoutBeeping)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setTimeLapseTime(3);
    bar().setTimeType(CameraBar::TimeTypeSeconds);
    startWith(CameraBar::TimerModeTimeLapse);

    std::vector<int> photosAt;
    for (int second = 1; second <= 10; ++second) {
        m_phone->advance(1.0);
        photosAt.push_back(photos());
    }
    EXPECT_EQ(photosAt, (std::vector<int> { 0, 0, 1, 1, 1, 2, 2, 2, 3, 3 }));
    EXPECT_TRUE(bar().timerIsRunning()) << "the next interval runs";
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(kit::AudioJournal::playCount(), 0u);
    ASSERT_TRUE(bar().timeLapseNames());
    EXPECT_EQ(bar().timeLapseNames()->size(), 3u);
}

TEST_F(Countdown, TimeLapseInMinutesWithoutADialCountsSixtySecondsAMinute)
{
    bar().setTimeLapseTime(2);
    bar().setTimeType(CameraBar::TimeTypeMinutes);
    startWith(CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().iSeconds(), 120);
    m_phone->advance(119.0);
    EXPECT_EQ(photos(), 0);
    m_phone->advance(1.0);
    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(bar().iSeconds(), 120) << "the next interval has begun";
}

TEST_F(Countdown, ADialInMinutesGivesSecondsAndShowsThemInSeconds)
{
    auto dial = SelectorDialEx::initWithFrame(kit::CGRectMake(0, 0, 295, 295));
    dial->setSelectorDialType(SelectorDialEx::SelectorDialTypeTimeLapse);
    dial->setTimeType(SelectorDialEx::TimeTypeMinutes);
    dial->setCurrentTime(2);
    bar().setSelDialEx(dial);
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);

    bar().startTimerMode();
    EXPECT_EQ(bar().iSeconds(), 120);
    EXPECT_EQ(bar().timeLapseTime(), 2);
    EXPECT_EQ(bar().timeType(), CameraBar::TimeTypeMinutes);
    EXPECT_EQ(dial->bottomLbl()->text(), "sec");

    m_phone->advance(1.0);
    EXPECT_EQ(dial->timeLbl()->text(), "119");
    EXPECT_EQ(dial->currentTime(), 2) << "the dial keeps its value";
}

TEST_F(Countdown, StartingFromAnotherThreadSchedulesOnTheMainThread)
{
    bar().setTimerTime(3);
    bar().setPrevTimerMode(CameraBar::TimerModeSelfTimer);
    std::atomic<bool> started { false };
    std::thread caller([&] {
        vantor::cameraBar->startTimerMode();
        started = true;
    });
    while (!started)
        kit::RunLoop::main().runDue();
    caller.join();
    EXPECT_TRUE(bar().timerIsRunning());
    m_phone->advance(3.0);
    EXPECT_EQ(photos(), 1);
}

// --- Every way to stop a count-down.

TEST_F(Countdown, TheShutterDuringASelfTimerCancelsItAndShootsOnceAtOnce)
{
    bar().setTimerTime(5);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(2.0);
    m_phone->pressShutter();
    EXPECT_EQ(photos(), 1);

    m_phone->advance(10.0);
    EXPECT_EQ(photos(), 1) << "the count-down presses nothing";
    EXPECT_FALSE(bar().timerIsRunning());
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff) << "the self-timer is switched off";
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
}

TEST_F(Countdown, KillTimerStopsAtTheNextTickAndRestoresTheChosenMode)
{
    bar().setTimerTime(5);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(1.5);
    vantor::killtimer = true;
    m_phone->advance(0.5);
    EXPECT_FALSE(bar().timerIsRunning());
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);

    m_phone->advance(10.0);
    EXPECT_EQ(photos(), 0);
    EXPECT_EQ(kit::AudioJournal::playCount(), 0u);
}

TEST_F(Countdown, KillTimerEndsATimeLapseSeriesBetweenPhotos)
{
    bar().setTimeLapseTime(3);
    startWith(CameraBar::TimerModeTimeLapse);
    m_phone->advance(4.0);
    ASSERT_EQ(photos(), 1);
    vantor::killtimer = true;
    m_phone->advance(10.0);
    EXPECT_EQ(photos(), 1);
    EXPECT_FALSE(bar().timerIsRunning());
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
}

TEST_F(Countdown, TheShutterDuringATimeLapseEndsTheSeriesAfterOneMorePhoto)
{
    bar().setTimeLapseTime(3);
    startWith(CameraBar::TimerModeTimeLapse);
    m_phone->advance(4.0);
    m_phone->pressShutter();
    EXPECT_EQ(photos(), 2);
    m_phone->advance(20.0);
    // The interval that was counting takes no photo of its own.
    EXPECT_EQ(photos(), 2);
    EXPECT_FALSE(bar().timerIsRunning());
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeTimeLapse) << "chosen still, for the next series";
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
}

TEST_F(Countdown, GoingToTheBackgroundStopsWithoutPressingTheShutter)
{
    bar().setTimerTime(5);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(2.0);
    m_phone->background();
    m_phone->advance(10.0);
    m_phone->foreground();
    m_phone->advance(10.0);
    EXPECT_EQ(photos(), 0);
}

TEST_F(Countdown, AClockTooFarOnToMoveByASecondDropsTheCountDownInsteadOfSpinning)
{
    // At 1e16 s a second more leaves the clock where it was.
    m_phone->advance(1e16);
    kit::SystemLog::clearRecentLines();
    bar().setTimerTime(3);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(10.0);
    m_phone->quit();
    EXPECT_EQ(m_phone->cameraRoll().size(), 0u);
    auto lines = kit::SystemLog::recentLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("RunLoop: ") && line.ends_with("it is dropped");
    }));
}

TEST_F(Countdown, QuittingDuringASelfTimerTakesNoPhoto)
{
    bar().setTimerTime(5);
    startWith(CameraBar::TimerModeSelfTimer);
    m_phone->advance(2.0);
    double quitAt = m_phone->now();
    m_phone->quit();
    EXPECT_EQ(m_phone->cameraRoll().size(), 0u);
    EXPECT_DOUBLE_EQ(m_phone->now(), quitAt) << "nothing left to wait for";
}

TEST_F(Countdown, QuittingDuringATimeLapseEndsTheSeriesThere)
{
    bar().setTimeLapseTime(3);
    startWith(CameraBar::TimerModeTimeLapse);
    m_phone->advance(7.0);
    ASSERT_EQ(photos(), 2);
    m_phone->quit();
    EXPECT_EQ(m_phone->cameraRoll().size(), 2u);
}

}
