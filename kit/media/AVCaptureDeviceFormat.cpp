#include "kit/media/AVCaptureDeviceFormat.h"

#include "kit/runtime/Class.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(AVCaptureDeviceFormat);

AVCaptureDeviceFormat::AVCaptureDeviceFormat(
    int width, int height, std::vector<std::shared_ptr<AVFrameRateRange>> ranges)
    : m_ranges(std::move(ranges))
{
    m_description.dimensions = { width, height };
}

bool AVCaptureDeviceFormat::supportsFrameDuration(const CMTime& duration) const
{
    return std::any_of(m_ranges.begin(), m_ranges.end(),
        [&](const auto& range) { return range->containsFrameDuration(duration); });
}

CMTime AVCaptureDeviceFormat::defaultFrameDuration() const
{
    double fastest = 0;
    for (const auto& range : m_ranges)
        fastest = std::max(fastest, range->maxFrameRate());
    return CMTimeForFrameRate(std::min(fastest, 30.0));
}

}
