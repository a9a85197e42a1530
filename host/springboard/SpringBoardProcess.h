#pragma once

#include "host/common/AppProcess.h"
#include "host/springboard/SpringBoardScreen.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace host {

// vantor-sim's handle on the home screen running in a process of its own
// (the vantor-springboard program, SpringBoardServer.h): every app's
// commands (AppProcess.h), the buttons and swipes of the home screen, and
// the camera's commands for the camera on its lock screen. It follows what
// the home screen shows and keeps the apps its icons ask for, from the
// notices that come with the answers.
class SpringBoardProcess final : public AppProcess {
public:
    using Options = AppProcess::Options;
    // The reason when the program cannot be started or does not start.
    static std::variant<std::unique_ptr<SpringBoardProcess>, std::string> start(Options);

    SpringBoardScreen screen() const { return m_screen; }
    // The apps (bundle identifiers) its icons asked for since the last call.
    std::vector<std::string> takeOpenRequests() { return std::exchange(m_openRequests, {}); }

    // --- The phone's buttons, and a person's swipes on the lock screen.
    std::optional<std::string> lock() { return send("lock"); }
    std::optional<std::string> home() { return send("home"); }
    std::optional<std::string> unlock() { return send("unlock"); }
    std::optional<std::string> openLockCamera() { return send("lock-camera"); }
    std::optional<std::string> gravity(double x, double y, double z);
    // The light on the scene its camera sees (a colour temperature and a
    // level in stops), or the scene's own again.
    std::optional<std::string> light(double kelvin, double stops);
    std::optional<std::string> ownLight() { return send("light auto"); }

    // --- The camera on the lock screen (host/camera/CameraCommands.h).
    std::optional<std::string> shutter() { return send("shutter"); }
    std::optional<std::string> volume(bool up) { return send(up ? "volume up" : "volume down"); }
    // "up", "down", "left" or "right".
    std::optional<std::string> swipe(const std::string& direction) { return send("swipe " + direction); }
    std::optional<std::string> pinch(double scale);
    std::optional<std::string> cameraMode(int mode) { return send("mode " + std::to_string(mode)); }
    std::optional<std::string> cameraDevice(int device) { return send("camera-device " + std::to_string(device)); }
    std::optional<std::string> filters(bool on) { return send(on ? "filters on" : "filters off"); }
    std::optional<std::string> memoryWarning() { return send("memory-warning"); }

private:
    SpringBoardProcess() = default;
    void notice(const std::string&);

    SpringBoardScreen m_screen { SpringBoardScreen::App };
    std::vector<std::string> m_openRequests;
};

}
