#include "host/settings/SettingsAppProcess.h"

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace host {

namespace {

std::string number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    return buffer;
}

std::optional<std::string> readLine(std::FILE* in)
{
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n')
            return line;
        line.push_back(char(c));
    }
    return std::nullopt;
}

}

std::variant<std::unique_ptr<SettingsAppProcess>, std::string> SettingsAppProcess::start(Options options)
{
    // A write to a Settings app that has ended must be an error, not the end
    // of the home screen.
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0)
        return std::string("cannot make a pipe for the Settings app");
    if (pipe(fromChild) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return std::string("cannot make a pipe for the Settings app");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    for (int fd : { toChild[0], toChild[1], fromChild[0], fromChild[1] })
        posix_spawn_file_actions_addclose(&actions, fd);
    std::string executable = options.executable.string();
    std::string root = options.deviceRoot.string();
    std::vector<char*> argv { executable.data(), const_cast<char*>("--device"), options.model.data(),
        const_cast<char*>("--root"), root.data(), nullptr };
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (spawned != 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return "cannot start the Settings app " + executable + ": " + std::strerror(spawned);
    }
    std::unique_ptr<SettingsAppProcess> process(new SettingsAppProcess());
    process->m_options = std::move(options);
    process->m_pid = pid;
    process->m_to = fdopen(toChild[1], "w");
    process->m_from = fdopen(fromChild[0], "r");
    if (!process->m_to || !process->m_from)
        return std::string("cannot talk to the Settings app");
    if (auto problem = process->readAnswer(nullptr, nullptr))
        return "the Settings app did not start: " + *problem;
    return process;
}

SettingsAppProcess::~SettingsAppProcess()
{
    quit();
    end();
}

void SettingsAppProcess::end()
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

std::string SettingsAppProcess::reapAfterEnd()
{
    // A Settings app that crashed (a bundle that faults) says how it ended.
    // Its output has closed, which it only does when it ends, so the wait
    // is short.
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

std::optional<std::string> SettingsAppProcess::quit()
{
    if (m_ended)
        return std::nullopt;
    auto problem = send("quit");
    end();
    return problem;
}

std::optional<std::string> SettingsAppProcess::readAnswer(std::string* text, kit::CGImageRef* image)
{
    while (true) {
        auto line = readLine(m_from);
        if (!line) {
            m_ended = true;
            return "the Settings app has ended" + reapAfterEnd();
        }
        if (line->starts_with("log ")) {
            if (m_options.logSink)
                m_options.logSink(line->substr(4));
        } else if (line->starts_with("image ")) {
            int width = 0, height = 0;
            if (std::sscanf(line->c_str(), "image %d %d", &width, &height) != 2 || width <= 0 || height <= 0
                || width > 8192 || height > 8192)
                return std::string("the Settings app sent a broken image");
            auto pixels = kit::CGImage::create(width, height);
            for (int row = 0; pixels && row < height; ++row) {
                auto* target = pixels->mutableData() + size_t(row) * pixels->bytesPerRow();
                if (std::fread(target, 4, size_t(width), m_from) != size_t(width))
                    return std::string("the Settings app sent a broken image");
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
            return "the Settings app answered " + *line;
        }
    }
}

std::optional<std::string> SettingsAppProcess::send(const std::string& line, std::string* text)
{
    if (m_ended || !m_to)
        return std::string("the Settings app has ended");
    if (std::fprintf(m_to, "%s\n", line.c_str()) < 0 || std::fflush(m_to) != 0) {
        m_ended = true;
        return std::string("the Settings app has ended");
    }
    return readAnswer(text, nullptr);
}

std::optional<std::string> SettingsAppProcess::advance(double seconds)
{
    return send("advance " + number(seconds));
}

std::optional<std::string> SettingsAppProcess::touch(const char* phase, kit::CGPoint point)
{
    return send(std::string(phase) + " " + number(point.x) + " " + number(point.y));
}

std::optional<std::string> SettingsAppProcess::drag(kit::CGPoint from, kit::CGPoint to, double seconds)
{
    return send("drag " + number(from.x) + " " + number(from.y) + " " + number(to.x) + " " + number(to.y) + " "
        + number(seconds));
}

std::optional<std::string> SettingsAppProcess::tapView(const std::string& className, std::optional<int> tag)
{
    return send("tap-view " + className + (tag ? " " + std::to_string(*tag) : std::string()));
}

std::optional<std::string> SettingsAppProcess::tapOutlet(const std::string& field, double fx, double fy)
{
    return send("tap-outlet " + field + " " + number(fx) + " " + number(fy));
}

std::optional<double> SettingsAppProcess::now()
{
    std::string text;
    if (send("now", &text))
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

std::variant<ScreenFinding, std::string> SettingsAppProcess::find(const std::string& line)
{
    // "1 what" when a visible one is there, "0 what was there" when not.
    std::string text;
    if (auto problem = send(line, &text))
        return *problem;
    if (text.size() < 2 || (text[0] != '0' && text[0] != '1') || text[1] != ' ')
        return "the Settings app answered \"" + text + "\" to " + line;
    return ScreenFinding { text[0] == '1', text.substr(2) };
}

std::variant<ScreenFinding, std::string> SettingsAppProcess::findView(
    const std::string& className, std::optional<int> tag)
{
    return find("find-view " + className + (tag ? " " + std::to_string(*tag) : std::string()));
}

std::variant<ScreenFinding, std::string> SettingsAppProcess::findText(const std::string& text)
{
    return find("find-text " + text);
}

std::vector<std::string> SettingsAppProcess::pageTitles()
{
    std::string text;
    std::vector<std::string> titles;
    if (send("pages", &text) || text.empty())
        return titles;
    size_t start = 0;
    while (true) {
        size_t tab = text.find('\t', start);
        titles.push_back(text.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return titles;
}

kit::CGImageRef SettingsAppProcess::renderScreen()
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
