#pragma once

#include "Scenario.h"

#include "host/camera/DeviceOrientation.h"

#include "hardware/camera/LightSetting.h"

#include "kit/ui/Geometry.h"

#include <SDL2/SDL_keycode.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace sim {

// What the window's keys stand for: the phone's own buttons and the ways a
// person holds it.
enum class WindowAction {
    Shutter,
    VolumeUp,
    VolumeDown,
    Portrait,
    UpsideDown,
    LandscapeLeft,
    LandscapeRight,
    FaceUp,
    TiltLeft,
    TiltRight,
    // The phone's home and side buttons, which the window presses through
    // the session (the home screen's process).
    Home,
    SideButton,
    MemoryWarning,
    Screenshot,
    Quit,
    // Tab: the other app to the front (the camera or the Settings app).
    SwitchApp,
    // The light on the scene: its colour and level, or the scene's own.
    LightWarmer,
    LightCooler,
    LightDarker,
    LightBrighter,
    LightOfTheScene,
};

// Turns the window's mouse and keys into the phone's inputs. The mouse is
// one finger: window pixels become screen points through the window's scale
// (window pixels per point). It knows no SDL beyond key codes, so tests drive
// it directly. The phone is anything that takes a person's inputs: the
// camera app alone (host::Phone), or the whole phone of a session, whose
// camera in front takes the camera's keys.
class WindowInput {
public:
    // The help line the side panel shows.
    static constexpr const char* helpText = "space shutter · +/- volume · arrows turn · f face up · [ ] tilt 0.5° · "
                                            "h home · l lock · m memory warning · s screenshot · Tab camera/Settings · "
                                            ", . light warmer/cooler · ; ' darker/brighter · / the scene's own light · "
                                            "q quit";

    // `screenshots`: the folder a screenshot key writes into.
    WindowInput(double scale, std::filesystem::path screenshots);

    static std::optional<WindowAction> actionForKey(SDL_Keycode);

    // --- The finger; window pixel coordinates. A move or release without a
    // press is ignored, as a mouse moving over the window touches nothing.
    // The screen is the app in front: anything with touchDown, touchMove
    // and touchUp taking screen points.
    template <typename Screen>
    void mouseDown(Screen& screen, double x, double y)
    {
        // A second press without a release (the button released outside the
        // window) ends the first touch where it was pressed again.
        if (m_fingerDown)
            screen.touchUp(screenPoint(x, y));
        m_fingerDown = true;
        screen.touchDown(screenPoint(x, y));
    }
    template <typename Screen>
    void mouseMove(Screen& screen, double x, double y)
    {
        if (m_fingerDown)
            screen.touchMove(screenPoint(x, y));
    }
    template <typename Screen>
    void mouseUp(Screen& screen, double x, double y)
    {
        if (!m_fingerDown)
            return;
        m_fingerDown = false;
        screen.touchUp(screenPoint(x, y));
    }
    // Wheel notches: away from the person zooms in, each notch by 10 %.
    template <typename Phone>
    void wheel(Phone& phone, int notches)
    {
        if (notches == 0 || m_fingerDown)
            return;
        phone.pinch(wheelScale(notches));
    }

    // The keys of the camera and the device; the phone's buttons, Tab and
    // quit are the window's own (SimWindow) and do nothing here.
    template <typename Phone>
    void perform(Phone& phone, WindowAction action)
    {
        switch (action) {
        case WindowAction::Shutter:
            phone.pressShutter();
            break;
        case WindowAction::VolumeUp:
        case WindowAction::VolumeDown:
            phone.pressVolume(action == WindowAction::VolumeUp);
            break;
        case WindowAction::MemoryWarning:
            phone.memoryWarning();
            break;
        case WindowAction::Screenshot:
            takeScreenshot([&](const std::filesystem::path& path) { return phone.screenshot(path); });
            break;
        case WindowAction::Quit:
            requestQuit();
            break;
        case WindowAction::Home:
        case WindowAction::SideButton:
        case WindowAction::SwitchApp:
            break;
        case WindowAction::LightWarmer:
        case WindowAction::LightCooler:
        case WindowAction::LightDarker:
        case WindowAction::LightBrighter:
        case WindowAction::LightOfTheScene:
            phone.setLight(lightFor(action));
            break;
        default:
            if (auto gravity = holdFor(action))
                phone.setGravity(gravity->x, gravity->y, gravity->z);
            break;
        }
    }
    // Keeps what the panel tells true when a script line, not a key, turns
    // the device, tilts it or sends the app away; tilting by key goes on
    // from there.
    void follow(const Command&);

    // The window's close box: the same as the quit key, with or without a phone.
    void requestQuit() { m_wantsQuit = true; }

    // --- What the panel shows and the window obeys.
    // 1 portrait, 2 upside down, 3 landscape right, 4 landscape left, 5 face
    // up, 6 face down.
    int heldOrientation() const { return m_orientation; }
    // Degrees, clockwise as the person sees the screen.
    double tiltDegrees() const { return m_tiltDegrees; }
    bool isInBackground() const { return m_inBackground; }
    bool wantsQuit() const { return m_wantsQuit; }
    // The light set by key or by the script; nothing for the scene's own.
    const std::optional<hardware::LightSetting>& light() const { return m_light; }
    // The last screenshot written, if any.
    const std::optional<std::filesystem::path>& lastScreenshot() const { return m_lastScreenshot; }

    kit::CGPoint screenPoint(double x, double y) const;

private:
    static double wheelScale(int notches);
    // The gravity a key that turns or tilts the device gives, remembering
    // how it is held; nothing for other keys.
    std::optional<host::Gravity> holdFor(WindowAction);
    host::Gravity turn(int orientation);
    host::Gravity tilt(double degrees);
    // The held orientation and tilt that a gravity shows.
    void hold(const host::Gravity&);
    // Writes the next "window-NNN.png" with `write`, never over an earlier one.
    void takeScreenshot(const std::function<bool(const std::filesystem::path&)>& write);
    // The light a light key asks for, remembered; nothing for the scene's own.
    std::optional<hardware::LightSetting> lightFor(WindowAction);

    double m_scale { 1 };
    std::filesystem::path m_screenshotFolder;
    bool m_fingerDown { false };
    int m_orientation { 1 };
    double m_tiltDegrees { 0 };
    bool m_inBackground { false };
    bool m_wantsQuit { false };
    int m_screenshotCount { 0 };
    std::optional<std::filesystem::path> m_lastScreenshot;
    std::optional<hardware::LightSetting> m_light;
};

}
