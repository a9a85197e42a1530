#include "FocusTest.h"

#include "extension/elements/WBLockButton.h"

#include "kit/ui/UIEvent.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace focustest {

using Touches = FocusTest;

TEST_F(Touches, TapOnEmptyPreviewBringsBothReticlesAndSetsBothPointsExactly)
{
    launch();
    kit::CGPoint p { 80, 150 };
    tap(p);
    // Centred 5 points right of and below the finger.
    EXPECT_EQ(exposureMiddle(), kit::CGPointMake(85, 155));
    EXPECT_EQ(focus().restingFrame().origin, exposure().restingFrame().origin);
    EXPECT_EQ(device()->focusPointOfInterest(), pointOfInterest(p));
    EXPECT_EQ(device()->exposurePointOfInterest(), pointOfInterest(p));
    EXPECT_EQ(device()->focusMode(), kit::AVCaptureFocusModeContinuousAutoFocus);
    EXPECT_EQ(device()->exposureMode(), kit::AVCaptureExposureModeContinuousAutoExposure);
    EXPECT_FALSE(vantor::touchDirectObject || vantor::touchInsideExposure || vantor::movedObject);
}

TEST_F(Touches, HitAreaReachesFivePointsBeyondTheLeftAndTopEdgesOnly)
{
    launch();
    auto frame = exposure().restingFrame(); // the focus reticle lies under it, one point smaller
    kit::CGFloat left = frame.origin.x, top = frame.origin.y, right = left + 63, bottom = top + 63, midY = top + 30;
    struct Case { kit::CGPoint point; bool inside; };
    for (auto [point, inside] : { Case { { left - 3, midY }, true }, Case { { left + 30, top - 3 }, true },
             Case { { right + 3, midY }, false }, Case { { left + 30, bottom + 3 }, false } }) {
        m_phone->touchDown(point);
        EXPECT_EQ(vantor::touchInsideExposure, inside) << point.x << "," << point.y;
        EXPECT_EQ(vantor::touchDirectObject, inside);
        m_phone->touchUp(point);
        vantor::CenterFocusExposureViews();
        m_phone->advance(1);
    }
}

TEST_F(Touches, ChosenAdvancedModeStartsOnASingleTapNotOnADoubleTap)
{
    launch();
    vantor::UseAdvancedCamera = false; // chosen (the camera bar's mode is 1) but not active
    m_phone->tap({ 80, 150 });
    EXPECT_TRUE(vantor::UseAdvancedCamera);
    vantor::UseAdvancedCamera = false;
    m_phone->advance(0.1);
    m_phone->tap({ 80, 150 }); // the second tap of a double tap
    EXPECT_FALSE(vantor::UseAdvancedCamera);
}

TEST_F(Touches, BottomBarZoneNeverReachesTheReticles)
{
    launch();
    auto before = exposure().restingFrame();
    auto changes = device()->configurationChangeCount();
    ASSERT_GT(vantor::kCameraButtonBarHeight, 8);
    tap({ 100, 564 }); // between the photo well and the shutter
    EXPECT_EQ(exposure().restingFrame(), before);
    EXPECT_EQ(m_phone->cameraMode(), 0);
    EXPECT_EQ(device()->configurationChangeCount(), changes);
}

TEST_F(Touches, BottomBarHitTestIsWidenedToTheModeButtons)
{
    launch();
    auto* bar = findView(view(), "CAMBottomBar");
    ASSERT_TRUE(bar);
    vantor::modeWBBtn = std::make_shared<vantor::WBLockButton>(kit::CGRectMake(200, 300, 47, 47));
    view()->addSubview(vantor::modeWBBtn);
    auto onButton = view()->convertPointToView({ 220, 320 }, bar);
    auto pointInside = [&](kit::CGPoint p) { return kit::msgSend<bool, kit::CGPoint, kit::UIEvent*>(bar, sel("pointInside:withEvent:"), p, nullptr); };
    EXPECT_TRUE(pointInside(onButton));
    EXPECT_TRUE(vantor::touchInsideButtonView);
    vantor::modeWBBtn->setHidden(true);
    EXPECT_FALSE(pointInside(onButton));
    EXPECT_FALSE(vantor::touchInsideButtonView);
}

TEST_F(Touches, DraggingMovesOnlyTheTouchedReticleAndItsPoint)
{
    launch();
    auto focusPoint = device()->focusPointOfInterest();
    auto focusFrame = focus().restingFrame();
    auto start = exposureMiddle();
    m_phone->drag(start, { start.x + 70, start.y + 120 }, 0.5);
    EXPECT_EQ(exposureMiddle(), kit::CGPointMake(start.x + 70, start.y + 120));
    EXPECT_EQ(focus().restingFrame(), focusFrame);
    EXPECT_EQ(device()->focusPointOfInterest(), focusPoint);
    EXPECT_EQ(device()->exposurePointOfInterest(), pointOfInterest({ start.x + 70, start.y + 120 }));
}

TEST_F(Touches, LongPressLocksTheFocusReticleThenAPlainTapUnlocksBoth)
{
    launch();
    separateReticles();
    m_phone->longPress(focusMiddle(), 1.0);
    m_phone->advance(1);
    EXPECT_TRUE(focus().isLocked());
    EXPECT_FALSE(focus().lockImageView()->isHidden());
    EXPECT_FALSE(exposure().isLocked());
    EXPECT_EQ(device()->focusMode(), kit::AVCaptureFocusModeLocked);
    EXPECT_EQ(focus().transform(), kit::CGAffineTransformIdentity) << "the pulse ends where it began";

    // The host's own focus no longer runs.
    int started = count("PLCameraController _focusStarted");
    kit::msgSend(controller(), sel("autofocus"));
    m_phone->advance(1);
    EXPECT_EQ(count("PLCameraController _focusStarted"), started);

    auto lockedPlace = focus().restingFrame();
    tap({ 250, 150 });
    EXPECT_FALSE(focus().isLocked());
    EXPECT_TRUE(focus().lockImageView()->isHidden());
    EXPECT_NE(focus().restingFrame(), lockedPlace);
    EXPECT_EQ(device()->focusMode(), kit::AVCaptureFocusModeContinuousAutoFocus);
}

TEST_F(Touches, LongPressBesideTheReticlesLocksNothing)
{
    launch();
    m_phone->longPress({ 60, 120 }, 1.0);
    EXPECT_FALSE(focus().isLocked() || exposure().isLocked());
    EXPECT_FALSE(vantor::longPressHandled);
}

TEST_F(Touches, DraggingALockedExposureReticleUnlocksItAndTheHostLocksFocusAndExposure)
{
    launch();
    separateReticles();
    m_phone->longPress(exposureMiddle(), 1.0);
    ASSERT_TRUE(exposure().isLocked());
    auto start = exposureMiddle();
    m_phone->touchDown(start);
    m_phone->touchMove({ start.x - 40, start.y });
    EXPECT_FALSE(exposure().isLocked());
    EXPECT_TRUE(exposure().lockImageView()->isHidden());
    EXPECT_EQ(device()->focusMode(), kit::AVCaptureFocusModeLocked);
    EXPECT_EQ(device()->exposureMode(), kit::AVCaptureExposureModeLocked);
    m_phone->touchUp({ start.x - 40, start.y });
    EXPECT_EQ(device()->exposureMode(), kit::AVCaptureExposureModeContinuousAutoExposure);
    EXPECT_EQ(device()->exposurePointOfInterest(), pointOfInterest({ start.x - 40, start.y }));
}

TEST_F(Touches, HoldingAReticleRefusesTheModeSwipeUntilTheTouchEnds)
{
    launch();
    auto allowed = [&] { return kit::msgSend<bool>(view(), sel("_isSwipeToModeSwitchAllowed")); };
    m_phone->touchDown(exposureMiddle());
    EXPECT_FALSE(allowed());
    m_phone->touchUp(exposureMiddle());
    EXPECT_TRUE(allowed());

    // A quick swipe that starts on a reticle drags it and keeps the mode.
    auto start = exposureMiddle();
    m_phone->drag(start, { start.x - 150, start.y }, 0.15);
    m_phone->advance(1);
    EXPECT_EQ(m_phone->cameraMode(), 0);
    // The same swipe beside the reticles switches.
    m_phone->drag({ 300, 150 }, { 150, 150 }, 0.15);
    m_phone->advance(1);
    EXPECT_NE(m_phone->cameraMode(), 0);
}

TEST_F(Touches, RefusedConfigurationLockChangesNothingWhileTheReticlesStillMove)
{
    launch();
    device()->setRefusesConfigurationLock(true);
    auto changes = device()->configurationChangeCount();
    auto before = exposure().restingFrame();
    tap({ 80, 150 });
    EXPECT_NE(exposure().restingFrame(), before);
    EXPECT_EQ(device()->configurationChangeCount(), changes);
}

TEST_F(Touches, TimestampLabelTapIsTakenOnceAndTheNextTouchIsTestedAfresh)
{
    launch();
    vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(20, 100, 100, 30));
    vantor::timestampLbl->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>());
    view()->addSubview(vantor::timestampLbl);
    auto event = std::make_shared<kit::UIEvent>();
    event->setTouches({}, 7.0);
    auto pointInside = [&](kit::CGPoint p) {
        return kit::msgSend<bool, kit::CGPoint, kit::UIEvent*>(view(), sel("pointInside:withEvent:"), p, event.get());
    };
    EXPECT_FALSE(pointInside({ 30, 110 }));
    EXPECT_TRUE(vantor::didFirstTapOnTimestampLbl);
    EXPECT_FALSE(pointInside({ 200, 300 })) << "the same touch-down tested again";
    EXPECT_FALSE(vantor::didFirstTapOnTimestampLbl);
    EXPECT_TRUE(pointInside({ 200, 300 }));

    // Through the phone: the label's tap reaches no reticle, the next tap does.
    auto before = exposure().restingFrame();
    tap({ 30, 110 });
    EXPECT_EQ(exposure().restingFrame(), before);
    tap({ 200, 300 });
    EXPECT_EQ(exposureMiddle(), kit::CGPointMake(205, 305));
}

TEST_F(Touches, FrontCameraShowsOnlyTheExposureReticle)
{
    launch();
    ASSERT_TRUE(m_phone->setCameraDevice(1));
    m_phone->advance(1);
    EXPECT_TRUE(focus().isHidden());
    EXPECT_FALSE(exposure().isHidden());
    tap({ 80, 150 });
    EXPECT_EQ(device()->exposurePointOfInterest(), pointOfInterest({ 80, 150 }));
}

}
