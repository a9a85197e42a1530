#include "SettingsBundleTest.h"

#include "settings/Bundle_Template_Controller.h"
#include "settings/LayoutNames.h"
#include "settings/ManualViewController.h"

#include "kit/foundation/RunLoop.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIView.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using settingstest::SettingsBundleTest;
using vantor::ManualViewController;

class ManualPageTest : public SettingsBundleTest {
protected:
    // Opens the entry on that model and taps the main page's manual button.
    ManualViewController* openManual(const std::string& model)
    {
        openEntry(model);
        tap(control("ManualButtonTapped:"));
        return dynamic_cast<ManualViewController*>(frontPage());
    }

    // The tags of the pages stacked on the manual's own view, bottom to top.
    static std::vector<int64_t> stackedPages(ManualViewController* manual)
    {
        std::vector<int64_t> tags;
        for (const auto& view : manual->view()->subviews())
            if (view->tag() >= 102)
                tags.push_back(view->tag());
        return tags;
    }

    // A button of that page itself (not of a page stacked on it).
    static kit::UIButton* pageButton(kit::UIView* page, const std::string& selector)
    {
        for (const auto& view : page->subviews()) {
            auto* button = dynamic_cast<kit::UIButton*>(view.get());
            if (!button || view->tag() >= 102)
                continue;
            for (auto action : button->actionSelectorsForControlEvents(kit::UIControlEventTouchUpInside))
                if (action == kit::sel_registerName(selector))
                    return button;
        }
        return nullptr;
    }

    static kit::UIView* topPage(ManualViewController* manual)
    {
        auto tags = stackedPages(manual);
        return tags.empty() ? manual->view() : manual->view()->viewWithTag(tags.back());
    }

    static const kit::animation::Transition* runningTransition(ManualViewController* manual)
    {
        return manual->view()->runningTransition(kit::RunLoop::main().now());
    }

    // A sender as a layout's button would be, with that tag.
    static std::shared_ptr<kit::UIButton> buttonTagged(int64_t tag)
    {
        auto button = std::make_shared<kit::UIButton>(kit::CGRectMake(0, 0, 10, 10));
        button->setTag(tag);
        return button;
    }
};

TEST_F(ManualPageTest, TheManualButtonOpensTheFirstPageOfTheDeviceClass)
{
    const std::map<std::string, std::string> firstPages {
        { "iPhone6,1", "ManualPage1_iphone" },
        { "iPhone3,1", "ManualPage1_iphone_4" },
        { "iPad4,1", "ManualPage1_ipad" },
    };
    for (const auto& [model, layout] : firstPages) {
        auto* manual = openManual(model);
        ASSERT_TRUE(manual) << model;
        EXPECT_EQ(manual->nibName(), layout);
        EXPECT_TRUE(pageButton(manual->view(), "onNext:")) << model;
        EXPECT_FALSE(pageButton(manual->view(), "onPrev:")) << model << ": the first page has no previous";
        back();
        EXPECT_NE(frontPage(), manual) << model;
    }
}

// Pages 2 to 4 come from the layouts of the device class: the 3.5-inch
// iPhone's pages fit its shorter screen, the iPad's its larger one.
TEST_F(ManualPageTest, LaterPagesAreLoadedWithTheDeviceSuffix)
{
    const std::map<std::string, kit::CGSize> pageSizes {
        { "iPhone3,1", { 320, 416 } },
        { "iPad4,1", { 768, 960 } },
        { "iPhone6,1", { 320, 504 } },
    };
    for (const auto& [model, size] : pageSizes) {
        auto* manual = openManual(model);
        ASSERT_TRUE(manual) << model;
        for (int page = 1; page <= 3; ++page)
            tap(pageButton(topPage(manual), "onNext:"));
        ASSERT_EQ(stackedPages(manual), (std::vector<int64_t> { 102, 103, 104 })) << model;
        for (auto tag : { 102, 103, 104 }) {
            auto frame = manual->view()->viewWithTag(tag)->frame();
            EXPECT_EQ(frame.size.width, size.width) << model << " page tagged " << tag;
            EXPECT_EQ(frame.size.height, size.height) << model << " page tagged " << tag;
        }
        back();
    }
}

TEST_F(ManualPageTest, ForwardToTheLastPageAndBackLeavesOnlyTheFirst)
{
    auto* manual = openManual("iPhone6,1");
    ASSERT_TRUE(manual);
    auto ownViews = manual->view()->subviews().size();

    for (int page = 1; page <= 3; ++page) {
        auto* next = pageButton(topPage(manual), "onNext:");
        ASSERT_TRUE(next) << "page " << page;
        EXPECT_EQ(next->tag(), page);
        tap(next);
    }
    EXPECT_EQ(stackedPages(manual), (std::vector<int64_t> { 102, 103, 104 }));
    EXPECT_FALSE(pageButton(topPage(manual), "onNext:")) << "the last page has no next";

    for (int page = 4; page >= 2; --page) {
        auto* previous = pageButton(topPage(manual), "onPrev:");
        ASSERT_TRUE(previous) << "page " << page;
        EXPECT_EQ(previous->tag(), page);
        tap(previous);
    }
    EXPECT_TRUE(stackedPages(manual).empty());
    EXPECT_EQ(manual->view()->subviews().size(), ownViews);
    EXPECT_EQ(frontPage(), manual);
}

// Each turn is one animation of 1.0 s: the curl up to stack a page, the
// curl down to take it off.
TEST_F(ManualPageTest, EachPageTurnIsAOneSecondCurl)
{
    auto* manual = openManual("iPhone6,1");
    ASSERT_TRUE(manual);

    manual->onNext(buttonTagged(1).get());
    EXPECT_EQ(stackedPages(manual), (std::vector<int64_t> { 102 })) << "the page is stacked at once";
    auto* curl = runningTransition(manual);
    ASSERT_TRUE(curl);
    EXPECT_EQ(curl->type, kit::UIViewAnimationTransitionCurlUp);
    EXPECT_EQ(int(curl->type), 3);
    EXPECT_DOUBLE_EQ(curl->timing.duration, ManualViewController::pageTurnDuration);
    EXPECT_DOUBLE_EQ(ManualViewController::pageTurnDuration, 1.0);
    kit::RunLoop::main().advance(0.99);
    EXPECT_TRUE(runningTransition(manual));
    kit::RunLoop::main().advance(0.02);
    EXPECT_FALSE(runningTransition(manual));

    manual->onPrev(buttonTagged(2).get());
    EXPECT_TRUE(stackedPages(manual).empty()) << "the page is taken off at once";
    curl = runningTransition(manual);
    ASSERT_TRUE(curl);
    EXPECT_EQ(int(curl->type), 4);
    EXPECT_DOUBLE_EQ(curl->timing.duration, 1.0);
    kit::RunLoop::main().advance(0.99);
    EXPECT_TRUE(runningTransition(manual));
    kit::RunLoop::main().advance(0.02);
    EXPECT_FALSE(runningTransition(manual));
}

TEST_F(ManualPageTest, APreviousButtonWhosePageIsNotShownDoesNothing)
{
    auto* manual = openManual("iPhone6,1");
    ASSERT_TRUE(manual);
    manual->onPrev(buttonTagged(2).get());
    EXPECT_FALSE(runningTransition(manual)) << "no curl over an unchanged page";

    tap(pageButton(manual->view(), "onNext:"));
    manual->onPrev(buttonTagged(3).get());
    manual->onPrev(buttonTagged(4).get());
    EXPECT_EQ(stackedPages(manual), (std::vector<int64_t> { 102 }));
    EXPECT_FALSE(runningTransition(manual));
}

// Only the tags of the buttons on the pages mean something; a sender that
// is no view counts as tag 0.
TEST_F(ManualPageTest, TagsOutsideTheTableDoNothing)
{
    auto* manual = openManual("iPhone6,1");
    ASSERT_TRUE(manual);
    auto ownViews = manual->view()->subviews().size();
    for (int64_t tag : { 0, 4, 5, 102, -1 })
        manual->onNext(buttonTagged(tag).get());
    manual->onNext(nullptr);
    EXPECT_EQ(manual->view()->subviews().size(), ownViews);
    EXPECT_FALSE(runningTransition(manual));

    tap(pageButton(manual->view(), "onNext:"));
    for (int64_t tag : { 0, 1, 5, 102, -4 })
        manual->onPrev(buttonTagged(tag).get());
    manual->onPrev(nullptr);
    EXPECT_EQ(stackedPages(manual), (std::vector<int64_t> { 102 }));
    EXPECT_FALSE(runningTransition(manual));
}

// A layout is refused whole when an outlet, action, class, property or
// picture is wrong, so loading each one catches a typo in any of them.
TEST_F(ManualPageTest, EveryPageLayoutLoadsOnEveryDeviceWithItsButtonsWired)
{
    becomeSettingsApp("iPhone6,1");
    auto bundle = kit::NSBundle::bundleWithPath(vantor::kBundlePath);
    const std::map<std::string, kit::CGSize> devices {
        { "iphone", { 320, 504 } }, { "iphone_4", { 320, 416 } }, { "ipad", { 768, 960 } } };
    for (const auto& [suffix, size] : devices) {
        for (int page = 1; page <= 4; ++page) {
            auto name = "ManualPage" + std::to_string(page) + "_" + suffix;
            auto owner = std::make_shared<ManualViewController>();
            auto loaded = kit::UINib::nibWithNibName(name, bundle)->instantiate(owner.get());
            if (auto* refused = std::get_if<std::string>(&loaded)) {
                ADD_FAILURE() << name << " refused: " << *refused;
                continue;
            }
            const auto& contents = std::get<kit::NibContents>(loaded);
            ASSERT_EQ(contents.topLevelViews.size(), 1u) << name;
            EXPECT_EQ(contents.topLevelViews.front()->frame().size.width, size.width) << name;
            EXPECT_EQ(contents.topLevelViews.front()->frame().size.height, size.height) << name;

            std::set<std::string> wanted;
            if (page < 4)
                wanted.insert("onNext:");
            if (page > 1)
                wanted.insert("onPrev:");
            std::set<std::string> wired;
            for (const auto& action : contents.actions) {
                wired.insert(action.selector);
                EXPECT_EQ(action.control->tag(), page) << name << " " << action.selector;
                EXPECT_EQ(action.events, kit::UIControlEventTouchUpInside) << name;
            }
            EXPECT_EQ(wired, wanted) << name;
            EXPECT_EQ(contents.actions.size(), wanted.size()) << name;

            // Only the first page is the controller's own view.
            std::set<std::string> outlets;
            for (const auto& outlet : contents.outlets)
                outlets.insert(outlet.name);
            EXPECT_EQ(outlets, page == 1 ? std::set<std::string> { "view" } : std::set<std::string> {}) << name;

            int pictures = 0;
            for (const auto& view : contents.topLevelViews.front()->subviews())
                if (auto* image = dynamic_cast<kit::UIImageView*>(view.get()); image && image->image())
                    ++pictures;
            EXPECT_GE(pictures, 2) << name << " shows the camera's artwork";
        }
    }
}

}
