#pragma once

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <span>
#include <vector>

namespace kit {

// Read-only bytes behind an image or mask, kept alive by whoever holds them.
class CGDataProvider {
public:
    CGDataProvider(std::shared_ptr<const void> owner, std::span<const uint8_t> bytes) : m_owner(std::move(owner)), m_bytes(bytes) { }
    std::span<const uint8_t> bytes() const { return m_bytes; }

private:
    std::shared_ptr<const void> m_owner;
    std::span<const uint8_t> m_bytes;
};

using CGDataProviderRef = std::shared_ptr<const CGDataProvider>;

CGDataProviderRef CGDataProviderCreateWithCopyOfData(std::span<const uint8_t>);
// The image's own pixels, shared, not copied.
CGDataProviderRef CGImageGetDataProvider(const CGImageRef&);
std::vector<uint8_t> CGDataProviderCopyData(const CGDataProviderRef&);
inline void CGDataProviderRelease(CGDataProviderRef& provider) { provider.reset(); }

// Every kit image is 8 bits per component, 32 bits per pixel (CGImage.h).
// Each gives 0 for no image.
size_t CGImageGetWidth(const CGImageRef&);
size_t CGImageGetHeight(const CGImageRef&);
size_t CGImageGetBitsPerComponent(const CGImageRef&);
size_t CGImageGetBitsPerPixel(const CGImageRef&);
size_t CGImageGetBytesPerRow(const CGImageRef&);
// Kit images have no decode array.
inline const CGFloat* CGImageGetDecode(const CGImageRef&) { return nullptr; }
inline void CGImageRelease(CGImageRef& image) { image.reset(); }

// An image mask: for each pixel, how much paint it lets through, 0 (none)
// to 255 (all), rows `stride` bytes apart.
class CGImageMask {
public:
    CGImageMask(int width, int height, bool shouldInterpolate);
    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    bool shouldInterpolate() const { return m_interpolate; }
    const uint8_t* passes() const { return m_passes.data(); }
    uint8_t* mutablePasses() { return m_passes.data(); }

private:
    int m_width;
    int m_height;
    int m_stride;
    bool m_interpolate;
    std::vector<uint8_t> m_passes;
};

using CGImageMaskRef = std::shared_ptr<const CGImageMask>;

// An image mask made from samples: each pixel's sample is the first
// component of the pixel as it lies in memory (bits taken most significant
// first below 8 bits per component). The decode array, when given, maps
// sample 0 and the largest sample to two values; without it they map to 0
// and 1. A decoded 0 lets paint through, 1 holds it back, values between
// in proportion.
//
// On kit's little-endian pixels (0xAARRGGBB words) the first component in
// memory is blue, so a context's image with white text on transparency
// gives a mask that holds paint back exactly under the text.
//
// Nothing (and a log line) when the sizes are not positive, the component
// size is not 1, 2, 4 or 8 bits, a pixel is smaller than a component, or
// the provider holds fewer bytes than the rows need.
CGImageMaskRef CGImageMaskCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGDataProviderRef&, const CGFloat* decode, bool shouldInterpolate);

}
