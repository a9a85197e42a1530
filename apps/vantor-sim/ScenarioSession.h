#pragma once

#include "Scenario.h"
#include "host/camera/Phone.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sim {

// The settings file inside a device root, as both products name it on the device.
inline constexpr const char* kSettingsFile = "var/mobile/Library/Preferences/com.quillon.Vantor2.plist";

struct RunOptions {
    std::string model { "iPhone6,1" };
    std::filesystem::path deviceRoot;
    std::filesystem::path outputFolder;
    bool loadExtension { true };
    std::optional<std::filesystem::path> sceneImage;
    // One line per command as it runs, for a person watching.
    std::function<void(const std::string&)> progress;
    // The system log's lines, each once, on the session's thread: after the
    // command during which they were written, and after the app has closed.
    // A movie export writes from its own thread, so its lines may come a
    // command later than they were written. When set, the session takes the
    // lines out of the log's in-memory list (SystemLog::takeRecentLines).
    std::function<void(const std::string&)> systemLog;
};

// The command's word as a scenario writes it ("tap-view", "memory-warning").
const char* commandName(const Command&);

// The phone a scenario drives, one line at a time: settings and the model
// gathered before the launch, the phone the launch starts, the screenshots
// written and the camera roll left when the app ends. The headless runner
// and the window both apply their lines through it, so a line does the same
// in either. Lines are expected in an order check() accepts.
class ScenarioSession {
public:
    // `events` receives each host event and each line as it starts; it must
    // outlive the session.
    ScenarioSession(RunOptions, std::ostream& events);
    ~ScenarioSession();
    ScenarioSession(const ScenarioSession&) = delete;
    ScenarioSession& operator=(const ScenarioSession&) = delete;

    enum class Waits { Advance, LeaveToCaller };
    // Runs one line; the reason it could not, or nothing. With
    // LeaveToCaller a wait is only logged: the caller lets the time pass
    // (the window does, in real time, drawing as it goes).
    std::optional<std::string> apply(const ScenarioLine&, Waits = Waits::Advance);
    // Closes the app as quit does, when it is still running.
    void finish();

    // Nothing before the launch and after quit.
    host::Phone* phone() const { return m_phone.get(); }
    const std::vector<std::filesystem::path>& screenshots() const { return m_screenshots; }
    const std::vector<std::filesystem::path>& cameraRoll() const { return m_cameraRoll; }

private:
    std::optional<std::string> launch();
    void waitWithProgress(double seconds);
    void passOnSystemLog();

    RunOptions m_options;
    std::ostream& m_events;
    std::string m_model;
    std::vector<command::Setting> m_settings;
    std::unique_ptr<host::Phone> m_phone;
    std::vector<std::filesystem::path> m_screenshots;
    std::vector<std::filesystem::path> m_cameraRoll;
};

}
