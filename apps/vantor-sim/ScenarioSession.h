#pragma once

#include "Scenario.h"
#include "host/camera/Phone.h"
#include "host/settings/SettingsAppProcess.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace sim {

// The settings file inside a device root, as both products name it on the device.
inline constexpr const char* kSettingsFile = "var/mobile/Library/Preferences/com.quillon.Vantor2.plist";
// Every file in the device root's camera roll (its DCIM folder).
std::set<std::filesystem::path> cameraRollFiles(const std::filesystem::path& deviceRoot);

struct RunOptions {
    std::string model { "iPhone6,1" };
    std::filesystem::path deviceRoot;
    std::filesystem::path outputFolder;
    bool loadExtension { true };
    std::optional<std::filesystem::path> sceneImage;
    std::optional<std::filesystem::path> sceneDepth;
    // One line per command as it runs, for a person watching.
    std::function<void(const std::string&)> progress;
    // The system log's lines, each once, on the session's thread: after the
    // command during which they were written, and after the app has closed.
    // A movie export writes from its own thread, so its lines may come a
    // command later than they were written. When set, the session takes the
    // lines out of the log's in-memory list (SystemLog::takeRecentLines).
    std::function<void(const std::string&)> systemLog;
    // The Settings app's program, run in a process of its own, and the
    // entry (label or bundle name) that `settings` opens.
    std::filesystem::path settingsApp { VANTOR_SETTINGS_APP };
    std::string settingsEntry { "Vantor2_Prefs" };
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
    // `events` receives each host event and each line as it starts (an
    // `expect` line once checked, with "held" when it held); it must
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

    // The app in front, as the phone's home screen has it.
    enum class App { None, Camera, Settings };
    App front() const { return m_front; }
    // Brings an app to the front as `camera` and `settings` do (the other
    // goes to the background; the app is started when it is not running);
    // the reason when it cannot.
    std::optional<std::string> bringToFront(App);
    bool isRunning() const { return m_phone || m_settingsApp; }

    // The simulated time since the first app started. Both apps live on it:
    // what passes in one (a wait, a tap's moment) passes in the other.
    double now() const { return m_now; }
    void advance(double seconds);

    // Nothing before the launch and after quit.
    host::Phone* phone() const { return m_phone.get(); }
    // Nothing before `settings` and after quit.
    host::SettingsAppProcess* settingsApp() const { return m_settingsApp.get(); }

    // Hands the log lines written since the last time to the systemLog
    // option; lines apply() causes are handed on after each line, and the
    // window calls it for what the person's own touches cause.
    void passOnSystemLog();
    const std::vector<std::filesystem::path>& screenshots() const { return m_screenshots; }
    const std::vector<std::filesystem::path>& cameraRoll() const { return m_cameraRoll; }
    // The camera roll's files when the session began.
    const std::set<std::filesystem::path>& cameraRollBefore() const { return m_cameraRollBefore; }

private:
    // One line of events.log, kept for `expect log`.
    void logEvent(const std::string&);
    // Nothing when the expectation holds, else "expected ...; found ...".
    std::optional<std::string> check(const command::Expect&);
    std::optional<std::string> launch();
    void waitWithProgress(double seconds);
    std::optional<std::string> startSettingsApp();
    std::optional<std::string> writeSettingsOnce();
    std::optional<std::string> applyToSettings(const Command&);
    // The apps' own clocks, to keep them together.
    double cameraClock() const;
    double settingsClock() const;

    RunOptions m_options;
    std::ostream& m_events;
    std::string m_model;
    std::vector<command::Setting> m_settings;
    std::optional<hardware::LightSetting> m_light;
    std::unique_ptr<host::Phone> m_phone;
    std::unique_ptr<host::SettingsAppProcess> m_settingsApp;
    App m_front { App::None };
    bool m_settingsWritten { false };
    double m_now { 0 };
    std::vector<std::string> m_eventLines;
    std::set<std::filesystem::path> m_cameraRollBefore;
    std::vector<std::filesystem::path> m_screenshots;
    std::vector<std::filesystem::path> m_cameraRoll;
};

}
