#include "SettingsBundleTest.h"

#include "common/SettingsKeys.h"
#include "settings/Bundle_Template_Controller.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"
#include "settings/MainViewController.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/DeviceProfile.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/PSViewController.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UIWindow.h"
#include "resources/artwork/ArtworkWriter.h"

#include <plist/plist.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace settingstest {

void SettingsBundleTest::SetUp()
{
    kit::RunLoop::main().resetWithVirtualClock();
    std::random_device random;
    m_root = std::filesystem::temp_directory_path() / ("settings-bundle-" + std::to_string(random()));
    ASSERT_TRUE(kit::DeviceRoot::prepare(m_root));
    auto bundle = m_root / vantor::kBundlePath;
    std::filesystem::create_directories(bundle);
    for (const auto& layout : std::filesystem::directory_iterator(VANTOR_LAYOUTS_FOLDER))
        std::filesystem::copy_file(layout.path(), bundle / layout.path().filename());
    // The bundle's drawn images, as the build stages them beside the layouts.
    for (const auto& image : std::filesystem::directory_iterator(VANTOR_BUNDLE_IMAGES_FOLDER))
        std::filesystem::copy_file(image.path(), bundle / image.path().filename());
    kit::DeviceRoot::set(m_root);
    vantor::prefs::resetGlobals();
}

void SettingsBundleTest::TearDown()
{
    m_navigation.reset();
    m_list.reset();
    if (m_window)
        m_window->setHidden(true);
    m_window.reset();
    kit::RunLoop::main().resetWithVirtualClock();
    kit::DeviceRoot::clear();
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

void SettingsBundleTest::becomeSettingsApp(const std::string& model, bool answersIdiom)
{
    const auto* profile = kit::DeviceProfile::forModel(model);
    ASSERT_TRUE(profile) << model;
    auto identity = profile->processIdentity("com.apple.Preferences");
    identity.workingDirectory = "/";
    if (!answersIdiom)
        identity.interfaceIdiom.reset();
    kit::ProcessIdentity::set(identity);
}

std::shared_ptr<vantor::Bundle_Template_Controller> SettingsBundleTest::openEntry(const std::string& model)
{
    if (kit::ProcessIdentity::current().machine != model)
        becomeSettingsApp(model);
    auto screen = kit::UIScreen::mainScreen()->bounds();
    m_list = std::make_shared<kit::PSViewController>();
    m_list->setTitle("Settings");
    m_navigation = kit::UINavigationController::withRootViewController(m_list);
    m_window = std::make_shared<kit::UIWindow>(screen);
    m_window->setRootViewController(m_navigation);
    m_window->makeKeyAndVisible();

    auto created = kit::objc_getClass("Bundle_Template_Controller")->createInstance();
    auto entry = std::dynamic_pointer_cast<vantor::Bundle_Template_Controller>(created);
    EXPECT_TRUE(entry);
    if (!entry)
        return nullptr;
    auto top = kit::UINavigationController::statusBarHeight + kit::UINavigationController::navigationBarHeight;
    EXPECT_TRUE(entry->initForContentSize({ screen.size.width, screen.size.height - top }));
    entry->setParentController(m_list);
    entry->setTitle(entry->navigationTitle());
    m_navigation->pushViewController(entry, true);
    kit::RunLoop::main().advance(1);
    return entry;
}

vantor::MainViewController* SettingsBundleTest::mainPage() const
{
    for (const auto& controller : m_navigation->viewControllers())
        if (auto* entry = dynamic_cast<vantor::Bundle_Template_Controller*>(controller.get()))
            return entry->mainViewComtroller().get();
    return nullptr;
}

kit::UIViewController* SettingsBundleTest::frontPage() const { return m_navigation->topViewController(); }

namespace {

kit::UIControl* findControl(kit::UIView* view, kit::SEL selector)
{
    if (!view || view->isHidden())
        return nullptr;
    const auto& subviews = view->subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
        if (auto* found = findControl(it->get(), selector))
            return found;
    if (auto* control = dynamic_cast<kit::UIControl*>(view)) {
        for (auto action : control->actionSelectorsForControlEvents(kit::UIControlEventAllEvents))
            if (action == selector)
                return control;
    }
    return nullptr;
}

}

kit::UIControl* SettingsBundleTest::control(const std::string& selector) const
{
    auto* page = frontPage();
    return page ? findControl(page->view(), kit::sel_registerName(selector)) : nullptr;
}

// As a person would, the content is dragged until the view shows.
void SettingsBundleTest::scrollIntoView(kit::UIView* view)
{
    for (auto* ancestor = view->superview(); ancestor; ancestor = ancestor->superview()) {
        auto* scroll = dynamic_cast<kit::UIScrollView*>(ancestor);
        if (!scroll)
            continue;
        auto frame = view->convertRectToView(view->bounds(), scroll);
        auto visible = scroll->bounds();
        if (frame.origin.y >= visible.origin.y
            && frame.origin.y + frame.size.height <= visible.origin.y + visible.size.height)
            return;
        auto lowest = std::max<kit::CGFloat>(0, scroll->maximumContentOffset().y);
        auto y = std::clamp<kit::CGFloat>(frame.origin.y - visible.size.height / 2, 0, lowest);
        scroll->setContentOffset({ visible.origin.x, y });
        return;
    }
}

void SettingsBundleTest::tap(kit::UIView* view)
{
    ASSERT_TRUE(view);
    scrollIntoView(view);
    auto bounds = view->bounds();
    auto centre = view->convertPointToView({ bounds.origin.x + bounds.size.width / 2,
                                              bounds.origin.y + bounds.size.height / 2 },
        nullptr);
    auto& touches = kit::TouchDelivery::shared();
    touches.down(centre, 0);
    kit::RunLoop::main().advance(0.05);
    touches.up(centre, 0);
    kit::RunLoop::main().advance(1);
}

void SettingsBundleTest::back()
{
    for (const auto& view : m_navigation->navigationBar()->subviews()) {
        if (auto* button = dynamic_cast<kit::UIButton*>(view.get()); button && !button->isHidden()) {
            tap(button);
            return;
        }
    }
    ADD_FAILURE() << "no back button";
}

std::filesystem::path SettingsBundleTest::settingsFile() const
{
    return kit::DeviceRoot::resolve(vantor::settings::settingsAppPath);
}

void SettingsBundleTest::writeSettings(const kit::PropertyList::Dictionary& dictionary)
{
    ASSERT_TRUE(kit::writePropertyListFile(dictionary, settingsFile()));
}

void SettingsBundleTest::writeSettingsBytes(const std::string& bytes)
{
    std::filesystem::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile(), std::ios::binary) << bytes;
}

std::optional<std::map<std::string, SettingsBundleTest::Stored>> SettingsBundleTest::readSettings() const
{
    std::ifstream in(settingsFile(), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream bytes;
    bytes << in.rdbuf();
    auto text = bytes.str();
    plist_t root = nullptr;
    plist_from_memory(text.data(), uint32_t(text.size()), &root);
    if (!root || plist_get_node_type(root) != PLIST_DICT) {
        if (root)
            plist_free(root);
        return std::nullopt;
    }
    std::map<std::string, Stored> entries;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root, &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root, iterator, &key, &value);
        if (!key)
            break;
        Stored stored;
        switch (plist_get_node_type(value)) {
        case PLIST_BOOLEAN: {
            uint8_t flag = 0;
            plist_get_bool_val(value, &flag);
            stored.kind = "boolean";
            stored.boolean = flag;
            break;
        }
        case PLIST_UINT: {
            uint64_t number = 0;
            plist_get_uint_val(value, &number);
            stored.kind = "integer";
            stored.integer = int64_t(number);
            break;
        }
        case PLIST_STRING: {
            char* string = nullptr;
            plist_get_string_val(value, &string);
            stored.kind = "string";
            stored.string = string ? string : "";
            free(string);
            break;
        }
        case PLIST_DATA: {
            char* data = nullptr;
            uint64_t length = 0;
            plist_get_data_val(value, &data, &length);
            stored.kind = "data";
            stored.data.assign(data, data + length);
            free(data);
            break;
        }
        default:
            stored.kind = "other";
        }
        entries[key] = stored;
        free(key);
    }
    free(iterator);
    plist_free(root);
    return entries;
}

}
