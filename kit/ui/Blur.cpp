#include "kit/ui/Blur.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <vector>

namespace kit {

namespace {

// The region clamped to its bitmap; empty when nothing is left.
PixelRegion clamped(PixelRegion r)
{
    int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    int x1 = std::min(r.x + std::max(r.regionWidth, 0), r.width);
    int y1 = std::min(r.y + std::max(r.regionHeight, 0), r.height);
    r.x = x0;
    r.y = y0;
    r.regionWidth = std::max(x1 - x0, 0);
    r.regionHeight = std::max(y1 - y0, 0);
    if (!r.pixels)
        r.regionWidth = r.regionHeight = 0;
    return r;
}

// Box radii of three passes whose combined variance is sigma²
// (W. Jarosz's "fast image convolutions": boxes of widths wl and wl + 2).
std::array<int, 3> boxRadii(double sigma)
{
    constexpr int passes = 3;
    double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    int upper = lower + 2;
    double m = (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4.0 * lower - 4);
    int smaller = int(std::lround(m));
    std::array<int, 3> radii {};
    for (int i = 0; i < passes; ++i)
        radii[size_t(i)] = ((i < smaller ? lower : upper) - 1) / 2;
    return radii;
}

// The factor that divides a window sum by the window size with one 32-bit
// multiply, (sum × factor + 2^23) >> 24: sums are at most 255 × window, so
// the product stays below 2^32 for windows below 65 536 pixels, and the
// result never exceeds 255.
uint32_t reciprocal(int window)
{
    return uint32_t(((uint64_t(1) << 24) + uint64_t(window) / 2) / uint64_t(window));
}

// Writes the region's pixels transposed into `to` (rows become columns),
// four by four, in tiles so that both sides stay in the cache.
void transpose(const uint8_t* from, int width, int height, size_t fromStride, uint8_t* to, size_t toStride)
{
    auto word = [](const uint8_t* base, size_t stride, int row, int column) -> uint32_t& {
        return const_cast<uint32_t*>(reinterpret_cast<const uint32_t*>(base + size_t(row) * stride))[column];
    };
    constexpr int tile = 64;
    for (int y0 = 0; y0 < height; y0 += tile) {
        for (int x0 = 0; x0 < width; x0 += tile) {
            int y1 = std::min(y0 + tile, height), x1 = std::min(x0 + tile, width);
            for (int y = y0; y < y1; y += 4) {
                for (int x = x0; x < x1; x += 4) {
#ifdef __SSE2__
                    if (y + 4 <= y1 && x + 4 <= x1) {
                        __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&word(from, fromStride, y, x)));
                        __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&word(from, fromStride, y + 1, x)));
                        __m128i r2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&word(from, fromStride, y + 2, x)));
                        __m128i r3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&word(from, fromStride, y + 3, x)));
                        __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpacklo_epi32(r2, r3);
                        __m128i t2 = _mm_unpackhi_epi32(r0, r1), t3 = _mm_unpackhi_epi32(r2, r3);
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(&word(to, toStride, x, y)), _mm_unpacklo_epi64(t0, t1));
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(&word(to, toStride, x + 1, y)), _mm_unpackhi_epi64(t0, t1));
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(&word(to, toStride, x + 2, y)), _mm_unpacklo_epi64(t2, t3));
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(&word(to, toStride, x + 3, y)), _mm_unpackhi_epi64(t2, t3));
                        continue;
                    }
#endif
                    for (int yy = y; yy < std::min(y + 4, y1); ++yy)
                        for (int xx = x; xx < std::min(x + 4, x1); ++xx)
                            word(to, toStride, xx, yy) = word(from, fromStride, yy, xx);
                }
            }
        }
    }
}

// Scratch memory of one blur, reused by its passes.
struct Scratch {
    std::vector<uint8_t> ring;
    std::vector<uint8_t> firstRow;
    std::vector<uint16_t> narrowSums;
    std::vector<uint32_t> wideSums;
};

// One vertical box pass, all columns at once, row by row (cache-friendly,
// and the inner loops vectorise). Rows already overwritten are read back
// from a ring holding the last radius + 1 original rows.
template <typename Sum, typename Divide>
void verticalPass(const PixelRegion& r, int radius, BlurEdges edges, Scratch& scratch, std::vector<Sum>& sums, Divide divide)
{
    const int w = r.regionWidth, h = r.regionHeight;
    const size_t rowBytes = size_t(w) * 4;
    auto rowAt = [&](int y) { return r.pixels + size_t(r.y + y) * size_t(r.bytesPerRow) + size_t(r.x) * 4; };
    const size_t ringRows = size_t(radius) + 1;
    scratch.ring.resize(ringRows * rowBytes);
    scratch.firstRow.assign(rowAt(0), rowAt(0) + rowBytes);
    // The original row at y while rows before `next` have been written; or
    // nothing (transparent) beyond soft edges.
    int next = 0;
    auto original = [&](int y) -> const uint8_t* {
        if (y < 0 || y >= h) {
            if (edges == BlurEdges::Soft)
                return nullptr;
            y = std::clamp(y, 0, h - 1);
        }
        if (y == 0)
            return scratch.firstRow.data();
        return y >= next ? rowAt(y) : &scratch.ring[size_t(y) % ringRows * rowBytes];
    };
    sums.assign(rowBytes, 0);
    Sum* sum = sums.data();
    for (int y = -radius; y <= radius; ++y) {
        if (const uint8_t* in = original(y))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] = Sum(sum[i] + in[i]);
    }
    for (int row = 0; row < h; ++row) {
        uint8_t* out = rowAt(row);
        std::memcpy(&scratch.ring[size_t(row) % ringRows * rowBytes], out, rowBytes);
        next = row + 1;
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = divide(sum[i]);
        if (row + 1 == h)
            break;
        if (const uint8_t* entering = original(row + radius + 1))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] = Sum(sum[i] + entering[i]);
        if (const uint8_t* leaving = original(row - radius))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] = Sum(sum[i] - leaving[i]);
    }
}

// A vertical pass with the narrowest sums that hold the window: 16 bits
// (twice the lanes per instruction) below 128 rows. Dividing by
// ((sum + window / 2) × ceil(2^16 / window)) >> 16 is exact for flat areas
// at that size and within one level elsewhere.
void verticalPass(const PixelRegion& r, int radius, BlurEdges edges, Scratch& scratch)
{
    const int window = 2 * radius + 1;
    if (window < 128) {
        // Radii are at least 1, so the window is at least 3 and the factor
        // fits 16 bits: a high-half multiply.
        const uint16_t factor = uint16_t((65536u + uint32_t(window) - 1) / uint32_t(window));
        const uint16_t half = uint16_t(window / 2);
        verticalPass(r, radius, edges, scratch, scratch.narrowSums, [factor, half](uint16_t sum) {
            return uint8_t((uint32_t(uint16_t(sum + half)) * uint32_t(factor)) >> 16);
        });
        return;
    }
    const uint32_t factor = reciprocal(window);
    verticalPass(r, radius, edges, scratch, scratch.wideSums, [factor](uint32_t sum) {
        return uint8_t((sum * factor + (1u << 23)) >> 24);
    });
}

}

void boxBlurApproximatingGaussian(const PixelRegion& region, double sigma, BlurEdges edges)
{
    PixelRegion r = clamped(region);
    if (!(sigma >= 0.5) || r.regionWidth == 0 || r.regionHeight == 0)
        return;
    // Beyond this the picture is one flat colour anyway; the cap keeps the
    // window sums far from overflowing.
    sigma = std::min(sigma, 2000.0);
    // Box blurs along rows and along columns commute (edges included), so
    // the columns take their three passes, then the rows theirs. Rows are
    // blurred as the columns of the transposed region, where whole rows of
    // sums move at once.
    const auto radii = boxRadii(sigma);
    Scratch scratch;
    auto blurColumns = [&](const PixelRegion& target) {
        for (int radius : radii) {
            if (radius >= 1)
                verticalPass(target, radius, edges, scratch);
        }
    };
    blurColumns(r);
    uint8_t* origin = r.pixels + size_t(r.y) * size_t(r.bytesPerRow) + size_t(r.x) * 4;
    std::vector<uint8_t> turned(size_t(r.regionWidth) * size_t(r.regionHeight) * 4);
    const size_t turnedStride = size_t(r.regionHeight) * 4;
    transpose(origin, r.regionWidth, r.regionHeight, size_t(r.bytesPerRow), turned.data(), turnedStride);
    blurColumns({ turned.data(), r.regionHeight, r.regionWidth, int(turnedStride), 0, 0, r.regionHeight, r.regionWidth });
    transpose(turned.data(), r.regionHeight, r.regionWidth, turnedStride, origin, size_t(r.bytesPerRow));
}

void colorAdd(const PixelRegion& region, const std::array<double, 4>& rgba)
{
    PixelRegion r = clamped(region);
    double amount = std::isfinite(rgba[3]) ? std::clamp(rgba[3], 0.0, 1.0) : 0.0;
    int add[3];
    for (int c = 0; c < 3; ++c)
        add[c] = std::isfinite(rgba[size_t(c)]) ? int(std::lround(std::clamp(rgba[size_t(c)], -1.0, 1.0) * amount * 255)) : 0;
    if (add[0] == 0 && add[1] == 0 && add[2] == 0)
        return;
    // The tint each coverage level gets, per channel.
    int16_t tint[3][256];
    for (int c = 0; c < 3; ++c)
        for (int a = 0; a < 256; ++a)
            tint[c][a] = int16_t((add[c] * a + (add[c] < 0 ? -127 : 127)) / 255);
    for (int row = 0; row < r.regionHeight; ++row) {
        auto* words = reinterpret_cast<uint32_t*>(r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow)) + r.x;
        for (int x = 0; x < r.regionWidth; ++x) {
            uint32_t p = words[x];
            int a = int(p >> 24);
            auto channel = [&](int c, int shift) { return uint32_t(std::clamp(int((p >> shift) & 0xff) + tint[c][a], 0, a)) << shift; };
            words[x] = (uint32_t(a) << 24) | channel(0, 16) | channel(1, 8) | channel(2, 0);
        }
    }
}

}
