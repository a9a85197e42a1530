#pragma once

#include "kit/media/AVFrameRateRange.h"
#include "kit/media/CMFormatDescription.h"
#include "kit/runtime/Object.h"

#include <memory>
#include <string>
#include <vector>

namespace kit {

// One way a capture device can run: frame size and the frame rates it
// allows. Immutable; the device owns its formats for its whole life.
class AVCaptureDeviceFormat final : public Object {
    KIT_OBJECT(AVCaptureDeviceFormat, Object)

public:
    AVCaptureDeviceFormat(int width, int height, std::vector<std::shared_ptr<AVFrameRateRange>> ranges);

    std::string mediaType() const { return "vide"; }
    // Valid while this format lives.
    CMFormatDescriptionRef formatDescription() const { return &m_description; }
    const std::vector<std::shared_ptr<AVFrameRateRange>>& videoSupportedFrameRateRanges() const { return m_ranges; }

    // Whether some range of the format allows this frame duration.
    bool supportsFrameDuration(const CMTime&) const;
    // The frame duration the format runs at until told otherwise: 1/30 s,
    // or the format's fastest when it cannot reach 30.
    CMTime defaultFrameDuration() const;

private:
    CMFormatDescription m_description;
    std::vector<std::shared_ptr<AVFrameRateRange>> m_ranges;
};

}
