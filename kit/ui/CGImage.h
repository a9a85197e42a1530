#pragma once

#include <cstdint>
#include <memory>
#include <vector>

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

    // The pixel at (x, y) as 0xAARRGGBB, premultiplied.
    uint32_t pixel(int x, int y) const
    {
        return reinterpret_cast<const uint32_t*>(m_pixels.data())[size_t(y) * size_t(m_width) + size_t(x)];
    }

    CGImage(int width, int height) : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height) * 4) { }

private:
    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

using CGImageRef = std::shared_ptr<CGImage>;

inline std::shared_ptr<CGImage> CGImage::create(int width, int height)
{
    if (width <= 0 || height <= 0 || int64_t(width) * int64_t(height) > maximumPixels)
        return nullptr;
    return std::make_shared<CGImage>(width, height);
}

}
