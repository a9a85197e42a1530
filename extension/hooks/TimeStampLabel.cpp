// The on-screen label that shows whether photos are stamped and switches it.

#include "extension/hooks/TimeStamp.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITapGestureRecognizer.h"

#include <utility>

namespace vantor {

kit::CGRect getTimeStampLblFrame()
{
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    bool landscape = _UIDeviceOrientation == 3 || _UIDeviceOrientation == 4;
    if (IS_IPAD) {
        return landscape ? kit::CGRectMake(100 - screen.height, screen.width - 40, 150, 40)
                         : kit::CGRectMake(100 - screen.width, screen.height - 40, 150, 40);
    }
    return landscape ? kit::CGRectMake(25, screen.width - 140, 150, 40) : kit::CGRectMake(25, screen.height - 140, 150, 40);
}

kit::CGPoint getTimeStampLblCenterPoint()
{
    // A pad's label sits in the bottom bar and keeps its frame.
    if (IS_IPAD)
        return kit::CGPointMake(0, 0);
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    switch (_UIDeviceOrientation) {
    case 3:
        return kit::CGPointMake(15, 95);
    case 4:
        return kit::CGPointMake(screen.width - 15, screen.height - 145);
    case 2:
        return kit::CGPointMake(screen.width - 50, 55);
    default:
        return kit::CGPointMake(45, screen.height - 115);
    }
}

void createAndShowTimeStampLbl(const kit::Action& action)
{
    if (timestampLbl)
        return;
    auto parent = IS_IPAD ? _CAMBottomBar.lock() : cameraView.lock();
    if (!parent)
        return;

    auto label = std::make_shared<kit::UILabel>(getTimeStampLblFrame());
    label->setUserInteractionEnabled(true);
    label->setFont(kit::UIFont::fontWithName("DINAlternate-Bold", IS_IPAD ? 14 : 13));
    label->setTextAlignment(kit::NSTextAlignmentCenter);
    if (timeStampVisibleAndPlace) {
        label->setText("Timestamp On");
        label->setTextColor(kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
    } else {
        label->setText("Timestamp Off");
        label->setTextColor(kit::UIColor::whiteColor());
    }
    label->setAlpha(0);
    if (!IS_IPAD && isCameraMode(currentCameraController())) {
        auto transform = VantorHelper::getTransformation();
        label->setCenter(getTimeStampLblCenterPoint());
        label->setTransform(transform);
    }
    parent->addSubview(label);
    label->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(action));
    timestampLbl = label;

    kit::UIView::animateWithDuration(0.2, 0, kit::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); }, nullptr);
}

void hideAndDestroyTimeStampLbl()
{
    auto label = std::exchange(timestampLbl, nullptr);
    if (!label)
        return;
    kit::UIView::animateWithDuration(
        0.15, 0, kit::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(0); },
        [label](bool) { label->removeFromSuperview(); });
}

void checkTimestampLable_VS_Filters()
{
    if (!hasFilterBtn)
        return;
    kit::id button = host::filterButton(cameraView.lock().get());
    if (!button) {
        isFiltering = false;
        return;
    }
    if (host::filterButtonIsOn(button)) {
        isFiltering = true;
        if (cameraBar)
            cameraBar->toggleElementFinished(-7, 0);
    } else {
        isFiltering = false;
        if (cameraBar && prevTimeStampVisibleAndPlace)
            cameraBar->toggleElementFinished(4, 0);
    }
}

}
