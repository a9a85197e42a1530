#pragma once

#include "host/common/ScreenQuery.h"

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace host {

// The home screen's handle on the Settings app running in a process of its
// own (the vantor-settings program, SettingsAppServer.h): the camera app and
// the Settings app never share kit's process-wide state. Each call sends one
// command and waits for its answer; the log lines the Settings app wrote
// meanwhile are handed to the log sink first. A Settings app that has ended
// answers every call with an error.
class SettingsAppProcess {
public:
    struct Options {
        std::filesystem::path executable;
        std::string model { "iPhone6,1" };
        std::filesystem::path deviceRoot;
        // Each line the Settings app logs; nothing drops them.
        std::function<void(const std::string&)> logSink;
    };
    // The reason when the program cannot be started or does not start the app.
    static std::variant<std::unique_ptr<SettingsAppProcess>, std::string> start(Options);
    // Quits the app and waits for the process to end.
    ~SettingsAppProcess();
    SettingsAppProcess(const SettingsAppProcess&) = delete;
    SettingsAppProcess& operator=(const SettingsAppProcess&) = delete;

    pid_t pid() const { return m_pid; }

    // Sends one command line; the reason when it failed, else nothing. The
    // answer's text (after "ok ") goes into `text` when given.
    std::optional<std::string> send(const std::string& line, std::string* text = nullptr);

    // --- The commands, typed.
    std::optional<std::string> launch() { return send("launch"); }
    std::optional<std::string> background() { return send("background"); }
    std::optional<std::string> foreground() { return send("foreground"); }
    std::optional<std::string> quit();
    std::optional<std::string> openEntry(const std::string& name) { return send("open " + name); }
    std::optional<std::string> back() { return send("back"); }
    std::optional<std::string> advance(double seconds);
    std::optional<std::string> touch(const char* phase, kit::CGPoint);
    std::optional<std::string> tap(kit::CGPoint point) { return touch("tap", point); }
    std::optional<std::string> drag(kit::CGPoint from, kit::CGPoint to, double seconds);
    std::optional<std::string> tapView(const std::string& className, std::optional<int> tag);
    std::optional<std::string> tapControl(const std::string& selector) { return send("tap-control " + selector); }
    std::optional<std::string> tapOutlet(const std::string& field, double fx, double fy);
    std::optional<std::string> tapCell(const std::string& text) { return send("tap-cell " + text); }
    std::optional<std::string> screenshot(const std::filesystem::path& png) { return send("screenshot " + png.string()); }
    std::optional<std::string> describe(const std::filesystem::path& txt) { return send("describe " + txt.string()); }
    // What its screen shows of a view or a text (host/common/ScreenQuery.h);
    // the reason when it cannot answer.
    std::variant<ScreenFinding, std::string> findView(const std::string& className, std::optional<int> tag);
    std::variant<ScreenFinding, std::string> findText(const std::string& text);
    // The simulated time in the Settings app; nothing when it has ended.
    std::optional<double> now();
    // The titles of its pages, root first.
    std::vector<std::string> pageTitles();
    // Its screen as it looks now; nothing when it has ended.
    kit::CGImageRef renderScreen();

private:
    SettingsAppProcess() = default;
    std::optional<std::string> readAnswer(std::string* text, kit::CGImageRef* image);
    std::variant<ScreenFinding, std::string> find(const std::string& line);
    void end();
    // How the process ended, when it has: " (signal 11)"; empty otherwise.
    std::string reapAfterEnd();

    Options m_options;
    pid_t m_pid { -1 };
    std::FILE* m_to { nullptr };
    std::FILE* m_from { nullptr };
    bool m_ended { false };
};

}
