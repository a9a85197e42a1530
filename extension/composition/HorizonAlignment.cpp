#include "extension/composition/HorizonAlignment.h"

#include "extension/composition/VerticalAlertImageView.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UITapGestureRecognizer.h"

#include <cmath>

namespace vantor {

namespace {

constexpr const char* buttonImagePath = "/Library/Application Support/Vantor2/Buttons/overlayHorizonBtn@2x.png";
constexpr const char* buttonActivatedImagePath = "/Library/Application Support/Vantor2/Buttons/overlayHorizonBtnActivated@2x.png";
constexpr const char* alertImagePath = "/Library/Application Support/Vantor2/Indicators/verticalAlert@2x.png";
constexpr int64_t horizonTag = 101;

// The activation windows, in radians of |angle|, both ends excluded.
constexpr double landscapeLevelLow = 1.561453;
constexpr double landscapeLevelHigh = 1.581453;
constexpr double portraitLevelLow = 3.13;
constexpr double portraitLevelHigh = 3.15;

void setLevelLit(bool lit)
{
    horizontalAlignmentBase->setHighlighted(lit);
    horizontalAlignmentIndicator->setHighlighted(lit);
}

}

void CreateHorizonAlignmentBtn(const kit::Action& action)
{
    if (!showHorizonAlignment || horizonAlignmentBtn)
        return;
    auto topBar = _CAMTopBar.lock();
    if (!topBar)
        return;
    // A bar without a camera switch places the button as if the switch stood at 0.
    kit::CGFloat flipX = 0;
    if (topBar->respondsToSelector(kit::sel_registerName("flipButton")))
        if (auto* flip = dynamic_cast<kit::UIView*>(host::flipButton(topBar.get())))
            flipX = flip->frame().origin.x;

    auto button = std::make_shared<kit::UIImageView>(kit::CGRectMake(flipX - 35, -2, 45, 45));
    button->setImage(kit::UIImage::imageWithContentsOfFile(buttonImagePath));
    button->setHighlightedImage(kit::UIImage::imageWithContentsOfFile(buttonActivatedImagePath));
    button->setTag(horizonTag);
    button->setUserInteractionEnabled(true);
    button->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(action));
    horizonAlignmentBtn = button;
    topBar->addSubview(button);
}

void CreateVideoVerticallyTiltedAlert()
{
    if (!showVerticalAlert)
        return;
    if (!videoVerticallyTiltedAlert && !IS_IPAD) {
        if (auto bottomBar = _CAMBottomBar.lock()) {
            auto alert = std::make_shared<VerticalAlertImageView>(
                kit::CGRectMake(200, IS_IPHONE_5S_SCREEN_SIZE ? -458 : -370, 22, 22));
            alert->setHighlightedImage(kit::UIImage::imageWithContentsOfFile(alertImagePath));
            alert->setTag(horizonTag);
            alert->setUserInteractionEnabled(false);
            videoVerticallyTiltedAlert = alert;
            bottomBar->addSubview(alert);
        }
    }
    highlightVideoVerticallyTiltedAlert(isVideoMode(cameraController.lock().get()));
}

void CreateHorizontalAlignmentViews() { VerticalAlertImageView::CreateHorizontalAlignmentViews(); }

void UpdateHorizontalAlignmentViewsOrientation() { VerticalAlertImageView::UpdateHorizontalAlignmentViewsOrientation(); }

void highlightVideoVerticallyTiltedAlert(bool videoMode)
{
    if (videoVerticallyTiltedAlert)
        videoVerticallyTiltedAlert->setHighlighted(
            videoMode && (_UIDeviceOrientation == 1 || _UIDeviceOrientation == 2));
}

double horizonAngle(kit::CMAcceleration gravity)
{
    return std::atan2(gravity.x, gravity.y);
}

bool isHorizonLevel(double angle)
{
    double size = std::fabs(angle);
    return (size > landscapeLevelLow && size < landscapeLevelHigh) || (size > portraitLevelLow && size < portraitLevelHigh);
}

void showHorizonLevel(kit::CMAcceleration gravity)
{
    if (!horizontalAlignmentBase || !horizontalAlignmentIndicator)
        return;
    // A broken sample: atan2 would turn a not-a-number into the transform,
    // and an infinite component into a false level.
    if (!std::isfinite(gravity.x) || !std::isfinite(gravity.y)) {
        setLevelLit(false);
        return;
    }
    double angle = horizonAngle(gravity);
    horizontalAlignmentIndicator->setTransform(kit::CGAffineTransformMakeRotation(angle));
    setLevelLit(isHorizonLevel(angle));
}

}
