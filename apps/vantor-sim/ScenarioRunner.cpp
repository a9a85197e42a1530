#include "ScenarioRunner.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/media/DeviceProfile.h"

#include <cstdio>
#include <fstream>

namespace sim {

namespace fs = std::filesystem;

namespace {

// The settings file, as both products name it on the device.
constexpr const char* kSettingsFile = "var/mobile/Library/Preferences/com.quillon.Vantor2.plist";

bool needsRunningApp(const Command& command)
{
    return !std::holds_alternative<command::Device>(command) && !std::holds_alternative<command::Setting>(command)
        && !std::holds_alternative<command::Launch>(command);
}

const char* commandName(const Command& command)
{
    static constexpr const char* names[] = { "device", "setting", "launch", "tap", "tap-view", "longpress", "drag",
        "swipe", "shutter", "volume", "mode", "camera", "rotate", "gravity", "filters", "wait", "background",
        "foreground", "memory-warning", "screenshot", "quit" };
    static_assert(std::size(names) == std::variant_size_v<Command>);
    return names[command.index()];
}

std::string timeStamp(double seconds)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%9.3f", seconds);
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

std::optional<ScenarioError> ScenarioRunner::check(const Scenario& scenario) const
{
    enum class Stage { BeforeLaunch, Running, Quit } stage = Stage::BeforeLaunch;
    for (auto& line : scenario.lines) {
        auto fail = [&](const std::string& why) {
            return ScenarioError { line.number, "line " + std::to_string(line.number) + ": " + why };
        };
        const auto& command = line.command;
        if (stage == Stage::Quit)
            return fail(std::string(commandName(command)) + " comes after quit");
        if (auto* device = std::get_if<command::Device>(&command); device && !kit::DeviceProfile::forModel(device->model))
            return fail("unknown device model \"" + device->model + "\"");
        if (stage == Stage::Running && !needsRunningApp(command))
            return fail(std::string(commandName(command)) + " must come before launch");
        if (stage == Stage::BeforeLaunch && needsRunningApp(command) && !std::holds_alternative<command::Quit>(command))
            return fail(std::string(commandName(command)) + " needs the camera running: put launch before it");
        if (std::holds_alternative<command::Launch>(command))
            stage = Stage::Running;
        else if (std::holds_alternative<command::Quit>(command))
            stage = Stage::Quit;
    }
    if (!kit::DeviceProfile::forModel(m_options.model))
        return ScenarioError { 0, "unknown device model \"" + m_options.model + "\"" };
    return std::nullopt;
}

ScenarioRunner::Outcome ScenarioRunner::run(const Scenario& scenario)
{
    Outcome outcome;
    if (auto problem = check(scenario)) {
        outcome.error = problem->message;
        return outcome;
    }
    std::error_code error;
    fs::create_directories(m_options.outputFolder, error);
    std::ofstream events(m_options.outputFolder / "events.log");
    if (error || !events) {
        outcome.error = "cannot write into " + m_options.outputFolder.string();
        return outcome;
    }

    std::string model = m_options.model;
    std::vector<command::Setting> settings;
    std::unique_ptr<host::Phone> phone;
    auto say = [&](const std::string& text) {
        if (m_options.progress)
            m_options.progress(text);
    };
    auto fail = [&](const ScenarioLine& line, const std::string& why) {
        outcome.error = "line " + std::to_string(line.number) + ": " + why;
        events << "# stopped: " << outcome.error << '\n';
        return outcome;
    };

    for (auto& line : scenario.lines) {
        double now = phone ? phone->now() : 0;
        events << timeStamp(now) << " # line " << line.number << ": " << commandName(line.command) << '\n';
        say(timeStamp(now) + "  " + commandName(line.command));
        using namespace command;
        const auto& c = line.command;
        if (auto* device = std::get_if<Device>(&c)) {
            model = device->model;
        } else if (auto* setting = std::get_if<Setting>(&c)) {
            settings.push_back(*setting);
        } else if (std::holds_alternative<Launch>(c)) {
            if (!settings.empty() && !writeSettings(m_options.deviceRoot, settings))
                return fail(line, "cannot write the settings file into " + m_options.deviceRoot.string());
            host::PhoneOptions options;
            options.model = model;
            options.deviceRoot = m_options.deviceRoot;
            options.loadExtension = m_options.loadExtension;
            options.sceneImage = m_options.sceneImage;
            options.eventLog = [&events](const std::string& entry) { events << entry << '\n'; };
            auto started = host::Phone::start(std::move(options));
            if (auto* problem = std::get_if<std::string>(&started))
                return fail(line, *problem);
            phone = std::move(std::get<std::unique_ptr<host::Phone>>(started));
            phone->launch();
        } else if (auto* tap = std::get_if<Tap>(&c)) {
            phone->tap({ tap->x, tap->y });
        } else if (auto* tapView = std::get_if<TapView>(&c)) {
            if (!phone->tapView(tapView->className, tapView->tag))
                return fail(line, "no visible " + tapView->className
                        + (tapView->tag ? "#" + std::to_string(*tapView->tag) : std::string()) + " on screen");
        } else if (auto* press = std::get_if<LongPress>(&c)) {
            phone->longPress({ press->x, press->y }, press->seconds);
        } else if (auto* drag = std::get_if<Drag>(&c)) {
            phone->drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
        } else if (auto* swipe = std::get_if<Swipe>(&c)) {
            using D = Swipe::Direction;
            using P = host::Phone::SwipeDirection;
            P direction = swipe->direction == D::Up ? P::Up
                : swipe->direction == D::Down       ? P::Down
                : swipe->direction == D::Left       ? P::Left
                                                    : P::Right;
            phone->swipe(direction);
        } else if (std::holds_alternative<Shutter>(c)) {
            phone->pressShutter();
        } else if (auto* volume = std::get_if<Volume>(&c)) {
            phone->pressVolume(volume->up);
        } else if (auto* mode = std::get_if<Mode>(&c)) {
            if (!phone->setCameraMode(mode->cameraMode))
                return fail(line, model + " has no such camera mode");
        } else if (auto* camera = std::get_if<Camera>(&c)) {
            if (!phone->setCameraDevice(camera->cameraDevice))
                return fail(line, model + " has no such camera");
        } else if (auto* rotate = std::get_if<Rotate>(&c)) {
            phone->setOrientation(rotate->orientation);
        } else if (auto* gravity = std::get_if<Gravity>(&c)) {
            phone->setGravity(gravity->x, gravity->y, gravity->z);
        } else if (auto* filters = std::get_if<Filters>(&c)) {
            phone->setFiltersShowing(filters->on);
        } else if (auto* wait = std::get_if<Wait>(&c)) {
            phone->advance(wait->seconds);
        } else if (std::holds_alternative<Background>(c)) {
            phone->background();
        } else if (std::holds_alternative<Foreground>(c)) {
            phone->foreground();
        } else if (std::holds_alternative<MemoryWarning>(c)) {
            phone->memoryWarning();
        } else if (auto* shot = std::get_if<Screenshot>(&c)) {
            auto path = m_options.outputFolder / shot->fileName;
            if (!phone->screenshot(path))
                return fail(line, "cannot write " + path.string());
            outcome.screenshots.push_back(path);
        } else if (std::holds_alternative<Quit>(c)) {
            if (phone) {
                phone->quit();
                outcome.cameraRoll = phone->cameraRoll();
                phone.reset();
            }
        }
        events.flush();
    }
    // The end of a script closes the app as quit does.
    if (phone) {
        phone->quit();
        outcome.cameraRoll = phone->cameraRoll();
    }
    outcome.ok = true;
    return outcome;
}

}
