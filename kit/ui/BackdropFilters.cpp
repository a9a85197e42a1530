#include "kit/ui/BackdropFilters.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kit {

namespace {

void addColor(CGImage& region, const std::vector<double>& rgba)
{
    if (rgba.size() < 3)
        return;
    double amount = rgba.size() >= 4 ? std::clamp(rgba[3], 0.0, 1.0) : 1.0;
    int add[3];
    for (int i = 0; i < 3; ++i)
        add[i] = int(std::lround(std::clamp(rgba[size_t(i)], -1.0, 1.0) * amount * 255));
    auto* words = reinterpret_cast<uint32_t*>(region.mutableData());
    size_t count = size_t(region.width()) * size_t(region.height());
    for (size_t i = 0; i < count; ++i) {
        uint32_t px = words[i];
        int a = int(px >> 24);
        if (!a)
            continue;
        int channels[3] = { int((px >> 16) & 0xff), int((px >> 8) & 0xff), int(px & 0xff) };
        for (int c = 0; c < 3; ++c)
            channels[c] = std::clamp(channels[c] + add[c] * a / 255, 0, a);
        words[i] = (uint32_t(a) << 24) | (uint32_t(channels[0]) << 16) | (uint32_t(channels[1]) << 8) | uint32_t(channels[2]);
    }
}

// One pass of a running-sum box blur along rows (or columns), edges held.
void boxPass(uint32_t* words, int width, int height, int radius, bool vertical)
{
    int lines = vertical ? width : height, length = vertical ? height : width;
    size_t step = vertical ? size_t(width) : 1, lineStep = vertical ? 1 : size_t(width);
    std::vector<uint32_t> line(static_cast<size_t>(length));
    int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        uint32_t* base = words + size_t(l) * lineStep;
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = base[size_t(i) * step];
        auto at = [&](int i) { return line[size_t(std::clamp(i, 0, length - 1))]; };
        int sums[4] = { 0, 0, 0, 0 };
        for (int i = -radius; i <= radius; ++i)
            for (int c = 0; c < 4; ++c)
                sums[c] += int((at(i) >> (8 * c)) & 0xff);
        for (int i = 0; i < length; ++i) {
            uint32_t px = 0;
            for (int c = 0; c < 4; ++c)
                px |= uint32_t((sums[c] + window / 2) / window) << (8 * c);
            base[size_t(i) * step] = px;
            uint32_t in = at(i + radius + 1), out = at(i - radius);
            for (int c = 0; c < 4; ++c)
                sums[c] += int((in >> (8 * c)) & 0xff) - int((out >> (8 * c)) & 0xff);
        }
    }
}

// Three box passes each way approximate a Gaussian of the given standard
// deviation (in pixels).
void blurRegion(CGImage& region, double sigma)
{
    int radius = int(std::lround(std::sqrt(12.0 * sigma * sigma / 3 + 1) / 2));
    if (radius < 1)
        return;
    auto* words = reinterpret_cast<uint32_t*>(region.mutableData());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(words, region.width(), region.height(), radius, false);
        boxPass(words, region.width(), region.height(), radius, true);
    }
}

}

void applyBackdropFilters(CGImage& region, const std::vector<std::shared_ptr<CAFilter>>& filters, double scale)
{
    for (auto& filter : filters) {
        if (!filter)
            continue;
        if (filter->type() == kCAFilterColorAdd) {
            if (auto* value = filter->valueForKey("inputColor"))
                if (auto* rgba = std::get_if<std::vector<double>>(value))
                    addColor(region, *rgba);
        } else if (filter->type() == kCAFilterGaussianBlur) {
            double radius = filter->numberForKey("inputRadius").value_or(0) * scale;
            if (radius > 0)
                blurRegion(region, radius);
        }
    }
}

}
