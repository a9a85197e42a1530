#include "WindowInput.h"
#include "WindowTestSupport.h"

#include "host/camera/Phone.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/MotionSimulator.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

using namespace sim;
using sim::testing::WindowTest;
namespace fs = std::filesystem;

TEST(WindowInputKeys, EachKeyStandsForOneOfThePhonesInputs)
{
    const std::pair<SDL_Keycode, WindowAction> keys[] = {
        { SDLK_SPACE, WindowAction::Shutter },
        { SDLK_PLUS, WindowAction::VolumeUp },
        { SDLK_PAGEUP, WindowAction::VolumeUp },
        { SDLK_MINUS, WindowAction::VolumeDown },
        { SDLK_PAGEDOWN, WindowAction::VolumeDown },
        { SDLK_UP, WindowAction::Portrait },
        { SDLK_DOWN, WindowAction::UpsideDown },
        { SDLK_LEFT, WindowAction::LandscapeLeft },
        { SDLK_RIGHT, WindowAction::LandscapeRight },
        { SDLK_f, WindowAction::FaceUp },
        { SDLK_LEFTBRACKET, WindowAction::TiltLeft },
        { SDLK_RIGHTBRACKET, WindowAction::TiltRight },
        { SDLK_h, WindowAction::Home },
        { SDLK_HOME, WindowAction::Home },
        { SDLK_l, WindowAction::SideButton },
        { SDLK_END, WindowAction::SideButton },
        { SDLK_m, WindowAction::MemoryWarning },
        { SDLK_s, WindowAction::Screenshot },
        { SDLK_q, WindowAction::Quit },
        { SDLK_ESCAPE, WindowAction::Quit },
        { SDLK_COMMA, WindowAction::LightWarmer },
        { SDLK_PERIOD, WindowAction::LightCooler },
        { SDLK_SEMICOLON, WindowAction::LightDarker },
        { SDLK_QUOTE, WindowAction::LightBrighter },
        { SDLK_SLASH, WindowAction::LightOfTheScene },
    };
    for (auto [key, action] : keys)
        EXPECT_EQ(WindowInput::actionForKey(key), action) << "key " << key;
    EXPECT_FALSE(WindowInput::actionForKey(SDLK_x));
}

TEST(WindowInputMouse, WindowPixelsBecomeScreenPointsThroughTheScale)
{
    WindowInput input(1.5, {});
    auto point = input.screenPoint(300, 150);
    EXPECT_DOUBLE_EQ(point.x, 200);
    EXPECT_DOUBLE_EQ(point.y, 100);
    // A scale that is not positive is taken as one pixel a point.
    WindowInput unscaled(0, {});
    EXPECT_DOUBLE_EQ(unscaled.screenPoint(7, 9).x, 7);
}

TEST(WindowInputLight, LightKeysStepThroughCommonLightsAndStopAtTheirEnds)
{
    // Only what the keys ask of the phone matters here.
    struct LightOnly {
        std::vector<std::optional<hardware::LightSetting>> asked;
        void setLight(std::optional<hardware::LightSetting> light) { asked.push_back(light); }
        void pressShutter() { }
        void pressVolume(bool) { }
        void memoryWarning() { }
        bool screenshot(const fs::path&) { return false; }
        void setGravity(double, double, double) { }
    } phone;
    WindowInput input(1, {});
    input.perform(phone, WindowAction::LightWarmer);
    ASSERT_TRUE(input.light());
    EXPECT_EQ(input.light()->kelvin, 4500);
    input.perform(phone, WindowAction::LightCooler);
    input.perform(phone, WindowAction::LightCooler);
    EXPECT_EQ(input.light()->kelvin, 6500);
    for (int i = 0; i < 12; ++i)
        input.perform(phone, WindowAction::LightCooler);
    EXPECT_EQ(input.light()->kelvin, 15000);
    for (int i = 0; i < 12; ++i)
        input.perform(phone, WindowAction::LightBrighter);
    EXPECT_EQ(input.light()->stops, 10);
    EXPECT_EQ(input.light()->kelvin, 15000);
    input.perform(phone, WindowAction::LightDarker);
    EXPECT_EQ(input.light()->stops, 9);
    input.perform(phone, WindowAction::LightOfTheScene);
    EXPECT_FALSE(input.light());
    // The phone was told each time, the scene's own light last.
    ASSERT_EQ(phone.asked.size(), 29u);
    EXPECT_EQ(phone.asked[0], (hardware::LightSetting { 4500, 0 }));
    EXPECT_FALSE(phone.asked.back());
}

class WindowInputTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        kit::RunLoop::main().resetWithVirtualClock();
        host::PhoneOptions options;
        options.deviceRoot = m_folder / "root";
        options.loadExtension = false;
        options.eventLog = [this](const std::string& line) { m_events += line + "\n"; };
        auto started = host::Phone::start(std::move(options));
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<host::Phone>>(started));
        m_phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
        m_phone->launch();
        m_phone->advance(0.5);
    }
    void TearDown() override
    {
        if (m_phone)
            m_phone->quit();
        m_phone.reset();
        WindowTest::TearDown();
    }

    std::unique_ptr<host::Phone> m_phone;
    std::string m_events;
};

TEST_F(WindowInputTest, ArrowsTurnTheDeviceAndBracketsTiltItWithoutTurning)
{
    WindowInput input(2, m_folder / "out");
    input.perform(*m_phone, WindowAction::LandscapeLeft);
    m_phone->advance(0.5);
    EXPECT_EQ(m_phone->deviceOrientation(), 4);
    for (int i = 0; i < 3; ++i)
        input.perform(*m_phone, WindowAction::TiltRight);
    input.perform(*m_phone, WindowAction::TiltLeft);
    m_phone->advance(0.5);
    EXPECT_DOUBLE_EQ(input.tiltDegrees(), 1.0);
    EXPECT_EQ(input.heldOrientation(), 4);
    EXPECT_EQ(m_phone->deviceOrientation(), 4);
    // Turning holds the device square again.
    input.perform(*m_phone, WindowAction::LandscapeRight);
    m_phone->advance(0.5);
    EXPECT_EQ(m_phone->deviceOrientation(), 3);
    EXPECT_DOUBLE_EQ(input.tiltDegrees(), 0);
    // Face up keeps the last upright orientation.
    input.perform(*m_phone, WindowAction::FaceUp);
    m_phone->advance(0.5);
    EXPECT_EQ(input.heldOrientation(), 5);
    EXPECT_EQ(m_phone->deviceOrientation(), 3);
}

TEST_F(WindowInputTest, TiltKeysTurnWhatTheMotionSensorReports)
{
    // The horizon level reads the roll from the motion samples: each key
    // press turns it by half a degree about the held orientation.
    WindowInput input(2, m_folder / "out");
    input.perform(*m_phone, WindowAction::Portrait);
    m_phone->advance(0.5);
    auto roll = [this] {
        auto g = kit::MotionSimulator::gravityAt(m_phone->now());
        return std::atan2(g.x, g.y);
    };
    EXPECT_NEAR(std::fabs(roll()), std::numbers::pi, 1e-9);
    input.perform(*m_phone, WindowAction::TiltRight);
    input.perform(*m_phone, WindowAction::TiltRight);
    m_phone->advance(0.5);
    EXPECT_NEAR(std::fabs(roll()), std::numbers::pi - std::numbers::pi / 180, 1e-9);
    input.perform(*m_phone, WindowAction::LandscapeLeft);
    input.perform(*m_phone, WindowAction::TiltLeft);
    m_phone->advance(0.5);
    EXPECT_NEAR(std::fabs(roll()), std::numbers::pi / 2 + std::numbers::pi / 360, 1e-9);
}

TEST_F(WindowInputTest, SpaceTakesAPhotoAndThePhonesButtonsAreTheWindows)
{
    WindowInput input(2, m_folder / "out");
    input.perform(*m_phone, WindowAction::Shutter);
    m_phone->advance(2);
    EXPECT_EQ(m_phone->cameraRoll().size(), 1u);

    // The home and side buttons belong to the home screen, which the window
    // reaches through its session: the camera app alone stays in front.
    input.perform(*m_phone, WindowAction::Home);
    input.perform(*m_phone, WindowAction::SideButton);
    EXPECT_FALSE(input.isInBackground());
    EXPECT_TRUE(m_phone->isRunning());
}

TEST_F(WindowInputTest, ScreenshotsNeverReplaceEarlierOnes)
{
    WindowInput input(2, m_folder / "out");
    input.perform(*m_phone, WindowAction::Screenshot);
    WindowInput again(2, m_folder / "out");
    again.perform(*m_phone, WindowAction::Screenshot);
    EXPECT_TRUE(fs::exists(m_folder / "out" / "window-001.png"));
    EXPECT_TRUE(fs::exists(m_folder / "out" / "window-002.png"));
    ASSERT_TRUE(again.lastScreenshot());
    EXPECT_EQ(again.lastScreenshot()->filename(), "window-002.png");
}

TEST_F(WindowInputTest, AMoveOrReleaseWithoutAPressTouchesNothing)
{
    WindowInput input(2, m_folder / "out");
    auto before = m_events;
    input.mouseMove(*m_phone, 100, 100);
    input.mouseUp(*m_phone, 100, 100);
    m_phone->advance(0.5);
    EXPECT_EQ(m_events, before);
    input.perform(*m_phone, WindowAction::Quit);
    EXPECT_TRUE(input.wantsQuit());
}

TEST(WindowInputFollowing, ScriptLinesThatMoveTheDeviceAreWhatThePanelTells)
{
    WindowInput input(2, {});
    input.follow(command::Rotate { 4 });
    EXPECT_EQ(input.heldOrientation(), 4);
    EXPECT_DOUBLE_EQ(input.tiltDegrees(), 0);
    // One degree clockwise from landscape left.
    input.follow(command::Gravity { std::cos(M_PI / 180), std::sin(M_PI / 180), 0 });
    EXPECT_EQ(input.heldOrientation(), 4);
    EXPECT_NEAR(input.tiltDegrees(), 1.0, 1e-9);
    input.follow(command::Gravity { 0.02, 0, -0.9998 });
    EXPECT_EQ(input.heldOrientation(), 5);
    EXPECT_GT(input.tiltDegrees(), 1.0);
    // Free fall tells nothing new.
    input.follow(command::Gravity { 0, 0, 0 });
    EXPECT_EQ(input.heldOrientation(), 5);
    input.follow(command::Background {});
    EXPECT_TRUE(input.isInBackground());
    input.follow(command::Foreground {});
    EXPECT_FALSE(input.isInBackground());
}

TEST_F(WindowInputTest, TiltingGoesOnFromWhereAScriptLeftTheDevice)
{
    WindowInput input(2, m_folder / "out");
    input.follow(command::Gravity { std::sin(M_PI / 180), -std::cos(M_PI / 180), 0 });
    input.perform(*m_phone, WindowAction::TiltRight);
    m_phone->advance(0.5);
    EXPECT_NEAR(input.tiltDegrees(), 1.5, 1e-9);
    EXPECT_EQ(m_phone->deviceOrientation(), 1);
}
