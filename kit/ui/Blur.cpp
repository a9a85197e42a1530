#include "kit/ui/Blur.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// Divides a window sum by the window size with one 32-bit multiply: sums
// are at most 255 × window, so sum × factor stays below 2^32 for windows
// below 65 536 pixels, and the result never exceeds 255.
struct Divider {
    explicit Divider(int window) : factor(uint32_t(((uint64_t(1) << 24) + uint64_t(window) / 2) / uint64_t(window))) { }
    uint8_t operator()(uint32_t sum) const { return uint8_t((sum * factor + (1u << 23)) >> 24); }
    uint32_t factor;
};

// Writes the region's pixels transposed into `to` (rows become columns),
// in tiles so that both sides stay in the cache.
void transpose(const uint8_t* from, int width, int height, size_t fromStride, uint8_t* to, size_t toStride)
{
    constexpr int tile = 32;
    for (int y0 = 0; y0 < height; y0 += tile) {
        for (int x0 = 0; x0 < width; x0 += tile) {
            int y1 = std::min(y0 + tile, height), x1 = std::min(x0 + tile, width);
            for (int y = y0; y < y1; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(from + size_t(y) * fromStride);
                for (int x = x0; x < x1; ++x)
                    reinterpret_cast<uint32_t*>(to + size_t(x) * toStride)[y] = row[x];
            }
        }
    }
}

// One vertical box pass, all columns at once, row by row (cache-friendly,
// and the inner loops vectorise).
void verticalPass(const PixelRegion& r, int radius, BlurEdges edges, std::vector<uint8_t>& copy, std::vector<uint32_t>& sums)
{
    const int w = r.regionWidth, h = r.regionHeight;
    const size_t rowBytes = size_t(w) * 4;
    const Divider divide(2 * radius + 1);
    copy.resize(rowBytes * size_t(h));
    for (int row = 0; row < h; ++row)
        std::memcpy(&copy[size_t(row) * rowBytes], r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow) + size_t(r.x) * 4, rowBytes);
    // The source row at y, or nothing (transparent) beyond soft edges.
    auto source = [&](int y) -> const uint8_t* {
        if (y < 0 || y >= h) {
            if (edges == BlurEdges::Soft)
                return nullptr;
            y = std::clamp(y, 0, h - 1);
        }
        return &copy[size_t(y) * rowBytes];
    };
    sums.assign(rowBytes, 0);
    uint32_t* sum = sums.data();
    for (int y = -radius; y <= radius; ++y) {
        if (const uint8_t* in = source(y))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] += in[i];
    }
    for (int row = 0; row < h; ++row) {
        uint8_t* out = r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow) + size_t(r.x) * 4;
        const uint32_t factor = divide.factor;
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = uint8_t((sum[i] * factor + (1u << 23)) >> 24);
        if (const uint8_t* entering = source(row + radius + 1))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] += entering[i];
        if (const uint8_t* leaving = source(row - radius))
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] -= leaving[i];
    }
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
    std::vector<uint8_t> copy;
    std::vector<uint32_t> sums;
    auto blurColumns = [&](const PixelRegion& target) {
        for (int radius : radii) {
            if (radius >= 1)
                verticalPass(target, radius, edges, copy, sums);
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
