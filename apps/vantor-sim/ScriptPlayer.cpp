#include "ScriptPlayer.h"

namespace sim {

namespace {

std::ofstream openEvents(const RunOptions& options)
{
    std::error_code error;
    std::filesystem::create_directories(options.outputFolder, error);
    return std::ofstream(options.outputFolder / "events.log");
}

}

ScriptPlayer::ScriptPlayer(Scenario scenario, RunOptions options)
    : m_scenario(std::move(scenario))
    , m_events(openEvents(options))
    , m_session(std::move(options), m_events)
{
}

bool ScriptPlayer::isWaiting() const
{
    return m_waitUntil && m_session.isRunning() && m_session.now() < *m_waitUntil;
}

std::optional<double> ScriptPlayer::nextLineDue() const
{
    if (isFinished() || !m_session.isRunning())
        return std::nullopt;
    return isWaiting() ? *m_waitUntil : m_session.now();
}

void ScriptPlayer::runDue()
{
    m_screenshotJustTaken.reset();
    while (!isFinished() && !isWaiting()) {
        m_waitUntil.reset();
        const auto& line = m_scenario.lines[m_next++];
        auto shots = m_session.screenshots().size();
        if (auto problem = m_session.apply(line, ScenarioSession::Waits::LeaveToCaller)) {
            m_error = "line " + std::to_string(line.number) + ": " + *problem;
            return;
        }
        if (lineApplied)
            lineApplied(line.command);
        if (auto* wait = std::get_if<command::Wait>(&line.command); wait && m_session.isRunning())
            m_waitUntil = m_session.now() + wait->seconds;
        if (m_session.screenshots().size() > shots) {
            m_screenshotJustTaken = m_session.screenshots().back();
            return;
        }
    }
}

}
