#include "host/common/AppProcess.h"

#include "host/common/AppProtocol.h"

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace host {

std::optional<std::string> AppProcess::start(AppProcess& process, std::string name, Options options)
{
    process.m_name = std::move(name);
    process.m_ended = true;
    // A write to an app that has ended must be an error, not the end of
    // vantor-sim.
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0)
        return "cannot make a pipe for " + process.m_name;
    if (pipe(fromChild) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return "cannot make a pipe for " + process.m_name;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    for (int fd : { toChild[0], toChild[1], fromChild[0], fromChild[1] })
        posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<std::string> words { options.executable.string(), "--device", options.model, "--root",
        options.deviceRoot.string() };
    words.insert(words.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, words[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (spawned != 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return "cannot start " + process.m_name + " " + words[0] + ": " + std::strerror(spawned);
    }
    process.m_options = std::move(options);
    process.m_pid = pid;
    process.m_ended = false;
    process.m_to = fdopen(toChild[1], "w");
    process.m_from = fdopen(fromChild[0], "r");
    if (!process.m_to || !process.m_from)
        return "cannot talk to " + process.m_name;
    if (auto problem = process.readAnswer(nullptr, nullptr))
        return process.m_name + " did not start: " + *problem;
    return std::nullopt;
}

AppProcess::~AppProcess()
{
    quit();
    end();
}

void AppProcess::end()
{
    if (m_to) {
        std::fclose(m_to);
        m_to = nullptr;
    }
    if (m_from) {
        std::fclose(m_from);
        m_from = nullptr;
    }
    if (m_pid > 0) {
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    m_ended = true;
}

std::string AppProcess::reapAfterEnd()
{
    // An app that crashed (a bundle that faults) says how it ended. Its
    // output has closed, which it only does when it ends, so the wait is
    // short.
    int status = 0;
    if (m_pid <= 0 || waitpid(m_pid, &status, 0) != m_pid)
        return "";
    m_pid = -1;
    if (WIFSIGNALED(status))
        return " (signal " + std::to_string(WTERMSIG(status)) + ")";
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return " (status " + std::to_string(WEXITSTATUS(status)) + ")";
    return "";
}

std::optional<std::string> AppProcess::quit()
{
    if (m_ended)
        return std::nullopt;
    auto problem = send("quit");
    end();
    return problem;
}

std::optional<std::string> AppProcess::readAnswer(std::string* text, kit::CGImageRef* image)
{
    auto pass = [](const std::function<void(const std::string&)>& sink, const std::string& line) {
        if (sink)
            sink(line);
    };
    while (true) {
        auto line = protocol::readLine(m_from, false);
        if (!line) {
            m_ended = true;
            return hasEndedMessage() + reapAfterEnd();
        }
        if (line->starts_with("log ")) {
            pass(m_options.logSink, line->substr(4));
        } else if (line->starts_with("event ")) {
            pass(m_options.eventSink, line->substr(6));
        } else if (line->starts_with("notice ")) {
            pass(m_options.noticeSink, line->substr(7));
        } else if (line->starts_with("image ")) {
            int width = 0, height = 0;
            if (std::sscanf(line->c_str(), "image %d %d", &width, &height) != 2 || width <= 0 || height <= 0
                || width > 8192 || height > 8192)
                return m_name + " sent a broken image";
            auto pixels = kit::CGImage::create(width, height);
            for (int row = 0; pixels && row < height; ++row) {
                auto* target = pixels->mutableData() + size_t(row) * pixels->bytesPerRow();
                if (std::fread(target, 4, size_t(width), m_from) != size_t(width))
                    return m_name + " sent a broken image";
            }
            if (image)
                *image = pixels;
        } else if (*line == "ok" || line->starts_with("ok ")) {
            if (text)
                *text = line->size() > 3 ? line->substr(3) : std::string();
            return std::nullopt;
        } else if (line->starts_with("error ")) {
            return line->substr(6);
        } else {
            return m_name + " answered " + *line;
        }
    }
}

std::optional<std::string> AppProcess::send(const std::string& line, std::string* text)
{
    if (m_ended || !m_to)
        return hasEndedMessage();
    if (std::fprintf(m_to, "%s\n", line.c_str()) < 0 || std::fflush(m_to) != 0) {
        m_ended = true;
        return hasEndedMessage();
    }
    return readAnswer(text, nullptr);
}

std::optional<std::string> AppProcess::advance(double seconds)
{
    return send("advance " + protocol::number(seconds));
}

std::optional<std::string> AppProcess::touch(const char* phase, kit::CGPoint point)
{
    return send(std::string(phase) + " " + protocol::number(point.x) + " " + protocol::number(point.y));
}

std::optional<std::string> AppProcess::press(kit::CGPoint point, double seconds)
{
    return send("press " + protocol::number(point.x) + " " + protocol::number(point.y) + " "
        + protocol::number(seconds));
}

std::optional<std::string> AppProcess::drag(kit::CGPoint from, kit::CGPoint to, double seconds)
{
    return send("drag " + protocol::number(from.x) + " " + protocol::number(from.y) + " " + protocol::number(to.x) + " "
        + protocol::number(to.y) + " " + protocol::number(seconds));
}

std::optional<std::string> AppProcess::tapView(const std::string& className, std::optional<int> tag)
{
    return send("tap-view " + className + (tag ? " " + std::to_string(*tag) : std::string()));
}

std::variant<ScreenFinding, std::string> AppProcess::find(const std::string& line)
{
    // "1 what" when a visible one is there, "0 what was there" when not.
    std::string text;
    if (auto problem = send(line, &text))
        return *problem;
    if (text.size() < 2 || (text[0] != '0' && text[0] != '1') || text[1] != ' ')
        return m_name + " answered \"" + text + "\" to " + line;
    return ScreenFinding { text[0] == '1', text.substr(2) };
}

std::variant<ScreenFinding, std::string> AppProcess::findView(const std::string& className, std::optional<int> tag)
{
    return find("find-view " + className + (tag ? " " + std::to_string(*tag) : std::string()));
}

std::variant<ScreenFinding, std::string> AppProcess::findText(const std::string& text)
{
    return find("find-text " + text);
}

std::optional<double> AppProcess::now()
{
    std::string text;
    if (send("now", &text))
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

kit::CGImageRef AppProcess::renderScreen()
{
    if (m_ended || !m_to)
        return nullptr;
    if (std::fprintf(m_to, "render\n") < 0 || std::fflush(m_to) != 0) {
        m_ended = true;
        return nullptr;
    }
    kit::CGImageRef image;
    if (readAnswer(nullptr, &image))
        return nullptr;
    return image;
}

}
