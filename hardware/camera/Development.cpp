#include "hardware/camera/Development.h"

#include "hardware/camera/DepthOfField.h"
#include "hardware/camera/SensorReadout.h"

#include <algorithm>
#include <cmath>

namespace hardware {

kit::CGImageRef develop(const SceneFrame& frame, const Development& development, DepthOfField& blur, kit::CGImageRef into)
{
    int width = frame.width(), height = frame.height();
    if (width <= 0 || height <= 0)
        return nullptr;
    kit::CGImageRef image = into && into->width() == width && into->height() == height ? std::move(into)
                                                                                         : kit::CGImage::create(width, height);
    if (!image)
        return nullptr;
    SensorReadout readout(frame, development);
    // The blur is only worth its passes when some point is blurred at all:
    // the frame's farthest or nearest.
    auto range = readout.nearnessRange();
    float largestBlur = range.farthest <= range.nearest
        ? std::max(std::fabs(readout.defocus(range.farthest)), std::fabs(readout.defocus(range.nearest)))
        : 0.0f;
    if (largestBlur >= 0.5f) {
        blur.develop(readout, *image);
    } else {
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int y = 0; y < height; ++y)
            readout.sharpRow(y, 0, width, pixels + size_t(y) * size_t(width));
    }
    image->markOpaque();
    return image;
}

}
