#include "SyntheticPhoto.h"

#include <algorithm>
#include <cstdint>

namespace benchsupport {

kit::CGImageRef syntheticPhoto(int width, int height, int frame)
{
    auto image = kit::CGImage::create(width, height);
    if (!image)
        return nullptr;
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    uint32_t noise = uint32_t(frame) * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            int n = int(noise >> 28) - 8;
            int sx = x + frame * 24;
            int r = std::clamp(((sx * 255 / width) & 0xFF) + (y / 300) * 20 % 256 + n, 0, 255);
            int g = std::clamp(y * 255 / height + n, 0, 255);
            int b = std::clamp(((sx / 400 + y / 400) % 2 ? 200 : 60) + n, 0, 255);
            pixels[size_t(y) * size_t(width) + size_t(x)] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        }
    }
    return image;
}

}
