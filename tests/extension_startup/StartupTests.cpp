#include "ExtensionTest.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/DeviceProfile.h"

#include <algorithm>

extern "C" void Vantor2Initialize();

namespace {

using extensiontest::ExtensionTest;

class StartupTest : public ExtensionTest {
protected:
    void initializeIn(const std::string& model, const std::string& bundleIdentifier)
    {
        auto* profile = kit::DeviceProfile::forModel(model);
        ASSERT_NE(profile, nullptr) << model;
        kit::ProcessIdentity::set(profile->processIdentity(bundleIdentifier));
        Vantor2Initialize();
    }

    static bool logHas(const std::string& text)
    {
        auto lines = kit::SystemLog::recentLines();
        return std::any_of(
            lines.begin(), lines.end(), [&](const auto& line) { return line.find(text) != std::string::npos; });
    }
};

// Only the device flags are set in a process the extension does not serve;
// the state is not reset (the load values stay) and nothing is replaced.
TEST_F(StartupTest, AnotherProcessGetsDeviceFlagsButNoResetState)
{
    initializeIn("iPhone6,1", "com.apple.mobilesafari");
    EXPECT_TRUE(vantor::IS_IPHONE_5S);
    EXPECT_TRUE(vantor::IS_IPHONE_5S_SCREEN_SIZE);
    EXPECT_EQ(vantor::kFocusAndExposureTopOffset, 0);
    EXPECT_FALSE(vantor::canFocus);
    EXPECT_EQ(vantor::guideIndex, 0);
    EXPECT_DOUBLE_EQ(vantor::zoomViewYPortrait, 0);
    EXPECT_TRUE(logHas("com.apple.mobilesafari"));
}

TEST_F(StartupTest, DeviceFlagsFollowModelAndScreen)
{
    struct Case {
        const char* model;
        bool iPad, iPhone5S, screen568;
        int topOffset;
    };
    const Case cases[] = {
        { "iPhone6,1", false, true, true, 0 },
        { "iPhone6,2", false, true, true, 0 },
        { "iPhone5,1", false, false, true, 0 },
        { "iPhone5,3", false, false, true, 0 },
        { "iPhone4,1", false, false, false, 32 },
        { "iPad4,1", true, false, false, 32 },
        // Too old to answer the idiom query: a phone.
        { "iPhone1,1", false, false, false, 32 },
    };
    for (const auto& c : cases) {
        initializeIn(c.model, "com.apple.mobilesafari");
        EXPECT_EQ(vantor::IS_IPAD, c.iPad) << c.model;
        EXPECT_EQ(vantor::IS_IPHONE_5S, c.iPhone5S) << c.model;
        EXPECT_EQ(vantor::IS_IPHONE_5S_SCREEN_SIZE, c.screen568) << c.model;
        EXPECT_EQ(vantor::kFocusAndExposureTopOffset, c.topOffset) << c.model;
    }
}

// In the camera the state starts from its reset values and the start-up line
// names the process and the system version.
TEST_F(StartupTest, CameraProcessResetsStateAndLogsItsStartUp)
{
    auto phone = startPhone("iPhone4,1");
    ASSERT_TRUE(phone);
    phone->launch();
    EXPECT_TRUE(logHas("com.apple.camera, system version"));
    EXPECT_FALSE(vantor::IS_IPHONE_5S);
    EXPECT_EQ(vantor::kFocusAndExposureTopOffset, 32);
    // The photo mode starts advanced: the reticles take focus and exposure.
    EXPECT_TRUE(vantor::UseAdvancedCamera);
    EXPECT_FALSE(vantor::canExpose);
    EXPECT_TRUE(vantor::canWhiteBalance);
    EXPECT_EQ(vantor::guideIndex, 3);
    EXPECT_EQ(vantor::resolutionIndex, 1);
    EXPECT_EQ(vantor::globalFrameRateTime, 30);
    EXPECT_DOUBLE_EQ(vantor::zoomViewYPortrait, 310);
    EXPECT_DOUBLE_EQ(vantor::maxXForZoom, -200);
    // The preview has started: the settings were read and the camera bar made.
    EXPECT_TRUE(vantor::_didSetPrefs);
    EXPECT_TRUE(vantor::cameraBar);
    EXPECT_FALSE(vantor::cameraController.expired());
    phone->quit();
}

}
