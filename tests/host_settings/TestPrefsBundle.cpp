// A small preference bundle for the Settings app's tests: an entry that
// shows a page from its layout "TestPage" (a switch and a button), the way a
// real bundle does, and a second page the button opens.

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/PSViewController.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UISwitch.h"

#include <cstdlib>

namespace testprefs {

class TestPrefsPage : public kit::PSViewController {
    KIT_OBJECT(TestPrefsPage, kit::PSViewController)
public:
    std::shared_ptr<kit::UISwitch> featureSwitch;
    std::shared_ptr<kit::UIButton> moreButton;
    std::weak_ptr<kit::PSViewController> delegate;

    void featureSwitched(kit::id)
    {
        kit::logf("TestPrefs: feature %s", featureSwitch && featureSwitch->isOn() ? "on" : "off");
    }
    void showMore(kit::id)
    {
        auto more = std::make_shared<kit::PSViewController>();
        more->setTitle("More");
        if (auto entry = delegate.lock())
            entry->pushController(more);
    }
};

// The entry: creates its page and pushes it while it is being created, as
// the real entry does, and shows the page's view as its own.
class TestPrefsController : public kit::PSViewController {
    KIT_OBJECT(TestPrefsController, kit::PSViewController)
public:
    std::shared_ptr<TestPrefsPage> page;

    PSViewController* initForContentSize(kit::CGSize size) override
    {
        if (!PSViewController::initForContentSize(size))
            return nullptr;
        page = std::make_shared<TestPrefsPage>();
        page->initWithNibName("TestPage", kit::NSBundle::bundleWithPath("Library/PreferenceBundles/TestPrefs.bundle"));
        page->delegate = std::dynamic_pointer_cast<kit::PSViewController>(strongRef<kit::UIViewController>());
        pushController(page);
        return this;
    }
    std::string navigationTitle() const override { return "Test Entry"; }
    void loadView() override { setView(page->viewShared()); }
};

// An entry that ends its process while it is being created.
class CrashingController : public kit::PSViewController {
    KIT_OBJECT(CrashingController, kit::PSViewController)
public:
    PSViewController* initForContentSize(kit::CGSize) override { std::abort(); }
};

// An entry class that is not a page controller.
class NotAController : public kit::Object {
    KIT_OBJECT(NotAController, kit::Object)
};

KIT_REGISTER_CLASS(TestPrefsPage);
KIT_REGISTER_CLASS(TestPrefsController);
KIT_REGISTER_CLASS(NotAController);
KIT_REGISTER_CLASS(CrashingController);

namespace {

[[maybe_unused]] const bool declared = [] {
    TestPrefsController::staticClass()->setFactory([] { return std::make_shared<TestPrefsController>(); });
    NotAController::staticClass()->setFactory([] { return std::make_shared<NotAController>(); });
    CrashingController::staticClass()->setFactory([] { return std::make_shared<CrashingController>(); });
    kit::registerOutlet("featureSwitch", &TestPrefsPage::featureSwitch);
    kit::registerOutlet("moreButton", &TestPrefsPage::moreButton);
    kit::registerAction<&TestPrefsPage::featureSwitched>("featureSwitched:");
    kit::registerAction<&TestPrefsPage::showMore>("showMore:");
    return true;
}();

}

}
