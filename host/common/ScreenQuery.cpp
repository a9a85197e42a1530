#include "host/common/ScreenQuery.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIWindow.h"
#include "kit/ui/ViewTreeDescription.h"

#include <cstdio>
#include <functional>
#include <vector>

namespace host {

namespace {

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value == 0 ? 0.0 : value);
    return buffer;
}

std::string rectText(const kit::CGRect& r)
{
    return "(" + number(r.origin.x) + ", " + number(r.origin.y) + ", " + number(r.size.width) + ", "
        + number(r.size.height) + ")";
}

std::string nameOf(const kit::UIView& view)
{
    return std::string(view.className()) + "#" + std::to_string(view.tag());
}

// Why a view a person might look for does not show, or nothing when it does.
std::optional<std::string> whyNotVisible(const kit::UIView& view)
{
    for (const kit::UIView* v = &view; v; v = v->superview()) {
        bool self = v == &view;
        bool isWindow = !v->superview();
        std::string where = self ? "" : isWindow ? " window" : " superview " + nameOf(*v);
        if (v->isHidden())
            return self ? std::string("hidden=yes") : "in a hidden" + where;
        if (v->alpha() <= 0)
            return self ? std::string("alpha=0") : "in a" + where + " with alpha=0";
    }
    auto frame = kit::screenFrame(view);
    auto screen = kit::UIScreen::mainScreen()->bounds();
    auto overlap = kit::CGRectIntersection(frame, screen);
    if (kit::CGRectIsNull(overlap) || overlap.size.width <= 0 || overlap.size.height <= 0)
        return "off screen at " + rectText(frame);
    return std::nullopt;
}

// Every view of the application's windows that matches, front-most first:
// the front window first, and in each the last subview first.
void collect(kit::UIView* view, const std::function<bool(const kit::UIView&)>& matches,
    std::vector<kit::UIView*>& found)
{
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        collect(it->get(), matches, found);
    if (matches(*view))
        found.push_back(view);
}

ScreenFinding find(const std::function<bool(const kit::UIView&)>& matches)
{
    std::vector<kit::UIView*> found;
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        collect(*it, matches, found);
    if (found.empty())
        return { false, "none in any window" };
    std::optional<std::string> frontMostReason;
    for (auto* view : found) {
        auto reason = whyNotVisible(*view);
        if (!reason)
            return { true, nameOf(*view) + " at " + rectText(kit::screenFrame(*view)) };
        if (!frontMostReason)
            frontMostReason = reason;
    }
    return { false, std::to_string(found.size()) + ", not visible: " + *frontMostReason };
}

}

ScreenFinding findView(const std::string& className, std::optional<int> tag)
{
    return find([&](const kit::UIView& view) {
        return view.isMemberOfClassNamed(className) && (!tag || view.tag() == *tag);
    });
}

ScreenFinding findText(const std::string& text)
{
    return find([&](const kit::UIView& view) {
        if (auto* label = dynamic_cast<const kit::UILabel*>(&view))
            return label->text() == text;
        if (auto* button = dynamic_cast<const kit::UIButton*>(&view))
            return button->currentTitle() == text;
        return false;
    });
}

}
