// Device rotation: the stored orientation follows the accelerometer, and the
// extension's elements turn in place with it.

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusView.h"
#include "extension/composition/HorizonAlignment.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/hooks/BarItems.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/Rotation.h"
#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/ReplacementTable.h"
#include "extension/startup/VantorHelper.h"

#include "kit/foundation/Dispatch.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <functional>

namespace vantor {

namespace {

constexpr float turnSeconds = 0.4f;
constexpr double labelFadeSeconds = 0.1;
constexpr double padButtonRowYLandscape = 250, padButtonRowYPortrait = 380;

// Fades the label out, lets `place` move and turn it while it is invisible,
// and fades it in again. The label may be released in between.
void fadeOutPlaceFadeIn(const std::shared_ptr<kit::UIView>& label, std::function<void(kit::UIView&)> place)
{
    std::weak_ptr<kit::UIView> weak = label;
    kit::UIView::animateWithDuration(labelFadeSeconds, 0, kit::UIViewAnimationOptionCurveLinear,
        [weak] {
            if (auto view = weak.lock())
                view->setAlpha(0);
        },
        [weak, place = std::move(place)](bool) {
            auto view = weak.lock();
            if (!view)
                return;
            place(*view);
            kit::UIView::animateWithDuration(labelFadeSeconds, 0, kit::UIViewAnimationOptionCurveLinear,
                [weak] {
                    if (auto shown = weak.lock())
                        shown->setAlpha(1);
                },
                nullptr);
        });
}

void setTransformIfExists(kit::UIView* view, kit::CGAffineTransform transform)
{
    if (view)
        view->setTransform(transform);
}

void setFrameIfExists(kit::UIView* view, kit::CGRect frame)
{
    if (view)
        view->setFrame(frame);
}

void setY(kit::UIView& view, double y)
{
    auto frame = view.frame();
    frame.origin.y = y;
    view.setFrame(frame);
}

}

void rotateObjectsOnMainThread() { rotateObjects(); }

void rotateObjects()
{
    if (focusView)
        focusView->rotateLock();
    if (exposureView)
        exposureView->rotateLock();
    if (cameraBar)
        cameraBar->_rotate();

    if (!IS_IPAD) {
        _rotate();
        return;
    }
    setFrameIfExists(_CAMSlalomDimensionIndicator.get(), getSlalomDimensionIndicatorFrame());
    setFrameIfExists(_CAMSlalomIndicatorView.get(), getSlalomFPSIndicatorFrame());
    setFrameIfExists(_CAMSlalomIndicatorReplacement.get(), getSlalomFPSIndicatorFrame());
    setFrameIfExists(memoryWarningLbl.get(), getMemoryWarningLblFrame());
    setFrameIfExists(timestampLbl.get(), getTimeStampLblFrame());
}

void _rotate()
{
    auto transform = VantorHelper::getTransformation();
    bool photoMode = isCameraMode(currentCameraController());

    kit::UIView::beginAnimations("w", nullptr);
    kit::UIView::setAnimationDuration(turnSeconds);

    kit::UIView* turned[] = { modeAdvCameraBtn.get(), modeTimerBtn.get(), modeLapseTimerBtn.get(),
        modeAdvVideoBtn.get(), modeWBBtn.get(), modeTakeRecordingPhotoBtn.get(), _CAMSlalomIndicatorView.get(),
        _CAMSlalomIndicatorReplacement.get(), _CAMSlalomDimensionIndicator.get() };
    for (auto* view : turned)
        setTransformIfExists(view, transform);

    // The white-balance label sits in a corner of the top bar: further down
    // when the device lies on its side.
    auto topBar = _CAMTopBar.lock();
    if (whiteBalanceLockLbl && photoMode && topBar) {
        double width = topBar->frame().size.width;
        kit::CGPoint centre = isLandscapeOrientation() ? kit::CGPoint { width - 25, 86.5 } : kit::CGPoint { width - 47.5, 66.5 };
        fadeOutPlaceFadeIn(whiteBalanceLockLbl, [centre, transform](kit::UIView& label) {
            label.setCenter(centre);
            label.setTransform(transform);
        });
    }
    if (memoryWarningLbl) {
        fadeOutPlaceFadeIn(memoryWarningLbl, [transform](kit::UIView& label) {
            label.setCenter(getMemoryWarningLblPoint());
            label.setTransform(transform);
        });
    }
    if (timestampLbl && photoMode) {
        fadeOutPlaceFadeIn(timestampLbl, [transform](kit::UIView& label) {
            label.setCenter(getTimeStampLblCenterPoint());
            label.setTransform(transform);
        });
    }
    if (photoMode)
        setTransformIfExists(horizonAlignmentBtn.get(), transform);

    kit::UIView::commitAnimations();
}

void adjustElementsForRotation()
{
    bool landscape = isLandscapeOrientation();
    if (zoomView)
        setY(*zoomView, landscape ? zoomViewYLandscape : zoomViewYPortrait);
    if (_cameraButtonView)
        setY(*_cameraButtonView, landscape ? padButtonRowYLandscape : padButtonRowYPortrait);
}

// The host may call this off the main thread; the elements are only touched
// on the main queue.
void _method$PLCameraController$accelerometer$didChangeDeviceOrientation$$(
    kit::id self, kit::SEL cmd, kit::id accelerometer, int32_t orientation)
{
    UpdateHorizontalAlignmentViewsOrientation();
    bool faceUpOrDown = orientation == 5 || orientation == 6;
    if (!faceUpOrDown && orientation != _UIDeviceOrientation) {
        _UIDeviceOrientation = orientation;
        highlightVideoVerticallyTiltedAlert(isVideoMode(self));
        kit::dispatch_async(kit::dispatch_get_main_queue(), [] { rotateObjectsOnMainThread(); });
    }
    _orig$PLCameraController$accelerometer$didChangeDeviceOrientation$$(self, cmd, accelerometer, orientation);
}

void _method$PLCameraView$_cameraOrientationChanged$$(kit::id self, kit::SEL cmd, kit::id notification)
{
    _orig$PLCameraView$_cameraOrientationChanged$$(self, cmd, notification);
    UpdateHorizontalAlignmentViewsOrientation();
    if (IS_IPAD)
        adjustElementsForRotation();
}

// On a pad the extension's elements take their rows first; the host lays
// out its own bar last.
void _method$CAMBottomBar$_layoutForHorizontalOrientation$(kit::id self, kit::SEL cmd)
{
    if (IS_IPAD)
        adjustElementsForRotation();
    _orig$CAMBottomBar$_layoutForHorizontalOrientation$(self, cmd);
}

void _method$CAMBottomBar$_layoutForVerticalOrientation$(kit::id self, kit::SEL cmd)
{
    if (IS_IPAD)
        adjustElementsForRotation();
    _orig$CAMBottomBar$_layoutForVerticalOrientation$(self, cmd);
}

}
