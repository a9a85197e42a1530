#pragma once

#include "ScenarioSession.h"
#include "ScriptPlayer.h"
#include "SidePanel.h"
#include "WindowInput.h"
#include "WindowRecorder.h"

#include "kit/ui/CGContext.h"
#include "kit/ui/CGImage.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>

struct SDL_Window;
union SDL_Event;

namespace sim {

struct WindowOptions {
    // The model, device root, output folder (screenshots, events.log) and
    // extension choice, as for a headless run.
    RunOptions run;
    // Window pixels per screen point; 0 takes the device's own screen
    // scale, which shows the screen pixel for pixel as screenshots have it,
    // or less when that would not fit on the display.
    double scale { 0 };
    // Nothing: the window launches the camera and waits for the person.
    std::optional<Scenario> script;
    std::optional<std::filesystem::path> record;
};

// The interactive window: the phone's screen drawn by the renderer that
// makes screenshots, with a panel beside it telling the simulated time, the
// way the device is held and its tilt. The mouse is a finger and the keys
// are the phone's buttons (WindowInput). Uses SDL's video only (never its
// audio), so it runs under the offscreen driver without a display.
class SimWindow {
public:
    // An error message when SDL has no video or the script or recording
    // cannot start. Checks the script before anything runs.
    static std::variant<std::unique_ptr<SimWindow>, std::string> open(WindowOptions);
    ~SimWindow();
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    // One frame: handles the queued SDL events, lets `seconds` of the
    // phone's time pass (less when a script line falls due sooner), runs the
    // script lines due, then draws, shows and records the frame. False once
    // the window is done (quit by key, by the window's close box, or by the
    // script).
    bool frame(double seconds);
    // Frames on the real clock at the display's rate until the window is done;
    // the process's exit status.
    int run();

    // Feeds one event as frame() does (tests and the bench queue their own).
    void handle(const SDL_Event&);

    // --- What is shown.
    // The phone's screen as the window shows it, read back from the
    // window's own surface (opaque); nothing before the first frame.
    kit::CGImageRef shownScreen() const;
    // The whole window surface, panel included.
    kit::CGImageRef shownWindow() const;
    int frameCount() const { return m_frames; }
    // Window pixels per screen point.
    double scale() const { return m_scale; }

    host::Phone* phone() const { return m_player->phone(); }
    WindowInput& input() { return m_input; }
    ScriptPlayer& player() { return *m_player; }
    // Whether the screenshot of the scenario was taken in the last frame.
    const std::optional<std::filesystem::path>& screenshotInLastFrame() const { return m_player->screenshotJustTaken(); }
    const std::optional<std::string>& error() const { return m_error; }

private:
    SimWindow(WindowOptions, double scale, int screenWidth, int screenHeight);
    void present(const kit::CGImage& screen);
    kit::CGImageRef readBack(int x, int y, int width, int height) const;
    PanelState panelState() const;
    // Tab: the other app to the front, started when it is not running.
    void switchApp();
    // The home and side buttons, through the session.
    void pressButton(WindowAction);
    void close();

    WindowOptions m_options;
    double m_scale { 1 };
    int m_screenWidth { 0 }; // window pixels
    int m_screenHeight { 0 };
    static constexpr int panelWidth = 260;
    SDL_Window* m_window { nullptr };
    std::unique_ptr<ScriptPlayer> m_player;
    WindowInput m_input;
    SidePanel m_panel;
    std::unique_ptr<WindowRecorder> m_recorder;
    kit::CGContextRef m_scaledContext; // only when the window's scale is not the screen's
    std::optional<std::string> m_error;
    int m_pendingWheel { 0 }; // notches since the last frame
    int m_frames { 0 };
    bool m_closed { false };
};

}
