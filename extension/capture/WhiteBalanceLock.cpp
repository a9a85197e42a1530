// The white-balance lock of the mode strip: the device's mode and the
// "WB LOCK" badge that shows while it is locked.

#include "extension/capture/FocusAndExposureFunctions.h"

#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/hooks/HookSupport.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/media/AVCaptureDevice.h"

#include <utility>

namespace vantor {

void toggleWhiteBalance(bool lock)
{
    int target = lock ? kit::AVCaptureWhiteBalanceModeLocked : kit::AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance;
    auto* device = currentCaptureDevice();
    if (!device || device->whiteBalanceMode() == target || !device->isWhiteBalanceModeSupported(target))
        return;
    if (!device->lockForConfiguration())
        return;
    device->setWhiteBalanceMode(target);
    device->unlockForConfiguration();
}

void createAndShowWBLabel()
{
    if (auto old = std::exchange(whiteBalanceLockLbl, nullptr))
        old->removeFromSuperview();
    auto parent = (IS_IPAD ? _CAMBottomBar : _CAMTopBar).lock();
    if (!parent)
        return;
    auto controller = currentCameraController();
    kit::CGFloat barWidth = 0;
    if (auto topBar = _CAMTopBar.lock())
        barWidth = topBar->frame().size.width;

    kit::CGRect frame = kit::CGRectMake(-100, 14, 85, 22);
    if (!IS_IPAD) {
        frame = isVideoMode(controller) && isLandscapeOrientation() ? kit::CGRectMake(barWidth - 130, 10, 75, 22)
                                                                     : kit::CGRectMake(barWidth - 85, 55.5, 75, 22);
    }
    auto label = std::make_shared<CustomTransparentFilledLabel>(frame);
    label->setTextEx("WB LOCK");
    label->setAlpha(0);
    if (!IS_IPAD && isCameraMode(controller)) {
        label->setCenter(isLandscapeOrientation() ? kit::CGPointMake(barWidth - 25, 86.5)
                                                  : kit::CGPointMake(barWidth - 47.5, 66.5));
        label->setTransform(VantorHelper::getTransformation());
    }
    parent->addSubview(label);
    whiteBalanceLockLbl = label;
    kit::UIView::animateWithDuration(0.2, 0, kit::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); }, nullptr);
}

void hideAndDestroyWBLabel()
{
    auto label = std::exchange(whiteBalanceLockLbl, nullptr);
    if (!label)
        return;
    kit::UIView::animateWithDuration(
        0.15, 0, kit::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(0); },
        [label](bool) { label->removeFromSuperview(); });
}

}
