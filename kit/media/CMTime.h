#pragma once

#include <cstdint>

namespace kit {

// A media time as the platform keeps it: value / timescale seconds. A time
// whose flags lack kCMTimeFlags_Valid (or whose timescale is not positive)
// is invalid; kCMTimeInvalid is what a message to nil gives.
struct CMTime {
    int64_t value { 0 };
    int32_t timescale { 0 };
    uint32_t flags { 0 };
    int64_t epoch { 0 };
};

using CMTimeValue = int64_t;
using CMTimeScale = int32_t;

constexpr uint32_t kCMTimeFlags_Valid = 1;

constexpr CMTime CMTimeMake(int64_t value, int32_t timescale)
{
    return CMTime { value, timescale, timescale > 0 ? kCMTimeFlags_Valid : 0u, 0 };
}

constexpr CMTime kCMTimeInvalid {};
constexpr CMTime kCMTimeZero = CMTimeMake(0, 1);

constexpr bool CMTIME_IS_VALID(const CMTime& time)
{
    return (time.flags & kCMTimeFlags_Valid) && time.timescale > 0;
}

// Seconds; 0 for an invalid time (the platform gives NaN, which no caller
// here wants to see).
constexpr double CMTimeGetSeconds(const CMTime& time)
{
    return CMTIME_IS_VALID(time) ? double(time.value) / double(time.timescale) : 0.0;
}

// -1, 0 or 1 as a is earlier than, equal to or later than b. Invalid times
// sort before every valid time and equal one another.
int32_t CMTimeCompare(const CMTime& a, const CMTime& b);

// The time of one frame at a rate in frames per second: 1/rate, exact for
// whole rates; invalid for rates that are not positive.
CMTime CMTimeForFrameRate(double framesPerSecond);

}
