#include "../host_settings/SettingsTestRoot.h"

#include "SimWindow.h"
#include "WindowTestSupport.h"

#include <SDL2/SDL.h>

#include <algorithm>

using namespace sim;
using namespace sim::testing;

namespace {

constexpr double frameTime = 1.0 / 60;

// The screen's top bar: black in the camera, light in the Settings app.
uint32_t topBarColour(const SimWindow& window)
{
    auto shown = window.shownScreen();
    return shown ? shown->pixel(shown->width() - 4, 30) & 0xffffff : 0;
}

}

TEST_F(WindowTest, TabBringsTheSettingsAppToTheFrontAndTheMouseWorksOnItsPages)
{
    SettingsTestRoot root;
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    std::vector<std::string> lines;
    WindowOptions options;
    options.run.deviceRoot = root.path();
    options.run.outputFolder = m_folder / "out";
    options.run.loadExtension = false;
    options.run.settingsEntry = "TestPrefs";
    options.run.systemLog = [&](const std::string& line) { lines.push_back(line); };
    options.scale = 1;
    auto opened = SimWindow::open(std::move(options));
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<SimWindow>>(opened)) << std::get<std::string>(opened);
    auto& window = *std::get<std::unique_ptr<SimWindow>>(opened);
    ASSERT_TRUE(window.frame(frameTime));
    EXPECT_EQ(topBarColour(window), 0u);

    push(key(SDLK_TAB));
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(window.frame(frameTime));
    EXPECT_EQ(window.player().session().front(), ScenarioSession::App::Settings);
    EXPECT_GT(topBarColour(window) & 0xff, 0xe0u);

    // The page's switch, a row below the bar: 64 points of bars, the row at 35.
    push(mouse(SDL_MOUSEBUTTONDOWN, 279, 120));
    ASSERT_TRUE(window.frame(frameTime));
    push(mouse(SDL_MOUSEBUTTONUP, 279, 120));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(window.frame(frameTime));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TestPrefs: feature off"), lines.end());

    push(key(SDLK_TAB));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(window.frame(frameTime));
    EXPECT_EQ(window.player().session().front(), ScenarioSession::App::Camera);
    EXPECT_EQ(topBarColour(window), 0u);
    push(key(SDLK_q));
    EXPECT_FALSE(window.frame(frameTime));
}
