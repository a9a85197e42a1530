#include "extension/capture/FocusAndExposureFunctions.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusView.h"
#include "extension/capture/MainOverlay.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/UIScreen.h"

#include <optional>
#include <utility>

namespace vantor {

namespace {

enum class Reticle { Focus, Exposure };

// Where a reticle starts: in the middle of the preview, both on top of
// each other.
kit::CGRect startFrame(Reticle reticle)
{
    auto screen = kit::UIScreen::mainScreen()->bounds();
    kit::CGFloat midX = screen.size.width / 2, midY = screen.size.height / 2;
    bool focus = reticle == Reticle::Focus;
    if (IS_IPAD) {
        kit::CGFloat half = focus ? 33 : 34, side = focus ? 67 : 68;
        return kit::CGRectMake(midX - half, midY - half, side, side);
    }
    return kit::CGRectMake(midX - 31, 222 - kFocusAndExposureTopOffset, focus ? 62 : 63, focus ? 62 : 63);
}

std::optional<kit::CGPoint> reticlePointOfInterest(const ReticleView& reticle, kit::UIView* hostView)
{
    if (!hostView)
        return std::nullopt;
    // The reticle's middle is where the user aims it; its corner lies half
    // a reticle away from the subject.
    auto aim = hostView->convertPointFromView(reticle.center(), reticle.superview());
    return VantorHelper::boxPoint(host::convertToPointOfInterest(hostView, aim, nullptr));
}

template <typename View>
void createReticle(std::shared_ptr<View>& global, Reticle which, bool hidden)
{
    if (!mainOverlay) {
        mainOverlay = std::make_shared<MainOverlay>(kit::UIScreen::mainScreen()->bounds());
        mainOverlay->setHidden(false);
    }
    if (cameraView.expired() || global)
        return;
    global = std::make_shared<View>(startFrame(which));
    global->setHidden(hidden);
    mainOverlay->addSubview(global);
}

// Forgets the global before the view leaves the overlay, so nothing reached
// from the removal finds a half-released reticle.
template <typename View>
void destroyReticle(std::shared_ptr<View>& global)
{
    auto reticle = std::exchange(global, nullptr);
    if (!reticle)
        return;
    reticle->setHidden(true);
    reticle->removeFromSuperview();
}

// Set once a fade-out has hidden the reticles and until they show again, so
// that a second fade-out keeps what was visible before the first.
bool fadedOut = false;

void switchAdvancedModeOff()
{
    UseAdvancedCamera = false;
    for (ReticleView* reticle : { static_cast<ReticleView*>(focusView.get()), static_cast<ReticleView*>(exposureView.get()) }) {
        if (!reticle)
            continue;
        reticle->setHidden(true);
        reticle->setLockedState(false);
    }
    canFocus = canExpose = true;
    if (auto* device = currentCaptureDevice(); device && device->lockForConfiguration()) {
        if (device->isFocusModeSupported(kit::AVCaptureFocusModeAutoFocus))
            device->setFocusMode(kit::AVCaptureFocusModeAutoFocus);
        if (device->isExposureModeSupported(kit::AVCaptureExposureModeAutoExpose))
            device->setExposureMode(kit::AVCaptureExposureModeAutoExpose);
        if (device->isWhiteBalanceModeSupported(kit::AVCaptureWhiteBalanceModeAutoWhiteBalance))
            device->setWhiteBalanceMode(kit::AVCaptureWhiteBalanceModeAutoWhiteBalance);
        device->unlockForConfiguration();
    }
    focusViewWasHidden = exposureViewViewWasHidden = focusAndExposureHidden = true;
    fadedOut = false;
}

void switchAdvancedModeOn(kit::UIView* hostView, bool recenter)
{
    if (recenter) {
        CenterFocusExposureViews();
        if (focusView)
            focusView->setLockedState(false);
        if (exposureView)
            exposureView->setLockedState(false);
    }
    UseAdvancedCamera = true;

    auto controller = currentCameraController();
    bool focusShown = host::cameraDevice(controller) == 0 && (isVideoMode(controller) || isCameraMode(controller));
    if (focusView) {
        focusView->setHidden(!focusShown);
        focusView->setAlpha(1);
    }
    if (exposureView) {
        exposureView->setHidden(false);
        exposureView->setAlpha(1);
    }
    canFocus = !focusShown;
    canExpose = false;

    // A locked reticle keeps the point the device already has.
    if (focusShown && focusView && !focusView->isLocked()) {
        if (auto point = reticlePointOfInterest(*focusView, hostView))
            setContinuousPointOfInterest(PointOfInterest::Focus, *point);
    }
    if (exposureView && !exposureView->isLocked()) {
        if (auto point = reticlePointOfInterest(*exposureView, hostView))
            setContinuousPointOfInterest(PointOfInterest::Exposure, *point);
    }
    focusViewWasHidden = exposureViewViewWasHidden = focusAndExposureHidden = false;
    fadedOut = false;
}

}

void createFocusAndExposureObjects()
{
    destroyFocusAndExposureObjects();
    auto* device = currentCaptureDevice();
    bool focusHidden = !UseAdvancedCamera || !device || !device->isFocusModeSupported(kit::AVCaptureFocusModeContinuousAutoFocus);
    bool exposureHidden = !UseAdvancedCamera || !device
        || !device->isExposureModeSupported(kit::AVCaptureExposureModeContinuousAutoExposure);
    CreateFocusView(focusHidden);
    CreateExposureView(exposureHidden);
}

void CreateFocusView(bool hidden) { createReticle(focusView, Reticle::Focus, hidden); }

void CreateExposureView(bool hidden) { createReticle(exposureView, Reticle::Exposure, hidden); }

void destroyFocusAndExposureObjects()
{
    destroyReticle(exposureView);
    destroyReticle(focusView);
}

void CenterFocusExposureViews()
{
    if (focusView)
        focusView->moveRestingOrigin(startFrame(Reticle::Focus).origin);
    if (exposureView)
        exposureView->moveRestingOrigin(startFrame(Reticle::Exposure).origin);
}

void fadeOutFocusAndExposureObjects(float duration)
{
    if (!focusView)
        return;
    if (!fadedOut) {
        focusViewWasHidden = focusView->isHidden();
        exposureViewViewWasHidden = !exposureView || exposureView->isHidden();
    }
    kit::UIView::animateWithDuration(
        duration, 0, kit::UIViewAnimationOptionCurveEaseOut,
        [] {
            if (focusView)
                focusView->setAlpha(0);
            if (exposureView)
                exposureView->setAlpha(0);
        },
        // A fade-in that took over the alpha in the meantime wins: the
        // reticles stay as it left them.
        [](bool finished) {
            if (!finished)
                return;
            if (focusView)
                focusView->setHidden(true);
            if (exposureView)
                exposureView->setHidden(true);
            fadedOut = true;
        });
}

void fadeInFocusAndExposureObjects(float duration, float alpha)
{
    if (!focusView)
        return;
    if (!focusViewWasHidden && host::cameraDevice(currentCameraController()) == 0)
        focusView->setHidden(false);
    if (exposureView && !exposureViewViewWasHidden)
        exposureView->setHidden(false);
    fadedOut = false;
    kit::UIView::animateWithDuration(duration, 0, kit::UIViewAnimationOptionCurveEaseOut, [alpha] {
        if (focusView)
            focusView->setAlpha(alpha);
        if (exposureView)
            exposureView->setAlpha(alpha);
    }, nullptr);
}

void toggleAdvancedFocus(bool active, kit::UIView* view, bool recenter)
{
    if (_CAMBottomBar.expired())
        return;
    auto hostView = cameraView.lock();
    kit::UIView* targetView = view ? view : hostView.get();
    bool chooserShowing = cameraBar && cameraBar->dimensionSelectorViewShowing();
    if (!active || filtersShowing || chooserShowing) {
        // The chooser covers the preview; the mode is left as it is until
        // it closes.
        if (chooserShowing)
            return;
        switchAdvancedModeOff();
    } else {
        switchAdvancedModeOn(targetView, recenter);
    }
    host::setShouldShowFocus(targetView, canFocus);
    host::autofocus(currentCameraController(), canFocus, canExpose);
}

kit::AVCaptureDevice* currentCaptureDevice()
{
    return kit::cast<kit::AVCaptureDevice>(host::currentDevice(currentCameraController()));
}

bool supportsContinuousPointOfInterest(PointOfInterest which)
{
    auto* device = currentCaptureDevice();
    if (!device)
        return false;
    if (which == PointOfInterest::Focus)
        return device->isFocusPointOfInterestSupported()
            && device->isFocusModeSupported(kit::AVCaptureFocusModeContinuousAutoFocus);
    return device->isExposurePointOfInterestSupported()
        && device->isExposureModeSupported(kit::AVCaptureExposureModeContinuousAutoExposure);
}

bool setContinuousPointOfInterest(PointOfInterest which, kit::CGPoint pointOfInterest)
{
    if (!supportsContinuousPointOfInterest(which))
        return false;
    auto* device = currentCaptureDevice();
    if (!device->lockForConfiguration())
        return false;
    auto point = VantorHelper::boxPoint(pointOfInterest);
    if (which == PointOfInterest::Focus) {
        device->setFocusPointOfInterest(point);
        device->setFocusMode(kit::AVCaptureFocusModeContinuousAutoFocus);
    } else {
        device->setExposurePointOfInterest(point);
        device->setExposureMode(kit::AVCaptureExposureModeContinuousAutoExposure);
    }
    device->unlockForConfiguration();
    return true;
}

}
