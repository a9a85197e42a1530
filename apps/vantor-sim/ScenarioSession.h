#pragma once

#include "Scenario.h"
#include "ScenarioOrder.h"
#include "host/camera/Phone.h"
#include "host/settings/SettingsAppProcess.h"
#include "host/springboard/SpringBoardProcess.h"

#include <array>
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
    hardware::SceneChoice scene;
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
    // The home screen's program (lock screen, home screen, the camera on
    // the lock screen), run in a process of its own.
    std::filesystem::path springBoard { VANTOR_SPRINGBOARD };
};

// The command's word as a scenario writes it ("tap-view", "memory-warning").
const char* commandName(const Command&);

// The phone a scenario drives, one line at a time: settings and the model
// gathered before the launch, the apps it starts (the camera app in this
// process, the Settings app and the home screen in processes of their own),
// which of them is in front, the screenshots written and the camera roll
// left when the apps end. The headless runner and the window both apply
// their lines through it, so a line does the same in either. Lines are
// expected in an order check() accepts; one that comes where it cannot run
// is refused with the reason check() would give.
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

    // The app in front: the camera app, the Settings app, or the home
    // screen (whose own screen, the lock screen, the camera on it or the
    // home screen, its handle tells).
    enum class App { None, Camera, Settings, HomeScreen };
    App front() const { return m_front; }
    // What is in front, with the home screen's own screens told apart.
    Front frontScreen() const;
    // Brings an app to the front as `camera` and `settings` do (the app in
    // front goes to the background; the app is started when it is not
    // running); the reason when it cannot.
    std::optional<std::string> bringToFront(App);
    // The phone's buttons, as `home` and `lock` press them; the reason when
    // the home screen cannot be started.
    std::optional<std::string> pressHomeButton();
    std::optional<std::string> pressSideButton();
    bool isRunning() const { return m_phone || m_settingsApp || m_springBoard; }

    // --- The phone as a person holds it (the window's mouse and keys).
    // A finger on the screen in front, in screen points. What it does on
    // the home screen (an icon, the lock screen's slider or grabber)
    // follows as a line's would.
    void touchDown(kit::CGPoint point) { touch("down", point); }
    void touchMove(kit::CGPoint point) { touch("move", point); }
    void touchUp(kit::CGPoint point) { touch("up", point); }
    // The camera in front (the camera app's or the lock screen's); nothing
    // happens without one.
    void pressShutter();
    void pressVolume(bool up);
    void pinch(double scale);
    // The app in front hears of it.
    void memoryWarning();
    // How the device is held, for every app (1 to 6 as `rotate` names them).
    void setOrientation(int deviceOrientation);
    void setGravity(double x, double y, double z) { hold(x, y, z); }
    // The light on the scene, or the scene's own: it is the world's, so every
    // app's camera sees it; the reason when the home screen could not be told.
    std::optional<std::string> setLight(std::optional<hardware::LightSetting>);
    // The screen in front as it looks now, and as a PNG; nothing (false)
    // when no app is in front or it has ended.
    const kit::CGImage* renderFront();
    bool screenshot(const std::filesystem::path& png);

    // The simulated time since the first app started. Every app lives on
    // it: what passes in one (a wait, a tap's moment) passes in the others.
    double now() const { return m_now; }
    void advance(double seconds);

    // Nothing before the launch and after quit.
    host::Phone* phone() const { return m_phone.get(); }
    // Nothing before `settings` and after quit.
    host::SettingsAppProcess* settingsApp() const { return m_settingsApp.get(); }
    // Nothing before `lock` or `home` and after quit.
    host::SpringBoardProcess* springBoard() const { return m_springBoard.get(); }

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
    std::optional<std::string> startSpringBoard();
    // The options of an app in a process of its own.
    host::AppProcess::Options processOptions(const std::filesystem::path& executable);
    std::optional<std::string> writeSettingsOnce();
    // The reason a finger could not reach the app in front, or nothing.
    std::optional<std::string> touch(const char* phase, kit::CGPoint);
    // A line for the app in front.
    std::optional<std::string> applyToCamera(const Command&);
    std::optional<std::string> applyToProcess(host::AppProcess&, const Command&);
    std::optional<std::string> applyToSpringBoard(const Command&);
    // How the device is held, for every app that runs and each that starts.
    void hold(double x, double y, double z);
    // The app in front steps back for the home screen, which is started
    // when it is not running; the reason when it cannot be.
    std::optional<std::string> leaveAppForHomeScreen();
    // What the home screen asked for during a line: the app an icon opened,
    // the app unlocking brings back.
    std::optional<std::string> followHomeScreen();
    std::optional<std::string> unlock();
    // Every running app's clock moved on to the one furthest ahead, and the
    // session's time with them.
    void keepClocksTogether();
    // Lets go of an app in another process that has ended; when it was in
    // front, nothing is until a line brings an app there.
    void forgetEndedApps();

    RunOptions m_options;
    std::ostream& m_events;
    std::string m_model;
    std::vector<command::Setting> m_settings;
    std::optional<hardware::LightSetting> m_light;
    std::unique_ptr<host::Phone> m_phone;
    std::unique_ptr<host::SettingsAppProcess> m_settingsApp;
    std::unique_ptr<host::SpringBoardProcess> m_springBoard;
    App m_front { App::None };
    // The app the side button sent away, which unlocking brings back.
    App m_appBeforeLock { App::None };
    std::optional<std::array<double, 3>> m_gravity;
    // The last frame an app in another process sent.
    kit::CGImageRef m_frame;
    bool m_settingsWritten { false };
    double m_now { 0 };
    std::vector<std::string> m_eventLines;
    std::set<std::filesystem::path> m_cameraRollBefore;
    std::vector<std::filesystem::path> m_screenshots;
    std::vector<std::filesystem::path> m_cameraRoll;
};

}
