#include "kit/ui/Blur.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kit;

namespace {

CGImageRef filled(int width, int height, uint32_t pixel)
{
    auto image = CGImage::create(width, height);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    std::fill(words, words + size_t(width) * size_t(height), pixel);
    return image;
}

void set(CGImage& image, int x, int y, uint32_t pixel)
{
    reinterpret_cast<uint32_t*>(image.mutableData())[y * image.width() + x] = pixel;
}

}

TEST(Blur, SpreadsALineWithTheRequestedDeviation)
{
    // A bright band in a black picture: its horizontal profile after the
    // blur has the variance of the Gaussian. The large deviation takes the
    // wide-sum path.
    for (double sigma : { 6.0, 60.0 }) {
        const int width = int(sigma * 20) + 1, middle = width / 2, band = int(sigma / 3);
        auto image = filled(width, 5, 0xff000000);
        for (int y = 0; y < 5; ++y)
            for (int x = middle - band; x <= middle + band; ++x)
                set(*image, x, y, 0xffffffff);
        boxBlurApproximatingGaussian(PixelRegion::whole(*image), sigma, BlurEdges::Hard);
        double total = 0, spread = 0;
        for (int x = 0; x < width; ++x) {
            double value = image->pixel(x, 2) & 0xff;
            total += value;
            spread += value * (x - middle) * (x - middle);
        }
        // The band's own variance adds to the blur's.
        double bandVariance = ((2 * band + 1) * (2 * band + 1) - 1) / 12.0;
        EXPECT_NEAR(total, 255 * (2 * band + 1), 12 * (2 * band + 1)) << sigma;
        EXPECT_NEAR(std::sqrt(spread / total - bandVariance), sigma, sigma * 0.1) << sigma;
        // Symmetric about the band, and still opaque everywhere.
        EXPECT_NEAR(double(image->pixel(middle - 5, 2) & 0xff), double(image->pixel(middle + 5, 2) & 0xff), 1) << sigma;
        EXPECT_EQ(image->pixel(0, 0) >> 24, 255u) << sigma;
    }
}

TEST(Blur, HardEdgesKeepTheRegionOpaqueAndSoftEdgesFade)
{
    for (double sigma : { 5.0, 80.0 }) {
        auto hard = filled(40, 40, 0xff808080);
        boxBlurApproximatingGaussian(PixelRegion::whole(*hard), sigma, BlurEdges::Hard);
        EXPECT_EQ(hard->pixel(0, 0), 0xff808080u);
        EXPECT_EQ(hard->pixel(20, 20), 0xff808080u);
        auto white = filled(40, 40, 0xffffffff);
        boxBlurApproximatingGaussian(PixelRegion::whole(*white), sigma, BlurEdges::Hard);
        EXPECT_EQ(white->pixel(39, 39), 0xffffffffu);
    }

    auto soft = filled(40, 40, 0xff808080);
    boxBlurApproximatingGaussian(PixelRegion::whole(*soft), 5, BlurEdges::Soft);
    EXPECT_LT(soft->pixel(0, 0) >> 24, 128u);
    EXPECT_EQ(soft->pixel(20, 20), 0xff808080u);
}

TEST(Blur, TouchesOnlyItsRegion)
{
    auto image = filled(30, 30, 0xff000000);
    for (int y = 0; y < 30; ++y)
        for (int x = 15; x < 30; ++x)
            set(*image, x, y, 0xffffffff);
    PixelRegion region = PixelRegion::whole(*image);
    region.x = 10;
    region.y = 10;
    region.regionWidth = 10;
    region.regionHeight = 10;
    boxBlurApproximatingGaussian(region, 3, BlurEdges::Hard);
    // Outside: untouched, sharp edge intact.
    EXPECT_EQ(image->pixel(14, 5), 0xff000000u);
    EXPECT_EQ(image->pixel(15, 5), 0xffffffffu);
    // Inside: the edge is soft.
    uint32_t grey = image->pixel(15, 15) & 0xff;
    EXPECT_GT(grey, 60u);
    EXPECT_LT(grey, 200u);

    // Regions beyond the bitmap are clamped; tiny deviations do nothing.
    region.x = 25;
    region.regionWidth = 100;
    boxBlurApproximatingGaussian(region, 3, BlurEdges::Soft);
    auto untouched = filled(4, 4, 0xff102030);
    boxBlurApproximatingGaussian(PixelRegion::whole(*untouched), 0.2, BlurEdges::Soft);
    EXPECT_EQ(untouched->pixel(0, 0), 0xff102030u);
}

TEST(Blur, ColorAddTintsInProportionToCoverage)
{
    auto image = filled(3, 1, 0xff101010);
    set(*image, 1, 0, 0x00000000);
    set(*image, 2, 0, 0x80787878);
    colorAdd(PixelRegion::whole(*image), { 0.1, 0.1, 0.1, 1.0 });
    EXPECT_EQ(image->pixel(0, 0), 0xff2a2a2au);
    EXPECT_EQ(image->pixel(1, 0), 0u);
    // Half coverage gets half the tint, and never more than its alpha.
    EXPECT_EQ(image->pixel(2, 0), 0x80808080u);
}
