#include "ScenarioSession.h"
#include "Expectations.h"

#include "host/camera/DeviceOrientation.h"
#include "host/common/ScreenQuery.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

namespace sim {

namespace fs = std::filesystem;

namespace {

// Padded for the progress lines; events.log writes times as the host does.
std::string timeStamp(double seconds, bool padded = true)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, padded ? "%9.3f" : "%.3f", seconds);
    return buffer;
}

// A wait longer than this shows its progress each time this much has passed.
constexpr double kProgressStepSeconds = 3600;

// "25:00 h" for a day and an hour.
std::string hoursAndMinutes(double seconds)
{
    auto minutes = static_cast<long long>(seconds / 60);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld h", minutes / 60, minutes % 60);
    return buffer;
}

bool writeSettings(const fs::path& root, const std::vector<command::Setting>& settings)
{
    auto path = root / kSettingsFile;
    auto existing = kit::readPropertyListFile(path);
    kit::PropertyList::Dictionary dictionary;
    if (existing && existing->dictionary())
        dictionary = *existing->dictionary();
    for (auto& s : settings) {
        switch (s.kind) {
        case command::Setting::Kind::Bool:
            dictionary[s.key] = s.boolValue;
            break;
        case command::Setting::Kind::Int:
            dictionary[s.key] = s.intValue;
            break;
        case command::Setting::Kind::String:
            dictionary[s.key] = s.text;
            break;
        }
    }
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    return kit::writePropertyListFile(dictionary, path);
}

host::SwipeDirection phoneDirection(command::Swipe::Direction direction)
{
    using D = command::Swipe::Direction;
    using P = host::SwipeDirection;
    switch (direction) {
    case D::Up:
        return P::Up;
    case D::Down:
        return P::Down;
    case D::Left:
        return P::Left;
    case D::Right:
        break;
    }
    return P::Right;
}

// The words the home screen's process takes for a swipe.
const char* directionWord(command::Swipe::Direction direction)
{
    using D = command::Swipe::Direction;
    switch (direction) {
    case D::Up:
        return "up";
    case D::Down:
        return "down";
    case D::Left:
        return "left";
    case D::Right:
        break;
    }
    return "right";
}

// The bundle identifiers the home screen's icons ask for.
constexpr const char* kCameraBundle = "com.apple.camera";
constexpr const char* kSettingsBundle = "com.apple.Preferences";

template <typename... T>
bool is(const Command& command)
{
    return (std::holds_alternative<T>(command) || ...);
}

}

std::set<fs::path> cameraRollFiles(const fs::path& deviceRoot)
{
    std::set<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(deviceRoot / "var/mobile/Media/DCIM", error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file())
            files.insert(it->path());
    }
    return files;
}

const char* commandName(const Command& command)
{
    static constexpr const char* names[] = { "device", "setting", "launch", "tap", "tap-view", "longpress", "drag",
        "swipe", "shutter", "volume", "mode", "camera", "rotate", "gravity", "filters", "wait", "background",
        "foreground", "memory-warning", "screenshot", "describe", "quit", "settings", "camera", "back", "tap-control",
        "tap-outlet", "tap-cell", "expect", "lock", "unlock", "lock-camera", "home" };
    static_assert(std::size(names) == std::variant_size_v<Command>);
    return names[command.index()];
}

ScenarioSession::ScenarioSession(RunOptions options, std::ostream& events)
    : m_options(std::move(options))
    , m_events(events)
    , m_model(m_options.model)
    , m_cameraRollBefore(cameraRollFiles(m_options.deviceRoot))
{
    // Only what this session's run logs is passed on.
    if (m_options.systemLog)
        kit::SystemLog::clearRecentLines();
}

ScenarioSession::~ScenarioSession()
{
    // An app still running logs its closing into this session's lines: it
    // goes while they are still here.
    m_phone.reset();
    m_settingsApp.reset();
    m_springBoard.reset();
}

std::optional<std::string> ScenarioSession::writeSettingsOnce()
{
    // The settings lines are written once, before the first app starts.
    if (m_settingsWritten)
        return std::nullopt;
    m_settingsWritten = true;
    if (!m_settings.empty() && !writeSettings(m_options.deviceRoot, m_settings))
        return "cannot write the settings file into " + m_options.deviceRoot.string();
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::launch()
{
    if (auto problem = writeSettingsOnce())
        return problem;
    host::PhoneOptions options;
    options.model = m_model;
    options.deviceRoot = m_options.deviceRoot;
    options.loadExtension = m_options.loadExtension;
    options.sceneImage = m_options.sceneImage;
    options.eventLog = [this](const std::string& entry) { logEvent(entry); };
    auto started = host::Phone::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
    // An app started later starts at the session's time, held as the
    // device is held.
    m_phone->advance(m_now);
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
    if (m_options.sceneImage)
        options.arguments = { "--scene", m_options.sceneImage->string() };
    if (!m_options.loadExtension)
        options.arguments.push_back("--no-extension");
    auto started = host::SpringBoardProcess::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_springBoard = std::move(std::get<std::unique_ptr<host::SpringBoardProcess>>(started));
    if (auto problem = m_springBoard->advance(m_now))
        return problem;
    if (m_gravity)
        return m_springBoard->gravity((*m_gravity)[0], (*m_gravity)[1], (*m_gravity)[2]);
    return std::nullopt;
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

std::optional<std::string> ScenarioSession::touch(const char* phase, kit::CGPoint point)
{
    std::optional<std::string> problem;
    switch (m_front) {
    case App::Camera:
        if (std::string_view(phase) == "down")
            m_phone->touchDown(point);
        else if (std::string_view(phase) == "move")
            m_phone->touchMove(point);
        else
            m_phone->touchUp(point);
        break;
    case App::Settings:
        problem = m_settingsApp->touch(phase, point);
        break;
    case App::HomeScreen:
        problem = m_springBoard->touch(phase, point);
        if (!problem)
            problem = followHomeScreen();
        break;
    case App::None:
        break;
    }
    return problem;
}

const kit::CGImage* ScenarioSession::renderFront()
{
    switch (m_front) {
    case App::Camera:
        return &m_phone->renderScreen();
    case App::Settings:
        m_frame = m_settingsApp->renderScreen();
        break;
    case App::HomeScreen:
        m_frame = m_springBoard->renderScreen();
        break;
    case App::None:
        m_frame = nullptr;
        break;
    }
    return m_frame.get();
}

bool ScenarioSession::screenshot(const fs::path& png)
{
    switch (m_front) {
    case App::Camera:
        return m_phone->screenshot(png);
    case App::Settings:
        return !m_settingsApp->screenshot(png);
    case App::HomeScreen:
        return !m_springBoard->screenshot(png);
    case App::None:
        break;
    }
    return false;
}

void ScenarioSession::pressShutter()
{
    if (m_front == App::Camera)
        m_phone->pressShutter();
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->shutter();
}

void ScenarioSession::pressVolume(bool up)
{
    if (m_front == App::Camera)
        m_phone->pressVolume(up);
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->volume(up);
}

void ScenarioSession::pinch(double scale)
{
    if (m_front == App::Camera)
        m_phone->pinch(scale);
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->pinch(scale);
}

void ScenarioSession::memoryWarning()
{
    if (m_front == App::Camera)
        m_phone->memoryWarning();
    else if (m_front == App::HomeScreen)
        m_springBoard->memoryWarning();
}

void ScenarioSession::setOrientation(int deviceOrientation)
{
    if (auto g = host::DeviceOrientation::gravityFor(deviceOrientation))
        hold(g->x, g->y, g->z);
}

void ScenarioSession::hold(double x, double y, double z)
{
    m_gravity = { x, y, z };
    if (m_phone)
        m_phone->setGravity(x, y, z);
    if (m_springBoard)
        m_springBoard->gravity(x, y, z);
}

void ScenarioSession::advance(double seconds)
{
    if (seconds <= 0)
        return;
    if (m_phone)
        m_phone->advance(seconds);
    if (m_settingsApp)
        m_settingsApp->advance(seconds);
    if (m_springBoard)
        m_springBoard->advance(seconds);
    m_now += seconds;
}

void ScenarioSession::keepClocksTogether()
{
    // Between lines every running app's clock shows the session's time; a
    // line that took time in one app (a tap's moment, a drag) takes it in
    // every other too.
    std::optional<double> settings = m_settingsApp ? m_settingsApp->now() : std::nullopt;
    std::optional<double> springBoard = m_springBoard ? m_springBoard->now() : std::nullopt;
    std::optional<double> camera = m_phone ? std::optional<double>(m_phone->now()) : std::nullopt;
    double furthest = std::max({ m_now, camera.value_or(0), settings.value_or(0), springBoard.value_or(0) });
    if (camera && *camera < furthest)
        m_phone->advance(furthest - *camera);
    if (settings && *settings < furthest)
        m_settingsApp->advance(furthest - *settings);
    if (springBoard && *springBoard < furthest)
        m_springBoard->advance(furthest - *springBoard);
    m_now = furthest;
}

std::optional<std::string> ScenarioSession::applyToCamera(const Command& c)
{
    using namespace command;
    if (auto* tap = std::get_if<Tap>(&c)) {
        m_phone->tap({ tap->x, tap->y });
    } else if (auto* tapView = std::get_if<TapView>(&c)) {
        if (!m_phone->tapView(tapView->className, tapView->tag))
            return "no visible " + tapView->className + (tapView->tag ? "#" + std::to_string(*tapView->tag) : std::string())
                + " on screen";
    } else if (auto* press = std::get_if<LongPress>(&c)) {
        m_phone->longPress({ press->x, press->y }, press->seconds);
    } else if (auto* drag = std::get_if<Drag>(&c)) {
        m_phone->drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    } else if (auto* swipe = std::get_if<Swipe>(&c)) {
        m_phone->swipe(phoneDirection(swipe->direction));
    } else if (is<Shutter>(c)) {
        m_phone->pressShutter();
    } else if (auto* volume = std::get_if<Volume>(&c)) {
        m_phone->pressVolume(volume->up);
    } else if (auto* mode = std::get_if<Mode>(&c)) {
        if (!m_phone->setCameraMode(mode->cameraMode))
            return m_model + " has no such camera mode";
    } else if (auto* camera = std::get_if<Camera>(&c)) {
        if (!m_phone->setCameraDevice(camera->cameraDevice))
            return m_model + " has no such camera";
    } else if (auto* filters = std::get_if<Filters>(&c)) {
        m_phone->setFiltersShowing(filters->on);
    } else if (is<Background>(c)) {
        m_phone->background();
    } else if (is<Foreground>(c)) {
        m_phone->foreground();
    } else if (is<MemoryWarning>(c)) {
        m_phone->memoryWarning();
    } else if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (!m_phone->screenshot(path))
            return "cannot write " + path.string();
        m_screenshots.push_back(path);
    } else if (auto* describe = std::get_if<Describe>(&c)) {
        auto path = m_options.outputFolder / describe->fileName;
        if (!m_phone->describe(path))
            return "cannot write " + path.string();
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::applyToProcess(host::AppProcess& app, const Command& c)
{
    using namespace command;
    if (auto* tap = std::get_if<Tap>(&c))
        return app.tap({ tap->x, tap->y });
    if (auto* tapView = std::get_if<TapView>(&c))
        return app.tapView(tapView->className, tapView->tag);
    if (auto* drag = std::get_if<Drag>(&c))
        return app.drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    if (auto* describe = std::get_if<Describe>(&c))
        return app.describe(m_options.outputFolder / describe->fileName);
    if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (auto problem = app.screenshot(path))
            return problem;
        m_screenshots.push_back(path);
        return std::nullopt;
    }
    if (&app == m_settingsApp.get()) {
        if (is<Back>(c))
            return m_settingsApp->back();
        if (auto* control = std::get_if<TapControl>(&c))
            return m_settingsApp->tapControl(control->selector);
        if (auto* outlet = std::get_if<TapOutlet>(&c))
            return m_settingsApp->tapOutlet(outlet->field, outlet->fx, outlet->fy);
        if (auto* cell = std::get_if<TapCell>(&c))
            return m_settingsApp->tapCell(cell->text);
    }
    return std::string(commandName(c)) + " cannot be done to " + app.name();
}

std::optional<std::string> ScenarioSession::applyToSpringBoard(const Command& c)
{
    // The camera's commands go to the camera on the lock screen.
    using namespace command;
    auto& springBoard = *m_springBoard;
    std::optional<std::string> problem;
    if (auto* press = std::get_if<LongPress>(&c))
        problem = springBoard.press({ press->x, press->y }, press->seconds);
    else if (auto* swipe = std::get_if<Swipe>(&c))
        problem = springBoard.swipe(directionWord(swipe->direction));
    else if (is<Shutter>(c))
        problem = springBoard.shutter();
    else if (auto* volume = std::get_if<Volume>(&c))
        problem = springBoard.volume(volume->up);
    else if (auto* mode = std::get_if<Mode>(&c))
        problem = springBoard.cameraMode(mode->cameraMode);
    else if (auto* camera = std::get_if<Camera>(&c))
        problem = springBoard.cameraDevice(camera->cameraDevice);
    else if (auto* filters = std::get_if<Filters>(&c))
        problem = springBoard.filters(filters->on);
    else if (is<MemoryWarning>(c))
        problem = springBoard.memoryWarning();
    else
        problem = applyToProcess(springBoard, c);
    if (problem)
        return problem;
    return followHomeScreen();
}

std::optional<std::string> ScenarioSession::apply(const ScenarioLine& line, Waits waits)
{
    using namespace command;
    const auto& c = line.command;
    auto* expect = std::get_if<Expect>(&c);
    // An expectation is marked once checked, with its verdict.
    if (!expect) {
        logEvent(timeStamp(m_now, false) + " # line " + std::to_string(line.number) + ": " + commandName(c));
        if (m_options.progress)
            m_options.progress(timeStamp(m_now) + "  " + commandName(c));
    }

    std::optional<std::string> problem;
    if (auto* device = std::get_if<Device>(&c)) {
        m_model = device->model;
    } else if (auto* setting = std::get_if<Setting>(&c)) {
        m_settings.push_back(*setting);
    } else if (is<Launch>(c)) {
        problem = launch();
    } else if (auto* wait = std::get_if<Wait>(&c)) {
        if (waits == Waits::Advance)
            waitWithProgress(wait->seconds);
    } else if (is<Quit>(c)) {
        finish();
    } else if (expect) {
        problem = check(*expect);
        auto verdict = "expect " + expectedWords(*expect) + (problem ? ": did not hold" : ": held");
        // Not one of the lines `expect log` searches: the verdict quotes the text it looked for.
        m_events << timeStamp(m_now, false) << " # line " << line.number << ": " << verdict << '\n';
        if (m_options.progress)
            m_options.progress(timeStamp(m_now) + "  " + verdict);
    } else if (isRunning() && (problem = frontProblem(c, frontScreen()))) {
        // Refused where it cannot run, as check() refuses it.
    } else if (is<command::Settings>(c)) {
        problem = bringToFront(App::Settings);
    } else if (is<CameraToFront>(c)) {
        problem = bringToFront(App::Camera);
    } else if (is<Lock>(c)) {
        problem = pressSideButton();
    } else if (is<Home>(c)) {
        problem = pressHomeButton();
    } else if (!isRunning()) {
        problem = is<Unlock, LockCamera>(c) ? std::string(commandName(c)) + " needs the phone locked: put lock before it"
                                           : std::string(commandName(c)) + " needs the camera running";
    } else if (auto* rotate = std::get_if<Rotate>(&c)) {
        // The whole phone turns: every app hears of it.
        setOrientation(rotate->orientation);
    } else if (auto* gravity = std::get_if<Gravity>(&c)) {
        hold(gravity->x, gravity->y, gravity->z);
    } else if (is<Unlock>(c)) {
        problem = unlock();
    } else if (is<LockCamera>(c)) {
        problem = m_springBoard->openLockCamera();
    } else if (m_front == App::Camera) {
        problem = applyToCamera(c);
    } else if (m_front == App::Settings) {
        problem = applyToProcess(*m_settingsApp, c);
    } else if (m_front == App::HomeScreen) {
        problem = applyToSpringBoard(c);
    } else {
        problem = std::string(commandName(c)) + " needs an app in front: put camera, settings or home before it";
    }
    forgetEndedApps();
    keepClocksTogether();
    if (problem)
        logEvent("# stopped: line " + std::to_string(line.number) + ": " + *problem);
    m_events.flush();
    passOnSystemLog();
    return problem;
}

void ScenarioSession::logEvent(const std::string& line)
{
    m_events << line << '\n';
    m_eventLines.push_back(line);
}

std::optional<std::string> ScenarioSession::check(const command::Expect& expect)
{
    using Kind = command::Expect::Kind;
    switch (expect.kind) {
    case Kind::View:
    case Kind::Text: {
        bool view = expect.kind == Kind::View;
        host::AppProcess* process = m_front == App::Settings ? static_cast<host::AppProcess*>(m_settingsApp.get())
            : m_front == App::HomeScreen                     ? m_springBoard.get()
                                                             : nullptr;
        host::ScreenFinding finding;
        if (process) {
            auto found = view ? process->findView(expect.className, expect.tag) : process->findText(expect.text);
            if (auto* problem = std::get_if<std::string>(&found))
                return *problem;
            finding = std::get<host::ScreenFinding>(found);
        } else if (m_front == App::Camera) {
            finding = view ? host::findView(expect.className, expect.tag) : host::findText(expect.text);
        } else {
            return std::string("expect ") + (view ? "view" : "text") + " needs an app in front";
        }
        return checkScreen(expect, finding);
    }
    case Kind::Photos:
    case Kind::Movies:
        return checkCameraRoll(expect, m_options.deviceRoot, m_cameraRollBefore);
    case Kind::Setting:
        return checkSetting(expect, m_options.deviceRoot / kSettingsFile);
    case Kind::Log:
        return checkLog(expect, m_eventLines);
    }
    return std::nullopt;
}

void ScenarioSession::waitWithProgress(double seconds)
{
    // A long wait may do a day of work (a time-lapse): a person watching
    // sees each simulated hour pass.
    double passed = 0;
    while (seconds - passed > kProgressStepSeconds) {
        advance(kProgressStepSeconds);
        passed += kProgressStepSeconds;
        if (m_options.progress)
            m_options.progress(timeStamp(m_now) + "  wait: " + hoursAndMinutes(passed) + " of "
                + hoursAndMinutes(seconds) + " passed");
        passOnSystemLog();
    }
    advance(seconds - passed);
}

void ScenarioSession::finish()
{
    // Each app ends as a person closes it; the camera app and the home
    // screen finish their camera's work (a movie export) first.
    if (m_settingsApp) {
        m_settingsApp->quit();
        m_settingsApp.reset();
    }
    if (m_springBoard) {
        m_springBoard->quit();
        m_springBoard.reset();
    }
    m_front = App::None;
    if (m_phone) {
        m_phone->quit();
        m_phone.reset();
    }
    m_cameraRoll = host::Phone::cameraRollIn(m_options.deviceRoot);
    // quit() waited for the background work, so a movie export has said all.
    passOnSystemLog();
}

void ScenarioSession::passOnSystemLog()
{
    if (!m_options.systemLog)
        return;
    for (auto& line : kit::SystemLog::takeRecentLines())
        m_options.systemLog(line);
}

}
