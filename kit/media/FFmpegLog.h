#pragma once

#include <cstdint>
#include <string>

namespace kit::ffmpeg {

// FFmpeg's own messages stay off the terminal: whoever calls FFmpeg says
// what went wrong in one line of its own. The last error FFmpeg logged on a
// thread is kept, so that line can carry FFmpeg's own words for it (a code
// such as "Invalid argument" says less than the "No such filter: 'x'" that
// came with it). Safe from any thread.
void keepLogQuiet();

// The errors FFmpeg logs on this thread from its construction on; they
// may be nested.
class LoggedErrors {
public:
    LoggedErrors();
    LoggedErrors(const LoggedErrors&) = delete;
    LoggedErrors& operator=(const LoggedErrors&) = delete;

    // The last error logged since, without its source's prefix; empty when none was.
    std::string last() const;
    // FFmpeg's words for a failure with this error code: the logged error
    // when it says more, else the code's text.
    std::string reasonFor(int error) const;

private:
    uint64_t m_since { 0 };
};

}
