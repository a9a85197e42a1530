#include "settings/Bundle_Template_Controller.h"

#include "settings/ActiveFeaturesViewController.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"
#include "settings/MainViewController.h"
#include "settings/ManualViewController.h"
#include "settings/TimeStampViewController.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIDevice.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITableView.h"

namespace vantor {

KIT_REGISTER_CLASS(Bundle_Template_Controller);

namespace {

// The Settings app creates the entry by name.
[[maybe_unused]] const bool registered = [] {
    Bundle_Template_Controller::staticClass()->setFactory(
        [] { return std::make_shared<Bundle_Template_Controller>(); });
    return true;
}();

template <typename Page>
std::shared_ptr<Page> pageFromLayout(SettingsPage which)
{
    auto page = std::make_shared<Page>();
    page->initWithNibName(layoutName(which), kit::NSBundle::bundleWithPath(kBundlePath));
    return page;
}

}

kit::PSViewController* Bundle_Template_Controller::initForContentSize(kit::CGSize size)
{
    if (!kit::PSViewController::initForContentSize(size))
        return nullptr;
    auto* device = kit::UIDevice::currentDevice();
    prefs::IS_IPAD = device && device->respondsToSelector(kit::sel_registerName("userInterfaceIdiom"))
        && device->userInterfaceIdiom() == kit::UIUserInterfaceIdiomPad;
    prefs::IS_IPHONE_4 = kit::UIScreen::mainScreen()->bounds().size.height == 480;

    m_mainViewComtroller = pageFromLayout<MainViewController>(SettingsPage::Main);
    m_mainViewComtroller->setDelegate(strongRef<Bundle_Template_Controller>());
    // The entry is not placed yet, so this shows nothing by itself: the
    // Settings app shows the entry, whose view is the main page's.
    pushController(m_mainViewComtroller);
    return this;
}

Bundle_Template_Controller::~Bundle_Template_Controller()
{
    if (m_tableView) {
        m_tableView->setDelegate({});
        m_tableView->setDataSource({});
    }
}

void Bundle_Template_Controller::loadView()
{
    if (m_mainViewComtroller)
        setView(m_mainViewComtroller->viewShared());
    else
        kit::PSViewController::loadView();
}

kit::CGSize Bundle_Template_Controller::contentSize() const
{
    return m_tableView ? m_tableView->frame().size : kit::CGSize {};
}

void Bundle_Template_Controller::manualButtonTapped(kit::id)
{
    pushController(pageFromLayout<ManualViewController>(SettingsPage::Manual));
}

void Bundle_Template_Controller::ShowTimeStampSetup(kit::id)
{
    auto page = pageFromLayout<TimeStampViewController>(SettingsPage::TimeStamp);
    page->setDelegate(strongRef<Bundle_Template_Controller>());
    pushController(page);
}

void Bundle_Template_Controller::ShowActiveFeatures(kit::id)
{
    auto page = pageFromLayout<ActiveFeaturesViewController>(SettingsPage::Features);
    page->setDelegate(strongRef<Bundle_Template_Controller>());
    pushController(page);
}

void Bundle_Template_Controller::setObjectForKeyInPreferences(kit::PropertyList object, std::string_view ForKey)
{
    if (m_mainViewComtroller)
        m_mainViewComtroller->setObjectForKeyInPreferences(std::move(object), ForKey);
}

void Bundle_Template_Controller::writePreferencesToFile()
{
    if (m_mainViewComtroller)
        m_mainViewComtroller->writePreferencesToFile();
}

void Bundle_Template_Controller::pushController(std::shared_ptr<kit::UIViewController> controller)
{
    kit::PSViewController::pushController(std::move(controller));
}

}
