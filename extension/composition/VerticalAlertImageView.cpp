#include "extension/composition/VerticalAlertImageView.h"

#include "extension/startup/Globals.h"
#include "kit/ui/UIImage.h"

namespace vantor {

KIT_REGISTER_CLASS(VerticalAlertImageView);

namespace {

constexpr const char* levelFolder = "/Library/Application Support/Vantor2/HorizontalAlignment/";
constexpr double turnSeconds = 0.4;

std::shared_ptr<kit::UIImage> levelImage(const char* name)
{
    return kit::UIImage::imageWithContentsOfFile(std::string(levelFolder) + name);
}

std::shared_ptr<kit::UIImageView> makeLevelView(const char* normal, const char* activated)
{
    auto view = std::make_shared<kit::UIImageView>(
        kit::CGRectMake(0, 93 - kFocusAndExposureTopOffset, 320, 320));
    view->setImage(levelImage(normal));
    view->setHighlightedImage(levelImage(activated));
    view->setAlpha(0);
    return view;
}

}

kit::CGAffineTransform VerticalAlertImageView::getTransformationFromDeviceOrientation()
{
    switch (_UIDeviceOrientation) {
    case 1:
        return { 1, 0, 0, 1, 0, 0 };
    case 2:
        return { -1, 0, 0, -1, 0, 0 };
    case 3:
        return { 0, -1, 1, 0, 0, 0 };
    case 4:
        return { 0, 1, -1, 0, 0, 0 };
    default:
        return { 0, 0, 0, 0, 0, 0 };
    }
}

void VerticalAlertImageView::CreateHorizontalAlignmentViews()
{
    auto view = cameraView.lock();
    // A level left from an earlier camera bar leaves the screen first.
    for (auto* old : { &horizontalAlignmentBase, &horizontalAlignmentIndicator })
        if (*old)
            (*old)->removeFromSuperview();
    horizontalAlignmentBase = makeLevelView("horizonBase@2x.png", "horizonBaseActivated@2x.png");
    horizontalAlignmentIndicator = makeLevelView("horizonIndicator@2x.png", "horizonIndicatorActivated@2x.png");
    if (view) {
        view->addSubview(horizontalAlignmentBase);
        view->addSubview(horizontalAlignmentIndicator);
    }
}

void VerticalAlertImageView::UpdateHorizontalAlignmentViewsOrientation()
{
    if (!horizontalAlignmentBase && !horizontalAlignmentIndicator)
        return;
    auto turn = getTransformationFromDeviceOrientation();
    if (turn.a == 0 && turn.b == 0)
        return;
    kit::UIView::animateWithDuration(turnSeconds, [turn] {
        if (horizontalAlignmentBase)
            horizontalAlignmentBase->setTransform(turn);
        if (horizontalAlignmentIndicator)
            horizontalAlignmentIndicator->setTransform(turn);
    });
}

}
