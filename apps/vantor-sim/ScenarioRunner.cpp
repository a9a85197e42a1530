#include "ScenarioRunner.h"
#include "ScenarioSession.h"

#include "kit/media/DeviceProfile.h"

#include <fstream>
#include <set>

namespace sim {

namespace fs = std::filesystem;

namespace {

// Copies what a run added to the camera roll into the output folder, so a
// run's photos and movies sit beside its screenshots.
std::vector<fs::path> collectNewCameraRollFiles(const std::set<fs::path>& before, const fs::path& root,
    const fs::path& outputFolder)
{
    std::vector<fs::path> copied;
    std::error_code error;
    for (auto& file : cameraRollFiles(root)) {
        if (before.count(file))
            continue;
        auto target = outputFolder / "camera-roll" / file.filename();
        fs::create_directories(target.parent_path(), error);
        fs::copy_file(file, target, fs::copy_options::overwrite_existing, error);
        if (!error)
            copied.push_back(target);
    }
    return copied;
}

// The settings file beside the run's other artefacts, so what the products
// wrote into it can be read without searching the device root.
std::optional<fs::path> copySettingsFile(const fs::path& root, const fs::path& outputFolder)
{
    auto settings = root / kSettingsFile;
    auto target = outputFolder / "settings.plist";
    std::error_code error;
    if (!fs::is_regular_file(settings, error))
        return std::nullopt;
    fs::copy_file(settings, target, fs::copy_options::overwrite_existing, error);
    if (error)
        return std::nullopt;
    return target;
}

// `settings` and `camera` start their app when it is not running yet.
bool startsApp(const Command& command)
{
    return std::holds_alternative<command::Settings>(command) || std::holds_alternative<command::CameraToFront>(command);
}

// The light on the scene is the world's: it may be set before the launch
// and whichever app is in front.
bool isForTheWorld(const Command& command)
{
    return std::holds_alternative<command::Light>(command);
}

// Expectations of the screen look at the app in front; the others read
// files and the log, which are there before the launch and after quit.
bool looksAtScreen(const Command& command)
{
    auto* expect = std::get_if<command::Expect>(&command);
    return expect && (expect->kind == command::Expect::Kind::View || expect->kind == command::Expect::Kind::Text);
}

bool needsRunningApp(const Command& command)
{
    if (std::holds_alternative<command::Expect>(command))
        return looksAtScreen(command);
    return !std::holds_alternative<command::Device>(command) && !std::holds_alternative<command::Setting>(command)
        && !std::holds_alternative<command::Launch>(command) && !startsApp(command) && !isForTheWorld(command);
}

bool mayComeAnywhere(const Command& command)
{
    return std::holds_alternative<command::Expect>(command) && !looksAtScreen(command);
}

// What a person does to the camera only, and to the Settings app only.
bool isForCamera(const Command& command)
{
    using namespace command;
    return std::holds_alternative<LongPress>(command) || std::holds_alternative<Swipe>(command)
        || std::holds_alternative<Shutter>(command) || std::holds_alternative<Volume>(command)
        || std::holds_alternative<Mode>(command) || std::holds_alternative<Camera>(command)
        || std::holds_alternative<Filters>(command) || std::holds_alternative<Background>(command)
        || std::holds_alternative<Foreground>(command) || std::holds_alternative<MemoryWarning>(command);
}

bool isForSettings(const Command& command)
{
    using namespace command;
    return std::holds_alternative<Back>(command) || std::holds_alternative<TapControl>(command)
        || std::holds_alternative<TapOutlet>(command) || std::holds_alternative<TapCell>(command);
}

}

std::optional<ScenarioError> ScenarioRunner::check(const Scenario& scenario) const
{
    enum class Stage { BeforeLaunch, Running, Quit } stage = Stage::BeforeLaunch;
    enum class Front { Camera, Settings } front = Front::Camera;
    for (auto& line : scenario.lines) {
        auto fail = [&](const std::string& why) {
            return ScenarioError { line.number, "line " + std::to_string(line.number) + ": " + why };
        };
        const auto& command = line.command;
        if (mayComeAnywhere(command))
            continue;
        if (stage == Stage::Quit)
            return fail(std::string(commandName(command)) + " comes after quit");
        if (auto* device = std::get_if<command::Device>(&command); device && !kit::DeviceProfile::forModel(device->model))
            return fail("unknown device model \"" + device->model + "\"");
        if (stage == Stage::Running && std::holds_alternative<command::Launch>(command))
            return fail("launch comes once, before any app runs: camera brings the camera to the front");
        if (stage == Stage::Running && !needsRunningApp(command) && !startsApp(command) && !isForTheWorld(command))
            return fail(std::string(commandName(command)) + " must come before launch");
        if (stage == Stage::BeforeLaunch && needsRunningApp(command) && !std::holds_alternative<command::Quit>(command))
            return fail(std::string(commandName(command)) + " needs the camera running: put launch before it");
        if (stage == Stage::Running && front == Front::Settings && isForCamera(command))
            return fail(std::string(commandName(command)) + " needs the camera in front: put camera before it");
        if (stage == Stage::Running && front == Front::Camera && isForSettings(command))
            return fail(std::string(commandName(command)) + " needs the Settings app in front: put settings before it");
        if (std::holds_alternative<command::Launch>(command) || startsApp(command))
            stage = Stage::Running;
        else if (std::holds_alternative<command::Quit>(command))
            stage = Stage::Quit;
        if (std::holds_alternative<command::Launch>(command) || std::holds_alternative<command::CameraToFront>(command))
            front = Front::Camera;
        else if (std::holds_alternative<command::Settings>(command))
            front = Front::Settings;
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

    ScenarioSession session(m_options, events);
    // A line that stops the run keeps what was made before it: screenshots,
    // events.log, the photos and movies, the settings file.
    auto keepArtefacts = [&] {
        outcome.screenshots = session.screenshots();
        outcome.cameraRoll = collectNewCameraRollFiles(session.cameraRollBefore(), m_options.deviceRoot, m_options.outputFolder);
        outcome.settings = copySettingsFile(m_options.deviceRoot, m_options.outputFolder);
    };
    for (auto& line : scenario.lines) {
        if (auto problem = session.apply(line)) {
            outcome.error = "line " + std::to_string(line.number) + ": " + *problem;
            keepArtefacts();
            return outcome;
        }
    }
    // The end of a script closes the app as quit does.
    session.finish();
    keepArtefacts();
    outcome.ok = true;
    return outcome;
}

}
