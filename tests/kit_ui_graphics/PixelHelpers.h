#pragma once

#include "kit/ui/CGContext.h"

#include <cstdint>
#include <string>

namespace testing_pixels {

// The pixel at (x, y) of a context's memory, row 0 at the top, 0xAARRGGBB.
inline uint32_t pixelAt(const kit::CGContextRef& context, int x, int y)
{
    const uint8_t* row = context->data() + size_t(y) * size_t(context->bytesPerRow());
    return reinterpret_cast<const uint32_t*>(row)[x];
}

inline int alphaOf(uint32_t p) { return int(p >> 24); }
inline int redOf(uint32_t p) { return int((p >> 16) & 0xff); }
inline int greenOf(uint32_t p) { return int((p >> 8) & 0xff); }
inline int blueOf(uint32_t p) { return int(p & 0xff); }

}
