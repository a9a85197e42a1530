#pragma once

#include <optional>
#include <string_view>

namespace host {

// What the home screen shows: nothing of its own (an app is in front), the
// lock screen, the camera on it, or the home screen with the apps' icons.
enum class SpringBoardScreen { App, LockScreen, LockCamera, HomeScreen };

// "app", "lock-screen", "lock-camera", "home-screen", as the home-screen
// process tells its driver.
constexpr const char* nameOf(SpringBoardScreen screen)
{
    switch (screen) {
    case SpringBoardScreen::App:
        return "app";
    case SpringBoardScreen::LockScreen:
        return "lock-screen";
    case SpringBoardScreen::LockCamera:
        return "lock-camera";
    case SpringBoardScreen::HomeScreen:
        return "home-screen";
    }
    return "app";
}

constexpr std::optional<SpringBoardScreen> springBoardScreenNamed(std::string_view name)
{
    for (auto screen : { SpringBoardScreen::App, SpringBoardScreen::LockScreen, SpringBoardScreen::LockCamera,
             SpringBoardScreen::HomeScreen }) {
        if (name == nameOf(screen))
            return screen;
    }
    return std::nullopt;
}

}
