#include "DialTestSupport.h"

#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/startup/VantorHelper.h"

#include <filesystem>

using namespace dialtest;
using vantor::CameraBar;

namespace {

class CameraBarDial : public CameraRunTest {
protected:
    void SetUp() override
    {
        CameraRunTest::SetUp();
        launch();
        // The strip's timer buttons, selected as a tap on them leaves them.
        if (!vantor::modeTimerBtn)
            vantor::modeTimerBtn = std::make_shared<vantor::TimerButton>(kit::CGRectMake(0, 0, 47, 47));
        if (!vantor::modeLapseTimerBtn)
            vantor::modeLapseTimerBtn = std::make_shared<vantor::TimeLapseButton>(kit::CGRectMake(0, 0, 47, 47));
    }

    // A self-timer dial turned to the value by one move of the ring.
    void showTimerDialAt(int32_t value)
    {
        choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
        ASSERT_TRUE(dial());
        vantor::modeTimerBtn->setSelected(true);
        vantor::OneFingerRotationGestureRecognizer rotation;
        rotation.setRotation(radians(value * 12 + 1 - dial()->currentAngle()));
        dial()->rotateByTouch(&rotation);
        ASSERT_EQ(dial()->currentTime(), value);
    }
};

}

TEST_F(CameraBarDial, EachTimedModeOpensItsDialWithTheStoredValue)
{
    bar().setTimerTime(7);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    ASSERT_TRUE(dial());
    EXPECT_EQ(dial()->selectorDialType(), SelectorDialEx::SelectorDialTypeTimer);
    EXPECT_EQ(dial()->currentTime(), 7);
    EXPECT_EQ(dial()->timeLbl()->text(), "7");
    EXPECT_FALSE(dial()->isHidden());
    EXPECT_EQ(dial()->alpha(), 1);
    EXPECT_EQ(dial()->frame(), kit::CGRectMake(13, 92, 295, 295)) << "320 x 568 phone screen";

    // The same dial is set up again for the time-lapse, in minutes.
    SelectorDialEx* first = dial();
    bar().setTimeType(CameraBar::TimeTypeMinutes);
    bar().setTimeLapseTime(2);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(dial(), first);
    EXPECT_EQ(dial()->selectorDialType(), SelectorDialEx::SelectorDialTypeTimeLapse);
    EXPECT_EQ(dial()->timeType(), SelectorDialEx::TimeTypeMinutes);
    EXPECT_EQ(dial()->bottomLbl()->text(), "min");
    EXPECT_EQ(dial()->currentTime(), 2);
}

TEST_F(CameraBarDial, NoTimedModeOrTheWrongCameraModeRemovesTheDial)
{
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    ASSERT_TRUE(dial());
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeOff);
    EXPECT_FALSE(dial()) << "gone once its fade has ended";

    choose(CameraBar::SelectedModeAdvancedPhoto, CameraBar::TimerModeTimeLapse);
    EXPECT_TRUE(dial());
    choose(CameraBar::SelectedModeAdvancedVideo, CameraBar::TimerModeTimeLapse);
    EXPECT_FALSE(dial()) << "the frame-rate choice is off";

    choose(CameraBar::SelectedModeFrameRate, CameraBar::TimerModeOff, 1);
    EXPECT_FALSE(dial()) << "a photo mode has no frame-rate dial";
    choose(9, CameraBar::TimerModeSelfTimer);
    EXPECT_FALSE(dial());
}

TEST_F(CameraBarDial, VideoModeOpensTheFrameRateDial)
{
    ASSERT_TRUE(phone->setCameraMode(1));
    bar().setFrameRateTime(24);
    choose(CameraBar::SelectedModeFrameRate, CameraBar::TimerModeOff, 1);
    ASSERT_TRUE(dial());
    EXPECT_EQ(dial()->selectorDialType(), SelectorDialEx::SelectorDialTypeFrames);
    EXPECT_EQ(dial()->bottomLbl()->text(), "FPS");
    EXPECT_EQ(dial()->currentTime(), 24);

    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    EXPECT_FALSE(dial()) << "no self-timer dial in video";
}

TEST_F(CameraBarDial, RemovalWithExactlyOneSwitchesTheTimedModesOff)
{
    showTimerDialAt(9);
    bar().toggleElementFinished(-5, 0.999f);
    phone->advance(0.3);
    EXPECT_FALSE(dial());
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_TRUE(vantor::modeTimerBtn->isSelected());
    EXPECT_FALSE(vantor::killtimer);

    showTimerDialAt(9);
    bar().toggleElementFinished(-5, 1.0f);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_TRUE(dial()) << "still fading";
    phone->advance(0.3);
    EXPECT_FALSE(dial());
}

TEST_F(CameraBarDial, RemovalKeepsTheChosenValueAndSavesItWhenRemembering)
{
    vantor::rememberSettings = true;
    showTimerDialAt(12);
    bar().removeSelDial(false);
    EXPECT_EQ(bar().timerTime(), 12);
    EXPECT_EQ(bar().selectorDialType(), SelectorDialEx::SelectorDialTypeTimer);
    EXPECT_EQ(vantor::_timerTime, 12);
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    ASSERT_TRUE(saved->at("timerTime").integer());
    EXPECT_EQ(*saved->at("timerTime").integer(), 12);

    phone->advance(0.3);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(dial()->currentTime(), 12) << "the next dial starts from it";
}

TEST_F(CameraBarDial, ADialLeftAtNothingChangesNoStoredTimeAndSavesNothing)
{
    vantor::rememberSettings = true;
    ASSERT_TRUE(phone->setCameraMode(1));
    bar().setFrameRateTime(0);
    int32_t frameRateBefore = vantor::globalFrameRateTime;
    std::filesystem::remove(settingsFile());
    choose(CameraBar::SelectedModeFrameRate, CameraBar::TimerModeOff, 1);
    ASSERT_TRUE(dial());
    ASSERT_EQ(dial()->currentTime(), 0);
    bar().removeSelDial(false);
    EXPECT_EQ(bar().frameRateTime(), 0);
    EXPECT_EQ(vantor::globalFrameRateTime, frameRateBefore);
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

TEST_F(CameraBarDial, TimeLapseRemovalStoresTheUnitToo)
{
    bar().setTimeType(CameraBar::TimeTypeMinutes);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeTimeLapse);
    dial()->toggleTimeType();
    dial()->setCurrentTime(20);
    bar().removeSelDial(true);
    EXPECT_EQ(bar().timeType(), CameraBar::TimeTypeSeconds);
    EXPECT_EQ(bar().timeLapseTime(), 20);
    EXPECT_EQ(vantor::_timeType, 0);
    EXPECT_EQ(vantor::_timeLapseTime, 20);
}

TEST_F(CameraBarDial, TurningTheRingWithAFingerChangesTheValue)
{
    bar().setTimerTime(5);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    ASSERT_TRUE(dial());
    dragAroundRing(30, 90);
    EXPECT_EQ(dial()->currentTime(), 10) << "60 degrees more at 12 degrees a second";
    EXPECT_EQ(dial()->timeLbl()->text(), "10");
    EXPECT_EQ(litMarks(*dial()).size(), 10u);

    dragAroundRing(200, 145);
    EXPECT_EQ(dial()->currentTime(), 5) << "55 degrees back";
}

TEST_F(CameraBarDial, TappingTheTimeLapseCentreSwitchesItsUnit)
{
    bar().setTimeLapseTime(2);
    bar().setTimeType(CameraBar::TimeTypeMinutes);
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeTimeLapse);
    phone->tap(dialCentre());
    EXPECT_EQ(bar().timeType(), CameraBar::TimeTypeSeconds);
    EXPECT_EQ(vantor::_timeType, 0);
    EXPECT_EQ(dial()->currentTime(), 3);
    EXPECT_EQ(dial()->bottomLbl()->text(), "sec");

    phone->tap(dialCentre());
    EXPECT_EQ(bar().timeType(), CameraBar::TimeTypeMinutes);
}

TEST_F(CameraBarDial, TappingTheSelfTimerCentreStartsTheCountdown)
{
    showTimerDialAt(6);
    bar().InnerCircleTapped(nullptr);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_TRUE(bar().timerIsRunning());
    ASSERT_TRUE(dial());
    EXPECT_TRUE(dial()->outerRing()->isHidden());
}

TEST_F(CameraBarDial, ATapWhileCountingStopsTheCountdown)
{
    showTimerDialAt(6);
    bar().InnerCircleTapped(nullptr);
    ASSERT_TRUE(bar().timerIsRunning());
    bar().InnerCircleTapped(nullptr);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
    phone->advance(1.1);
    EXPECT_FALSE(dial());
    EXPECT_FALSE(bar().timerIsRunning());
    EXPECT_TRUE(phone->cameraRoll().empty()) << "no photo is taken";
}

TEST_F(CameraBarDial, TappingTheFrameRateCentreTakesTheRateAndEndsTheChoice)
{
    ASSERT_TRUE(phone->setCameraMode(1));
    choose(CameraBar::SelectedModeFrameRate, CameraBar::TimerModeOff, 1);
    ASSERT_TRUE(dial());
    dial()->setCurrentTime(25);
    bar().InnerCircleTapped(nullptr);
    EXPECT_EQ(bar().frameRateMode(), 0);
    EXPECT_EQ(bar().frameRateTime(), 25);
}

TEST_F(CameraBarDial, TurnsWithTheDeviceAndLeavesTheScreenWithTheBar)
{
    choose(CameraBar::SelectedModeTimer, CameraBar::TimerModeSelfTimer);
    std::weak_ptr<SelectorDialEx> weakDial = bar().selDialEx();
    vantor::_UIDeviceOrientation = 3;
    bar()._rotate();
    EXPECT_EQ(dial()->transform(), vantor::VantorHelper::getTransformation());
    EXPECT_NE(dial()->transform(), kit::CGAffineTransformIdentity);

    vantor::cameraBar.reset();
    EXPECT_TRUE(weakDial.expired()) << "released with the camera bar";
}
