#pragma once

#include "Scenario.h"
#include "ScenarioSession.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// Runs a scenario on a simulated phone. The whole scenario is checked first
// (commands in an order that can run, known models), so a wrong line stops
// the run before anything is written. The run writes events.log into the
// output folder: each host method call and extension notification with its
// simulated time, and each scenario line as it starts.
class ScenarioRunner {
public:
    explicit ScenarioRunner(RunOptions options) : m_options(std::move(options)) { }

    // A problem with a line that makes the scenario unrunnable, or nothing.
    std::optional<ScenarioError> check(const Scenario&) const;

    struct Outcome {
        bool ok { false };
        std::string error;
        std::vector<std::filesystem::path> screenshots;
        // The photos and movies the run took, copied into the output
        // folder's "camera-roll"; the originals stay in the device root.
        std::vector<std::filesystem::path> cameraRoll;
        // The settings file as the run left it, copied into the output
        // folder as "settings.plist"; nothing when the run wrote none.
        std::optional<std::filesystem::path> settings;
    };
    Outcome run(const Scenario&);

private:
    RunOptions m_options;
};

}
