#include "kit/media/FFmpegLog.h"

#include "kit/media/FFmpegHandles.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace kit::ffmpeg {

namespace {

// The last error logged on this thread, and how many have been.
struct LastError {
    std::string text;
    uint64_t count { 0 };
};
thread_local LastError lastError;

void keepErrors(void*, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[512];
    std::vsnprintf(line, sizeof line, format, arguments);
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    // Messages come in parts; a part that is only the end of a line adds nothing.
    if (!text.empty()) {
        lastError.text = std::move(text);
        ++lastError.count;
    }
}

}

void keepLogQuiet()
{
    static std::once_flag installed;
    std::call_once(installed, [] { av_log_set_callback(keepErrors); });
}

LoggedErrors::LoggedErrors()
    : m_since(lastError.count)
{
    keepLogQuiet();
}

std::string LoggedErrors::last() const
{
    return lastError.count > m_since ? lastError.text : std::string();
}

std::string LoggedErrors::reasonFor(int error) const
{
    std::string code = errorText(error);
    std::string logged = last();
    if (logged.empty() || logged.find(code) != std::string::npos)
        return logged.empty() ? code : logged;
    return logged + " (" + code + ")";
}

}
