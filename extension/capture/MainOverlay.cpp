#include "extension/capture/MainOverlay.h"

#include "kit/ui/UIColor.h"

namespace vantor {

KIT_REGISTER_CLASS(MainOverlay);

MainOverlay::MainOverlay(kit::CGRect frame)
    : kit::UIWindow(frame)
{
    setWindowLevel(overlayLevel);
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    setClipsToBounds(false);
    kit::UIView::setAnimationsEnabled(true);
}

}
