#pragma once

#include "kit/media/CMTime.h"
#include "kit/runtime/Object.h"

#include <memory>

namespace kit {

// A span of frame rates a capture format can run at. The durations mirror
// the rates: the minimum frame duration belongs to the maximum rate and the
// maximum duration to the minimum rate.
class AVFrameRateRange final : public Object {
    KIT_OBJECT(AVFrameRateRange, Object)

public:
    // Rates in frames per second. Two rates given in the wrong order are
    // taken in order; rates below zero read as zero, whose duration is invalid.
    static std::shared_ptr<AVFrameRateRange> frameRateRangeWithMinRate(double minRate, double maxFrameRate);

    AVFrameRateRange(double minRate, double maxRate);

    double minFrameRate() const { return m_minRate; }
    double maxFrameRate() const { return m_maxRate; }
    CMTime minFrameDuration() const { return m_minDuration; }
    CMTime maxFrameDuration() const { return m_maxDuration; }

    // Whether a frame duration lies within the range (ends included).
    bool containsFrameDuration(const CMTime&) const;

private:
    double m_minRate { 0 };
    double m_maxRate { 0 };
    CMTime m_minDuration;
    CMTime m_maxDuration;
};

}
