#include "ScreenViews.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIView.h"
#include "kit/ui/UIWindow.h"

namespace monkey {

namespace {

void collect(kit::UIView* view, kit::CGSize screen, std::vector<VisibleView>& found)
{
    // The same rule as tap-view: a hidden or transparent view hides its subviews.
    if (view->isHidden() || view->alpha() < 0.01)
        return;
    auto b = view->bounds();
    auto centre = view->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(b), kit::CGRectGetMidY(b)));
    bool onScreen = centre.x >= 0 && centre.y >= 0 && centre.x < screen.width && centre.y < screen.height;
    if (onScreen && b.size.width > 0 && b.size.height > 0)
        found.push_back({ view, view->className(), view->tag(), centre });
    for (auto& child : view->subviews())
        collect(child.get(), screen, found);
}

}

kit::CGPoint VisibleView::pointAt(double fx, double fy) const
{
    auto b = view->bounds();
    return view->convertPointToScreen(
        kit::CGPointMake(b.origin.x + b.size.width * fx, b.origin.y + b.size.height * fy));
}

std::vector<VisibleView> visibleViews(kit::CGSize screen)
{
    std::vector<VisibleView> found;
    for (auto* window : kit::UIApplication::sharedApplication()->windows())
        collect(window, screen, found);
    return found;
}

}
