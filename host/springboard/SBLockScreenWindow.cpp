#include "host/springboard/SBLockScreenWindow.h"

#include "kit/ui/UIColor.h"

namespace host {

KIT_REGISTER_CLASS(SBLockScreenWindow);

SBLockScreenWindow::SBLockScreenWindow(kit::CGRect frame)
    : UIWindow(frame)
{
    setWindowLevel(level);
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
}

kit::UIView* SBLockScreenWindow::hitTest(kit::CGPoint point, kit::UIEvent* event)
{
    auto* hit = UIWindow::hitTest(point, event);
    return hit == this ? nullptr : hit;
}

}
