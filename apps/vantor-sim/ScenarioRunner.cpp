#include "ScenarioRunner.h"
#include "ScenarioOrder.h"
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

}

std::optional<ScenarioError> ScenarioRunner::check(const Scenario& scenario) const
{
    if (auto problem = checkOrder(scenario))
        return problem;
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
