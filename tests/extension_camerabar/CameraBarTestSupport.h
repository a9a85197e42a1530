#pragma once

#include "extension/camerabar/CameraBar.h"
#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/startup/Globals.h"
#include "extension/startup/InitVariables.h"
#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/NSNotificationCenter.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace camerabar_test {

inline constexpr const char* settingsFile = "/User/Library/Preferences/com.quillon.Vantor2.plist";

// A fresh device root, a freshly loaded extension state and the host's
// camera view and top bar, on a virtual clock. The camera bar itself is made
// by each case, since its creation reads the settings file.
class CameraBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit::RunLoop::main().resetWithVirtualClock();
        kit::ProcessIdentity identity;
        identity.bundleIdentifier = "com.apple.camera";
        kit::ProcessIdentity::set(identity);
        root = std::filesystem::temp_directory_path()
            / ("camerabar-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        ASSERT_TRUE(kit::DeviceRoot::prepare(root));
        kit::DeviceRoot::set(root);
        vantor::resetGlobalsToLoadValues();
        vantor::InitVariables();

        hostView = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, 320, 568));
        topBar = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, 320, 40));
        vantor::cameraView = hostView;
        vantor::_CAMTopBar = topBar;
    }

    void TearDown() override
    {
        vantor::resetGlobalsToLoadValues();
        kit::NSNotificationCenter::defaultCenter().removeAllObservers();
        kit::RunLoop::main().resetWithVirtualClock();
        kit::DeviceRoot::clear();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    static void writeSettings(const kit::PropertyList::Dictionary& settings)
    {
        ASSERT_TRUE(kit::writeToFile(settings, settingsFile, true));
    }

    static kit::PropertyList::Dictionary savedSettings()
    {
        return kit::dictionaryWithContentsOfFile(settingsFile).value_or(kit::PropertyList::Dictionary {});
    }

    // The captions on screen, oldest first.
    static std::vector<vantor::CustomTransparentFilledLabel*> captionsIn(const kit::UIView& parent)
    {
        std::vector<vantor::CustomTransparentFilledLabel*> found;
        for (const auto& view : parent.subviews())
            if (auto* label = dynamic_cast<vantor::CustomTransparentFilledLabel*>(view.get()))
                found.push_back(label);
        return found;
    }

    static void advance(double seconds) { kit::RunLoop::main().advance(seconds); }

    std::filesystem::path root;
    std::shared_ptr<kit::UIView> hostView;
    std::shared_ptr<kit::UIView> topBar;

private:
    static int& counter()
    {
        static int value = 0;
        return value;
    }
};

}
