// What a shutter press does in each timed state, how a series goes on after
// each photo, and which files a time-lapse collects.

#include "HooksTest.h"

#include "extension/startup/ReplacementTable.h"

#include <filesystem>
#include <fstream>

namespace {

using hookstest::sel;
using vantor::CameraBar;

constexpr const char* startNotification = "Vantor_START_TIMED_PHOTO_Notification";

class ShutterHooks : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
    }

    // A photo as the snapshot button takes it: not through the shutter.
    void captureDirectly()
    {
        kit::msgSend(controller(), sel("capturePhoto"));
        kit::RunLoop::main().runDue();
    }
};

TEST_F(ShutterHooks, APlainPressTakesThePhotoAtOnceAndPostsNothing)
{
    hookstest::DarwinCounter started(startNotification);
    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(bar().timerMode(), 0);
    EXPECT_EQ(bar().prevTimerMode(), 0);
}

TEST_F(ShutterHooks, AChosenSelfTimerStartsTheCountDownInsteadOfAPhoto)
{
    hookstest::DarwinCounter started(startNotification);
    bar().setTimerMode(CameraBar::TimerModeSelfTimer);

    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_EQ(photos(), 0);
    EXPECT_EQ(count("PLCameraController capturePhoto"), 0);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(started.count(), 1);
}

TEST_F(ShutterHooks, AChosenTimeLapseStartsTheSeriesInsteadOfAPhoto)
{
    hookstest::DarwinCounter started(startNotification);
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);

    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_EQ(photos(), 0);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(started.count(), 1);
}

TEST_F(ShutterHooks, APressDuringTheSelfTimerCountDownCancelsItAndShootsNow)
{
    bar().setPrevTimerMode(CameraBar::TimerModeSelfTimer);
    bar().setTimerIsRunning(true);
    vantor::killtimer = false;

    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_FALSE(vantor::shutterPressWhileTimerOn);
}

TEST_F(ShutterHooks, APressDuringATimeLapseTakesOneLastPhotoAndEndsTheSeries)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    bar().setTimerIsRunning(true);
    vantor::killtimer = false;

    auto during = eventsDuring([&] {
        m_phone->pressShutter();
        m_phone->advance(0.1);
    });

    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(occurrences(during, "PLCameraView cameraControllerDidTakePhoto:"), 1);
    // The photo's own callback clears the flag again, and the interval that
    // was counting is stopped: the series is over.
    EXPECT_FALSE(vantor::shutterPressWhileTimerOn);
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
    // The last photo is not one of the series' frames.
    EXPECT_TRUE(!bar().timeLapseNames() || bar().timeLapseNames()->empty());
}

TEST_F(ShutterHooks, VideoModeNeverStartsATimerWhateverIsChosen)
{
    ASSERT_TRUE(m_phone->setCameraMode(1));
    hookstest::DarwinCounter started(startNotification);
    bar().setTimerMode(CameraBar::TimerModeSelfTimer);

    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_TRUE(m_phone->isRecording());
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);

    m_phone->advance(2);
    m_phone->pressShutter();
    EXPECT_FALSE(m_phone->isRecording());
}

TEST_F(ShutterHooks, WithoutACameraBarTheShutterAlwaysShoots)
{
    hookstest::DarwinCounter started(startNotification);
    vantor::cameraBar.reset();

    m_phone->pressShutter();
    m_phone->advance(0.1);
    m_phone->pressShutter();
    m_phone->advance(0.1);

    EXPECT_EQ(photos(), 2);
    EXPECT_EQ(started.count(), 0);
}

TEST_F(ShutterHooks, APhotoWhileATimeLapseIsChosenArmsTheSeries)
{
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();

    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
}

TEST_F(ShutterHooks, APhotoOfARunningSeriesKeepsItRunning)
{
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();
    captureDirectly();

    EXPECT_EQ(photos(), 2);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeOff);
}

TEST_F(ShutterHooks, APhotoWithOnlyASelfTimerChosenChangesNoMode)
{
    bar().setTimerMode(CameraBar::TimerModeSelfTimer);
    captureDirectly();

    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
}

TEST_F(ShutterHooks, ThePhotoAfterTheLastPressOnlyClearsTheFlag)
{
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    vantor::shutterPressWhileTimerOn = true;
    captureDirectly();

    EXPECT_FALSE(vantor::shutterPressWhileTimerOn);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
}

TEST_F(ShutterHooks, APhotoTakenWhileRecordingLeavesTheTimedModesAlone)
{
    ASSERT_TRUE(m_phone->setCameraMode(1));
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    vantor::shutterPressWhileTimerOn = true;
    m_phone->pressShutter();
    ASSERT_TRUE(m_phone->isRecording());

    captureDirectly();

    // The host lets the snapshot through because the extension says it may.
    EXPECT_EQ(photos(), 1);
    EXPECT_EQ(bar().timerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar().prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_TRUE(vantor::shutterPressWhileTimerOn);
    m_phone->pressShutter();
}

// --- The files of a time-lapse series.

class TimeLapseFiles : public ShutterHooks {
protected:
    std::vector<std::string> names() const
    {
        auto names = bar().timeLapseNames();
        return names ? *names : std::vector<std::string> {};
    }
};

TEST_F(TimeLapseFiles, EachPhotoOfARunningSeriesIsRecordedByItsDevicePath)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();
    captureDirectly();

    EXPECT_EQ(names(),
        (std::vector<std::string> {
            "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG",
            "/var/mobile/Media/DCIM/100APPLE/IMG_0002.JPG",
        }));
}

TEST_F(TimeLapseFiles, AChosenSeriesRecordsItsFirstPhoto)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();

    EXPECT_EQ(names(), std::vector<std::string> { "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG" });
}

TEST_F(TimeLapseFiles, OnlyJPGFilesOfTheFolderCount)
{
    vantor::convertTimeLapseToVideo = true;
    // Something that lists after the photos but is not one.
    auto folder = m_root / "var/mobile/Media/DCIM/100APPLE";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Sidecar.XMP") << "x";

    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();

    ASSERT_EQ(names().size(), 1u);
    EXPECT_EQ(names()[0].substr(names()[0].size() - 4), ".JPG");
}

TEST_F(TimeLapseFiles, NothingIsRecordedOutsideASeries)
{
    vantor::convertTimeLapseToVideo = true;
    captureDirectly();
    bar().setTimerMode(CameraBar::TimerModeSelfTimer);
    captureDirectly();
    bar().setTimerMode(CameraBar::TimerModeOff);
    bar().setPrevTimerMode(CameraBar::TimerModeSelfTimer);
    captureDirectly();

    EXPECT_TRUE(names().empty());
}

TEST_F(TimeLapseFiles, NothingIsRecordedWhenNoMovieIsToBeMade)
{
    vantor::convertTimeLapseToVideo = false;
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    captureDirectly();

    EXPECT_EQ(photos(), 1);
    EXPECT_TRUE(names().empty());
}

TEST_F(TimeLapseFiles, NothingIsRecordedAfterTheLastPress)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setPrevTimerMode(CameraBar::TimerModeTimeLapse);
    vantor::shutterPressWhileTimerOn = true;
    captureDirectly();

    EXPECT_EQ(photos(), 1);
    EXPECT_TRUE(names().empty());
}

}
