#include "settings/ManualViewController.h"

#include "settings/Globals.h"
#include "settings/LayoutNames.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIView.h"

#include <cstdint>
#include <string_view>

namespace vantor {

KIT_REGISTER_CLASS(ManualViewController);

// What the manual's layouts connect.
[[maybe_unused]] static const bool manualViewControllerConnections = [] {
    using C = ManualViewController;
    kit::registerAction<&C::onNext>("onNext:");
    kit::registerAction<&C::onPrev>("onPrev:");
    return true;
}();

namespace {

// Where a button stands, by its tag (the number of the page it is on).
struct NextPage {
    int64_t senderTag;
    std::string_view prefix;
    int64_t viewTag;
};
constexpr NextPage nextPages[] = {
    { 1, "ManualPage2_", 102 },
    { 2, "ManualPage3_", 103 },
    { 3, "ManualPage4_", 104 },
};

struct ShownPage {
    int64_t senderTag;
    int64_t viewTag;
};
constexpr ShownPage shownPages[] = {
    { 2, 102 },
    { 3, 103 },
    { 4, 104 },
};

int64_t tagOf(kit::id sender)
{
    auto* view = kit::cast<kit::UIView>(sender);
    return view ? view->tag() : 0;
}

std::string_view deviceSuffix()
{
    return prefs::IS_IPAD ? "ipad" : prefs::IS_IPHONE_4 ? "iphone_4" : "iphone";
}

}

kit::UIViewController* ManualViewController::initWithNibName(std::string nibName, std::shared_ptr<kit::NSBundle> bundle)
{
    return kit::UIViewController::initWithNibName(std::move(nibName), std::move(bundle));
}

void ManualViewController::viewDidLoad()
{
    kit::UIViewController::viewDidLoad();
}

void ManualViewController::onNext(kit::id sender)
{
    const NextPage* next = nullptr;
    for (const auto& page : nextPages)
        if (page.senderTag == tagOf(sender))
            next = &page;
    if (!next)
        return;

    // "%@%@": the prefix, then the device suffix.
    auto name = std::string(next->prefix) + std::string(deviceSuffix());
    auto views = kit::loadNibNamed(kit::NSBundle::bundleWithPath(kBundlePath), name, this);
    if (!views || views->empty())
        return;
    auto page = views->front();
    page->setTag(next->viewTag);

    kit::UIView::beginAnimations({}, nullptr);
    kit::UIView::setAnimationDuration(pageTurnDuration);
    kit::UIView::setAnimationTransition(kit::UIViewAnimationTransitionCurlUp, view(), true);
    view()->addSubview(page);
    kit::UIView::commitAnimations();
}

void ManualViewController::onPrev(kit::id sender)
{
    const ShownPage* shown = nullptr;
    for (const auto& page : shownPages)
        if (page.senderTag == tagOf(sender))
            shown = &page;
    if (!shown)
        return;

    auto* page = view()->viewWithTag(shown->viewTag);
    if (!page)
        return;

    kit::UIView::beginAnimations({}, nullptr);
    kit::UIView::setAnimationDuration(pageTurnDuration);
    kit::UIView::setAnimationTransition(kit::UIViewAnimationTransitionCurlDown, view(), true);
    page->removeFromSuperview();
    kit::UIView::commitAnimations();
}

}
