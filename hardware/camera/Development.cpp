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
    // The blur is only worth its passes when some point is blurred at all.
    bool present[256] {};
    for (uint8_t level : frame.nearness)
        present[level] = true;
    float largestBlur = 0;
    for (int level = 0; level < 256; ++level) {
        if (present[level])
            largestBlur = std::max(largestBlur, std::fabs(readout.defocus(uint8_t(level))));
    }
    if (largestBlur >= 0.5f) {
        blur.develop(readout, present, *image);
    } else {
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int y = 0; y < height; ++y) {
            const uint32_t* colours = readout.colourRow(y);
            const uint8_t* lightings = readout.lightingRow(y);
            const uint8_t* nearness = readout.nearnessRow(y);
            uint32_t* line = pixels + size_t(y) * size_t(width);
            for (int x = 0; x < width; ++x)
                line[x] = readout.sharpPixel(colours[x], lightings ? lightings[x] : 0, nearness[x]);
        }
    }
    image->markOpaque();
    return image;
}

}
