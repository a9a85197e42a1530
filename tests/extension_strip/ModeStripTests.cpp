// The row of mode buttons on a phone: made hidden, slid in and out, laid out
// for photo and video, darkened while recording, destroyed and made again,
// and driven by real swipes and taps.

#include "StripTest.h"

#include "extension/camerabar/SelectorDialEx.h"

#include "kit/ui/UIColor.h"

namespace {

using striptest::StripTest;

class PhoneStrip : public StripTest {
protected:
    void SetUp() override
    {
        StripTest::SetUp();
        launch("iPhone6,1");
    }
};

TEST_F(PhoneStrip, IsMadeOnceHiddenJustAboveTheBottomBar)
{
    auto bottomBar = vantor::_CAMBottomBar.lock();
    ASSERT_TRUE(bottomBar);
    double barHeight = bottomBar->frame().size.height;
    EXPECT_EQ(strip().superview(), vantor::cameraView.lock().get());
    EXPECT_EQ(strip().frame(), kit::CGRectMake(-320, 568 - barHeight - 80, 320, 80));
    EXPECT_FALSE(vantor::showingButtonArray);
    EXPECT_TRUE(vantor::buttonsCreated);
    EXPECT_TRUE(buttonTags().empty()) << "the buttons go in when the strip is shown";
    EXPECT_FALSE(vantor::modeTakeRecordingPhotoBtn->isEnabled());
    EXPECT_EQ(vantor::modeWBBtn->frame(), kit::CGRectMake(205, 10, 47, 47)) << "made at its video place";

    auto* first = vantor::_cameraButtonView.get();
    vantor::createCameraButtonArray(nullptr);
    EXPECT_EQ(vantor::_cameraButtonView.get(), first);
}

TEST_F(PhoneStrip, TheFlagChangesWhenTheSlideStartsAndASecondToggleActsOnIt)
{
    vantor::toggleCameraButtonArray(-1);
    EXPECT_TRUE(vantor::showingButtonArray);
    EXPECT_DOUBLE_EQ(strip().frame().origin.x, 0);
    EXPECT_DOUBLE_EQ(shownX(), -320) << "still off screen when the slide starts";
    phone->advance(0.15);
    EXPECT_DOUBLE_EQ(shownX(), 0);

    // Two toggles before the first slide ends: shown, then hidden again.
    vantor::toggleCameraButtonArray(-1);
    EXPECT_FALSE(vantor::showingButtonArray);
    vantor::toggleCameraButtonArray(-1);
    EXPECT_TRUE(vantor::showingButtonArray);
    vantor::toggleCameraButtonArray(0);
    vantor::toggleCameraButtonArray(0);
    phone->advance(0.2);
    EXPECT_FALSE(vantor::showingButtonArray);
    EXPECT_DOUBLE_EQ(shownX(), -320);
}

TEST_F(PhoneStrip, PhotoAndVideoModesGetTheirOwnButtonsAndCaptions)
{
    vantor::cameraBar->setCameraMode(1);
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(buttonTags(), (std::vector<int64_t> { 1, 2, 3, 7 }));
    EXPECT_EQ(captions(), (std::vector<std::string> { "Adv Mode", "Timer", "Lapse", "WB lock" }));
    EXPECT_EQ(vantor::modeWBBtn->frame(), kit::CGRectMake(240, 10, 47, 47));
    EXPECT_EQ(vantor::modeLapseTimerBtn->frame(), kit::CGRectMake(170, 10, 47, 47));
    EXPECT_EQ(strip().btn4Txt()->frame(), kit::CGRectMake(241, 60, 55, 10));
    EXPECT_TRUE(vantor::modeAdvCameraBtn->isSelected());

    // A mode change hides the strip; shown again it holds the video buttons.
    ASSERT_TRUE(phone->setCameraMode(1));
    EXPECT_FALSE(vantor::showingButtonArray);
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(buttonTags(), (std::vector<int64_t> { 6, 10, 7 }));
    EXPECT_EQ(captions(), (std::vector<std::string> { "Adv Mode", "Snapshot", "", "WB lock" }));
    EXPECT_EQ(vantor::modeWBBtn->frame().origin.x, 205);
    std::vector<double> captionX;
    for (int slot : { 1, 2, 4 })
        captionX.push_back(strip().btnTxt(slot)->frame().origin.x);
    EXPECT_EQ(captionX, (std::vector<double> { 61, 134, 207 }));
    EXPECT_EQ(vantor::modeAdvVideoBtn->isSelected(), vantor::cameraBar->videoMode() == 1);
    EXPECT_EQ(vantor::modeAdvCameraBtn->superview(), nullptr);

    ASSERT_TRUE(phone->setCameraMode(0));
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(vantor::modeWBBtn->frame().origin.x, 240);
    EXPECT_EQ(buttonTags().size(), 4u) << "each show takes the buttons out first";
}

TEST_F(PhoneStrip, TheBlurIsDarkerWhileRecordingAndTheSnapshotButtonWorks)
{
    EXPECT_DOUBLE_EQ(strip().blur()->blurRadius(), 20) << "the radius a new strip starts with";
    vantor::toggleCameraButtonArray(1);
    EXPECT_DOUBLE_EQ(strip().blur()->blurRadius(), 10);
    EXPECT_EQ(tint(), (std::vector<double> { 0.1, 0.1, 0.1, 1.0 }));
    EXPECT_EQ(strip().subviews().front().get(), strip().blur()) << "the background lies under the buttons";

    ASSERT_TRUE(phone->setCameraMode(1));
    phone->pressShutter();
    phone->advance(1);
    ASSERT_TRUE(phone->isRecording());
    vantor::toggleCameraButtonArray(1);
    EXPECT_TRUE(vantor::modeTakeRecordingPhotoBtn->isEnabled());
    EXPECT_DOUBLE_EQ(strip().blur()->blurRadius(), 1);
    EXPECT_EQ(tint(), (std::vector<double> { 0.07, 0.07, 0.07, 1.0 }));
    EXPECT_EQ(strip().btn3Txt()->text(), "");
    EXPECT_EQ(strip().subviews().size(), 2u) << "the old blur view is gone";

    phone->advance(0.2);
    ASSERT_TRUE(phone->tapView("CameraButton", 10));
    phone->advance(1);
    phone->pressShutter();
    phone->advance(2);
    EXPECT_FALSE(vantor::modeTakeRecordingPhotoBtn->isEnabled());
    EXPECT_EQ(tint(), (std::vector<double> { 0.1, 0.1, 0.1, 1.0 }));
    int stills = 0;
    for (const auto& file : phone->cameraRoll())
        stills += file.extension() == ".JPG";
    EXPECT_EQ(stills, 1) << "the snapshot button took a photo while recording";
}

TEST_F(PhoneStrip, DestroyReleasesTheStripAndTheButtonsAndCreateMakesThemAgain)
{
    vantor::toggleCameraButtonArray(1);
    std::weak_ptr<vantor::CameraButtonView> old = vantor::_cameraButtonView;
    std::weak_ptr<vantor::WBLockButton> oldButton = vantor::modeWBBtn;
    auto* hostView = strip().superview();

    vantor::destroyCameraButtonArray();
    EXPECT_TRUE(old.expired());
    EXPECT_TRUE(oldButton.expired());
    EXPECT_FALSE(vantor::buttonsCreated);
    EXPECT_FALSE(vantor::showingButtonArray);
    EXPECT_TRUE(vantor::focusView) << "the reticles stay";
    vantor::toggleCameraButtonArray(1); // logged, nothing else
    EXPECT_FALSE(vantor::showingButtonArray);

    vantor::createCameraButtonArray(nullptr);
    ASSERT_TRUE(vantor::_cameraButtonView);
    EXPECT_EQ(strip().superview(), hostView);
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(buttonTags(), (std::vector<int64_t> { 1, 2, 3, 7 }));
}

TEST_F(PhoneStrip, SwipesOnThePreviewSlideItInAndOut)
{
    // Beside the reticles, which sit in the middle and take their own touches.
    phone->drag(kit::CGPointMake(250, 360), kit::CGPointMake(250, 210), 0.15);
    EXPECT_TRUE(vantor::showingButtonArray);
    phone->advance(0.5);
    EXPECT_DOUBLE_EQ(shownX(), 0);

    phone->drag(kit::CGPointMake(250, 210), kit::CGPointMake(250, 360), 0.15);
    EXPECT_FALSE(vantor::showingButtonArray);
    phone->advance(0.5);
    EXPECT_DOUBLE_EQ(shownX(), -320);

    // A swipe that starts on a reticle moves the reticle, not the strip.
    phone->swipe(host::Phone::SwipeDirection::Up);
    EXPECT_FALSE(vantor::showingButtonArray);
}

TEST_F(PhoneStrip, TapsOnItsButtonsReachTheCameraBarOnceEach)
{
    phone->drag(kit::CGPointMake(250, 360), kit::CGPointMake(250, 210), 0.15);
    phone->advance(0.5);
    // Shown twice: the targets are not doubled.
    vantor::toggleCameraButtonArray(1);
    phone->advance(0.5);

    ASSERT_TRUE(phone->tapView("TimerButton", 2));
    EXPECT_EQ(vantor::cameraBar->timerMode(), vantor::CameraBar::TimerModeSelfTimer);
    EXPECT_TRUE(vantor::modeTimerBtn->isSelected());
    phone->advance(3);
    ASSERT_TRUE(phone->tapView("TimeLapseButton", 3));
    EXPECT_EQ(vantor::cameraBar->timerMode(), vantor::CameraBar::TimerModeTimeLapse);
    EXPECT_FALSE(vantor::modeTimerBtn->isSelected());
}

TEST_F(PhoneStrip, HidingTheCameraBarFadesTheDialAndHasItRemoved)
{
    vantor::toggleCameraButtonArray(1);
    phone->advance(0.5);
    ASSERT_TRUE(phone->tapView("TimerButton", 2));
    auto dial = vantor::cameraBar->selDialEx();
    ASSERT_TRUE(dial) << "the self-timer opens the dial";
    phone->advance(1);

    // Leaving the dial: nothing is faded or reported.
    vantor::hideCameraBar4(nullptr, 0.3f, false, true);
    phone->advance(0.5);
    EXPECT_EQ(vantor::cameraBar->selDialEx(), dial);
    EXPECT_DOUBLE_EQ(dial->alpha(), 1);

    vantor::hideCameraBar(nullptr);
    EXPECT_DOUBLE_EQ(dial->alpha(), 0);
    phone->advance(0.2);
    EXPECT_EQ(vantor::cameraBar->selDialEx(), dial) << "removed only when the fade ends";
    phone->advance(2);
    EXPECT_FALSE(vantor::cameraBar->selDialEx());
    EXPECT_EQ(vantor::cameraBar->timerMode(), vantor::CameraBar::TimerModeOff);
}

TEST_F(PhoneStrip, ATimeLapseKeepsItsDialUnlessItIsOnlyFaded)
{
    vantor::toggleCameraButtonArray(1);
    phone->advance(0.5);
    ASSERT_TRUE(phone->tapView("TimeLapseButton", 3));
    auto dial = vantor::cameraBar->selDialEx();
    ASSERT_TRUE(dial);
    phone->advance(1);

    vantor::hideCameraBar4(nullptr, 0.3f, false, false);
    phone->advance(1);
    EXPECT_EQ(vantor::cameraBar->selDialEx(), dial);
    EXPECT_DOUBLE_EQ(dial->alpha(), 1);
    EXPECT_EQ(vantor::cameraBar->timerMode(), vantor::CameraBar::TimerModeTimeLapse);
}

}

// Outside the fixture: the setting is written before the launch.
class PhoneStripWithoutBlur : public striptest::StripTest { };

TEST_F(PhoneStripWithoutBlur, ThePlainGreyBackgroundIsMadeOnceAndKept)
{
    writeSettings({ { "blurButtonBar", kit::PropertyList(false) } });
    launch("iPhone6,1");
    ASSERT_FALSE(vantor::blurButtonBar);
    auto* plain = strip().nonBlur();
    ASSERT_TRUE(plain);
    EXPECT_EQ(strip().blur(), nullptr);
    EXPECT_EQ(plain->frame(), strip().bounds());
    EXPECT_DOUBLE_EQ(plain->alpha(), 0.5);
    EXPECT_EQ(strip().subviews().front().get(), plain);

    vantor::toggleCameraButtonArray(1);
    ASSERT_TRUE(phone->setCameraMode(1));
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(strip().nonBlur(), plain);
    EXPECT_EQ(strip().blur(), nullptr);
    EXPECT_EQ(captions()[1], "Snapshot");
}
