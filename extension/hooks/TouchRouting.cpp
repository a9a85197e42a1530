#include "extension/hooks/TouchRouting.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/capture/FocusView.h"
#include "extension/capture/MainOverlay.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/elements/ZoomView.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/ui/UIEvent.h"
#include "kit/ui/UIGestureRecognizer.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"

namespace vantor {

namespace {

// A reticle is easier to catch from the left and from above, where the
// finger usually covers its edge.
constexpr kit::CGFloat reticleHitSlop = 5;
constexpr kit::CGFloat tapPulseScale = 1.2;
constexpr kit::CGFloat lockPulseScale = 1.5;

// The reticle's frame reaching 5 points beyond its left and top edges only.
// A hidden reticle cannot be touched.
bool reticleContains(const ReticleView* reticle, kit::CGPoint pointInOverlay)
{
    if (!reticle || reticle->isHidden())
        return false;
    auto area = reticle->restingFrame();
    area.origin.x -= reticleHitSlop;
    area.origin.y -= reticleHitSlop;
    area.size.width += reticleHitSlop;
    area.size.height += reticleHitSlop;
    return kit::CGRectContainsPoint(area, pointInOverlay);
}

bool isLocked(const ReticleView* reticle) { return reticle && reticle->isLocked(); }

// The host keeps focus and exposure where the locked reticles hold them.
void sendLockState(kit::id controller)
{
    host::lockFocusExposureWhiteBalance(controller, isLocked(focusView.get()), isLocked(exposureView.get()), false);
}

// Whether the point (in the space of pointSpace) lies in the control's
// frame; a hidden control never does.
bool inFrameOf(const kit::UIView* control, kit::CGPoint point, const kit::UIView* pointSpace)
{
    if (!control || control->isHidden())
        return false;
    if (pointSpace && control->superview())
        point = pointSpace->convertPointToView(point, control->superview());
    return kit::CGRectContainsPoint(control->frame(), point);
}

bool videoWithoutAdvancedMode(kit::id controller) { return isVideoMode(controller) && !UseAdvancedCamera; }

// The touch-down whose hit test found the date-stamp label: a repeated hit
// test for that same touch-down answers false too, a later touch is tested
// afresh.
double timestampTapTime = -1;

}

void touchBegin(const kit::UITouchSet* touches, kit::UIView* view, kit::UIEvent* event)
{
    auto controller = currentCameraController();
    if (!controller || touchInsideButtonView)
        return;
    if (auto bar = cameraBar) {
        if (isVideoMode(controller) && !UseAdvancedCamera && bar->videoMode() != 1)
            return;
        if (isCameraMode(controller) && !UseAdvancedCamera && bar->cameraMode() != 1)
            return;
    } else {
        if (sessionCameraMode != 1 && isCameraMode(controller))
            return;
        if (sessionVideoMode != 1 && isVideoMode(controller))
            return;
    }
    auto* touch = touches ? touches->anyObject() : nullptr;
    if (!touch)
        return;
    auto location = touch->locationInView(view);
    if (!IS_IPAD && location.y > kit::UIScreen::mainScreen()->bounds().size.height - kCameraButtonBarHeight)
        return;

    // The advanced mode was chosen but is not active yet: a single tap
    // activates it, a double tap does not.
    if (isCameraMode(controller) && event && event->allTouches().count() == 1 && touch->tapCount() == 1
        && !UseAdvancedCamera)
        UseAdvancedCamera = true;
    touchDirectObject = false;

    auto inOverlay = touch->locationInView(mainOverlay.get());
    touchInsideExposure = reticleContains(exposureView.get(), inOverlay);
    touchInsideFocus = reticleContains(focusView.get(), inOverlay);
    if (touchInsideExposure) {
        touchDirectObject = true;
        startLocation = touch->locationInView(exposureView.get());
    } else if (touchInsideFocus) {
        touchDirectObject = true;
        startLocation = touch->locationInView(focusView.get());
    }

    // No swipe to another camera mode while a reticle is held.
    skipModeSwitching = touchDirectObject;
    host::updateModeSwitchingAvailability(view);
}

void touchMoved(const kit::UITouchSet* touches)
{
    auto controller = currentCameraController();
    if (videoWithoutAdvancedMode(controller) || touchInsideButtonView)
        return;
    ReticleView* reticle = touchInsideExposure ? static_cast<ReticleView*>(exposureView.get())
        : touchInsideFocus                    ? static_cast<ReticleView*>(focusView.get())
                                              : nullptr;
    auto* touch = touches ? touches->anyObject() : nullptr;
    if (!reticle || !touch)
        return;
    movedObject = true;
    auto here = touch->locationInView(reticle);
    kit::CGFloat dx = here.x - startLocation.x, dy = here.y - startLocation.y;
    if (skipModeSwitching) {
        auto origin = reticle->restingFrame().origin;
        reticle->moveRestingOrigin(kit::CGPointMake(origin.x + dx, origin.y + dy));
    }
    // A dragged reticle lets go of its lock.
    if (reticle->isLocked()) {
        reticle->setLockedState(false);
        host::lockFocusExposureWhiteBalance(controller, UseAdvancedCamera, UseAdvancedCamera, false);
    }
}

void touchEnd(const kit::UITouchSet* touches, kit::UIView* view)
{
    if (touchInsideButtonView)
        return;
    // The touch was the swipe that showed or hid the mode strip.
    if (swipedUpCameraControls) {
        swipedUpCameraControls = false;
        return;
    }
    auto controller = currentCameraController();
    if (videoWithoutAdvancedMode(controller))
        return;
    auto* touch = touches ? touches->anyObject() : nullptr;
    if (!touch || !view)
        return;
    auto pointOfInterest = host::convertToPointOfInterest(view, touch->locationInView(nullptr), nullptr);
    if (!UseAdvancedCamera)
        return;

    // A plain tap unlocks whatever is locked.
    if (!movedObject && !longPressHandled) {
        for (ReticleView* reticle : { static_cast<ReticleView*>(exposureView.get()), static_cast<ReticleView*>(focusView.get()) }) {
            if (isLocked(reticle)) {
                reticle->setLockedState(false);
                sendLockState(controller);
            }
        }
    }

    // A tap, on a reticle or beside it, brings both unlocked reticles to it.
    if (!longPressHandled && !movedObject && exposureView) {
        auto origin = VantorHelper::getOrientationOffsetPoint(
            exposureView->restingFrame(), touch->locationInView(mainOverlay.get()));
        for (ReticleView* reticle : { static_cast<ReticleView*>(exposureView.get()), static_cast<ReticleView*>(focusView.get()) }) {
            if (reticle && !reticle->isLocked())
                reticle->moveRestingOrigin(origin);
        }
    }

    bool onNeither = !touchInsideExposure && !touchInsideFocus;
    if (exposureView && !exposureView->isLocked() && (touchInsideExposure || onNeither)
        && supportsContinuousPointOfInterest(PointOfInterest::Exposure))
        setContinuousPointOfInterest(PointOfInterest::Exposure, pointOfInterest);
    if (focusView && !focusView->isLocked()
        && ((touchInsideFocus && (!touchInsideExposure || !movedObject)) || onNeither)
        && supportsContinuousPointOfInterest(PointOfInterest::Focus)) {
        if (touchDirectObject)
            focusView->pulse(tapPulseScale);
        setContinuousPointOfInterest(PointOfInterest::Focus, pointOfInterest);
    }

    movedObject = longPressHandled = touchInsideExposure = touchInsideFocus = touchDirectObject = false;
    skipModeSwitching = false;
    host::updateModeSwitchingAvailability(view);
}

void handleOverlayViewLongPress(kit::id recognizer)
{
    auto* press = kit::cast<kit::UIGestureRecognizer>(recognizer);
    if (!UseAdvancedCamera || !press || press->state() != kit::UIGestureRecognizerStateBegan)
        return;
    bool exposureJustLocked = false, focusJustLocked = false;
    if (exposureView && !exposureView->isLocked() && touchInsideExposure) {
        exposureView->setLockedState(true);
        longPressHandled = exposureJustLocked = true;
    }
    if (focusView && !focusView->isLocked() && touchInsideFocus) {
        focusView->setLockedState(true);
        longPressHandled = focusJustLocked = true;
    }
    if (!exposureJustLocked && !focusJustLocked)
        return;
    sendLockState(currentCameraController());
    if (exposureJustLocked)
        exposureView->pulse(lockPulseScale);
    if (focusJustLocked && focusView)
        focusView->pulse(lockPulseScale);
}

bool isTouchOnCameraControlsOrParent(bool hostAnswer, kit::CGPoint point, kit::UIView* bar)
{
    bool answer = hostAnswer;
    const kit::UIView* controls[] = { modeTimerBtn.get(), modeLapseTimerBtn.get(), modeAdvCameraBtn.get(),
        modeAdvVideoBtn.get(), modeWBBtn.get(), modeTakeRecordingPhotoBtn.get(), timestampLbl.get() };
    for (const auto* control : controls) {
        if (answer)
            break;
        answer = inFrameOf(control, point, bar);
    }
    if (!answer && !IS_IPAD)
        answer = inFrameOf(_cameraButtonView.get(), point, bar);
    if (auto* zoom = kit::cast<ZoomView>(zoomView.get()); !answer && zoom)
        answer = kit::CGRectContainsPoint(zoom->ThumbnailRectTranslated(bar), point);
    touchInsideButtonView = answer;
    return answer;
}

bool cameraViewPointInside(bool hostAnswer, kit::CGPoint point, kit::UIView* view, kit::UIEvent* event)
{
    if (IS_IPAD)
        return hostAnswer;
    double eventTime = event ? event->timestamp() : -1;
    if (didFirstTapOnTimestampLbl) {
        didFirstTapOnTimestampLbl = false;
        if (!event || eventTime == timestampTapTime)
            return false;
    }
    auto label = timestampLbl;
    if (!inFrameOf(label.get(), point, view))
        return hostAnswer;
    didFirstTapOnTimestampLbl = true;
    timestampTapTime = eventTime;
    if (auto bar = cameraBar; bar && !label->gestureRecognizers().empty()) {
        auto recognizer = label->gestureRecognizers().front();
        recognizer->setView(label.get());
        bar->toggleElement(recognizer.get());
    }
    return false;
}

}
