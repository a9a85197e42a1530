// The camera on the lock screen: the home screen's process loads the
// extension through the same loader and filter, and closing its camera takes
// the extension apart through the preview's stop and the view's release,
// with no application going to the background.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/FocusView.h"
#include "extension/capture/MainOverlay.h"
#include "extension/startup/Globals.h"

#include "host/common/ScreenTouches.h"
#include "host/springboard/SpringBoard.h"

#include "kit/foundation/NSNotificationCenter.h"
#include "kit/foundation/ProcessIdentity.h"

#include <algorithm>

namespace {

using Screen = host::SpringBoardScreen;

class LockScreenCamera : public extensiontest::ExtensionTest {
protected:
    void SetUp() override
    {
        ExtensionTest::SetUp();
        installExtension();
        writeSettings({ { "rememberSettings", true }, { "showHelpHowToShow", false } });
        host::SpringBoardOptions options;
        options.deviceRoot = m_root;
        options.eventLog = [log = m_log](const std::string& line) { log->push_back(line); };
        auto started = host::SpringBoard::start(std::move(options));
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<host::SpringBoard>>(started));
        m_springBoard = std::move(std::get<std::unique_ptr<host::SpringBoard>>(started));
        m_backgroundObserver = kit::NSNotificationCenter::defaultCenter().addObserverForName(
            kit::UIApplicationDidEnterBackgroundNotification, nullptr,
            [this](const kit::NSNotification&) { ++m_backgroundNotifications; });
    }
    void TearDown() override
    {
        kit::NSNotificationCenter::defaultCenter().removeObserver(m_backgroundObserver);
        m_springBoard.reset();
        ExtensionTest::TearDown();
    }

    int64_t savedTimerTime() const
    {
        auto settings = readSettings();
        if (!settings || !settings->contains("timerTime"))
            return -1;
        return settings->at("timerTime").integer() ? *settings->at("timerTime").integer() : -1;
    }

    std::unique_ptr<host::SpringBoard> m_springBoard;
    kit::NSNotificationCenter::Token m_backgroundObserver { 0 };
    int m_backgroundNotifications { 0 };
};

}

TEST_F(LockScreenCamera, TheHomeScreensProcessLoadsTheExtensionThroughItsFilter)
{
    EXPECT_EQ(kit::ProcessIdentity::current().bundleIdentifier, "com.apple.springboard");
    EXPECT_TRUE(logged("loaded Vantor2 into com.apple.springboard"));
    // Nothing of the camera exists before its grabber is swiped up.
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_EQ(m_springBoard->swipeCameraGrabberUp(), "the lock screen is not in front");
}

TEST_F(LockScreenCamera, ClosingStopsThePreviewAndReleasesTheViewWithoutTheAppGoingToTheBackground)
{
    m_springBoard->pressSideButton();
    std::weak_ptr<vantor::CameraBar> earlier;
    // Closed by the side button, the home button, and the lock screen
    // pulled back down by its edge at the top of the screen.
    for (int opening = 0; opening < 3; ++opening) {
        SCOPED_TRACE(opening);
        ASSERT_EQ(m_springBoard->swipeCameraGrabberUp(), std::nullopt);
        EXPECT_EQ(m_springBoard->screen(), Screen::LockCamera);
        ASSERT_TRUE(vantor::cameraBar);
        EXPECT_TRUE(earlier.expired()) << "each opening makes its own camera bar";
        earlier = vantor::cameraBar;
        std::weak_ptr<vantor::MainOverlay> overlay = vantor::mainOverlay;
        std::weak_ptr<vantor::FocusView> reticle = vantor::focusView;
        EXPECT_FALSE(overlay.expired());
        EXPECT_FALSE(reticle.expired());
        EXPECT_FALSE(vantor::cameraView.expired());

        // A choice made in this session is what the save point writes.
        vantor::_timerTime = 12 + opening;
        auto before = m_log->size();
        if (opening == 0)
            m_springBoard->pressSideButton();
        else if (opening == 1)
            m_springBoard->pressHomeButton();
        else
            host::touches::drag({ 160, 4 }, { 160, 400 }, 0.3);

        EXPECT_EQ(m_springBoard->screen(), Screen::LockScreen);
        EXPECT_FALSE(vantor::cameraBar);
        EXPECT_TRUE(earlier.expired()) << "nothing else keeps the camera bar alive";
        EXPECT_TRUE(overlay.expired());
        EXPECT_TRUE(reticle.expired());
        EXPECT_TRUE(vantor::cameraView.expired());
        EXPECT_FALSE(vantor::prefsDictionary);
        EXPECT_TRUE(vantor::killtimer);
        EXPECT_EQ(savedTimerTime(), 12 + opening);
        EXPECT_EQ(m_backgroundNotifications, 0);

        std::vector<std::string> closing;
        auto all = events();
        closing.assign(all.begin() + long(before), all.end());
        auto stop = std::find(closing.begin(), closing.end(), "PLCameraView stopPreviewAnimated:");
        auto release = std::find(closing.begin(), closing.end(), "PLCameraView dealloc");
        EXPECT_TRUE(stop < release && release != closing.end()) << "the preview stops, then the view goes";
        EXPECT_EQ(std::count(closing.begin(), closing.end(), "PLCameraView animateBlurForSuspension"), 0);
    }
}

TEST_F(LockScreenCamera, TheSideButtonOnTheCameraClosesItAtOnceAndTheHomeButtonOnTheLockScreenDoesNothing)
{
    m_springBoard->pressSideButton();
    m_springBoard->pressHomeButton();
    EXPECT_EQ(m_springBoard->screen(), Screen::LockScreen);
    ASSERT_EQ(m_springBoard->swipeCameraGrabberUp(), std::nullopt);
    m_springBoard->pressSideButton();
    EXPECT_EQ(m_springBoard->screen(), Screen::LockScreen);
    EXPECT_FALSE(m_springBoard->camera());
    EXPECT_FALSE(vantor::cameraBar);
    // Unlocked, the home screen shows; the side button locks it again.
    ASSERT_EQ(m_springBoard->slideToUnlock(), std::nullopt);
    EXPECT_EQ(m_springBoard->screen(), Screen::HomeScreen);
    EXPECT_EQ(m_springBoard->swipeCameraGrabberUp(), "the lock screen is not in front");
    m_springBoard->pressSideButton();
    EXPECT_EQ(m_springBoard->screen(), Screen::LockScreen);
}
