#include "kit/foundation/SystemLog.h"

#include <cstdarg>
#include <cstdio>
#include <deque>
#include <iostream>
#include <iterator>
#include <mutex>
#include <syslog.h>

namespace kit {

namespace {

constexpr size_t kRecentLineLimit = 1000;

struct LogState {
    std::mutex mutex;
    std::string ident { "kit" };
    bool opened { false };
    bool mirror { false };
    std::deque<std::string> recent;
};

LogState& state()
{
    static LogState s;
    return s;
}

}

void SystemLog::openLog(std::string ident)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.ident = std::move(ident);
    // openlog keeps the pointer, so it must stay valid: it is the stored string.
    openlog(s.ident.c_str(), LOG_PID, LOG_USER);
    s.opened = true;
}

const std::string& SystemLog::ident()
{
    return state().ident;
}

void SystemLog::setMirrorsToStandardError(bool mirror)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.mirror = mirror;
}

void SystemLog::write(std::string_view line)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.opened) {
        openlog(s.ident.c_str(), LOG_PID, LOG_USER);
        s.opened = true;
    }
    std::string text(line);
    syslog(LOG_NOTICE, "%s", text.c_str());
    if (s.mirror)
        std::cerr << s.ident << ": " << text << '\n';
    if (s.recent.size() == kRecentLineLimit)
        s.recent.pop_front();
    s.recent.push_back(std::move(text));
}

std::vector<std::string> SystemLog::recentLines()
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return { s.recent.begin(), s.recent.end() };
}

void SystemLog::clearRecentLines()
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.recent.clear();
}

std::vector<std::string> SystemLog::takeRecentLines()
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    std::vector<std::string> lines(std::make_move_iterator(s.recent.begin()), std::make_move_iterator(s.recent.end()));
    s.recent.clear();
    return lines;
}

void logf(const char* format, ...)
{
    char buffer[2048];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    SystemLog::write(buffer);
}

}
