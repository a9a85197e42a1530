#include "kit/media/CMTime.h"

#include <cmath>

namespace kit {

int32_t CMTimeCompare(const CMTime& a, const CMTime& b)
{
    bool aValid = CMTIME_IS_VALID(a);
    bool bValid = CMTIME_IS_VALID(b);
    if (!aValid || !bValid)
        return aValid == bValid ? 0 : (aValid ? 1 : -1);
    // Cross-multiplied in 128 bits so that no timescale pair can overflow.
    __int128 left = __int128(a.value) * b.timescale;
    __int128 right = __int128(b.value) * a.timescale;
    return left < right ? -1 : (left > right ? 1 : 0);
}

CMTime CMTimeForFrameRate(double framesPerSecond)
{
    if (!(framesPerSecond > 0) || !std::isfinite(framesPerSecond))
        return kCMTimeInvalid;
    double whole = std::round(framesPerSecond);
    if (std::fabs(whole - framesPerSecond) < 1e-9 && whole <= 1'000'000)
        return CMTimeMake(1, int32_t(whole));
    // Fractional rates (29.97) in microsecond steps, as close as 32 bits allow.
    constexpr int32_t scale = 1'000'000;
    return CMTimeMake(int64_t(std::llround(scale / framesPerSecond)), scale);
}

}
