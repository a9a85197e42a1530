// Turning the device: the stored orientation, the phone's elements turned in
// place, the labels at fixed places moved, and the pad's re-framing.

#include "HooksTest.h"

#include "kit/ui/UIImageView.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/hooks/BarItems.h"
#include "extension/hooks/Rotation.h"
#include "extension/startup/ReplacementTable.h"
#include "extension/startup/VantorHelper.h"

#include "kit/ui/UIButton.h"

#include <optional>

namespace {

const kit::CGAffineTransform landscapeLeft { 0, -1, 1, 0, 0, 0 };
const kit::CGAffineTransform landscapeRight { 0, 1, -1, 0, 0, 0 };

class Rotation : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
        m_phone->advance(1);
    }

    // Turns the device and lets the turn and the labels' fades finish.
    void turn(int orientation)
    {
        m_phone->setOrientation(orientation);
        m_phone->advance(0.5);
    }

    kit::UIView* topBar() const { return hookstest::findView("CAMTopBar"); }

    // A white-balance label on the top bar, as the lock shows it.
    void showWhiteBalanceLabel()
    {
        vantor::whiteBalanceLockLbl = std::make_shared<vantor::CustomTransparentFilledLabel>(kit::CGRectMake(0, 0, 75, 22));
        topBar()->addSubview(vantor::whiteBalanceLockLbl);
    }
};

TEST_F(Rotation, FaceUpAndFaceDownAreNeverStoredSoTheLastTurnStays)
{
    turn(4);
    ASSERT_EQ(vantor::_UIDeviceOrientation, 4);
    ASSERT_EQ(vantor::modeAdvCameraBtn->transform(), landscapeLeft);

    for (int flat : { 5, 6 }) {
        turn(flat);
        EXPECT_EQ(vantor::_UIDeviceOrientation, 4);
        EXPECT_EQ(vantor::modeAdvCameraBtn->transform(), landscapeLeft);
        EXPECT_EQ(vantor::modeTimerBtn->transform(), landscapeLeft);
    }
}

TEST_F(Rotation, AnUnknownStoredOrientationTurnsNothing)
{
    for (int64_t unknown : { 0, 5, 7, -1 }) {
        vantor::_UIDeviceOrientation = unknown;
        EXPECT_EQ(vantor::VantorHelper::getTransformation(), kit::CGAffineTransformIdentity) << unknown;
    }
    vantor::_UIDeviceOrientation = 0;
    vantor::modeAdvCameraBtn->setTransform(landscapeRight);
    vantor::rotateObjects();
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::modeAdvCameraBtn->transform(), kit::CGAffineTransformIdentity);
}

TEST_F(Rotation, LandscapeLeftTurnsEveryModeButtonAndMovesTheWhiteBalanceLabel)
{
    showWhiteBalanceLabel();
    turn(4);

    const kit::UIView* buttons[] = { vantor::modeAdvCameraBtn.get(), vantor::modeTimerBtn.get(),
        vantor::modeLapseTimerBtn.get(), vantor::modeAdvVideoBtn.get(), vantor::modeWBBtn.get(),
        vantor::modeTakeRecordingPhotoBtn.get() };
    for (const auto* button : buttons) {
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->transform(), landscapeLeft) << button->tag();
    }
    double width = topBar()->frame().size.width;
    EXPECT_EQ(vantor::whiteBalanceLockLbl->center(), kit::CGPointMake(width - 25, 86.5));
    EXPECT_EQ(vantor::whiteBalanceLockLbl->transform(), landscapeLeft);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->alpha(), 1);

    turn(1);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->center(), kit::CGPointMake(width - 47.5, 66.5));
    EXPECT_EQ(vantor::modeAdvCameraBtn->transform(), kit::CGAffineTransformIdentity);
}

TEST_F(Rotation, TheLabelsFadeOutMoveAndFadeInWithTwoShortAnimations)
{
    showWhiteBalanceLabel();
    auto before = vantor::whiteBalanceLockLbl->center();
    m_phone->setOrientation(3);
    m_phone->advance(0.05);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->alpha(), 0) << "fading out";
    EXPECT_EQ(vantor::whiteBalanceLockLbl->center(), before) << "moved only once it is invisible";
    m_phone->advance(0.1);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->alpha(), 1) << "fading in";
    EXPECT_EQ(vantor::whiteBalanceLockLbl->transform(), landscapeRight);
}

TEST_F(Rotation, TheWhiteBalanceLabelStaysInAVideoMode)
{
    showWhiteBalanceLabel();
    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->advance(1);
    auto before = vantor::whiteBalanceLockLbl->center();
    turn(4);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->transform(), kit::CGAffineTransformIdentity);
    EXPECT_EQ(vantor::whiteBalanceLockLbl->center(), before);
}

TEST_F(Rotation, TheMemoryLabelMovesToItsCornerForEachOrientation)
{
    m_phone->memoryWarning();
    m_phone->advance(0.5);
    ASSERT_TRUE(vantor::memoryWarningLbl);

    turn(4);
    EXPECT_EQ(vantor::memoryWarningLbl->center(), kit::CGPointMake(320 - 15, 85));
    EXPECT_EQ(vantor::memoryWarningLbl->transform(), landscapeLeft);
    turn(3);
    EXPECT_EQ(vantor::memoryWarningLbl->center(), kit::CGPointMake(15, 568 - 145));
    turn(2);
    EXPECT_EQ(vantor::memoryWarningLbl->center(), kit::CGPointMake(40, 55));
    EXPECT_EQ(vantor::memoryWarningLbl->transform(), (kit::CGAffineTransform { -1, 0, 0, -1, 0, 0 }));
}

TEST_F(Rotation, ElementsThatAreGoneAreSkipped)
{
    vantor::modeTimerBtn.reset();
    vantor::focusView.reset();
    vantor::exposureView.reset();
    vantor::cameraBar.reset();
    showWhiteBalanceLabel();
    auto label = vantor::whiteBalanceLockLbl;
    m_phone->setOrientation(4);
    m_phone->advance(0.05);
    // Released while it fades out: the rest of its move is skipped.
    label->removeFromSuperview();
    vantor::whiteBalanceLockLbl.reset();
    label.reset();
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::modeAdvCameraBtn->transform(), landscapeLeft);
}

TEST_F(Rotation, TheHorizonButtonTurnsOnlyInAPhotoMode)
{
    vantor::horizonAlignmentBtn = std::make_shared<kit::UIImageView>(kit::CGRectMake(200, 5, 30, 30));
    topBar()->addSubview(vantor::horizonAlignmentBtn);
    turn(4);
    EXPECT_EQ(vantor::horizonAlignmentBtn->transform(), landscapeLeft);

    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->advance(1);
    turn(3);
    EXPECT_EQ(vantor::horizonAlignmentBtn->transform(), landscapeLeft);
}

// The host's side-bar layout, and the zoom control's row when it ran.
void (*hostVerticalLayout)(kit::id, kit::SEL) = nullptr;
std::optional<double> zoomRowAtHostLayout;

void recordZoomRowThenLayOut(kit::id self, kit::SEL cmd)
{
    zoomRowAtHostLayout = vantor::zoomView ? std::optional(vantor::zoomView->frame().origin.y) : std::nullopt;
    hostVerticalLayout(self, cmd);
}

class PadRotation : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch("iPad4,1", false, { { "ipadAdvZoom", true } });
        m_phone->advance(1);
    }

    void TearDown() override
    {
        if (hostVerticalLayout)
            vantor::_orig$CAMBottomBar$_layoutForVerticalOrientation$ = hostVerticalLayout;
        hostVerticalLayout = nullptr;
        zoomRowAtHostLayout.reset();
        HooksTest::TearDown();
    }
};

TEST_F(PadRotation, OnlyFramesChangeNothingIsTurned)
{
    m_phone->memoryWarning();
    m_phone->advance(0.5);
    ASSERT_TRUE(vantor::memoryWarningLbl);
    EXPECT_EQ(vantor::memoryWarningLbl->text(), "Warning, Low memory!");
    // In the side bar, 35 points above the screen's long side (1024) ...
    EXPECT_EQ(vantor::memoryWarningLbl->frame(), kit::CGRectMake(-215, 989, 185, 22));

    // ... and above its short side (768) once the pad lies on its side.
    m_phone->setOrientation(3);
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::memoryWarningLbl->frame(), kit::CGRectMake(-215, 733, 185, 22));
    EXPECT_EQ(vantor::memoryWarningLbl->transform(), kit::CGAffineTransformIdentity);
    ASSERT_TRUE(vantor::modeAdvCameraBtn);
    EXPECT_EQ(vantor::modeAdvCameraBtn->transform(), kit::CGAffineTransformIdentity);
}

TEST_F(PadRotation, TheZoomControlAndTheButtonColumnMoveToTheirRows)
{
    ASSERT_TRUE(vantor::zoomView);
    ASSERT_TRUE(vantor::_cameraButtonView);
    auto zoomBefore = vantor::zoomView->frame();
    auto columnBefore = vantor::_cameraButtonView->frame();

    m_phone->setOrientation(4);
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::zoomView->frame(), kit::CGRectMake(zoomBefore.origin.x, 180, 400, 400));
    EXPECT_EQ(vantor::_cameraButtonView->frame().origin.y, 250);
    EXPECT_EQ(vantor::_cameraButtonView->frame().origin.x, columnBefore.origin.x);
    EXPECT_EQ(vantor::_cameraButtonView->frame().size, columnBefore.size);

    m_phone->setOrientation(2);
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::zoomView->frame().origin.y, 310);
    EXPECT_EQ(vantor::_cameraButtonView->frame().origin.y, 380);
}

TEST_F(PadRotation, TheSideBarsOwnLayoutRunsAfterTheElementsHaveTheirRows)
{
    m_phone->setOrientation(4);
    m_phone->advance(0.5);
    ASSERT_TRUE(vantor::zoomView);
    // The control out of its landscape row, then the side bar laid out.
    auto frame = vantor::zoomView->frame();
    frame.origin.y = 310;
    vantor::zoomView->setFrame(frame);
    hostVerticalLayout = vantor::_orig$CAMBottomBar$_layoutForVerticalOrientation$;
    vantor::_orig$CAMBottomBar$_layoutForVerticalOrientation$ = &recordZoomRowThenLayOut;
    auto bar = vantor::_CAMBottomBar.lock();
    ASSERT_TRUE(bar);
    bar->setNeedsLayout();
    bar->layoutIfNeeded();
    ASSERT_TRUE(zoomRowAtHostLayout) << "the host's layout ran";
    EXPECT_EQ(*zoomRowAtHostLayout, 180) << "the extension's rows are set before the host lays out";
    EXPECT_EQ(vantor::zoomView->frame().origin.y, 180);
}

}
