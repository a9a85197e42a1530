// ScenarioSession: the apps it runs and which of them is in front (the
// camera app in this process, the Settings app and the home screen in
// processes of their own), the home screen's buttons, and what it asks for.

#include "ScenarioSession.h"

#include "kit/foundation/SystemLog.h"

#include <utility>

namespace sim {

namespace fs = std::filesystem;

namespace {

// The bundle identifiers the home screen's icons ask for.
constexpr const char* kCameraBundle = "com.apple.camera";
constexpr const char* kSettingsBundle = "com.apple.Preferences";

}

std::optional<std::string> ScenarioSession::launch()
{
    if (auto problem = writeSettingsOnce())
        return problem;
    host::PhoneOptions options;
    options.model = m_model;
    options.deviceRoot = m_options.deviceRoot;
    options.loadExtension = m_options.loadExtension;
    options.scene = m_options.scene;
    options.eventLog = [this](const std::string& entry) { logEvent(entry); };
    auto started = host::Phone::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
    // An app started later starts at the session's time, held as the
    // device is held.
    m_phone->advance(m_now);
    m_phone->setLight(m_light);
    if (m_gravity)
        m_phone->setGravity((*m_gravity)[0], (*m_gravity)[1], (*m_gravity)[2]);
    m_phone->launch();
    m_front = App::Camera;
    return std::nullopt;
}

host::AppProcess::Options ScenarioSession::processOptions(const fs::path& executable)
{
    host::AppProcess::Options options;
    options.executable = executable;
    options.model = m_model;
    options.deviceRoot = m_options.deviceRoot;
    // A phone's log holds every process's lines, and events.log every
    // app's host events.
    options.logSink = [](const std::string& line) { kit::SystemLog::write(line); };
    options.eventSink = [this](const std::string& line) { logEvent(line); };
    return options;
}

std::optional<std::string> ScenarioSession::startSettingsApp()
{
    if (auto problem = writeSettingsOnce())
        return problem;
    auto started = host::SettingsAppProcess::start(processOptions(m_options.settingsApp));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_settingsApp = std::move(std::get<std::unique_ptr<host::SettingsAppProcess>>(started));
    if (auto problem = m_settingsApp->advance(m_now))
        return problem;
    return m_settingsApp->launch();
}

std::optional<std::string> ScenarioSession::startSpringBoard()
{
    if (auto problem = writeSettingsOnce())
        return problem;
    auto options = processOptions(m_options.springBoard);
    const auto& scene = m_options.scene;
    auto pass = [&](const char* option, const std::optional<std::string>& value) {
        if (value)
            options.arguments.insert(options.arguments.end(), { option, *value });
    };
    pass("--scene", scene.scene ? std::optional(scene.scene->string()) : std::nullopt);
    pass("--scene-depth", scene.sceneDepth ? std::optional(scene.sceneDepth->string()) : std::nullopt);
    pass("--camera", scene.camera);
    pass("--front-camera", scene.frontCamera);
    if (!m_options.loadExtension)
        options.arguments.push_back("--no-extension");
    auto started = host::SpringBoardProcess::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_springBoard = std::move(std::get<std::unique_ptr<host::SpringBoardProcess>>(started));
    if (auto problem = m_springBoard->advance(m_now))
        return problem;
    if (m_light) {
        if (auto problem = m_springBoard->light(m_light->kelvin, m_light->stops))
            return problem;
    }
    if (m_gravity)
        return m_springBoard->gravity((*m_gravity)[0], (*m_gravity)[1], (*m_gravity)[2]);
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::setLight(std::optional<hardware::LightSetting> light)
{
    m_light = light;
    if (m_phone)
        m_phone->setLight(light);
    if (!m_springBoard)
        return std::nullopt;
    return light ? m_springBoard->light(light->kelvin, light->stops) : m_springBoard->ownLight();
}

Front ScenarioSession::frontScreen() const
{
    switch (m_front) {
    case App::Camera:
        return Front::Camera;
    case App::Settings:
        return Front::Settings;
    case App::HomeScreen:
        switch (m_springBoard ? m_springBoard->screen() : host::SpringBoardScreen::HomeScreen) {
        case host::SpringBoardScreen::LockScreen:
            return Front::LockScreen;
        case host::SpringBoardScreen::LockCamera:
            return Front::LockCamera;
        case host::SpringBoardScreen::App:
        case host::SpringBoardScreen::HomeScreen:
            break;
        }
        return Front::HomeScreen;
    case App::None:
        break;
    }
    // With no app in front (one that was there has ended), the home screen
    // is what a person would look at.
    return Front::HomeScreen;
}

void ScenarioSession::forgetEndedApps()
{
    // An app that ended (a crash) is gone: its line reported it, and the
    // next line that wants it starts it again.
    auto forget = [&](auto& app, App which) {
        if (!app || !app->hasEnded())
            return;
        app.reset();
        if (m_front == which)
            m_front = App::None;
    };
    forget(m_settingsApp, App::Settings);
    forget(m_springBoard, App::HomeScreen);
}

std::optional<std::string> ScenarioSession::bringToFront(App app)
{
    forgetEndedApps();
    if (app == m_front || app == App::None)
        return std::nullopt;
    if (app == App::HomeScreen)
        return pressHomeButton();
    // The app in front steps back.
    if (m_front == App::Camera && m_phone)
        m_phone->background();
    if (m_front == App::Settings && m_settingsApp) {
        if (auto problem = m_settingsApp->background())
            return problem;
    }
    if (m_front == App::HomeScreen && m_springBoard) {
        if (auto problem = m_springBoard->background())
            return problem;
    }
    if (app == App::Settings) {
        if (!m_settingsApp) {
            if (auto problem = startSettingsApp())
                return problem;
        } else if (auto problem = m_settingsApp->foreground()) {
            return problem;
        }
        m_front = App::Settings;
        // The entry is opened unless a page of it is still showing. One that
        // cannot be opened leaves the list, and the log says why.
        if (m_settingsApp->pageTitles().size() <= 1)
            m_settingsApp->openEntry(m_options.settingsEntry);
        return std::nullopt;
    }
    if (!m_phone)
        return launch();
    m_phone->foreground();
    m_front = App::Camera;
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::leaveAppForHomeScreen()
{
    forgetEndedApps();
    if (m_front == App::Camera && m_phone)
        m_phone->background();
    if (m_front == App::Settings && m_settingsApp) {
        if (auto problem = m_settingsApp->background())
            return problem;
    }
    if (!m_springBoard) {
        if (auto problem = startSpringBoard())
            return problem;
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::pressHomeButton()
{
    if (auto problem = leaveAppForHomeScreen())
        return problem;
    m_front = App::HomeScreen;
    return m_springBoard->home();
}

std::optional<std::string> ScenarioSession::pressSideButton()
{
    // The app the lock sends away comes back when the phone is unlocked;
    // from the home screen, the home screen does.
    if (m_front == App::Camera || m_front == App::Settings)
        m_appBeforeLock = m_front;
    else if (frontScreen() == Front::HomeScreen)
        m_appBeforeLock = App::None;
    if (auto problem = leaveAppForHomeScreen())
        return problem;
    m_front = App::HomeScreen;
    return m_springBoard->lock();
}

std::optional<std::string> ScenarioSession::unlock()
{
    if (auto problem = m_springBoard->unlock())
        return problem;
    return followHomeScreen();
}

std::optional<std::string> ScenarioSession::followHomeScreen()
{
    if (!m_springBoard || m_front != App::HomeScreen)
        return std::nullopt;
    for (auto& app : m_springBoard->takeOpenRequests()) {
        App wanted = app == kCameraBundle ? App::Camera : app == kSettingsBundle ? App::Settings : App::None;
        if (wanted == App::None)
            return "the home screen asked for an app the phone does not have: " + app;
        if (auto problem = bringToFront(wanted))
            return problem;
    }
    // Unlocked: the app the lock sent away comes back.
    if (m_front == App::HomeScreen && m_springBoard->screen() == host::SpringBoardScreen::HomeScreen
        && m_appBeforeLock != App::None) {
        auto app = std::exchange(m_appBeforeLock, App::None);
        return bringToFront(app);
    }
    if (m_front == App::HomeScreen && m_springBoard->screen() == host::SpringBoardScreen::HomeScreen)
        m_appBeforeLock = App::None;
    return std::nullopt;
}

}
