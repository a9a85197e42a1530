#include "host/camera/CAMBottomBar.h"

#include "host/camera/CAMFilterButton.h"
#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMModeDial.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/HostRuntime.h"

#include "kit/ui/UIColor.h"

namespace host {

KIT_REGISTER_CLASS(CAMBottomBar);

CAMBottomBar::CAMBottomBar(bool pad)
    : m_pad(pad)
{
    setBackgroundColor(kit::UIColor::colorWithWhite(0, pad ? 0.55 : 0.85));
}

void CAMBottomBar::setControls(std::shared_ptr<CAMModeDial> modeDial, std::shared_ptr<CAMShutterButton> shutter,
    std::shared_ptr<CAMImageWell> imageWell, std::shared_ptr<CAMFilterButton> filterButton)
{
    m_modeDial = std::move(modeDial);
    m_shutter = std::move(shutter);
    m_imageWell = std::move(imageWell);
    m_filterButton = std::move(filterButton);
    for (kit::UIView* view : { (kit::UIView*)m_modeDial.get(), (kit::UIView*)m_shutter.get(),
             (kit::UIView*)m_imageWell.get(), (kit::UIView*)m_filterButton.get() }) {
        if (view)
            addSubview(view->strongRef<kit::UIView>());
    }
    setNeedsLayout();
}

void CAMBottomBar::layoutSubviews()
{
    send(sel::CAMBottomBar_layoutSubviews, this);
}

bool CAMBottomBar::pointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return send(sel::CAMBottomBar_pointInside, this, point, event);
}

void CAMBottomBar::hostLayoutSubviews()
{
    if (m_pad)
        send(sel::CAMBottomBar_layoutForVerticalOrientation, this);
    else
        send(sel::CAMBottomBar_layoutForHorizontalOrientation, this);
}

void CAMBottomBar::layoutForHorizontalOrientation()
{
    double w = bounds().size.width, h = bounds().size.height;
    const double shutter = 66;
    double shutterY = h - shutter - 6;
    double middle = shutterY + shutter / 2;
    if (m_modeDial)
        m_modeDial->setFrame(kit::CGRectMake(0, 2, w, shutterY - 4));
    if (m_shutter)
        m_shutter->setFrame(kit::CGRectMake(w / 2 - shutter / 2, shutterY, shutter, shutter));
    if (m_imageWell)
        m_imageWell->setFrame(kit::CGRectMake(18, middle - 21, 42, 42));
    if (m_filterButton)
        m_filterButton->setFrame(kit::CGRectMake(w - 18 - 42, middle - 21, 42, 42));
}

void CAMBottomBar::layoutForVerticalOrientation()
{
    double w = bounds().size.width, h = bounds().size.height;
    const double shutter = 72;
    double shutterY = h / 2 - shutter / 2;
    if (m_modeDial)
        m_modeDial->setFrame(kit::CGRectMake(0, shutterY - 150, w, 140));
    if (m_shutter)
        m_shutter->setFrame(kit::CGRectMake(w / 2 - shutter / 2, shutterY, shutter, shutter));
    if (m_imageWell)
        m_imageWell->setFrame(kit::CGRectMake(w / 2 - 25, h - 90, 50, 50));
    if (m_filterButton)
        m_filterButton->setFrame(kit::CGRectMake(w / 2 - 21, shutterY + shutter + 40, 42, 42));
}

bool CAMBottomBar::hostPointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return UIView::pointInside(point, event);
}

void CAMBottomBar::registerRuntimeMethods()
{
    registerMethod(sel::CAMBottomBar_layoutSubviews, memberImp<&CAMBottomBar::hostLayoutSubviews>());
    registerMethod(
        sel::CAMBottomBar_layoutForHorizontalOrientation, memberImp<&CAMBottomBar::layoutForHorizontalOrientation>());
    registerMethod(
        sel::CAMBottomBar_layoutForVerticalOrientation, memberImp<&CAMBottomBar::layoutForVerticalOrientation>());
    registerMethod(sel::CAMBottomBar_pointInside, memberImp<&CAMBottomBar::hostPointInside>());
}

}
