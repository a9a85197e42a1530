#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kit {

// The system log. Lines go to syslog(3) under the ident set by openLog();
// they can be mirrored to stderr (vantor-sim -v) and the most recent ones are
// kept in memory so that a test can see what a run logged.
class SystemLog {
public:
    static void openLog(std::string ident);
    static const std::string& ident();

    static void setMirrorsToStandardError(bool);

    // One line, without a trailing newline. Safe to call from any thread.
    static void write(std::string_view line);

    // The lines written since the last clear, oldest first (at most 1000).
    static std::vector<std::string> recentLines();
    static void clearRecentLines();
    // recentLines() and clearRecentLines() in one step, so a line that
    // another thread writes meanwhile is neither lost nor returned twice.
    static std::vector<std::string> takeRecentLines();
};

// printf-style convenience: logf("%s %d", ...).
void logf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}
