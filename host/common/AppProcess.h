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

// vantor-sim's handle on an app running in a process of its own, served
// over the line protocol (AppProtocol.h, AppServer.h): the apps never share
// kit's process-wide state. Each call sends one command and waits for its
// answer; what the app logged, recorded and noticed meanwhile is handed to
// the sinks first. An app that has ended answers every call with an error
// that says so, and how it ended ("the Settings app has ended (signal 6)").
class AppProcess {
public:
    struct Options {
        std::filesystem::path executable;
        std::string model { "iPhone6,1" };
        std::filesystem::path deviceRoot;
        // Given to the program after the model and the device root.
        std::vector<std::string> arguments;
        // Each line the app logs, records in its event record, notices;
        // nothing drops them.
        std::function<void(const std::string&)> logSink;
        std::function<void(const std::string&)> eventSink;
        std::function<void(const std::string&)> noticeSink;
    };

    // Quits the app and waits for the process to end.
    virtual ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // How messages name it: "the Settings app".
    const std::string& name() const { return m_name; }
    bool hasEnded() const { return m_ended; }

    // Sends one command line; the reason when it failed, else nothing. The
    // answer's text (after "ok ") goes into `text` when given.
    std::optional<std::string> send(const std::string& line, std::string* text = nullptr);

    // --- The commands every app takes, typed.
    std::optional<std::string> launch() { return send("launch"); }
    std::optional<std::string> background() { return send("background"); }
    std::optional<std::string> foreground() { return send("foreground"); }
    std::optional<std::string> quit();
    std::optional<std::string> advance(double seconds);
    // "down", "move", "up" or "tap".
    std::optional<std::string> touch(const char* phase, kit::CGPoint);
    std::optional<std::string> tap(kit::CGPoint point) { return touch("tap", point); }
    std::optional<std::string> press(kit::CGPoint, double seconds);
    std::optional<std::string> drag(kit::CGPoint from, kit::CGPoint to, double seconds);
    std::optional<std::string> tapView(const std::string& className, std::optional<int> tag);
    std::optional<std::string> screenshot(const std::filesystem::path& png) { return send("screenshot " + png.string()); }
    std::optional<std::string> describe(const std::filesystem::path& txt) { return send("describe " + txt.string()); }
    // What its screen shows of a view or a text (ScreenQuery.h); the reason
    // when it cannot answer.
    std::variant<ScreenFinding, std::string> findView(const std::string& className, std::optional<int> tag);
    std::variant<ScreenFinding, std::string> findText(const std::string& text);
    // The simulated time in the app; nothing when it has ended.
    std::optional<double> now();
    // Its screen as it looks now; nothing when it has ended.
    kit::CGImageRef renderScreen();

protected:
    AppProcess() = default;
    // Starts the program and waits for its first answer; the reason when it
    // cannot be started or does not start the app. `name` as messages say it.
    static std::optional<std::string> start(AppProcess&, std::string name, Options);

private:
    std::optional<std::string> readAnswer(std::string* text, kit::CGImageRef* image);
    std::variant<ScreenFinding, std::string> find(const std::string& line);
    void end();
    // How the process ended, when it has: " (signal 11)"; empty otherwise.
    std::string reapAfterEnd();
    std::string hasEndedMessage() const { return m_name + " has ended"; }

    std::string m_name;
    Options m_options;
    pid_t m_pid { -1 };
    std::FILE* m_to { nullptr };
    std::FILE* m_from { nullptr };
    bool m_ended { false };
};

}
