#include "CameraBarTestSupport.h"
#include "FakeHost.h"

#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"

#include "kit/foundation/RunLoop.h"

using namespace camerabar_test;
using vantor::CameraBar;

namespace {

// The mode strip's buttons with their tags, and the camera bar they call.
class ModeButtons : public CameraBarTest {
protected:
    void SetUp() override
    {
        CameraBarTest::SetUp();
        vantor::cameraBar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
        bar = vantor::cameraBar;
        vantor::modeAdvCameraBtn = tagged<vantor::CameraButton>(1);
        vantor::modeTimerBtn = tagged<vantor::TimerButton>(2);
        vantor::modeLapseTimerBtn = tagged<vantor::TimeLapseButton>(3);
        vantor::modeAdvVideoBtn = tagged<vantor::MovieButton>(6);
        vantor::modeWBBtn = tagged<vantor::WBLockButton>(7);
        vantor::modeTakeRecordingPhotoBtn = tagged<vantor::CameraButton>(10);
    }

    template <typename Button>
    static std::shared_ptr<Button> tagged(int64_t tag)
    {
        auto button = std::make_shared<Button>(kit::CGRectMake(0, 0, 47, 47));
        button->setTag(tag);
        return button;
    }

    void tap(kit::UIView* button) { bar->floatingButtonTapped(button); }

    std::vector<std::string> captions() const
    {
        std::vector<std::string> texts;
        for (auto* label : captionsIn(*topBar))
            texts.push_back(label->text());
        return texts;
    }

    std::shared_ptr<CameraBar> bar;
};

using Captions = std::vector<std::string>;

}

TEST_F(ModeButtons, SelfTimerTurnsOnThenOffWithItsCaptions)
{
    bar->setPrevTimerMode(CameraBar::TimerModeSelfTimer);
    tap(vantor::modeTimerBtn.get());
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar->prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(bar->selectedMode(), CameraBar::SelectedModeTimer);
    EXPECT_TRUE(vantor::modeTimerBtn->isSelected());
    EXPECT_EQ(captions(), Captions { "TIMER MODE" });

    tap(vantor::modeTimerBtn.get());
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeOff);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
    EXPECT_EQ(captions(), (Captions { "TIMER MODE", "TIMER MODE OFF" }));
}

TEST_F(ModeButtons, TimeLapseReplacesARunningSelfTimerChoice)
{
    tap(vantor::modeTimerBtn.get());
    tap(vantor::modeLapseTimerBtn.get());
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
    EXPECT_TRUE(vantor::modeLapseTimerBtn->isSelected());
    EXPECT_EQ(captions().back(), "TIME LAPSE MODE");

    tap(vantor::modeLapseTimerBtn.get());
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeOff);
    EXPECT_FALSE(vantor::modeLapseTimerBtn->isSelected());
    EXPECT_EQ(captions().back(), "TIME LAPSE MODE OFF");
}

TEST_F(ModeButtons, AdvancedPhotoAnnouncesOnlyTurningOn)
{
    // The strip shows the advanced mode that the settings start with.
    ASSERT_EQ(bar->cameraMode(), CameraBar::CameraModeAdvanced);
    vantor::modeAdvCameraBtn->setSelected(true);

    tap(vantor::modeAdvCameraBtn.get());
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeStandard);
    EXPECT_EQ(bar->selectedMode(), CameraBar::SelectedModeAdvancedPhoto);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_EQ(vantor::sessionCameraMode, 0);
    EXPECT_FALSE(vantor::modeAdvCameraBtn->isSelected());
    EXPECT_TRUE(captions().empty());

    tap(vantor::modeAdvCameraBtn.get());
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeAdvanced);
    EXPECT_TRUE(vantor::UseAdvancedCamera);
    EXPECT_EQ(vantor::sessionCameraMode, 1);
    EXPECT_TRUE(vantor::modeAdvCameraBtn->isSelected());
    EXPECT_EQ(captions(), Captions { "ADVANCED MODE" });
}

TEST_F(ModeButtons, AdvancedVideoSetsTheVideoModeAndItsSessionCopy)
{
    vantor::Mode photoSession = vantor::sessionCameraMode;
    tap(vantor::modeAdvVideoBtn.get());
    EXPECT_EQ(bar->videoMode(), 1);
    EXPECT_EQ(bar->selectedMode(), CameraBar::SelectedModeAdvancedVideo);
    EXPECT_TRUE(vantor::UseAdvancedCamera);
    EXPECT_EQ(vantor::sessionVideoMode, 1);
    EXPECT_EQ(vantor::sessionCameraMode, photoSession);
    EXPECT_EQ(captions(), Captions { "ADVANCED MODE" });

    tap(vantor::modeAdvVideoBtn.get());
    EXPECT_EQ(bar->videoMode(), 0);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_EQ(vantor::sessionVideoMode, 0);
    EXPECT_EQ(captions().size(), 1u);
}

TEST_F(ModeButtons, TimedModesLeaveTheAdvancedModeAsTheAdvancedButtonSetIt)
{
    vantor::modeAdvCameraBtn->setSelected(true);
    tap(vantor::modeAdvCameraBtn.get()); // advanced photo off
    ASSERT_FALSE(vantor::UseAdvancedCamera);

    tap(vantor::modeTimerBtn.get());
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeStandard);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_FALSE(vantor::modeAdvCameraBtn->isSelected());
}

TEST_F(ModeButtons, WhiteBalanceLockIsTheOppositeOfTheButton)
{
    vantor::canWhiteBalance = true;
    tap(vantor::modeWBBtn.get());
    EXPECT_TRUE(vantor::modeWBBtn->isSelected());
    EXPECT_FALSE(vantor::canWhiteBalance);

    tap(vantor::modeWBBtn.get());
    EXPECT_FALSE(vantor::modeWBBtn->isSelected());
    EXPECT_TRUE(vantor::canWhiteBalance);
    // The "WB LOCK" badge fades out; a mode caption would still be showing.
    kit::RunLoop::main().advance(0.5);
    EXPECT_TRUE(captions().empty());
}

TEST_F(ModeButtons, SnapshotAsksTheHostControllerForAPhoto)
{
    auto controller = std::make_shared<FakeHost>(kit::CGRectZero);
    vantor::cameraController = controller;
    tap(vantor::modeTakeRecordingPhotoBtn.get());
    EXPECT_EQ(controller->photosCaptured, 1);
    EXPECT_TRUE(captions().empty());
}

TEST_F(ModeButtons, UnknownTagsChangeNothingAndShowNoCaption)
{
    bar->setTimerMode(CameraBar::TimerModeTimeLapse);
    bar->setSelectedMode(CameraBar::SelectedModeTimer);
    for (int64_t tag : { 0, 4, 8, 9, 42, -1 }) {
        auto button = tagged<vantor::CameraButton>(tag);
        tap(button.get());
    }
    bar->floatingButtonTapped(nullptr);
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeTimeLapse);
    EXPECT_EQ(bar->selectedMode(), CameraBar::SelectedModeTimer);
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeAdvanced);
    EXPECT_TRUE(captions().empty());
}

TEST_F(ModeButtons, AreIgnoredWhileACountDownRuns)
{
    bar->setTimerIsRunning(true);
    bar->setPrevTimerMode(CameraBar::TimerModeSelfTimer);
    tap(vantor::modeTimerBtn.get());
    tap(vantor::modeAdvCameraBtn.get());
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(bar->prevTimerMode(), CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeAdvanced);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
    EXPECT_TRUE(captions().empty());
}
