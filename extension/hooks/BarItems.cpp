// The torch button and the low-memory label.

#include "extension/hooks/BarItems.h"

#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

namespace {

constexpr int64_t bulbTag = 104;
constexpr int32_t torchModeOn = 1;
constexpr double memoryLabelFadeInSeconds = 0.2;

std::shared_ptr<kit::UIImage> resourceImage(const std::string& relative)
{
    return kit::UIImage::imageWithContentsOfFile("/Library/Application Support/Vantor2/" + relative);
}

bool currentCameraHasTorch()
{
    auto* device = kit::cast<kit::AVCaptureDevice>(host::currentDevice(currentCameraController()));
    return device && device->isTorchModeSupported(torchModeOn);
}

}

void createAndShowBulbView(const kit::Action& action)
{
    // The torch button is never offered (showBulb is always off).
    if (!showBulb)
        return;
    if (!bulbView) {
        bulbView = std::make_shared<kit::UIImageView>(kit::CGRectMake(75, 9, 25, 25));
        bulbView->setTag(bulbTag);
        bulbView->setUserInteractionEnabled(true);
        bulbView->setImage(resourceImage("Buttons/IPHONE/Bulb@2x.png"));
        bulbView->setHighlightedImage(resourceImage("Buttons/IPHONE/BulbOn@2x.png"));
        bulbView->setAlpha(0);
        if (auto bar = (IS_IPAD ? _CAMBottomBar : _CAMTopBar).lock())
            bar->addSubview(bulbView);
        bulbView->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(action));
        return;
    }
    // The button is shown where a tap can work the torch.
    bulbView->setAlpha(currentCameraHasTorch() ? 1 : 0);
    bulbView->setHighlighted(bulbViewOn);
}

kit::CGRect getMemoryWarningLblFrame()
{
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    if (IS_IPAD)
        return kit::CGRectMake(-215, (isLandscapeOrientation() ? screen.width : screen.height) - 35, 185, 22);
    if (isLandscapeOrientation())
        return kit::CGRectMake(25, screen.width - 140, 75, 22);
    return kit::CGRectMake(screen.width - 140, screen.height - 140, 75, 22);
}

kit::CGPoint getMemoryWarningLblPoint()
{
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    if (IS_IPAD)
        return kit::CGPointZero;
    if (isLandscapeRightOrientation())
        return { 15, screen.height - 145 };
    if (isLandscapeLeftOrientation())
        return { screen.width - 15, 85 };
    if (isPortraitUpsideDownOrientation())
        return { 40, 55 };
    return { screen.width - 40, screen.height - 115 };
}

void createAndShowMemoryWarningLbl(const std::string& text)
{
    if (!showMemoryWarning || memoryWarningLbl)
        return;
    auto label = std::make_shared<CustomTransparentFilledLabel>(getMemoryWarningLblFrame());
    label->setAlpha(0);
    label->setTextEx(text);
    memoryWarningLbl = label;
    if (IS_IPAD) {
        if (auto bar = _CAMBottomBar.lock())
            bar->addSubview(label);
    } else {
        if (auto view = cameraView.lock())
            view->addSubview(label);
        if (isCameraMode(currentCameraController())) {
            auto transform = VantorHelper::getTransformation();
            label->setCenter(getMemoryWarningLblPoint());
            label->setTransform(transform);
        }
    }
    kit::UIView::animateWithDuration(memoryLabelFadeInSeconds, 0, kit::UIViewAnimationOptionCurveLinear,
        [label] { label->setAlpha(1); }, nullptr);
}

}
