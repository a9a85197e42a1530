#pragma once

#include "kit/ui/CGImage.h"

#include <cstdint>
#include <span>
#include <string>

namespace kit {

enum class JPEGDecodeError {
    None,
    Empty,      // no bytes at all
    NotJPEG,    // does not start like a JPEG file
    Truncated,  // the data ends before the image does
    Corrupt,    // the data cannot be decoded
    TooLarge,   // announces more pixels than the limit
    Unsupported // a valid file in a form this decoder does not read
};

struct JPEGDecodeLimits {
    // Checked against the header before any pixel memory is taken.
    int64_t maximumPixels { CGImage::maximumPixels };
    // Progressive files with more scans than this are refused: each scan
    // costs a pass over the whole image, so a small file could take minutes.
    int maximumScans { 500 };
};

// The least the caller needs of the picture: a box it will be fitted into
// keeping its shape. The decoder may then scale the image down in the DCT
// (by n/8, far cheaper than decoding at full size and scaling after) as long
// as the result still covers the box's width or its height. Zero: full size.
struct JPEGDecodeFit {
    int width { 0 };
    int height { 0 };
};

// A decoded photo, or why there is none.
struct JPEGDecodeResult {
    CGImageRef image;
    JPEGDecodeError error { JPEGDecodeError::None };
    std::string message;

    explicit operator bool() const { return image != nullptr; }
};

// Decodes a JPEG file (baseline, progressive, greyscale, YCbCr, CMYK) into
// an opaque image in the shared pixel format. Any bytes are safe to give:
// failures answer an error, log one line, and take no pixel memory when the
// header is already wrong. EXIF orientation is not applied; read it with
// ExifMetadata.
JPEGDecodeResult decodeJPEG(std::span<const uint8_t> bytes, const JPEGDecodeLimits& = {}, JPEGDecodeFit = {});

const char* describe(JPEGDecodeError);

}
