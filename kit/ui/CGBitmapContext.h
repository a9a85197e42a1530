#pragma once

#include "kit/ui/CGContext.h"

#include <cstdint>

namespace kit {

enum CGImageAlphaInfo : uint32_t {
    kCGImageAlphaNone = 0,
    kCGImageAlphaPremultipliedLast = 1,
    kCGImageAlphaPremultipliedFirst = 2,
    kCGImageAlphaLast = 3,
    kCGImageAlphaFirst = 4,
    kCGImageAlphaNoneSkipLast = 5,
    kCGImageAlphaNoneSkipFirst = 6,
    kCGImageAlphaOnly = 7,
};

enum CGBitmapInfo : uint32_t {
    kCGBitmapAlphaInfoMask = 0x1f,
    kCGBitmapByteOrderDefault = 0,
    kCGBitmapByteOrder16Little = 1 << 12,
    kCGBitmapByteOrder32Little = 2 << 12,
    kCGBitmapByteOrder16Big = 3 << 12,
    kCGBitmapByteOrder32Big = 4 << 12,
};

// A context drawing into a bitmap, with the platform's bottom-left origin
// (see CGContext.h): drawing an image with CGContextDrawImage in it shows the
// image upright in memory.
//
// Pixel format. Whatever the colour space and bitmapInfo say, the pixels are
// kit's one format (CGImage.h): 32-bit native-endian words 0xAARRGGBB,
// premultiplied. So bitsPerComponent must be 8 and bytesPerRow a multiple of
// 4 of at least 4 × width (0 picks 4 × width). The alpha information does
// not change the format: with the "no alpha" kinds drawing still writes
// alpha, and pixels are opaque wherever something opaque was drawn.
//
// With data, the context draws into the caller's memory, which must hold
// bytesPerRow × height bytes and outlive the context; without data it has
// its own memory, cleared. Nothing (and a log line) for sizes that do not fit.
CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent, size_t bytesPerRow,
    const CGColorSpaceRef&, uint32_t bitmapInfo);

void* CGBitmapContextGetData(const CGContextRef&);
size_t CGBitmapContextGetWidth(const CGContextRef&);
size_t CGBitmapContextGetHeight(const CGContextRef&);
size_t CGBitmapContextGetBytesPerRow(const CGContextRef&);
// A copy of the pixels drawn so far; nothing without a bitmap.
CGImageRef CGBitmapContextCreateImage(const CGContextRef&);

}
