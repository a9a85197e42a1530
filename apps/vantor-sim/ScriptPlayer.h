#pragma once

#include "Scenario.h"
#include "ScenarioSession.h"

#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace sim {

// Plays a scenario as time passes, for the window: each line runs when the
// phone's clock reaches its time, and a wait leaves the time to the caller
// (frames keep drawing while it passes). Lines run through the same session
// as a headless run, and events.log goes into the output folder as there.
// A window without a script plays the scenario of one launch.
class ScriptPlayer {
public:
    // The scenario must have passed ScenarioRunner::check.
    ScriptPlayer(Scenario, RunOptions);

    // Told of each line after it has run, with the phone as it left it.
    std::function<void(const Command&)> lineApplied;

    // Runs the lines that are due now. Stops after a screenshot, so that the
    // next frame drawn shows the moment it captured.
    void runDue();
    // The simulated time the next line is due: the end of a wait, or now
    // when one is due at once (after a screenshot, the lines that follow it
    // without a wait still belong to that moment). Nothing once the
    // scenario has ended.
    std::optional<double> nextLineDue() const;

    bool isFinished() const { return m_next >= m_scenario.lines.size() || m_error; }
    const std::optional<std::string>& error() const { return m_error; }
    // Whether the last runDue wrote a screenshot, and where.
    const std::optional<std::filesystem::path>& screenshotJustTaken() const { return m_screenshotJustTaken; }

    // False when events.log cannot be written into the output folder.
    bool isLogging() const { return bool(m_events); }
    ScenarioSession& session() { return m_session; }
    host::Phone* phone() const { return m_session.phone(); }

private:
    bool isWaiting() const;

    Scenario m_scenario;
    std::ofstream m_events;
    ScenarioSession m_session;
    size_t m_next { 0 };
    std::optional<double> m_waitUntil;
    std::optional<std::string> m_error;
    std::optional<std::filesystem::path> m_screenshotJustTaken;
};

}
