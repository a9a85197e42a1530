#include "WindowInput.h"

#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace sim {

namespace fs = std::filesystem;

WindowInput::WindowInput(double scale, fs::path screenshots)
    : m_scale(scale > 0 ? scale : 1)
    , m_screenshotFolder(std::move(screenshots))
{
}

std::optional<WindowAction> WindowInput::actionForKey(SDL_Keycode key)
{
    switch (key) {
    case SDLK_SPACE:
        return WindowAction::Shutter;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS:
    case SDLK_PAGEUP:
        return WindowAction::VolumeUp;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
    case SDLK_PAGEDOWN:
        return WindowAction::VolumeDown;
    case SDLK_UP:
        return WindowAction::Portrait;
    case SDLK_DOWN:
        return WindowAction::UpsideDown;
    case SDLK_LEFT:
        return WindowAction::LandscapeLeft;
    case SDLK_RIGHT:
        return WindowAction::LandscapeRight;
    case SDLK_f:
        return WindowAction::FaceUp;
    case SDLK_LEFTBRACKET:
        return WindowAction::TiltLeft;
    case SDLK_RIGHTBRACKET:
        return WindowAction::TiltRight;
    case SDLK_h:
    case SDLK_HOME:
        return WindowAction::Home;
    case SDLK_l:
    case SDLK_END:
        return WindowAction::SideButton;
    case SDLK_TAB:
        return WindowAction::SwitchApp;
    case SDLK_m:
        return WindowAction::MemoryWarning;
    case SDLK_s:
        return WindowAction::Screenshot;
    case SDLK_q:
    case SDLK_ESCAPE:
        return WindowAction::Quit;
    case SDLK_COMMA:
        return WindowAction::LightWarmer;
    case SDLK_PERIOD:
        return WindowAction::LightCooler;
    case SDLK_SEMICOLON:
        return WindowAction::LightDarker;
    case SDLK_QUOTE:
        return WindowAction::LightBrighter;
    case SDLK_SLASH:
        return WindowAction::LightOfTheScene;
    default:
        return std::nullopt;
    }
}

kit::CGPoint WindowInput::screenPoint(double x, double y) const
{
    return kit::CGPointMake(x / m_scale, y / m_scale);
}

double WindowInput::wheelScale(int notches)
{
    return std::pow(1.1, std::clamp(notches, -10, 10));
}

std::optional<host::Gravity> WindowInput::holdFor(WindowAction action)
{
    switch (action) {
    case WindowAction::Portrait:
        return turn(1);
    case WindowAction::UpsideDown:
        return turn(2);
    case WindowAction::LandscapeLeft:
        return turn(4);
    case WindowAction::LandscapeRight:
        return turn(3);
    case WindowAction::FaceUp:
        return turn(5);
    case WindowAction::TiltLeft:
        return tilt(-0.5);
    case WindowAction::TiltRight:
        return tilt(0.5);
    default:
        return std::nullopt;
    }
}

host::Gravity WindowInput::turn(int orientation)
{
    // Turning the device holds it square again.
    m_orientation = orientation;
    m_tiltDegrees = 0;
    return *host::DeviceOrientation::gravityFor(orientation);
}

host::Gravity WindowInput::tilt(double degrees)
{
    m_tiltDegrees = std::clamp(m_tiltDegrees + degrees, -45.0, 45.0);
    double a = m_tiltDegrees * std::numbers::pi / 180;
    double s = std::sin(a), c = std::cos(a);
    // The held orientation's gravity turned about the axis that keeps the
    // orientation: the screen's normal while upright, the device's long axis
    // while it lies face up.
    switch (m_orientation) {
    case 1:
        return { s, -c, 0 };
    case 2:
        return { -s, c, 0 };
    case 3:
        return { -c, -s, 0 };
    case 4:
        return { c, s, 0 };
    case 6:
        return { s, 0, c };
    default:
        return { s, 0, -c };
    }
}

void WindowInput::hold(const host::Gravity& g)
{
    auto orientation = host::DeviceOrientation::orientationFor(g);
    auto base = orientation ? host::DeviceOrientation::gravityFor(*orientation) : std::nullopt;
    if (!base)
        return; // free fall: still held as before
    m_orientation = *orientation;
    // The signed angle from the square gravity, about the axis tilt() turns it.
    double a = 0;
    if (m_orientation <= 4)
        a = std::atan2(base->x * g.y - base->y * g.x, base->x * g.x + base->y * g.y);
    else
        a = std::atan2(g.x, m_orientation == 5 ? -g.z : g.z);
    m_tiltDegrees = std::clamp(a * 180 / std::numbers::pi, -45.0, 45.0);
}

void WindowInput::follow(const Command& command)
{
    if (auto* rotate = std::get_if<command::Rotate>(&command)) {
        if (auto g = host::DeviceOrientation::gravityFor(rotate->orientation))
            hold(*g);
    } else if (auto* gravity = std::get_if<command::Gravity>(&command)) {
        hold({ gravity->x, gravity->y, gravity->z });
    } else if (std::holds_alternative<command::Background>(command)) {
        m_inBackground = true;
    } else if (std::holds_alternative<command::Foreground>(command)) {
        m_inBackground = false;
    } else if (auto* light = std::get_if<command::Light>(&command)) {
        m_light = light->automatic ? std::nullopt : std::optional(hardware::LightSetting { light->kelvin, light->stops });
    }
}

std::optional<hardware::LightSetting> WindowInput::lightFor(WindowAction action)
{
    auto light = m_light.value_or(hardware::LightSetting {});
    switch (action) {
    case WindowAction::LightWarmer:
    case WindowAction::LightCooler: {
        // The colour temperatures of common lights, from a candle to a blue sky.
        static constexpr double steps[] = { 1500, 2000, 2800, 3500, 4500, 5500, 6500, 8000, 10000, 15000 };
        auto next = std::upper_bound(std::begin(steps), std::end(steps), light.kelvin);
        auto previous = std::lower_bound(std::begin(steps), std::end(steps), light.kelvin);
        if (action == WindowAction::LightCooler && next != std::end(steps))
            light.kelvin = *next;
        else if (action == WindowAction::LightWarmer && previous != std::begin(steps))
            light.kelvin = *(previous - 1);
        m_light = light;
        break;
    }
    case WindowAction::LightDarker:
    case WindowAction::LightBrighter:
        light.stops = std::clamp(light.stops + (action == WindowAction::LightBrighter ? 1 : -1),
            hardware::kLowestLightStops, hardware::kHighestLightStops);
        m_light = light;
        break;
    default:
        m_light.reset();
        break;
    }
    return m_light;
}

void WindowInput::takeScreenshot(const std::function<bool(const fs::path&)>& write)
{
    std::error_code error;
    fs::create_directories(m_screenshotFolder, error);
    fs::path path;
    // Never over an earlier screenshot of this or another session.
    do {
        char name[32];
        std::snprintf(name, sizeof name, "window-%03d.png", ++m_screenshotCount);
        path = m_screenshotFolder / name;
    } while (fs::exists(path, error));
    if (write(path)) {
        m_lastScreenshot = path;
        kit::logf("vantor-sim: screenshot %s", path.c_str());
    } else {
        kit::logf("vantor-sim: cannot write the screenshot %s", path.c_str());
    }
}

}
