#include "kit/ui/CGImageFunctions.h"

#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace kit {

CGDataProviderRef CGDataProviderCreateWithCopyOfData(std::span<const uint8_t> bytes)
{
    auto copy = std::make_shared<const std::vector<uint8_t>>(bytes.begin(), bytes.end());
    return std::make_shared<const CGDataProvider>(copy, std::span<const uint8_t>(*copy));
}

CGDataProviderRef CGImageGetDataProvider(const CGImageRef& image)
{
    if (!image)
        return nullptr;
    return std::make_shared<const CGDataProvider>(image, std::span<const uint8_t>(image->data(), image->byteCount()));
}

std::vector<uint8_t> CGDataProviderCopyData(const CGDataProviderRef& provider)
{
    if (!provider)
        return {};
    return { provider->bytes().begin(), provider->bytes().end() };
}

size_t CGImageGetWidth(const CGImageRef& image) { return image ? size_t(image->width()) : 0; }
size_t CGImageGetHeight(const CGImageRef& image) { return image ? size_t(image->height()) : 0; }
size_t CGImageGetBitsPerComponent(const CGImageRef& image) { return image ? 8 : 0; }
size_t CGImageGetBitsPerPixel(const CGImageRef& image) { return image ? 32 : 0; }
size_t CGImageGetBytesPerRow(const CGImageRef& image) { return image ? size_t(image->bytesPerRow()) : 0; }

CGImageMask::CGImageMask(int width, int height, bool shouldInterpolate)
    : m_width(width)
    , m_height(height)
    , m_stride(cairo_format_stride_for_width(CAIRO_FORMAT_A8, width))
    , m_interpolate(shouldInterpolate)
    , m_passes(size_t(m_stride) * size_t(height))
{
}

CGImageMaskRef CGImageMaskCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGDataProviderRef& provider, const CGFloat* decode, bool shouldInterpolate)
{
    bool componentOk = bitsPerComponent == 1 || bitsPerComponent == 2 || bitsPerComponent == 4 || bitsPerComponent == 8;
    bool sizesOk = width > 0 && height > 0 && width <= 65536 && height <= 65536 && int64_t(width) * int64_t(height) <= CGImage::maximumPixels;
    if (!provider || !componentOk || !sizesOk || bitsPerPixel < bitsPerComponent || bitsPerPixel % bitsPerComponent != 0
        || bitsPerPixel > 64 || (width * bitsPerPixel + 7) / 8 > bytesPerRow
        || (height > 1 && bytesPerRow > provider->bytes().size() / (height - 1))
        || bytesPerRow * (height - 1) + (width * bitsPerPixel + 7) / 8 > provider->bytes().size()) {
        logf("CGImageMaskCreate: invalid mask (%zux%zu, %zu bits per component, %zu per pixel, %zu bytes per row)",
            width, height, bitsPerComponent, bitsPerPixel, bytesPerRow);
        return nullptr;
    }
    auto mask = std::make_shared<CGImageMask>(int(width), int(height), shouldInterpolate);
    const CGFloat low = decode ? decode[0] : 0.0;
    const CGFloat high = decode ? decode[1] : 1.0;
    const unsigned maximum = (1u << bitsPerComponent) - 1;
    // One entry per possible sample value.
    uint8_t passesFor[256];
    for (unsigned sample = 0; sample <= maximum; ++sample) {
        CGFloat held = std::clamp(low + (high - low) * sample / maximum, 0.0, 1.0);
        passesFor[sample] = uint8_t(std::lround((1 - held) * 255));
    }
    const uint8_t* bytes = provider->bytes().data();
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* row = bytes + y * bytesPerRow;
        uint8_t* out = mask->mutablePasses() + y * size_t(mask->stride());
        for (size_t x = 0; x < width; ++x) {
            size_t bit = x * bitsPerPixel;
            unsigned sample = row[bit / 8];
            if (bitsPerComponent < 8)
                sample = (sample >> (8 - bitsPerComponent - bit % 8)) & maximum;
            out[x] = passesFor[sample];
        }
    }
    return mask;
}

}
