#include "kit/media/AVFrameRateRange.h"

#include "kit/runtime/Class.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(AVFrameRateRange);

std::shared_ptr<AVFrameRateRange> AVFrameRateRange::frameRateRangeWithMinRate(double minRate, double maxFrameRate)
{
    return std::make_shared<AVFrameRateRange>(minRate, maxFrameRate);
}

AVFrameRateRange::AVFrameRateRange(double minRate, double maxRate)
    : m_minRate(std::max(0.0, std::min(minRate, maxRate)))
    , m_maxRate(std::max(0.0, std::max(minRate, maxRate)))
    , m_minDuration(CMTimeForFrameRate(m_maxRate))
    , m_maxDuration(CMTimeForFrameRate(m_minRate))
{
}

bool AVFrameRateRange::containsFrameDuration(const CMTime& duration) const
{
    if (!CMTIME_IS_VALID(duration) || !CMTIME_IS_VALID(m_minDuration) || !CMTIME_IS_VALID(m_maxDuration))
        return false;
    return CMTimeCompare(duration, m_minDuration) >= 0 && CMTimeCompare(duration, m_maxDuration) <= 0;
}

}
