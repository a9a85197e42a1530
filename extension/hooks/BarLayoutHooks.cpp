// The extension's items on the host's bars: the bars are remembered when
// they lay themselves out, and their hit tests reach the items placed on them.

#include "extension/hooks/BarItems.h"
#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NotYet.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

namespace vantor {

void createAndShowBulbView(const kit::Action&)
{
    // The torch button is never offered (showBulb is always off).
    if (!showBulb)
        return;
    NOT_YET("bar items: the torch button");
}

void _method$UIApplication$didReceiveMemoryWarning$(kit::id self, kit::SEL cmd)
{
    NOT_YET("status labels: the low-memory label");
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
    if (auto* bar = kit::cast<kit::UIView>(self))
        _CAMTopBar = bar->strongRef<kit::UIView>();
    NOT_YET("bar layout: placing the white-balance label, the horizon button and other add-ons' buttons");
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
