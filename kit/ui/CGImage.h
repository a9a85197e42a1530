#pragma once

#include "kit/ui/PixelMemory.h"

#include <cstdint>
#include <memory>

namespace kit {

// A bitmap: the pixels behind every image, drawing context, pixel buffer and
// decoded photo in kit. One pixel format throughout: 32 bits per pixel,
// premultiplied alpha, each pixel a native-endian 32-bit word 0xAARRGGBB
// (Cairo's ARGB32), rows bytesPerRow apart. Whatever format a caller names
// when it makes a context or pixel buffer, kit keeps its pixels this way.
//
// Images are immutable once shared; a producer fills one through
// mutableData() before handing it out.
class CGImage {
public:
    // Nothing for sizes that are not positive or exceed maximumPixels.
    static std::shared_ptr<CGImage> create(int width, int height);

    static constexpr int64_t maximumPixels = 100'000'000;

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bytesPerRow() const { return m_width * 4; }
    const uint8_t* data() const { return m_pixels.data(); }
    uint8_t* mutableData() { return m_pixels.data(); }
    size_t byteCount() const { return m_pixels.size(); }

    // Whether every pixel's alpha is 255, as in a decoded photo: such an
    // image is drawn by copying rather than blending. A producer that knows
    // it says so once it has filled the pixels.
    bool isOpaque() const { return m_opaque; }
    void markOpaque() { m_opaque = true; }

    // The pixel at (x, y) as 0xAARRGGBB, premultiplied.
    uint32_t pixel(int x, int y) const
    {
        return reinterpret_cast<const uint32_t*>(m_pixels.data())[size_t(y) * size_t(m_width) + size_t(x)];
    }

    CGImage(int width, int height) : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height) * 4) { }

private:
    int m_width;
    int m_height;
    PixelMemory m_pixels;
    bool m_opaque { false };
};

using CGImageRef = std::shared_ptr<CGImage>;

inline std::shared_ptr<CGImage> CGImage::create(int width, int height)
{
    if (width <= 0 || height <= 0 || int64_t(width) * int64_t(height) > maximumPixels)
        return nullptr;
    return std::make_shared<CGImage>(width, height);
}

}
