#include "ScenarioSession.h"
#include "Expectations.h"

#include "host/common/ScreenQuery.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <cstdio>

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
        "tap-outlet", "tap-cell", "light", "expect", "lock", "unlock", "lock-camera", "home" };
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
    } else if (auto* light = std::get_if<Light>(&c)) {
        problem = setLight(light->automatic ? std::nullopt : std::optional(hardware::LightSetting { light->kelvin, light->stops }));
    } else if (isCommand<Launch>(c)) {
        problem = launch();
    } else if (auto* wait = std::get_if<Wait>(&c)) {
        if (waits == Waits::Advance)
            waitWithProgress(wait->seconds);
    } else if (isCommand<Quit>(c)) {
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
    } else if (isCommand<command::Settings>(c)) {
        problem = bringToFront(App::Settings);
    } else if (isCommand<CameraToFront>(c)) {
        problem = bringToFront(App::Camera);
    } else if (isCommand<Lock>(c)) {
        problem = pressSideButton();
    } else if (isCommand<Home>(c)) {
        problem = pressHomeButton();
    } else if (!isRunning()) {
        problem = isCommand<Unlock, LockCamera>(c) ? std::string(commandName(c)) + " needs the phone locked: put lock before it"
                                           : std::string(commandName(c)) + " needs the camera running";
    } else if (auto* rotate = std::get_if<Rotate>(&c)) {
        // The whole phone turns: every app hears of it.
        setOrientation(rotate->orientation);
    } else if (auto* gravity = std::get_if<Gravity>(&c)) {
        hold(gravity->x, gravity->y, gravity->z);
    } else if (isCommand<Unlock>(c)) {
        problem = unlock();
    } else if (isCommand<LockCamera>(c)) {
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
