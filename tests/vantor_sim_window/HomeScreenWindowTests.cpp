// The home screen in the window: the home and side buttons on keys, the
// mouse on its icons, its slider and its camera grabber.

#include "SimWindow.h"
#include "WindowTestSupport.h"

#include <SDL2/SDL.h>

using namespace sim;
using namespace sim::testing;

namespace {

constexpr double frameTime = 1.0 / 60;

}

TEST_F(WindowTest, TheButtonsAreKeysAndTheMouseWorksTheHomeScreenAndTheLockScreen)
{
    WindowOptions options;
    options.run.deviceRoot = m_folder / "root";
    options.run.outputFolder = m_folder / "out";
    options.run.loadExtension = false;
    options.scale = 1;
    auto opened = SimWindow::open(std::move(options));
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<SimWindow>>(opened)) << std::get<std::string>(opened);
    auto& window = *std::get<std::unique_ptr<SimWindow>>(opened);
    auto& session = window.player().session();
    auto frames = [&](int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(window.frame(frameTime));
    };
    // A finger from one point to another over a few frames.
    auto drag = [&](int x1, int y1, int x2, int y2) {
        push(mouse(SDL_MOUSEBUTTONDOWN, x1, y1));
        frames(1);
        for (int step = 1; step <= 4; ++step) {
            push(mouse(SDL_MOUSEMOTION, x1 + (x2 - x1) * step / 4, y1 + (y2 - y1) * step / 4));
            frames(1);
        }
        push(mouse(SDL_MOUSEBUTTONUP, x2, y2));
        frames(6);
    };
    frames(1);
    ASSERT_EQ(session.front(), ScenarioSession::App::Camera);

    push(key(SDLK_h));
    frames(6);
    EXPECT_EQ(session.frontScreen(), Front::HomeScreen);
    // The Camera icon, first in the top row, opens the camera app again.
    drag(40, 57, 40, 57);
    EXPECT_EQ(session.frontScreen(), Front::Camera);

    // Locked, the slider slid across unlocks and the camera comes back.
    push(key(SDLK_l));
    frames(6);
    EXPECT_EQ(session.frontScreen(), Front::LockScreen);
    drag(40, 468, 290, 468);
    EXPECT_EQ(session.frontScreen(), Front::Camera);

    // The grabber pulled up opens the lock screen's camera; the home button closes it.
    push(key(SDLK_l));
    frames(6);
    drag(298, 546, 298, 250);
    EXPECT_EQ(session.frontScreen(), Front::LockCamera);
    push(key(SDLK_h));
    frames(6);
    EXPECT_EQ(session.frontScreen(), Front::LockScreen);
    push(key(SDLK_q));
    EXPECT_FALSE(window.frame(frameTime));
}
