// The camera view's replaced methods and those of its small neighbours: the
// filter grid, the view's appearance, the bars, HDR, bursts and the shutter
// button's recording look.

#include "HooksTest.h"

#include "extension/elements/CameraButton.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"

namespace {

using hookstest::sel;

class ViewHooks : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
        m_phone->advance(1);
    }
};

// --- The filter grid.

class FilterGrid : public ViewHooks {
protected:
    void SetUp() override
    {
        ViewHooks::SetUp();
        vantor::timeStampVisible = true;
        vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, 80, 20));
        vantor::memoryWarningLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, 80, 20));
        vantor::horizontalAlignmentBase = std::make_shared<kit::UIImageView>(nullptr);
        vantor::horizontalAlignmentIndicator = std::make_shared<kit::UIImageView>(nullptr);
        vantor::_CAMSlalomDimensionIndicator = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, 40, 20));
    }
};

TEST_F(FilterGrid, ShowingTheGridHidesTheExtensionsLabelsAndIndicators)
{
    m_phone->setFiltersShowing(true);

    EXPECT_TRUE(vantor::filtersShowing);
    EXPECT_TRUE(vantor::_CAMSlalomDimensionIndicator->isHidden());
    EXPECT_TRUE(vantor::timestampLbl->isHidden());
    EXPECT_TRUE(vantor::memoryWarningLbl->isHidden());
    EXPECT_TRUE(vantor::horizontalAlignmentBase->isHidden());
    EXPECT_TRUE(vantor::horizontalAlignmentIndicator->isHidden());
    // The host's own grid is shown too: it no longer shows its focus square.
    EXPECT_FALSE(kit::msgSend<bool>(view(), sel("_shouldShowFocus")));
}

TEST_F(FilterGrid, HidingTheGridBringsTheLabelsBack)
{
    m_phone->setFiltersShowing(true);
    m_phone->setFiltersShowing(false);

    EXPECT_FALSE(vantor::filtersShowing);
    EXPECT_FALSE(vantor::timestampLbl->isHidden());
    EXPECT_FALSE(vantor::memoryWarningLbl->isHidden());
    EXPECT_FALSE(vantor::horizontalAlignmentBase->isHidden());
    EXPECT_FALSE(vantor::horizontalAlignmentIndicator->isHidden());
    EXPECT_TRUE(kit::msgSend<bool>(view(), sel("_shouldShowFocus")));
}

TEST_F(FilterGrid, WithoutACameraBarOnlyTheFlagAndTheHostChange)
{
    vantor::cameraBar.reset();
    m_phone->setFiltersShowing(true);

    EXPECT_TRUE(vantor::filtersShowing);
    EXPECT_TRUE(vantor::_CAMSlalomDimensionIndicator->isHidden());
    EXPECT_FALSE(vantor::timestampLbl->isHidden());
    EXPECT_FALSE(vantor::memoryWarningLbl->isHidden());

    m_phone->setFiltersShowing(false);
    EXPECT_FALSE(vantor::filtersShowing);
}

// --- Mode changes.

TEST_F(ViewHooks, HDRAlwaysOnSwitchesTheHostsHDROnInPhotoModes)
{
    vantor::HDRAlwaysOn = true;
    ASSERT_TRUE(m_phone->setCameraMode(1));
    EXPECT_FALSE(kit::msgSend<bool>(view(), sel("HDRIsOn"))) << "video has no HDR";
    ASSERT_TRUE(m_phone->setCameraMode(0));
    EXPECT_TRUE(kit::msgSend<bool>(view(), sel("HDRIsOn")));
}

TEST_F(ViewHooks, HDRStaysAsTheUserLeftItWithoutTheSetting)
{
    ASSERT_TRUE(m_phone->setCameraMode(1));
    ASSERT_TRUE(m_phone->setCameraMode(0));
    EXPECT_FALSE(kit::msgSend<bool>(view(), sel("HDRIsOn")));
}

TEST_F(ViewHooks, TheTiltAlertFollowsTheViewsModeAfterAModeChange)
{
    auto alert = std::make_shared<kit::UIImageView>(nullptr);
    vantor::videoVerticallyTiltedAlert = alert;
    ASSERT_EQ(vantor::_UIDeviceOrientation, 1);

    ASSERT_TRUE(m_phone->setCameraMode(1));
    EXPECT_TRUE(alert->isHighlighted());
    ASSERT_TRUE(m_phone->setCameraMode(0));
    EXPECT_FALSE(alert->isHighlighted());
}

// --- Appearance and the bars.

TEST_F(ViewHooks, TheViewIsRememberedWhenItAppears)
{
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(vantor::cameraView.lock().get(), view());

    vantor::cameraView.reset();
    kit::msgSend(view(), sel("viewDidAppear"));
    EXPECT_EQ(vantor::cameraView.lock().get(), view());
}

TEST_F(ViewHooks, AViewOfNoWidthGetsItsParentSizedToTheScreen)
{
    auto* cameraView = view();
    auto* parent = cameraView->superview();
    ASSERT_NE(parent, nullptr);
    parent->setFrame(kit::CGRectMake(0, 0, 10, 10));
    auto frame = cameraView->frame();
    frame.size.width = 0;
    cameraView->setFrame(frame);

    kit::msgSend(cameraView, sel("viewDidAppear"));

    auto screen = kit::UIScreen::mainScreen()->bounds();
    EXPECT_EQ(parent->frame().size.width, screen.size.width);
    EXPECT_EQ(parent->frame().size.height, screen.size.height);
}

TEST_F(ViewHooks, TheFirstBottomBarLayoutFixesTheBarHeight)
{
    auto bottom = vantor::_CAMBottomBar.lock();
    ASSERT_TRUE(bottom);
    EXPECT_EQ(bottom.get(), hookstest::findView("CAMBottomBar"));
    int height = int(bottom->frame().size.height);
    EXPECT_GT(height, 0);
    EXPECT_EQ(vantor::kCameraButtonBarHeight, height);

    auto frame = bottom->frame();
    frame.size.height += 40.7;
    bottom->setFrame(frame);
    kit::msgSend(bottom.get(), sel("layoutSubviews"));
    EXPECT_EQ(vantor::kCameraButtonBarHeight, height) << "fixed until the teardown forgets the bar";

    // Once forgotten, the next layout records the bar again, truncated.
    vantor::_CAMBottomBar.reset();
    kit::msgSend(bottom.get(), sel("layoutSubviews"));
    EXPECT_EQ(vantor::_CAMBottomBar.lock(), bottom);
    EXPECT_EQ(vantor::kCameraButtonBarHeight, int(frame.size.height));
}

TEST_F(ViewHooks, TheTopBarAndTheZoomSliderAreRemembered)
{
    EXPECT_EQ(vantor::_CAMTopBar.lock().get(), hookstest::findView("CAMTopBar"));
    auto slider = vantor::_CAMZoomSlider.lock();
    ASSERT_TRUE(slider);
    EXPECT_STREQ(slider->className(), "CAMZoomSlider");
}

TEST_F(ViewHooks, TheFilterButtonIsNoticed) { EXPECT_TRUE(vantor::hasFilterBtn); }

TEST_F(ViewHooks, ABurstIsFlaggedWhileItRuns)
{
    auto* shutter = hookstest::findView("CAMShutterButton");
    ASSERT_NE(shutter, nullptr);
    auto b = shutter->bounds();
    auto point = shutter->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(b), kit::CGRectGetMidY(b)));

    EXPECT_FALSE(vantor::isBursting);
    m_phone->touchDown(point);
    m_phone->advance(1.0);
    EXPECT_TRUE(vantor::isBursting);
    m_phone->touchUp(point);
    kit::RunLoop::main().runDue();
    EXPECT_FALSE(vantor::isBursting);
    EXPECT_GT(photos(), 1);
}

// --- The snapshot button follows recording.

TEST_F(ViewHooks, TheSnapshotButtonIsEnabledOnlyWhileRecording)
{
    auto snapshot = std::make_shared<vantor::CameraButton>(kit::CGRectMake(0, 0, 40, 40));
    snapshot->setEnabled(false);
    vantor::modeTakeRecordingPhotoBtn = snapshot;

    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->pressShutter();
    ASSERT_TRUE(m_phone->isRecording());
    EXPECT_TRUE(snapshot->isEnabled());

    m_phone->advance(2);
    m_phone->pressShutter();
    ASSERT_FALSE(m_phone->isRecording());
    EXPECT_FALSE(snapshot->isEnabled());
}

TEST_F(ViewHooks, AShutterLookThatIsNotAnimatedCountsAsNotCapturing)
{
    auto snapshot = std::make_shared<vantor::CameraButton>(kit::CGRectMake(0, 0, 40, 40));
    snapshot->setEnabled(true);
    vantor::modeTakeRecordingPhotoBtn = snapshot;
    auto* shutter = hookstest::findView("CAMShutterButton");
    ASSERT_NE(shutter, nullptr);

    kit::msgSend<void, int64_t, bool>(shutter, sel("setMode:animated:"), 4, true);
    EXPECT_TRUE(snapshot->isEnabled());
    kit::msgSend<void, int64_t, bool>(shutter, sel("setMode:animated:"), 4, false);
    EXPECT_FALSE(snapshot->isEnabled());
}

}
