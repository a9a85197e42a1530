#include "extension/composition/OverlayFunctions.h"

#include "extension/composition/OverlayIndicator.h"
#include "extension/composition/OverlayModes.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"

namespace vantor {

namespace {

constexpr kit::CGRect indicatorFrame { { 75, 42 }, { 40, 50 } };

OverlayIndicator* overlayIndicator()
{
    return dynamic_cast<OverlayIndicator*>(_overlayIndicator.get());
}

}

void CreateOverlayIndicator(const kit::Action& callback)
{
    if (!showOverlays || IS_IPAD)
        return;
    if (!_overlayIndicator) {
        auto bottomBar = _CAMBottomBar.lock();
        if (!bottomBar)
            return;
        _overlayIndicator = std::make_shared<OverlayIndicator>(indicatorFrame, callback);
        bottomBar->addSubview(_overlayIndicator);
    }
    auto* indicator = overlayIndicator();
    if (!indicator)
        return;
    indicator->setOverlayIndicatorImg(choiceTagForOverlayMode(globOverlayMode), true);

    // Guides belong to the photo mode only: not to video, nor to the square mode.
    auto controller = cameraController.lock();
    int32_t mode = host::cameraMode(controller.get());
    indicator->hideOverlayFunctionality(!isCameraMode(controller.get()) || mode == 2 || mode == 4);
}

void toggleOverlaySelector(int32_t open)
{
    if (auto* indicator = overlayIndicator())
        indicator->toggleOverlaySelector(open);
}

void hideOverlayFunctionality(bool hide)
{
    if (auto* indicator = overlayIndicator())
        indicator->hideOverlayFunctionality(hide);
}

void setOverlayIndicatorImg(int32_t choiceTag, bool isFromStartup)
{
    if (auto* indicator = overlayIndicator())
        indicator->setOverlayIndicatorImg(choiceTag, isFromStartup);
}

}
