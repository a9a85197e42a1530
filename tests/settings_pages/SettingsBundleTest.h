#pragma once

#include "kit/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kit {
class PSViewController;
class UIControl;
class UINavigationController;
class UIView;
class UIViewController;
class UIWindow;
}

namespace vantor {
class Bundle_Template_Controller;
class MainViewController;
}

namespace settingstest {

// A fresh device root holding the settings bundle's layouts, the bundle's
// globals at their load values, and the virtual clock.
//
// openEntry() does what the Settings app does when the user taps the entry:
// it creates Bundle_Template_Controller by name, runs initForContentSize
// and pushes it over a root list in a navigation controller on the screen.
class SettingsBundleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The process runs on that model, as the Settings app; its idiom may be
    // taken away to model a system that does not answer the query.
    void becomeSettingsApp(const std::string& model, bool answersIdiom = true);
    std::shared_ptr<vantor::Bundle_Template_Controller> openEntry(const std::string& model = "iPhone6,1");

    vantor::MainViewController* mainPage() const;
    kit::UIViewController* frontPage() const;
    kit::UINavigationController* navigation() const { return m_navigation.get(); }

    // The visible control of the front page whose action is that selector;
    // nothing when there is none.
    kit::UIControl* control(const std::string& selector) const;

    // A finger on the centre of the view, through touch delivery; the
    // slides that follow have finished afterwards.
    void tap(kit::UIView*);
    void scrollIntoView(kit::UIView*);
    // The top page's back button.
    void back();

    // The settings file at its device path; read with libplist.
    std::filesystem::path settingsFile() const;
    void writeSettings(const kit::PropertyList::Dictionary&);
    void writeSettingsBytes(const std::string&);
    // The file as libplist reads it: nothing when it is missing or is not a
    // dictionary.
    struct Stored {
        std::string kind; // "integer", "boolean", "string", "data", ...
        int64_t integer { 0 };
        bool boolean { false };
        std::string string;
        std::vector<uint8_t> data;
    };
    std::optional<std::map<std::string, Stored>> readSettings() const;

    std::filesystem::path m_root;

private:
    std::shared_ptr<kit::UIWindow> m_window;
    std::shared_ptr<kit::UINavigationController> m_navigation;
    std::shared_ptr<kit::PSViewController> m_list;
};

}
