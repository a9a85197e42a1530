#include "FocusTest.h"

#include "extension/capture/MainOverlay.h"
#include "extension/elements/CustomTransparentFilledLabel.h"

#include "kit/ui/UIScreen.h"

namespace focustest {

using Reticles = FocusTest;

TEST_F(Reticles, StartTogetherInTheMiddleOfThePreviewInTheirOwnWindow)
{
    launch();
    EXPECT_EQ(focus().restingFrame(), kit::CGRectMake(129, 222, 62, 62));
    EXPECT_EQ(exposure().restingFrame(), kit::CGRectMake(129, 222, 63, 63));
    ASSERT_TRUE(vantor::mainOverlay);
    EXPECT_EQ(vantor::mainOverlay->windowLevel(), 1999);
    EXPECT_FALSE(vantor::mainOverlay->isHidden());
    EXPECT_EQ(vantor::mainOverlay->hitTest({ 160, 250 }, nullptr), nullptr);
    EXPECT_TRUE(focus().lockImageView()->isHidden());
}

TEST_F(Reticles, PadlockTurnsUprightWithTheDeviceWhileTheReticleStays)
{
    launch();
    vantor::_UIDeviceOrientation = 4; // landscape left
    focus().rotateLock();
    m_phone->advance(0.5);
    EXPECT_EQ(focus().lockImageView()->transform(), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
    EXPECT_EQ(focus().transform(), kit::CGAffineTransformIdentity);
}

TEST_F(Reticles, StartHigherOnAShorterScreen)
{
    launch("iPhone4,1");
    EXPECT_EQ(focus().restingFrame().origin.y, 190);
}

TEST_F(Reticles, StartInTheMiddleOfAPadScreen)
{
    launch("iPad4,1");
    auto screen = kit::UIScreen::mainScreen()->bounds();
    EXPECT_EQ(focus().restingFrame(), kit::CGRectMake(screen.size.width / 2 - 33, screen.size.height / 2 - 33, 67, 67));
    EXPECT_EQ(exposure().restingFrame(), kit::CGRectMake(screen.size.width / 2 - 34, screen.size.height / 2 - 34, 68, 68));
}

TEST_F(Reticles, FadeOutThenFadeInRestoresExactlyWhatWasVisible)
{
    launch();
    focus().setHidden(true);
    vantor::fadeOutFocusAndExposureObjects(0.2f);
    m_phone->advance(0.3);
    EXPECT_TRUE(focus().isHidden() && exposure().isHidden());
    // A second fade-out while hidden keeps what was visible before the first.
    vantor::fadeOutFocusAndExposureObjects(0.2f);
    m_phone->advance(0.3);
    vantor::fadeInFocusAndExposureObjects(0, 0.8f);
    m_phone->advance(0.1);
    EXPECT_TRUE(focus().isHidden());
    EXPECT_FALSE(exposure().isHidden());
    EXPECT_FLOAT_EQ(float(exposure().alpha()), 0.8f);
}

TEST_F(Reticles, FadeInDuringAFadeOutLeavesThemShown)
{
    launch();
    vantor::fadeOutFocusAndExposureObjects(0.2f);
    m_phone->advance(0.1);
    vantor::fadeInFocusAndExposureObjects(0.2f, 1);
    m_phone->advance(0.5);
    EXPECT_FALSE(focus().isHidden() || exposure().isHidden());
    EXPECT_EQ(exposure().alpha(), 1);
}

TEST_F(Reticles, TogglingWithTheResolutionChooserOpenChangesNothing)
{
    launch();
    vantor::cameraBar->setDimensionSelectorViewShowing(true);
    vantor::toggleAdvancedFocus(false, nullptr, true);
    EXPECT_TRUE(vantor::UseAdvancedCamera);
    EXPECT_FALSE(exposure().isHidden());
    EXPECT_FALSE(vantor::canFocus || vantor::canExpose);
    EXPECT_FALSE(view()->shouldShowFocus());

    vantor::cameraBar->setDimensionSelectorViewShowing(false);
    vantor::toggleAdvancedFocus(false, nullptr, true);
    EXPECT_TRUE(view()->shouldShowFocus());
    vantor::cameraBar->setDimensionSelectorViewShowing(true);
    vantor::toggleAdvancedFocus(true, nullptr, true);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_TRUE(view()->shouldShowFocus());
}

TEST_F(Reticles, SwitchingOffHandsFocusBackToTheHost)
{
    launch();
    m_phone->longPress(exposureMiddle(), 1.0);
    ASSERT_TRUE(exposure().isLocked());
    vantor::toggleAdvancedFocus(false, nullptr, true);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_TRUE(focus().isHidden() && exposure().isHidden());
    EXPECT_FALSE(exposure().isLocked());
    EXPECT_TRUE(vantor::canFocus && vantor::canExpose);
    EXPECT_EQ(device()->focusMode(), kit::AVCaptureFocusModeAutoFocus);
    EXPECT_EQ(device()->exposureMode(), kit::AVCaptureExposureModeAutoExpose);
    EXPECT_TRUE(vantor::focusViewWasHidden && vantor::exposureViewViewWasHidden && vantor::focusAndExposureHidden);
}

TEST_F(Reticles, SwitchingOnWithoutRecentringKeepsPlacesAndTheLockedPoint)
{
    launch();
    separateReticles();
    m_phone->longPress(focusMiddle(), 1.0);
    ASSERT_TRUE(focus().isLocked());
    auto focusPoint = device()->focusPointOfInterest();
    auto focusFrame = focus().restingFrame();
    auto exposureFrame = exposure().restingFrame();
    vantor::toggleAdvancedFocus(true, nullptr, false);
    EXPECT_EQ(focus().restingFrame(), focusFrame);
    EXPECT_EQ(exposure().restingFrame(), exposureFrame);
    EXPECT_TRUE(focus().isLocked());
    EXPECT_EQ(device()->focusPointOfInterest(), focusPoint);
    EXPECT_EQ(device()->exposurePointOfInterest(), pointOfInterest(exposureMiddle()));

    vantor::toggleAdvancedFocus(true, nullptr, true);
    EXPECT_FALSE(focus().isLocked());
    EXPECT_EQ(focus().restingFrame(), kit::CGRectMake(129, 222, 62, 62));
    EXPECT_EQ(device()->focusPointOfInterest(), pointOfInterest(focusMiddle()));
}

TEST_F(Reticles, WhiteBalanceLockLeavesALockedDeviceAlone)
{
    launch();
    vantor::toggleWhiteBalance(true);
    EXPECT_EQ(device()->whiteBalanceMode(), kit::AVCaptureWhiteBalanceModeLocked);
    auto changes = device()->configurationChangeCount();
    vantor::toggleWhiteBalance(true);
    EXPECT_EQ(device()->configurationChangeCount(), changes);
    EXPECT_FALSE(device()->holdsConfigurationLock());

    device()->setRefusesConfigurationLock(true);
    vantor::toggleWhiteBalance(false);
    EXPECT_EQ(device()->whiteBalanceMode(), kit::AVCaptureWhiteBalanceModeLocked);
}

TEST_F(Reticles, WhiteBalanceLabelFadesInOnTheTopBarAndAwayAgain)
{
    launch();
    vantor::createAndShowWBLabel();
    auto label = vantor::whiteBalanceLockLbl;
    ASSERT_TRUE(label);
    EXPECT_STREQ(label->superview()->className(), "CAMTopBar");
    EXPECT_EQ(label->center(), kit::CGPointMake(label->superview()->frame().size.width - 47.5, 66.5));
    m_phone->advance(0.3);
    EXPECT_EQ(label->alpha(), 1);
    vantor::hideAndDestroyWBLabel();
    EXPECT_FALSE(vantor::whiteBalanceLockLbl);
    m_phone->advance(0.3);
    EXPECT_EQ(label->superview(), nullptr);
}

}
