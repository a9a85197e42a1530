#include "hardware/camera/DepthOfField.h"
#include "hardware/camera/Development.h"
#include "hardware/camera/SensorReadout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace hardware;

namespace {

// A frame of one colour and lighting, its nearness by a rule.
template <typename Nearness>
SceneFrame frameOf(int width, int height, uint32_t colour, Nearness nearness)
{
    SceneFrame frame;
    frame.resize(width, height);
    auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = colour;
            frame.nearness[size_t(y) * size_t(width) + size_t(x)] = nearnessLevel(nearness(x, y));
        }
    }
    frame.lighting = { Lighting { { 1, 1, 1 }, true } };
    return frame;
}

int green(const kit::CGImage& image, int x, int y)
{
    return int(image.pixel(x, y) >> 8 & 0xff);
}

}

TEST(Development, MiddleGreyComesOutAsTheToneCurveSaysAndBrightLightClips)
{
    // A colour of 1 lit so the sensor reads 0.18: level 118 after the curve.
    auto frame = frameOf(8, 8, 0xffffffffu, [](int, int) { return 0.0f; });
    Development development;
    development.sceneGain = { { 0.18f, 0.18f, 0.18f } };
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    ASSERT_TRUE(image);
    EXPECT_NEAR(green(*image, 3, 3), 118, 1);
    development.sceneGain = { { 30, 30, 30 } };
    EXPECT_EQ(develop(frame, development, blur)->pixel(3, 3), 0xffffffffu);
    // A lighting the development does not know is black, not a crash.
    frame.lightingIndex.assign(8 * 8, 7);
    frame.lightingStride = 8;
    EXPECT_EQ(develop(frame, development, blur)->pixel(3, 3), 0xff000000u);
}

TEST(Development, TheCamerasOwnLightFallsOffWithTheSquareOfTheDistance)
{
    // Left half at 0.5 m, right half at 1 m: four times the light nearer.
    auto frame = frameOf(8, 4, 0xff808080u, [](int x, int) { return x < 4 ? 2.0f : 1.0f; });
    Development development;
    development.sceneGain = { { 0, 0, 0 } };
    development.cameraLightGain = { { 0.05f, 0.05f, 0.05f } };
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    double nearValue = std::pow((green(*image, 1, 1) / 255.0 + 0.055) / 1.055, 2.4);
    double farValue = std::pow((green(*image, 6, 1) / 255.0 + 0.055) / 1.055, 2.4);
    EXPECT_NEAR(nearValue / farValue, 4, 0.3);
}

TEST(DepthOfField, WhatIsAtTheFocusStaysSharpAndWhatIsNotBlurs)
{
    // Stripes two pixels wide, the top half at the focus, the bottom far.
    const int width = 128, height = 96;
    auto frame = frameOf(width, height, 0, [](int, int y) { return y < 48 ? 2.0f : 0.0f; });
    auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = (x / 2) % 2 ? 0xffe0e0e0u : 0xff202020u;
    Development development;
    development.sceneGain = { { 0.5f, 0.5f, 0.5f } };
    development.focus = 2;
    development.blurPerDioptre = 3; // the far half blurs by six pixels
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    auto contrast = [&](int y) {
        int low = 255, high = 0;
        for (int x = 40; x < 90; ++x) {
            low = std::min(low, green(*image, x, y));
            high = std::max(high, green(*image, x, y));
        }
        return high - low;
    };
    EXPECT_GT(contrast(20), 130) << "sharp at the focus";
    EXPECT_LT(contrast(80), 30) << "blurred beyond it";
    // The sharp stripes right above the blur keep their contrast: the blur
    // beyond the focus does not spread over what is nearer.
    EXPECT_GT(contrast(46), 130);
}

TEST(DepthOfField, ABlurredNearThingSpreadsOverTheSharpThingsBehindIt)
{
    // A bright near square (0.25 m) in front of a dark background at the focus.
    const int width = 128, height = 96;
    auto inSquare = [](int x, int y) { return x >= 48 && x < 80 && y >= 32 && y < 64; };
    auto frame = frameOf(width, height, 0, [&](int x, int y) { return inSquare(x, y) ? 4.0f : 0.5f; });
    auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = inSquare(x, y) ? 0xffffffffu : 0xff101010u;
    Development development;
    development.sceneGain = { { 0.8f, 0.8f, 0.8f } };
    development.focus = 0.5f;
    development.blurPerDioptre = 2; // the square blurs by seven pixels
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    // Just outside the square's edge the background is lit by its blur.
    EXPECT_GT(green(*image, 82, 48), 60);
    // Far from it the background is as it was.
    EXPECT_LT(green(*image, 10, 10), 40);
    // The same frame focused on the square: its edge is crisp.
    development.focus = 4;
    image = develop(frame, development, blur);
    EXPECT_GT(green(*image, 50, 48), 200);
    EXPECT_LT(green(*image, 45, 48), 80);
}

TEST(Development, ASharpPixelFromTheTablesIsThePixelOfItsValue)
{
    // Lighting 0 is the scene's only, lighting 1 is reached by the camera's
    // light, lighting 9 is beyond the frame's.
    auto frame = frameOf(4, 1, 0, [](int, int) { return 1.5f; });
    Development development;
    development.sceneGain = { { 0.3f, 2.0f, 0.01f }, { 0.2f, 0.2f, 0.2f } };
    development.cameraLightGain = { {}, { 0.1f, 0.05f, 0.0f } };
    SensorReadout readout(frame, development);
    for (uint8_t lighting : { 0, 1, 9 }) {
        for (uint32_t colour : { 0xff000000u, 0xff123456u, 0xff80ff01u, 0xffffffffu }) {
            float r, g, b;
            readout.value(colour, lighting, 40, r, g, b);
            EXPECT_EQ(readout.sharpPixel(colour, lighting, 40), readout.pixel(r, g, b)) << int(lighting) << " " << colour;
        }
    }
    EXPECT_EQ(readout.sharpPixel(0xffffffffu, 9, 40), 0xff000000u);
}
