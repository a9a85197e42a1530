#pragma once

#include "Scenario.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace sim::testing {

// Events queued for the window's next frame, as a person's mouse and keys
// make them.
inline void push(SDL_Event event)
{
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

inline SDL_Event mouse(Uint32 type, int x, int y)
{
    SDL_Event event {};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.x = x;
        event.motion.y = y;
    } else {
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
    }
    return event;
}

inline SDL_Event key(SDL_Keycode code)
{
    SDL_Event event {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    return event;
}

// A folder of the test's own, removed afterwards; SDL without a display.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
        m_folder = std::filesystem::temp_directory_path()
            / ("sim-window-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    static Scenario scenario(std::string_view text)
    {
        auto parsed = Scenario::parse(text);
        EXPECT_TRUE(std::holds_alternative<Scenario>(parsed));
        return std::holds_alternative<Scenario>(parsed) ? std::get<Scenario>(parsed) : Scenario {};
    }

    std::filesystem::path m_folder;
};

}
