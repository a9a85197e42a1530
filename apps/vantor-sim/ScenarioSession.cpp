#include "ScenarioSession.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

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

const char* commandName(const Command& command)
{
    static constexpr const char* names[] = { "device", "setting", "launch", "tap", "tap-view", "longpress", "drag",
        "swipe", "shutter", "volume", "mode", "camera", "rotate", "gravity", "filters", "wait", "background",
        "foreground", "memory-warning", "screenshot", "describe", "quit" };
    static_assert(std::size(names) == std::variant_size_v<Command>);
    return names[command.index()];
}

ScenarioSession::ScenarioSession(RunOptions options, std::ostream& events)
    : m_options(std::move(options))
    , m_events(events)
    , m_model(m_options.model)
{
    // Only what this session's run logs is passed on.
    if (m_options.systemLog)
        kit::SystemLog::clearRecentLines();
}

ScenarioSession::~ScenarioSession() = default;

std::optional<std::string> ScenarioSession::launch()
{
    if (!m_settings.empty() && !writeSettings(m_options.deviceRoot, m_settings))
        return "cannot write the settings file into " + m_options.deviceRoot.string();
    host::PhoneOptions options;
    options.model = m_model;
    options.deviceRoot = m_options.deviceRoot;
    options.loadExtension = m_options.loadExtension;
    options.sceneImage = m_options.sceneImage;
    options.eventLog = [&events = m_events](const std::string& entry) { events << entry << '\n'; };
    auto started = host::Phone::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started))
        return *problem;
    m_phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
    m_phone->launch();
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::apply(const ScenarioLine& line, Waits waits)
{
    double now = m_phone ? m_phone->now() : 0;
    m_events << timeStamp(now, false) << " # line " << line.number << ": " << commandName(line.command) << '\n';
    if (m_options.progress)
        m_options.progress(timeStamp(now) + "  " + commandName(line.command));

    using namespace command;
    const auto& c = line.command;
    std::optional<std::string> problem;
    if (auto* device = std::get_if<Device>(&c)) {
        m_model = device->model;
    } else if (auto* setting = std::get_if<Setting>(&c)) {
        m_settings.push_back(*setting);
    } else if (std::holds_alternative<Launch>(c)) {
        problem = launch();
    } else if (!m_phone) {
        // check() keeps running commands after the launch; a quit before
        // it has nothing to close.
        if (!std::holds_alternative<Quit>(c))
            problem = std::string(commandName(c)) + " needs the camera running";
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
    } else if (auto* wait = std::get_if<Wait>(&c)) {
        if (waits == Waits::Advance)
            m_phone->advance(wait->seconds);
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
    } else if (std::holds_alternative<Quit>(c)) {
        finish();
    }
    if (problem)
        m_events << "# stopped: line " << line.number << ": " << *problem << '\n';
    m_events.flush();
    passOnSystemLog();
    return problem;
}

void ScenarioSession::finish()
{
    if (!m_phone)
        return;
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
