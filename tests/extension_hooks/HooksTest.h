#pragma once

// A camera run with the extension loaded, and the ways the hook tests reach
// into it: the host's controller and view, messages sent as the host sends
// them, and the host's event log.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/startup/Globals.h"

#include "kit/foundation/DarwinNotificationCenter.h"
#include "kit/foundation/RunLoop.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <functional>
#include <string>

namespace hookstest {

inline kit::SEL sel(const char* name) { return kit::sel_registerName(name); }

// The first view of exactly that class in the app's windows, front to back.
inline kit::UIView* findView(kit::UIView* root, const std::string& className)
{
    if (!root)
        return nullptr;
    if (className == root->className())
        return root;
    for (const auto& sub : root->subviews()) {
        if (auto* found = findView(sub.get(), className))
            return found;
    }
    return nullptr;
}

inline kit::UIView* findView(const std::string& className)
{
    for (auto* window : kit::UIApplication::sharedApplication()->windows()) {
        if (auto* found = findView(window, className))
            return found;
    }
    return nullptr;
}

// Counts the Darwin notifications of one name delivered while it lives.
class DarwinCounter {
public:
    explicit DarwinCounter(std::string name)
        : m_name(std::move(name))
    {
        kit::CFNotificationCenterAddObserver(kit::CFNotificationCenterGetDarwinNotifyCenter(), this, &received, m_name,
            nullptr, kit::CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    ~DarwinCounter()
    {
        kit::CFNotificationCenterRemoveEveryObserver(kit::CFNotificationCenterGetDarwinNotifyCenter(), this);
    }
    DarwinCounter(const DarwinCounter&) = delete;
    DarwinCounter& operator=(const DarwinCounter&) = delete;

    int count() const { return m_count; }

private:
    static void received(kit::CFNotificationCenterRef, void* observer, const std::string&, const void*, kit::CFDictionaryRef)
    {
        ++static_cast<DarwinCounter*>(observer)->m_count;
    }

    std::string m_name;
    int m_count { 0 };
};

class HooksTest : public extensiontest::ExtensionTest {
protected:
    // Starts and launches a phone; the camera then runs in photo mode with
    // the extension's camera bar. The photo mode is the standard one, where
    // the host's own focus and exposure are in charge, unless asked for the
    // advanced one.
    void launch(const std::string& model = "iPhone6,1", bool advancedPhotoMode = false,
        kit::PropertyList::Dictionary settings = {})
    {
        settings["advPhotoModeAsDefault"] = int64_t(advancedPhotoMode ? 1 : 0);
        if (!settings.contains("showHelpHowToShow"))
            settings["showHelpHowToShow"] = false;
        writeSettings(settings);
        m_phone = startPhone(model);
        ASSERT_TRUE(m_phone);
        m_phone->launch();
        ASSERT_TRUE(vantor::cameraBar) << "the camera bar is made when the preview starts";
    }

    // The phone ends (through the hooks) while the device root still exists.
    void TearDown() override
    {
        m_phone.reset();
        ExtensionTest::TearDown();
    }

    kit::id controller() const { return kit::msgSendClass<kit::id>(kit::objc_getClass("PLCameraController"), sel("sharedInstance")); }
    kit::UIView* view() const { return findView("PLCameraView"); }
    vantor::CameraBar& bar() const { return *vantor::cameraBar; }

    int photos() const
    {
        auto roll = m_phone->cameraRoll();
        return int(std::count_if(roll.begin(), roll.end(), [](const auto& path) { return path.extension() == ".JPG"; }));
    }

    // How often the host's log holds exactly this line.
    int count(const std::string& line) const
    {
        auto lines = events();
        return int(std::count(lines.begin(), lines.end(), line));
    }

    // Lines logged while the work runs.
    std::vector<std::string> eventsDuring(const std::function<void()>& work)
    {
        auto before = m_log->size();
        work();
        std::vector<std::string> lines;
        auto all = events();
        lines.assign(all.begin() + long(before), all.end());
        return lines;
    }

    static int occurrences(const std::vector<std::string>& lines, const std::string& line)
    {
        return int(std::count(lines.begin(), lines.end(), line));
    }

    std::unique_ptr<host::Phone> m_phone;
};

}
