#pragma once

#include <cstdint>

namespace hardware {

// Mixing stored pixels (0xAARRGGBB words) in whole numbers, two channels
// at a time in a word's two halves: enough for blurred fields, which change
// little from pixel to pixel.

// Four pixels, upper left and right, lower left and right, by weights in
// quarters across (left, right) and down (upper, lower), each pair adding
// up to 4. All four channels, alpha too.
inline uint32_t mixInQuarters(uint32_t upperLeft, uint32_t upperRight, uint32_t lowerLeft, uint32_t lowerRight,
    uint32_t left, uint32_t right, uint32_t upper, uint32_t lower)
{
    uint32_t ul = left * upper, ur = right * upper, ll = left * lower, lr = right * lower;
    uint32_t redBlue = (upperLeft & 0xff00ffu) * ul + (upperRight & 0xff00ffu) * ur + (lowerLeft & 0xff00ffu) * ll
        + (lowerRight & 0xff00ffu) * lr;
    uint32_t alphaGreen = (upperLeft >> 8 & 0xff00ffu) * ul + (upperRight >> 8 & 0xff00ffu) * ur
        + (lowerLeft >> 8 & 0xff00ffu) * ll + (lowerRight >> 8 & 0xff00ffu) * lr;
    return ((redBlue + 0x80008u) >> 4 & 0xff00ffu) | ((alphaGreen + 0x80008u) >> 4 & 0xff00ffu) << 8;
}

// From one pixel's colour toward another's by a weight in 256ths (0 to
// 256); opaque.
inline uint32_t mixToward(uint32_t from, uint32_t to, uint32_t weight)
{
    uint32_t rest = 256 - weight;
    uint32_t redBlue = ((from & 0xff00ffu) * rest + (to & 0xff00ffu) * weight + 0x800080u) >> 8 & 0xff00ffu;
    uint32_t green = ((from & 0xff00u) * rest + (to & 0xff00u) * weight + 0x8000u) >> 8 & 0xff00u;
    return 0xff000000u | redBlue | green;
}

}
