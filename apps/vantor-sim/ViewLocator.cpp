#include "ViewLocator.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIView.h"
#include "kit/ui/UIWindow.h"

namespace sim {

namespace {

// Front-most first: the last subview is drawn last, so it is in front.
kit::UIView* frontMost(kit::UIView* view, const std::string& className)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return nullptr;
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto* found = frontMost(it->get(), className))
            return found;
    }
    return view->isMemberOfClassNamed(className) ? view : nullptr;
}

}

std::optional<kit::CGPoint> centreOfVisibleView(const std::string& className)
{
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* view = frontMost(*it, className)) {
            auto b = view->bounds();
            return view->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(b), kit::CGRectGetMidY(b)));
        }
    }
    return std::nullopt;
}

}
