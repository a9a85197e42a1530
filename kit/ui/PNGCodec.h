#pragma once

#include "kit/ui/CGImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kit {

// PNG files to and from kit bitmaps (premultiplied 0xAARRGGBB, CGImage.h).
// Every PNG colour type and bit depth is read; 16-bit samples are reduced to
// 8 bits and grey is widened to RGB.
class PNGCodec {
public:
    // Images larger than this in either direction, or in pixels, are refused
    // before any pixel memory is taken.
    static constexpr int maximumSide = 16384;
    static constexpr int64_t maximumPixels = 32 * 1024 * 1024;

    // Nothing for bytes that are not a whole PNG, or for one that is too
    // large; `failure`, when given, then says why in a few words.
    static CGImageRef decode(std::span<const uint8_t> bytes, std::string* failure = nullptr);

    // The PNG file of an image, with its alpha (unpremultiplied), or nothing
    // when encoding fails.
    static std::optional<std::vector<uint8_t>> encode(const CGImage&);

    // Whether the bytes start with the PNG signature.
    static bool hasSignature(std::span<const uint8_t> bytes);
};

}
