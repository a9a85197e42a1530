#include "kit/ui/PNGCodec.h"

#include <bit>
#include <cstring>
#include <png.h>

namespace kit {

namespace {

// The simplified libpng format whose bytes in memory are one native-endian
// 0xAARRGGBB word per pixel.
constexpr png_uint_32 nativeWordFormat = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

uint32_t premultiply(uint32_t word)
{
    uint32_t alpha = word >> 24;
    if (alpha == 255)
        return word;
    if (alpha == 0)
        return 0;
    auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
    return (alpha << 24) | (scale((word >> 16) & 0xff) << 16) | (scale((word >> 8) & 0xff) << 8) | scale(word & 0xff);
}

uint32_t unpremultiply(uint32_t word)
{
    uint32_t alpha = word >> 24;
    if (alpha == 255 || alpha == 0)
        return alpha == 0 ? 0 : word;
    auto scale = [alpha](uint32_t channel) {
        uint32_t value = (channel * 255 + alpha / 2) / alpha;
        return value > 255 ? 255u : value;
    };
    return (alpha << 24) | (scale((word >> 16) & 0xff) << 16) | (scale((word >> 8) & 0xff) << 8) | scale(word & 0xff);
}

void setFailure(std::string* failure, std::string text)
{
    if (failure)
        *failure = std::move(text);
}

}

bool PNGCodec::hasSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

CGImageRef PNGCodec::decode(std::span<const uint8_t> bytes, std::string* failure)
{
    if (!hasSignature(bytes)) {
        setFailure(failure, "not a PNG file");
        return nullptr;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        setFailure(failure, std::string("unreadable PNG header: ") + image.message);
        png_image_free(&image);
        return nullptr;
    }
    if (image.width > png_uint_32(maximumSide) || image.height > png_uint_32(maximumSide)
        || int64_t(image.width) * int64_t(image.height) > maximumPixels) {
        setFailure(failure, "image too large (" + std::to_string(image.width) + "x" + std::to_string(image.height) + ")");
        png_image_free(&image);
        return nullptr;
    }
    auto bitmap = CGImage::create(int(image.width), int(image.height));
    if (!bitmap) {
        setFailure(failure, "image has no pixels");
        png_image_free(&image);
        return nullptr;
    }
    image.format = nativeWordFormat;
    if (!png_image_finish_read(&image, nullptr, bitmap->mutableData(), bitmap->bytesPerRow(), nullptr)) {
        setFailure(failure, std::string("damaged PNG data: ") + image.message);
        png_image_free(&image);
        return nullptr;
    }
    auto* words = reinterpret_cast<uint32_t*>(bitmap->mutableData());
    for (size_t i = 0, count = size_t(bitmap->width()) * size_t(bitmap->height()); i < count; ++i)
        words[i] = premultiply(words[i]);
    return bitmap;
}

std::optional<std::vector<uint8_t>> PNGCodec::encode(const CGImage& bitmap)
{
    std::vector<uint32_t> straight(size_t(bitmap.width()) * size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            straight[size_t(y) * size_t(bitmap.width()) + size_t(x)] = unpremultiply(bitmap.pixel(x, y));
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(bitmap.width());
    image.height = png_uint_32(bitmap.height());
    image.format = nativeWordFormat;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, straight.data(), 0, nullptr))
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, straight.data(), 0, nullptr))
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

}
