#pragma once

#include <cstdint>
#include <cstring>

namespace hardware {

// Mixing stored pixels (0xAARRGGBB words) in whole numbers, two channels
// at a time in a word's two halves: enough for blurred fields, which change
// little from pixel to pixel.

// A pixel's four channels in the 16-bit lanes of a word, blue lowest: room
// to add up weighted pixels without a carry from one channel to the next.
inline uint64_t widened(uint32_t pixel)
{
    uint64_t p = pixel;
    return (p & 0xffu) | (p & 0xff00u) << 8 | (p & 0xff0000u) << 16 | (p & 0xff000000u) << 24;
}

// Two widened pixels side by side by weights in quarters across (left,
// right), adding up to 4: four times their mix, widened.
inline uint64_t mixAcross(uint64_t left, uint64_t right, uint32_t leftWeight, uint32_t rightWeight)
{
    return left * leftWeight + right * rightWeight;
}

// Two of those, one above the other, by weights in quarters down (upper,
// lower), adding up to 4: their mix, rounded, widened. All four channels,
// alpha too.
inline uint64_t mixDownWidened(uint64_t upper, uint64_t lower, uint32_t upperWeight, uint32_t lowerWeight)
{
    return (upper * upperWeight + lower * lowerWeight + 0x0008000800080008u) >> 4 & 0x00ff00ff00ff00ffu;
}
// The same as a pixel.
inline uint32_t mixDown(uint64_t upper, uint64_t lower, uint32_t upperWeight, uint32_t lowerWeight)
{
    uint64_t sum = mixDownWidened(upper, lower, upperWeight, lowerWeight);
    uint64_t packed = sum | sum >> 8;
    return uint32_t(packed & 0xffffu) | uint32_t(packed >> 16 & 0xffff0000u);
}

// Two pixels of either row side by side, mixed down as mixDownWidened()
// does: each channel in its own 16-bit lane, where its sums stay.
using PixelPair = uint16_t __attribute__((vector_size(16)));
inline PixelPair mixDownPair(const uint64_t* upper, const uint64_t* lower, uint32_t upperWeight, uint32_t lowerWeight)
{
    PixelPair a, b;
    std::memcpy(&a, upper, sizeof a);
    std::memcpy(&b, lower, sizeof b);
    return (a * uint16_t(upperWeight) + b * uint16_t(lowerWeight) + 8) >> 4;
}

// mixDown() along a row of `count`, two pixels at a time.
inline void mixDownRow(const uint64_t* upper, const uint64_t* lower, uint32_t upperWeight, uint32_t lowerWeight,
    uint32_t* out, int count)
{
    using Bytes = uint8_t __attribute__((vector_size(8)));
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        Bytes pixels = __builtin_convertvector(mixDownPair(upper + i, lower + i, upperWeight, lowerWeight), Bytes);
        std::memcpy(out + i, &pixels, sizeof pixels);
    }
    for (; i < count; ++i)
        out[i] = mixDown(upper[i], lower[i], upperWeight, lowerWeight);
}

// mixDownWidened() along a row of `count`, two pixels at a time.
inline void mixDownWidenedRow(const uint64_t* upper, const uint64_t* lower, uint32_t upperWeight, uint32_t lowerWeight,
    uint64_t* out, int count)
{
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        PixelPair pixels = mixDownPair(upper + i, lower + i, upperWeight, lowerWeight);
        std::memcpy(out + i, &pixels, sizeof pixels);
    }
    for (; i < count; ++i)
        out[i] = mixDownWidened(upper[i], lower[i], upperWeight, lowerWeight);
}

// Four pixels, upper left and right, lower left and right, by weights in
// quarters across (left, right) and down (upper, lower), each pair adding
// up to 4.
inline uint32_t mixInQuarters(uint32_t upperLeft, uint32_t upperRight, uint32_t lowerLeft, uint32_t lowerRight,
    uint32_t left, uint32_t right, uint32_t upper, uint32_t lower)
{
    return mixDown(mixAcross(widened(upperLeft), widened(upperRight), left, right),
        mixAcross(widened(lowerLeft), widened(lowerRight), left, right), upper, lower);
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
