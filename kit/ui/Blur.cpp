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

// Divides a window sum by the window size with one multiply.
struct Divider {
    explicit Divider(int window) : factor((uint64_t(1) << 32) / uint64_t(window)) { }
    uint8_t operator()(uint32_t sum) const { return uint8_t(std::min<uint64_t>((uint64_t(sum) * factor + (uint64_t(1) << 31)) >> 32, 255)); }
    uint64_t factor;
};

// One horizontal box pass over every row of the region.
void horizontalPass(const PixelRegion& r, int radius, BlurEdges edges)
{
    const int w = r.regionWidth;
    const int window = 2 * radius + 1;
    Divider divide(window);
    // The row with `radius` pixels of padding on each side.
    std::vector<uint8_t> line(size_t(w + 2 * radius) * 4);
    for (int row = 0; row < r.regionHeight; ++row) {
        uint8_t* pixels = r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow) + size_t(r.x) * 4;
        std::memcpy(&line[size_t(radius) * 4], pixels, size_t(w) * 4);
        for (int i = 0; i < radius; ++i) {
            for (int c = 0; c < 4; ++c) {
                line[size_t(i) * 4 + size_t(c)] = edges == BlurEdges::Hard ? pixels[c] : 0;
                line[size_t(radius + w + i) * 4 + size_t(c)] = edges == BlurEdges::Hard ? pixels[size_t(w - 1) * 4 + size_t(c)] : 0;
            }
        }
        uint32_t sums[4] = { 0, 0, 0, 0 };
        for (int i = 0; i < window; ++i)
            for (int c = 0; c < 4; ++c)
                sums[c] += line[size_t(i) * 4 + size_t(c)];
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 4; ++c)
                pixels[size_t(x) * 4 + size_t(c)] = divide(sums[c]);
            if (x + 1 < w) {
                const uint8_t* in = &line[size_t(x + window) * 4];
                const uint8_t* out = &line[size_t(x) * 4];
                for (int c = 0; c < 4; ++c)
                    sums[c] += uint32_t(in[c]) - uint32_t(out[c]);
            }
        }
    }
}

// One vertical box pass, all columns at once, row by row (cache-friendly).
void verticalPass(const PixelRegion& r, int radius, BlurEdges edges, std::vector<uint8_t>& copy)
{
    const int w = r.regionWidth, h = r.regionHeight;
    const size_t rowBytes = size_t(w) * 4;
    Divider divide(2 * radius + 1);
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
    std::vector<uint32_t> sums(rowBytes, 0);
    for (int y = -radius; y <= radius; ++y) {
        if (const uint8_t* in = source(y))
            for (size_t i = 0; i < rowBytes; ++i)
                sums[i] += in[i];
    }
    for (int row = 0; row < h; ++row) {
        uint8_t* out = r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow) + size_t(r.x) * 4;
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = divide(sums[i]);
        const uint8_t* entering = source(row + radius + 1);
        const uint8_t* leaving = source(row - radius);
        if (entering)
            for (size_t i = 0; i < rowBytes; ++i)
                sums[i] += entering[i];
        if (leaving)
            for (size_t i = 0; i < rowBytes; ++i)
                sums[i] -= leaving[i];
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
    std::vector<uint8_t> copy;
    for (int radius : boxRadii(sigma)) {
        if (radius < 1)
            continue;
        horizontalPass(r, radius, edges);
        verticalPass(r, radius, edges, copy);
    }
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
    for (int row = 0; row < r.regionHeight; ++row) {
        auto* words = reinterpret_cast<uint32_t*>(r.pixels + size_t(r.y + row) * size_t(r.bytesPerRow)) + r.x;
        for (int x = 0; x < r.regionWidth; ++x) {
            uint32_t p = words[x];
            int a = int(p >> 24);
            if (a == 0)
                continue;
            int channels[3] = { int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff) };
            for (int c = 0; c < 3; ++c)
                channels[c] = std::clamp(channels[c] + (add[c] * a + 127) / 255, 0, a);
            words[x] = (uint32_t(a) << 24) | (uint32_t(channels[0]) << 16) | (uint32_t(channels[1]) << 8) | uint32_t(channels[2]);
        }
    }
}

}
