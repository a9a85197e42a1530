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

host::Phone::SwipeDirection phoneDirection(command::Swipe::Direction direction)
{
    using D = command::Swipe::Direction;
    using P = host::Phone::SwipeDirection;
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
        "tap-outlet", "tap-cell", "light", "expect" };
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
    options.sceneDepth = m_options.sceneDepth;
    options.eventLog = [this](const std::string& entry) { logEvent(entry); };
    auto started = host::Phone::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
    m_phone->setLight(m_light);
    m_phone->launch();
    m_front = App::Camera;
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::startSettingsApp()
{
    if (auto problem = writeSettingsOnce())
        return problem;
    host::SettingsAppProcess::Options options;
    options.executable = m_options.settingsApp;
    options.model = m_model;
    options.deviceRoot = m_options.deviceRoot;
    // A phone's log holds every process's lines.
    options.logSink = [](const std::string& line) { kit::SystemLog::write(line); };
    auto started = host::SettingsAppProcess::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_settingsApp = std::move(std::get<std::unique_ptr<host::SettingsAppProcess>>(started));
    return m_settingsApp->launch();
}

std::optional<std::string> ScenarioSession::bringToFront(App app)
{
    if (app == m_front || app == App::None)
        return std::nullopt;
    if (app == App::Settings) {
        if (m_phone && m_front == App::Camera)
            m_phone->background();
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
    if (m_settingsApp && m_front == App::Settings) {
        if (auto problem = m_settingsApp->background())
            return problem;
    }
    if (!m_phone)
        return launch();
    m_phone->foreground();
    m_front = App::Camera;
    return std::nullopt;
}

double ScenarioSession::cameraClock() const
{
    return m_phone ? m_phone->now() : 0;
}

double ScenarioSession::settingsClock() const
{
    auto now = m_settingsApp ? m_settingsApp->now() : std::nullopt;
    return now.value_or(0);
}

void ScenarioSession::advance(double seconds)
{
    if (seconds <= 0)
        return;
    if (m_phone)
        m_phone->advance(seconds);
    if (m_settingsApp)
        m_settingsApp->advance(seconds);
    m_now += seconds;
}

std::optional<std::string> ScenarioSession::applyToSettings(const Command& c)
{
    using namespace command;
    if (auto* tap = std::get_if<Tap>(&c))
        return m_settingsApp->tap({ tap->x, tap->y });
    if (auto* tapView = std::get_if<TapView>(&c))
        return m_settingsApp->tapView(tapView->className, tapView->tag);
    if (auto* drag = std::get_if<Drag>(&c))
        return m_settingsApp->drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    if (std::holds_alternative<Back>(c))
        return m_settingsApp->back();
    if (auto* control = std::get_if<TapControl>(&c))
        return m_settingsApp->tapControl(control->selector);
    if (auto* outlet = std::get_if<TapOutlet>(&c))
        return m_settingsApp->tapOutlet(outlet->field, outlet->fx, outlet->fy);
    if (auto* cell = std::get_if<TapCell>(&c))
        return m_settingsApp->tapCell(cell->text);
    if (auto* describe = std::get_if<Describe>(&c))
        return m_settingsApp->describe(m_options.outputFolder / describe->fileName);
    if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (auto problem = m_settingsApp->screenshot(path))
            return problem;
        m_screenshots.push_back(path);
        return std::nullopt;
    }
    return std::string(commandName(c)) + " needs the camera in front: put camera before it";
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

    // What passes in one app during the line passes in the other too.
    double cameraBefore = cameraClock(), settingsBefore = settingsClock();
    bool hadCamera = bool(m_phone), hadSettings = bool(m_settingsApp);
    std::optional<std::string> problem;
    if (auto* device = std::get_if<Device>(&c)) {
        m_model = device->model;
    } else if (auto* setting = std::get_if<Setting>(&c)) {
        m_settings.push_back(*setting);
    } else if (auto* light = std::get_if<command::Light>(&c)) {
        m_light = light->automatic ? std::nullopt : std::optional(hardware::LightSetting { light->kelvin, light->stops });
        if (m_phone)
            m_phone->setLight(m_light);
    } else if (std::holds_alternative<Launch>(c)) {
        problem = launch();
    } else if (std::holds_alternative<command::Settings>(c)) {
        problem = bringToFront(App::Settings);
    } else if (std::holds_alternative<CameraToFront>(c)) {
        problem = bringToFront(App::Camera);
    } else if (auto* wait = std::get_if<Wait>(&c)) {
        if (waits == Waits::Advance)
            waitWithProgress(wait->seconds);
    } else if (std::holds_alternative<Quit>(c)) {
        finish();
    } else if (expect) {
        problem = check(*expect);
        auto verdict = "expect " + expectedWords(*expect) + (problem ? ": did not hold" : ": held");
        // Not one of the lines `expect log` searches: the verdict quotes the text it looked for.
        m_events << timeStamp(m_now, false) << " # line " << line.number << ": " << verdict << '\n';
        if (m_options.progress)
            m_options.progress(timeStamp(m_now) + "  " + verdict);
    } else if (!isRunning()) {
        problem = std::string(commandName(c)) + " needs the camera running";
    } else if (m_front == App::Settings) {
        if (auto* rotate = std::get_if<Rotate>(&c); rotate && m_phone)
            m_phone->setOrientation(rotate->orientation);
        else if (auto* gravity = std::get_if<Gravity>(&c); gravity && m_phone)
            m_phone->setGravity(gravity->x, gravity->y, gravity->z);
        else if (!std::holds_alternative<Rotate>(c) && !std::holds_alternative<Gravity>(c))
            problem = applyToSettings(c);
    } else if (std::holds_alternative<Back>(c) || std::holds_alternative<TapControl>(c)
        || std::holds_alternative<TapOutlet>(c) || std::holds_alternative<TapCell>(c)) {
        problem = std::string(commandName(c)) + " needs the Settings app in front: put settings before it";
    } else if (auto* tap = std::get_if<Tap>(&c)) {
        m_phone->tap({ tap->x, tap->y });
    } else if (auto* tapView = std::get_if<TapView>(&c)) {
        if (!m_phone->tapView(tapView->className, tapView->tag))
            problem = "no visible " + tapView->className
                + (tapView->tag ? "#" + std::to_string(*tapView->tag) : std::string()) + " on screen";
    } else if (auto* press = std::get_if<LongPress>(&c)) {
        m_phone->longPress({ press->x, press->y }, press->seconds);
    } else if (auto* drag = std::get_if<Drag>(&c)) {
        m_phone->drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    } else if (auto* swipe = std::get_if<Swipe>(&c)) {
        m_phone->swipe(phoneDirection(swipe->direction));
    } else if (std::holds_alternative<Shutter>(c)) {
        m_phone->pressShutter();
    } else if (auto* volume = std::get_if<Volume>(&c)) {
        m_phone->pressVolume(volume->up);
    } else if (auto* mode = std::get_if<Mode>(&c)) {
        if (!m_phone->setCameraMode(mode->cameraMode))
            problem = m_model + " has no such camera mode";
    } else if (auto* camera = std::get_if<Camera>(&c)) {
        if (!m_phone->setCameraDevice(camera->cameraDevice))
            problem = m_model + " has no such camera";
    } else if (auto* rotate = std::get_if<Rotate>(&c)) {
        m_phone->setOrientation(rotate->orientation);
    } else if (auto* gravity = std::get_if<Gravity>(&c)) {
        m_phone->setGravity(gravity->x, gravity->y, gravity->z);
    } else if (auto* filters = std::get_if<Filters>(&c)) {
        m_phone->setFiltersShowing(filters->on);
    } else if (std::holds_alternative<Background>(c)) {
        m_phone->background();
    } else if (std::holds_alternative<Foreground>(c)) {
        m_phone->foreground();
    } else if (std::holds_alternative<MemoryWarning>(c)) {
        m_phone->memoryWarning();
    } else if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (m_phone->screenshot(path))
            m_screenshots.push_back(path);
        else
            problem = "cannot write " + path.string();
    } else if (auto* describe = std::get_if<Describe>(&c)) {
        auto path = m_options.outputFolder / describe->fileName;
        if (!m_phone->describe(path))
            problem = "cannot write " + path.string();
    }
    // Keep the clocks together (a wait has moved both already); an app that
    // started during the line starts at the session's time.
    if (std::holds_alternative<Wait>(c))
        hadCamera = hadSettings = false;
    double cameraSpent = hadCamera && m_phone ? cameraClock() - cameraBefore : 0;
    double settingsSpent = hadSettings && m_settingsApp ? settingsClock() - settingsBefore : 0;
    double spent = std::max(cameraSpent, settingsSpent);
    if (m_phone && hadCamera && spent > cameraSpent)
        m_phone->advance(spent - cameraSpent);
    if (m_settingsApp && hadSettings && spent > settingsSpent)
        m_settingsApp->advance(spent - settingsSpent);
    m_now += std::max(0.0, spent);
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
        host::ScreenFinding finding;
        if (m_front == App::Settings) {
            auto found = view ? m_settingsApp->findView(expect.className, expect.tag) : m_settingsApp->findText(expect.text);
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
    if (m_settingsApp) {
        m_settingsApp->quit();
        m_settingsApp.reset();
    }
    m_front = App::None;
    if (!m_phone) {
        passOnSystemLog();
        return;
    }
    m_phone->quit();
    m_cameraRoll = m_phone->cameraRoll();
    m_phone.reset();
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
