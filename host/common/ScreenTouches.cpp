#include "host/common/ScreenTouches.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <cmath>

namespace host::touches {

namespace {

// Fingers move in steps of this many seconds.
constexpr double touchStep = 1.0 / 60;
constexpr double tapDuration = 0.05;

void advance(double seconds)
{
    kit::RunLoop::main().advance(std::max(0.0, seconds));
}

// Front-most first: the last subview is drawn last, so it is in front.
kit::UIView* frontMost(kit::UIView* view, const std::string& className, std::optional<int> tag)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return nullptr;
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto* found = frontMost(it->get(), className, tag))
            return found;
    }
    if (view->isMemberOfClassNamed(className) && (!tag || view->tag() == *tag))
        return view;
    return nullptr;
}

}

void tap(kit::CGPoint point)
{
    press(point, tapDuration);
}

void press(kit::CGPoint point, double seconds)
{
    auto* application = kit::UIApplication::sharedApplication();
    application->touchDown(point);
    advance(seconds);
    application->touchUp(point);
    kit::RunLoop::main().runDue();
}

void drag(kit::CGPoint from, kit::CGPoint to, double seconds)
{
    auto* application = kit::UIApplication::sharedApplication();
    int steps = std::max(2, int(std::ceil(std::max(0.0, seconds) / touchStep)));
    application->touchDown(from);
    for (int i = 1; i <= steps; ++i) {
        advance(seconds / steps);
        double t = double(i) / steps;
        application->touchMove(kit::CGPointMake(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
    }
    application->touchUp(to);
    kit::RunLoop::main().runDue();
}

bool isShown(const kit::UIView* view)
{
    for (; view; view = view->superview()) {
        if (view->isHidden() || view->alpha() < 0.01)
            return false;
    }
    return true;
}

kit::UIView* frontMostView(const std::string& className, std::optional<int> tag)
{
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* view = frontMost(*it, className, tag))
            return view;
    }
    return nullptr;
}

kit::CGPoint screenPoint(const kit::UIView* view, double fx, double fy)
{
    auto b = view->bounds();
    return view->convertPointToScreen(
        kit::CGPointMake(b.origin.x + b.size.width * fx, b.origin.y + b.size.height * fy));
}

}
