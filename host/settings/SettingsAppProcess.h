#pragma once

#include "host/common/AppProcess.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace host {

// vantor-sim's handle on the Settings app running in a process of its own
// (the vantor-settings program, SettingsAppServer.h): every app's commands
// (AppProcess.h) and the Settings app's own.
class SettingsAppProcess final : public AppProcess {
public:
    using Options = AppProcess::Options;
    // The reason when the program cannot be started or does not start the app.
    static std::variant<std::unique_ptr<SettingsAppProcess>, std::string> start(Options);

    std::optional<std::string> openEntry(const std::string& name) { return send("open " + name); }
    std::optional<std::string> back() { return send("back"); }
    std::optional<std::string> tapControl(const std::string& selector) { return send("tap-control " + selector); }
    std::optional<std::string> tapOutlet(const std::string& field, double fx, double fy);
    std::optional<std::string> tapCell(const std::string& text) { return send("tap-cell " + text); }
    // The titles of its pages, root first.
    std::vector<std::string> pageTitles();

private:
    SettingsAppProcess() = default;
};

}
