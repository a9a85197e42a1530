#include "ScenarioRunner.h"

#include "kit/media/DeviceProfile.h"

#include <fstream>

namespace sim {

namespace fs = std::filesystem;

namespace {

bool needsRunningApp(const Command& command)
{
    return !std::holds_alternative<command::Device>(command) && !std::holds_alternative<command::Setting>(command)
        && !std::holds_alternative<command::Launch>(command);
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

    ScenarioSession session(m_options, events);
    for (auto& line : scenario.lines) {
        if (auto problem = session.apply(line)) {
            outcome.error = "line " + std::to_string(line.number) + ": " + *problem;
            outcome.screenshots = session.screenshots();
            return outcome;
        }
    }
    // The end of a script closes the app as quit does.
    session.finish();
    outcome.screenshots = session.screenshots();
    outcome.cameraRoll = session.cameraRoll();
    outcome.ok = true;
    return outcome;
}

}
