// The extension's items on the host's bars: the bars are remembered when
// they lay themselves out, and their hit tests reach the items placed on them.

#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/hooks/BarItems.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

namespace vantor {

namespace {

// Another add-on's HDR button, by class name, with the text it shows; the
// class may not be loaded at all.
bool isOfClassNamed(kit::UIView* view, const char* className)
{
    auto cls = kit::objc_getClass(className);
    return cls && view->isKindOfClass(cls);
}

bool textContainsQR(kit::id label)
{
    auto* text = kit::cast<kit::UILabel>(label);
    return text && text->text().find("QR") != std::string::npos;
}

void moveToX(kit::UIView* view, double x)
{
    auto frame = view->frame();
    frame.origin.x = x;
    view->setFrame(frame);
}

// Room for other add-ons whose QR-code button shares the top bar.
void moveOtherAddOnsHDRButtons(kit::UIView* bar)
{
    auto subviews = bar->subviews();
    for (const auto& subview : subviews) {
        if (isOfClassNamed(subview.get(), "D7CAMHDRButton")) {
            auto* button = kit::cast<kit::UIButton>(subview.get());
            if (button && textContainsQR(button->titleLabel())) {
                moveToX(subview.get(), 180);
                return;
            }
        } else if (isOfClassNamed(subview.get(), "CAMHDRButton")
            && !subview->respondsToSelector(kit::sel_registerName("_notifyDidCollapse"))) {
            if (textContainsQR(host::HDROnLabel(subview.get())))
                moveToX(subview.get(), 170);
        }
    }
}

void placeWhiteBalanceLabel(double barWidth)
{
    if (!whiteBalanceLockLbl)
        return;
    double x = isLandscapeLeftOrientation() ? barWidth + 280 : isLandscapeRightOrientation() ? barWidth - 150 : barWidth - 85;
    double y = isLandscapeOrientation() ? 10 : 55.5;
    whiteBalanceLockLbl->setFrame(kit::CGRectMake(x, y, 75, 22));
}

void placeHorizonButton(kit::UIView* bar, bool videoMode)
{
    if (!horizonAlignmentBtn)
        return;
    auto frame = horizonAlignmentBtn->frame();
    if (videoMode && isLandscapeOrientation())
        frame.origin.x = isLandscapeLeftOrientation() ? 275 : -40;
    else if (auto* flip = kit::cast<kit::UIView>(host::flipButton(bar)))
        frame.origin.x = flip->frame().origin.x - 35;
    horizonAlignmentBtn->setFrame(frame);
}

}

void _method$UIApplication$didReceiveMemoryWarning$(kit::id self, kit::SEL cmd)
{
    createAndShowMemoryWarningLbl(IS_IPAD ? "Warning, Low memory!" : "Low Mem");
    _orig$UIApplication$didReceiveMemoryWarning$(self, cmd);
}

// The HDR options open over the horizon-alignment button.
void _notifyWillExpand_CAMHDRButton(kit::id self, kit::SEL cmd)
{
    __notifyWillExpand_CAMHDRButton(self, cmd);
    if (horizonAlignmentBtn)
        horizonAlignmentBtn->setHidden(true);
}

void _notifyDidCollapse_CAMHDRButton(kit::id self, kit::SEL cmd)
{
    __notifyDidCollapse_CAMHDRButton(self, cmd);
    if (horizonAlignmentBtn)
        horizonAlignmentBtn->setHidden(false);
}

void _method$CAMTopBar$layoutSubviews$(kit::id self, kit::SEL cmd)
{
    _orig$CAMTopBar$layoutSubviews$(self, cmd);
    auto* bar = kit::cast<kit::UIView>(self);
    if (!bar)
        return;
    _CAMTopBar = bar->strongRef<kit::UIView>();
    bool videoMode = isVideoMode(currentCameraController());
    if (videoMode)
        placeWhiteBalanceLabel(bar->frame().size.width);
    placeHorizonButton(bar, videoMode);
    moveOtherAddOnsHDRButtons(bar);
}

bool _method$CAMTopBar$pointInside$withEvent$$(kit::id self, kit::SEL cmd, kit::CGPoint point, kit::UIEvent* event)
{
    if (_orig$CAMTopBar$pointInside$withEvent$$(self, cmd, point, event))
        return true;
    if (horizonAlignmentBtn && kit::CGRectContainsPoint(horizonAlignmentBtn->frame(), point))
        return true;
    return timestampLbl && kit::CGRectContainsPoint(timestampLbl->frame(), point);
}

// The first bottom bar of a camera session parents the mode strip; its
// height is fixed until the teardown forgets the bar.
void _method$CAMBottomBar$layoutSubviews$(kit::id self, kit::SEL cmd)
{
    _orig$CAMBottomBar$layoutSubviews$(self, cmd);
    auto* bar = kit::cast<kit::UIView>(self);
    if (bar && _CAMBottomBar.expired()) {
        _CAMBottomBar = bar->strongRef<kit::UIView>();
        kCameraButtonBarHeight = int32_t(bar->frame().size.height);
    }
}

}
