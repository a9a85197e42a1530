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
JPEGDecodeResult decodeJPEG(std::span<const uint8_t> bytes, const JPEGDecodeLimits& = {});

const char* describe(JPEGDecodeError);

}
