#pragma once

// Reading the camera's pictures in tests: colours, boxes, sharpness, and a
// photo turned upright as a viewer shows it.

#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/PNGCodec.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace hosttest {

struct RGB {
    double r, g, b;
    double grey() const { return (r + g + b) / 3; }
};

inline RGB colourOf(uint32_t pixel)
{
    return { double(pixel >> 16 & 0xff), double(pixel >> 8 & 0xff), double(pixel & 0xff) };
}

// The mean colour of a box of an image, every other pixel.
inline RGB meanOver(const kit::CGImage& image, double fx0, double fy0, double fx1, double fy1)
{
    int x0 = int(fx0 * image.width()), x1 = int(fx1 * image.width());
    int y0 = int(fy0 * image.height()), y1 = int(fy1 * image.height());
    RGB sum { 0, 0, 0 };
    int count = 0;
    for (int y = y0; y < y1; y += 2) {
        for (int x = x0; x < x1; x += 2) {
            RGB c = colourOf(image.pixel(x, y));
            sum.r += c.r, sum.g += c.g, sum.b += c.b;
            ++count;
        }
    }
    return { sum.r / count, sum.g / count, sum.b / count };
}

// How sharp a box is: the mean squared difference of neighbouring pixels.
inline double gradientEnergy(const kit::CGImage& image, double fx0, double fy0, double fx1, double fy1)
{
    int x0 = int(fx0 * image.width()), x1 = int(fx1 * image.width()) - 1;
    int y0 = int(fy0 * image.height()), y1 = int(fy1 * image.height());
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y1; y += 3) {
        for (int x = x0; x < x1; x += 3) {
            double d = colourOf(image.pixel(x + 1, y)).g - colourOf(image.pixel(x, y)).g;
            sum += d * d;
            ++count;
        }
    }
    return sum / count;
}

inline void writePNG(const kit::CGImage& image, const std::filesystem::path& path)
{
    auto png = kit::PNGCodec::encode(image);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png->data()), std::streamsize(png->size()));
}

inline std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

// The newest photo as a viewer shows it: turned upright by its EXIF.
inline kit::CGImageRef uprightPhoto(const std::filesystem::path& file)
{
    auto bytes = readFile(file);
    auto decoded = kit::decodeJPEG(bytes, {}, { 816, 816 });
    if (!decoded)
        return nullptr;
    int exif = kit::ExifMetadata::readFromJPEG(bytes)->orientation().value_or(1);
    const auto& stored = *decoded.image;
    bool turned = exif == 6 || exif == 8;
    auto upright = kit::CGImage::create(turned ? stored.height() : stored.width(), turned ? stored.width() : stored.height());
    auto* out = reinterpret_cast<uint32_t*>(upright->mutableData());
    for (int y = 0; y < upright->height(); ++y) {
        for (int x = 0; x < upright->width(); ++x) {
            int sx = x, sy = y;
            if (exif == 6)
                sx = y, sy = stored.height() - 1 - x;
            else if (exif == 8)
                sx = stored.width() - 1 - y, sy = x;
            else if (exif == 3)
                sx = stored.width() - 1 - x, sy = stored.height() - 1 - y;
            out[size_t(y) * size_t(upright->width()) + size_t(x)] = stored.pixel(sx, sy);
        }
    }
    return upright;
}

}
