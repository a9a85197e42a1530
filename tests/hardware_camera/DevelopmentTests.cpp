#include "hardware/camera/DepthOfField.h"
#include "hardware/camera/DepthOfFieldBasics.h"
#include "hardware/camera/Development.h"
#include "hardware/camera/PackedPixels.h"
#include "hardware/camera/SensorReadout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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

// Every pixel a colour of its own, from a hash of its place.
void paintNoise(SceneFrame& frame)
{
    auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
    for (int i = 0; i < frame.width() * frame.height(); ++i)
        pixels[i] = 0xff000000u | uint32_t(i * 2654435761u >> 8 & 0xffffffu);
}

// How many pixels of two images differ, from (left, top) to before
// (right, bottom).
int pixelsDiffering(const kit::CGImage& a, const kit::CGImage& b, int left, int top, int right, int bottom)
{
    int differing = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// A development under lightings of these gains, focused at `focus`
// dioptres, blurring by `blurPerDioptre` pixels a dioptre away from it.
Development blurring(std::vector<LinearRGB> sceneGain, float focus, float blurPerDioptre)
{
    Development development;
    development.sceneGain = std::move(sceneGain);
    development.focus = focus;
    development.blurPerDioptre = blurPerDioptre;
    return development;
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

TEST(Development, AToneCurvePixelWidenedHasItsChannelsApart)
{
    auto frame = frameOf(2, 2, 0, [](int, int) { return 0.0f; });
    SensorReadout readout(frame, Development {});
    const SensorReadout::Linear values[] = { { 0, 0, 0, 1 }, { 1, 1, 1, 0 }, { -0.5f, 0.18f, 7, 3 }, { 0.001f, 0.5f, 0.9f, 0 } };
    for (const auto& value : values) {
        uint32_t pixel = readout.pixel(value);
        EXPECT_EQ(pixel, readout.pixel(value[0], value[1], value[2]));
        EXPECT_EQ(readout.widenedPixel(value), widened(pixel)) << std::hex << pixel;
    }
    // Below nothing is black, beyond full is white.
    EXPECT_EQ(readout.pixel(values[2]), readout.pixel(0, 0.18f, 1));
    EXPECT_EQ(readout.pixel(values[2]) & 0xffff00ffu, 0xff0000ffu);
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
    Development development = blurring({ { 0.5f, 0.5f, 0.5f } }, 2, 3); // the far half blurs by six pixels
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
    Development development = blurring({ { 0.8f, 0.8f, 0.8f } }, 0.5f, 2); // the square blurs by seven pixels
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

TEST(DepthOfField, OneColourStaysOneColourWhateverTheBlur)
{
    // Bands at the focus, a little and wholly beyond it, a little and much
    // nearer: however each is blurred and mixed, a wall of one colour is
    // what it was, within a level.
    const int width = 150, height = 101;
    auto frame = frameOf(width, height, 0xff4080c0u, [](int x, int y) {
        static const float bands[] = { 2.0f, 1.8f, 0.0f, 2.3f, 4.0f };
        return bands[(x / 30 + y / 40) % 5];
    });
    Development development;
    development.sceneGain = { { 0.6f, 0.5f, 0.4f } };
    DepthOfField blur;
    auto sharp = develop(frame, development, blur);
    development.focus = 2;
    development.blurPerDioptre = 5;
    auto image = develop(frame, development, blur);
    uint32_t expected = sharp->pixel(0, 0);
    int worst = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t got = image->pixel(x, y);
            for (int shift : { 0, 8, 16 })
                worst = std::max(worst, std::abs(int(got >> shift & 0xff) - int(expected >> shift & 0xff)));
        }
    }
    EXPECT_LE(worst, 1);
}

TEST(DepthOfField, ABlurKeptFromFrameToFrameGivesWhatAFreshOneGives)
{
    // The blurred parts move from frame to frame (a near disc, a far band,
    // then only a thin band, then the first again): rows that held a blur
    // in one frame and none in the next must not keep any of it. And the
    // blur grows and shrinks, so that the far band is made at its first
    // level's size and read there, made at a coarser one, or only at the
    // first; and the band is cut short, and widens from row to row, so
    // that no row keeps what lay beyond its ends before.
    const int width = 160, height = 120;
    struct Shot {
        int discX, discY, bandFrom, bandTo;
        float blurPerDioptre; // the band's blur; the disc's is three times it
        int bandWidth = width; // in its first row; two more in each after
        int widening = 0;
    };
    const Shot shots[] = { { 30, 25, 80, 120, 4 }, { 120, 90, 0, 30, 4 }, { 120, 30, 90, 120, 10 },
        { -100, -100, 62, 64, 4 }, { 30, 25, 80, 120, 3 }, { 60, 60, 20, 100, 10 }, { 30, 25, 80, 120, 4 },
        { -100, -100, 20, 100, 3 }, { -100, -100, 20, 100, 4, 40 }, { -100, -100, 20, 100, 3, 20, 2 } };
    DepthOfField kept;
    for (const Shot& shot : shots) {
        Development development = blurring({ { 0.7f, 0.6f, 0.5f } }, 1, shot.blurPerDioptre);
        auto frame = frameOf(width, height, 0, [&](int x, int y) {
            if ((x - shot.discX) * (x - shot.discX) + (y - shot.discY) * (y - shot.discY) < 20 * 20)
                return 4.0f;
            bool inBand = y >= shot.bandFrom && y < shot.bandTo && x < shot.bandWidth + shot.widening * (y - shot.bandFrom);
            return inBand ? 0.0f : 1.0f;
        });
        paintNoise(frame);
        DepthOfField fresh;
        auto expected = develop(frame, development, fresh);
        auto got = develop(frame, development, kept);
        int differing = pixelsDiffering(*got, *expected, 0, 0, width, height);
        EXPECT_EQ(differing, 0) << "disc at " << shot.discX << ", " << shot.discY << ", band from row " << shot.bandFrom
                                << ", blur " << shot.blurPerDioptre;
    }
}

TEST(DepthOfField, ABlurredPartComesOutTheSameWhateverElseIsBlurred)
{
    // A near disc and a far band in the middle of a sharp frame, then the
    // same with a little blur at the ends of every row, so that the blur
    // works whole rows: the middle comes out the same either way.
    const int width = 192, height = 144, margin = 48;
    auto frameWith = [&](bool blurredEnds) {
        auto frame = frameOf(width, height, 0, [&](int x, int y) {
            if ((x - 96) * (x - 96) + (y - 72) * (y - 72) < 12 * 12)
                return 4.0f; // twelve pixels of blur, nearer than the focus
            if (y >= 60 && y < 66)
                return 0.0f; // four, beyond it
            if (blurredEnds && (x < 2 || x >= width - 2))
                return y % 2 ? 1.3f : 0.7f; // a pixel's blur either side
            return 1.0f;
        });
        paintNoise(frame);
        return frame;
    };
    Development development = blurring({ { 0.7f, 0.6f, 0.5f } }, 1, 4);
    DepthOfField blur;
    auto sparse = develop(frameWith(false), development, blur);
    auto whole = develop(frameWith(true), development, blur);
    int differing = pixelsDiffering(*sparse, *whole, margin, margin, width - margin, height - margin);
    EXPECT_EQ(differing, 0);
}

TEST(DepthOfField, ALittleBlurBesideAMuchBlurredPartComesOutTheSameWhateverElseIsBlurred)
{
    // A strip at the top blurred by 32 pixels, which calls for coarse
    // levels, made from the first two as their rows arrive; and two bands
    // blurred by 6 and 13 pixels, read from those two. Then the same with
    // a little blur at the start of every row, so that every row of them is
    // read at its own size: the bands come out the same either way.
    const int width = 192, height = 176;
    auto frameWith = [&](bool blurredStarts) {
        auto frame = frameOf(width, height, 0, [&](int x, int y) {
            if (y < 4)
                return 0.0f;
            if (blurredStarts && x < 2)
                return 7.75f;
            if (y >= 72 && y < 92)
                return 6.5f;
            if (y >= 112 && y < 136)
                return 4.75f;
            return 8.0f;
        });
        paintNoise(frame);
        return frame;
    };
    Development development = blurring({ { 0.7f, 0.6f, 0.5f } }, 8, 4);
    DepthOfField blur;
    auto bands = develop(frameWith(false), development, blur);
    auto everyRow = develop(frameWith(true), development, blur);
    int differing = pixelsDiffering(*bands, *everyRow, 64, 48, width, height);
    EXPECT_EQ(differing, 0);
}

TEST(DepthOfField, PointsAlikeBeyondTheFocusBlurAsAnyOthers)
{
    // The same picture, its far half under one light, then under two
    // lights that are the same in a checkerboard: points alike are summed
    // plainly, the others weighed one by one, and the blur is the same.
    const int width = 96, height = 64;
    Development development = blurring({ { 0.7f, 0.6f, 0.5f }, { 0.7f, 0.6f, 0.5f } }, 2, 3);
    auto developed = [&](bool checkerboard) {
        auto frame = frameOf(width, height, 0, [](int x, int y) { return x < 40 ? 2.0f : (y < 32 ? 0.0f : 0.5f); });
        paintNoise(frame);
        frame.lighting.push_back(frame.lighting.front());
        frame.lightingStride = width;
        frame.lightingIndex.assign(size_t(width * height), 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame.lightingIndex[size_t(y * width + x)] = checkerboard ? uint8_t((x + y) % 2) : 0;
        DepthOfField blur;
        return develop(frame, development, blur);
    };
    auto alike = developed(false), mixed = developed(true);
    int differing = pixelsDiffering(*alike, *mixed, 0, 0, width, height);
    EXPECT_EQ(differing, 0);
}

TEST(DepthOfField, APictureTurnedOverBlursIntoItsBlurTurnedOver)
{
    // Sharp at the focus, a near thing blurred over it, the rest far and
    // blurred: the blur weighs each pixel's neighbours alike on either side,
    // so a picture turned over, across or upside down, blurs into its blur
    // turned over, but for a level of rounding here and there.
    const int width = 128, height = 96;
    auto nearness = [](int x, int y) {
        if (x > 20 && x < 50 && y > 10 && y < 40)
            return 6.0f;
        return x > 70 && y > 50 ? 2.0f : 0.0f;
    };
    auto frame = frameOf(width, height, 0, nearness);
    // Blocks large beside the blur, so that it leaves them edges, and a
    // little noise.
    auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = ((x / 16 + y / 12) % 2 ? 0xffe0c080u : 0xff103070u) ^ ((x * 7 + y * 13) % 16);
    Development development = blurring({ { 0.7f, 0.6f, 0.5f } }, 2, 4);
    auto turned = [&](const SceneFrame& from, bool across) {
        SceneFrame to;
        to.resize(width, height);
        to.lighting = from.lighting;
        const auto* in = reinterpret_cast<const uint32_t*>(from.colour->data());
        auto* out = reinterpret_cast<uint32_t*>(to.colour->mutableData());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int i = y * width + x;
                int j = across ? y * width + (width - 1 - x) : (height - 1 - y) * width + x;
                out[j] = in[i];
                to.nearness[size_t(j)] = from.nearness[size_t(i)];
            }
        }
        return to;
    };
    DepthOfField blur;
    auto developed = develop(frame, development, blur);
    for (bool across : { true, false }) {
        auto turnedFrame = turned(frame, across);
        auto developedTurned = develop(turnedFrame, development, blur);
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t a = developed->pixel(x, y);
                uint32_t b = across ? developedTurned->pixel(width - 1 - x, y)
                                    : developedTurned->pixel(x, height - 1 - y);
                for (int shift : { 0, 8, 16 })
                    if (std::abs(int(a >> shift & 0xff) - int(b >> shift & 0xff)) > 1) {
                        ++differing;
                        break;
                    }
            }
        }
        EXPECT_EQ(differing, 0) << (across ? "across" : "upside down");
    }
}

TEST(DepthOfField, ABlurredEdgeRisesSteadilyAcrossIt)
{
    // Dark on one side, bright on the other, all beyond the focus or all
    // nearer than it: across the blurred edge each pixel is at least as
    // bright as the one before, across and down.
    const int width = 96, height = 64;
    Development development = blurring({ { 0.5f, 0.5f, 0.5f } }, 2, 4);
    for (float nearness : { 0.0f, 5.0f }) {
        for (bool across : { true, false }) {
            auto frame = frameOf(width, height, 0, [&](int, int) { return nearness; });
            auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    pixels[y * width + x] = (across ? x >= 45 : y >= 29) ? 0xffe0e0e0u : 0xff202020u;
            DepthOfField blur;
            auto image = develop(frame, development, blur);
            int falling = 0;
            for (int y = across ? 0 : 1; y < height; ++y)
                for (int x = across ? 1 : 0; x < width; ++x)
                    falling += green(*image, x, y) < (across ? green(*image, x - 1, y) : green(*image, x, y - 1));
            EXPECT_EQ(falling, 0) << nearness << (across ? " across" : " down");
            // And it is blurred: wider than a step.
            EXPECT_GT(across ? green(*image, 42, 30) : green(*image, 50, 26), 0x20 + 8);
        }
    }
}

TEST(DepthOfField, OneColourRunningOnUnderAnotherLightTakesThatLight)
{
    // All far and blurred, one grey throughout, a bright light on the left
    // half and a dim one on the right: away from where they meet, each half
    // is as its light makes it.
    const int width = 96, height = 64;
    auto frame = frameOf(width, height, 0xff808080u, [](int, int) { return 0.0f; });
    frame.lighting.push_back(frame.lighting.front());
    frame.lightingStride = width;
    frame.lightingIndex.assign(size_t(width * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            frame.lightingIndex[size_t(y * width + x)] = 1;
    Development development = blurring({ { 0.8f, 0.8f, 0.8f }, { 0.1f, 0.1f, 0.1f } }, 2, 3);
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    SensorReadout readout(frame, development);
    EXPECT_NEAR(green(*image, 10, 32), int(readout.sharpPixel(0xff808080u, 0, 0) >> 8 & 0xff), 1);
    EXPECT_NEAR(green(*image, 85, 32), int(readout.sharpPixel(0xff808080u, 1, 0) >> 8 & 0xff), 1);
}

TEST(DepthOfField, AnyPointUnlikeTheOthersIsWeighedOnItsOwn)
{
    // All far and blurred, one grey throughout, but for one point of every
    // two by two, or of every eight by two (four texels side by side): dark
    // under a light of its own, or black and at the focus, in each of the
    // places in turn. Either way the blurred grey takes in the others and
    // the odd one as it is, or only the others.
    const int width = 96, height = 64;
    Development development = blurring({ { 0.6f, 0.6f, 0.6f }, { 0, 0, 0 } }, 2, 3);
    for (int across : { 2, 8 }) {
        for (int place = 0; place < 2 * across; ++place) {
            auto odd = [&](int x, int y) { return x % across == place % across && y % 2 == place / across; };
            for (bool lit : { true, false }) {
                auto frame = frameOf(width, height, 0xff808080u, [&](int x, int y) { return !lit && odd(x, y) ? 2.0f : 0.0f; });
                auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
                frame.lighting.push_back(frame.lighting.front());
                frame.lightingStride = width;
                frame.lightingIndex.assign(size_t(width * height), 0);
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        if (odd(x, y) && lit)
                            frame.lightingIndex[size_t(y * width + x)] = 1;
                        if (odd(x, y) && !lit)
                            pixels[y * width + x] = 0xff000000u;
                    }
                }
                DepthOfField blur;
                auto image = develop(frame, development, blur);
                SensorReadout readout(frame, development);
                float r, g, b;
                readout.value(0xff808080u, 0, 0, r, g, b);
                // Lit apart, the far field is the mean of the grey points and
                // a black one; at the focus, the black point is not in it at
                // all.
                float others = 1 - 1.0f / float(2 * across);
                uint32_t expected = lit ? readout.pixel(r * others, g * others, b * others) : readout.pixel(r, g, b);
                int x = odd(41, 31) ? 40 : 41, y = 31; // a grey point
                EXPECT_NEAR(green(*image, x, y), int(expected >> 8 & 0xff), 1)
                    << across << " across, place " << place << (lit ? ", lit apart" : ", at the focus");
            }
        }
    }
}

TEST(DepthOfField, AMuchBlurredBackgroundIsOneBlurUpToWhatStandsInFrontOfIt)
{
    // A fine checkerboard far beyond the focus, blurred by ten pixels (made
    // at a quarter of the size where it can be), with a sharp square and a
    // sharp line a pixel wide at the focus, a strip a little beyond it and a
    // near disc blurred over it all: the background is its grey up to the
    // square's edge, the line's and the strip's, and under the disc's blur
    // it is lit, changing smoothly, never the checkerboard showing through.
    const int width = 160, height = 120;
    const uint32_t dark = 0xff202020u, light = 0xffe0e0e0u;
    // Things of their own colour (not 0) on the checkerboard.
    auto checkered = [&](auto nearness, auto thingColour) {
        auto frame = frameOf(width, height, 0, nearness);
        auto* pixels = reinterpret_cast<uint32_t*>(frame.colour->mutableData());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[y * width + x] = thingColour(x, y) ? thingColour(x, y) : (x / 2 + y / 2) % 2 ? light : dark;
        return frame;
    };
    auto atFocus = [](int x, int y) { return (x >= 40 && x < 60 && y >= 30 && y < 50) || (x == 141 && y >= 20 && y < 100); };
    auto inStrip = [](int x, int y) { return x >= 20 && x < 30 && y >= 80 && y < 110; };
    auto toDisc = [](int x, int y) { return std::hypot(x - 110.0, y - 70.0); };
    auto frame = checkered(
        [&](int x, int y) {
            if (toDisc(x, y) < 12)
                return 5.0f; // fifteen pixels of blur, nearer than the focus
            if (atFocus(x, y))
                return 2.0f;
            return inStrip(x, y) ? 1.8f : 0.0f; // a pixel's blur, and ten
        },
        [&](int x, int y) { return toDisc(x, y) < 12 ? 0xfff0f0f0u : atFocus(x, y) ? 0xff808080u : 0u; });
    Development development = blurring({ { 0.6f, 0.6f, 0.6f } }, 2, 5);
    DepthOfField blur;
    auto image = develop(frame, development, blur);
    SensorReadout readout(frame, development);
    float r0, g0, b0, r1, g1, b1;
    readout.value(dark, 0, 0, r0, g0, b0);
    readout.value(light, 0, 0, r1, g1, b1);
    int grey = int(readout.pixel((r0 + r1) / 2, (g0 + g1) / 2, (b0 + b1) / 2) >> 8 & 0xff);
    int offGrey = 0, jumps = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 1; x < width; ++x) {
            if (frame.nearness[size_t(y * width + x)] != 0 || frame.nearness[size_t(y * width + x - 1)] != 0)
                continue;
            if (toDisc(x, y) > 24)
                offGrey += std::abs(green(*image, x, y) - grey) > 3;
            else
                jumps += std::abs(green(*image, x, y) - green(*image, x - 1, y)) > 16;
        }
    }
    EXPECT_EQ(offGrey, 0) << "grey " << grey;
    int blurredLine = 0;
    for (int y = 20; y < 100; ++y)
        blurredLine += image->pixel(141, y) != readout.sharpPixel(0xff808080u, 0, nearnessLevel(2));
    EXPECT_EQ(blurredLine, 0);
    EXPECT_EQ(jumps, 0);
    // Beside the disc its blur lights the background, less and less as far
    // as six pixels out.
    for (auto [dx, dy] : { std::pair { 1, 0 }, std::pair { -1, 0 }, std::pair { 0, 1 }, std::pair { 0, -1 } }) {
        EXPECT_GT(green(*image, 110 + 14 * dx, 70 + 14 * dy), grey + 12) << dx << ", " << dy;
        EXPECT_GT(green(*image, 110 + 18 * dx, 70 + 18 * dy), grey + 3) << dx << ", " << dy;
    }
    // A near line a pixel wide, a little blurred, over the same background:
    // its blur lights the pixels beside it all along.
    auto onLine = [](int x, int y) { return x == 121 && y >= 20 && y < 100; };
    image = develop(checkered([&](int x, int y) { return onLine(x, y) ? 2.6f : 0.0f; },
                        [&](int x, int y) { return onLine(x, y) ? 0xfff0f0f0u : 0u; }),
        development, blur);
    int dim = 0;
    for (int y = 24; y < 96; ++y)
        dim += green(*image, 120, y) < grey + 6;
    EXPECT_EQ(dim, 0);
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

TEST(Development, ARowIsEachOfItsPixelsAsItIs)
{
    // Runs of one colour across lightings, the camera's light (lighting 1)
    // falling on points at different distances, and a lighting beyond the
    // frame's (9): a row comes out as its pixels one by one.
    const int width = 12;
    auto frame = frameOf(width, 1, 0xff336699u, [](int x, int) { return 0.5f + 0.25f * float(x); });
    const uint8_t lightings[width] = { 0, 0, 1, 1, 1, 0, 0, 9, 9, 1, 0, 0 };
    frame.lightingIndex.assign(lightings, lightings + width);
    frame.lightingStride = width;
    Development development;
    development.sceneGain = { { 0.3f, 0.4f, 0.5f }, { 0.1f, 0.1f, 0.1f } };
    development.cameraLightGain = { {}, { 0.2f, 0.2f, 0.2f } };
    SensorReadout readout(frame, development);
    uint32_t row[width] {};
    readout.sharpRow(0, 0, width, row);
    for (int x = 0; x < width; ++x)
        EXPECT_EQ(row[x], readout.sharpPixel(0xff336699u, lightings[x], frame.nearness[size_t(x)])) << x;
}

TEST(Development, DevelopingInPlaceGivesWhatANewImageGets)
{
    // Blurred and sharp: each pixel is read before it is written.
    for (float blurPerDioptre : { 0.0f, 4.0f }) {
        auto frame = frameOf(64, 48, 0, [](int x, int y) { return x < 32 ? 4.0f : (y < 24 ? 1.0f : 0.0f); });
        paintNoise(frame);
        Development development = blurring({ { 0.7f, 0.6f, 0.5f } }, 1, blurPerDioptre);
        DepthOfField blur;
        auto apart = develop(frame, development, blur);
        auto inPlace = develop(frame, development, blur, frame.colour);
        ASSERT_EQ(inPlace, frame.colour);
        int differing = pixelsDiffering(*inPlace, *apart, 0, 0, 64, 48);
        EXPECT_EQ(differing, 0) << blurPerDioptre;
    }
}

TEST(DepthOfField, ARowHalvedIsTheRowSmoothedThenAveragedTwoByTwo)
{
    // Level 2 is made from level 1's rows before they are smoothed: the
    // same as smoothing [1 2 1] / 4, edges repeated, and averaging each two
    // texels, an odd last one with itself. Short rows and odd ones, whole
    // or with weight in some columns only, zeros elsewhere.
    for (int width : { 1, 2, 3, 4, 5, 8, 9, 16, 17 }) {
        for (ColumnSpan span : { ColumnSpan { 0, width }, ColumnSpan { width / 3, width - width / 4 },
                 ColumnSpan { width - 1, width }, ColumnSpan { 0, 1 } }) {
            std::vector<float> line(size_t(width) * 4, 0.0f);
            for (int x = span.from; x < span.to; ++x)
                for (int c = 0; c < 4; ++c)
                    line[size_t(x * 4 + c)] = float((x * 37 + c * 11) % 23 + 1);
            auto at = [&](int x, int c) { return line[size_t(std::clamp(x, 0, width - 1) * 4 + c)]; };
            int halfWidth = (width + 1) / 2;
            ColumnSpan made = span.widened(1, width).halved();
            std::vector<float> halved(size_t(halfWidth) * 4, -1.0f);
            dof::halveRow(line.data(), width, made, halved.data());
            for (int x = made.from; x < made.to; ++x) {
                for (int c = 0; c < 4; ++c) {
                    auto smoothed = [&](int i) { return 0.25f * (at(i - 1, c) + at(i + 1, c)) + 0.5f * at(i, c); };
                    float expected = 0.5f * (smoothed(2 * x) + smoothed(std::min(width - 1, 2 * x + 1)));
                    EXPECT_NEAR(halved[size_t(x * 4 + c)], expected, 1e-4f) << width << " wide, texel " << x << "." << c;
                }
            }
            // What it was not asked for it leaves.
            for (int x = 0; x < halfWidth; ++x) {
                if (x < made.from || x >= made.to) {
                    EXPECT_EQ(halved[size_t(x * 4)], -1.0f) << width << " wide, texel " << x;
                }
            }
        }
    }
}

TEST(PackedPixels, MixingInWholeNumbersKeepsTheChannelsApartAndRounds)
{
    auto channel = [](uint32_t pixel, int shift) { return int(pixel >> shift & 0xff); };
    const uint32_t pixels[] = { 0xff000000u, 0xffffffffu, 0xffff00ffu, 0xff00ff00u, 0x7f7f8081u, 0x0001fe02u };
    for (uint32_t a : pixels) {
        for (uint32_t b : pixels) {
            for (uint32_t right = 0; right <= 4; ++right) {
                for (uint32_t lower = 0; lower <= 4; ++lower) {
                    uint32_t mixed = mixInQuarters(a, b, b, a, 4 - right, right, 4 - lower, lower);
                    for (int shift : { 0, 8, 16, 24 }) {
                        double ab = channel(a, shift) * (4.0 - right) + channel(b, shift) * right;
                        double ba = channel(b, shift) * (4.0 - right) + channel(a, shift) * right;
                        double exact = (ab * (4.0 - lower) + ba * lower) / 16;
                        EXPECT_NEAR(channel(mixed, shift), exact, 0.5 + 1e-9);
                    }
                }
            }
            for (uint32_t weight : { 0u, 1u, 64u, 128u, 255u, 256u }) {
                uint32_t mixed = mixToward(a, b, weight);
                EXPECT_EQ(mixed >> 24, 0xffu);
                for (int shift : { 0, 8, 16 }) {
                    double exact = (channel(a, shift) * (256.0 - weight) + channel(b, shift) * weight) / 256;
                    EXPECT_NEAR(channel(mixed, shift), exact, 0.5 + 1e-9);
                }
            }
        }
    }
}

TEST(PackedPixels, ARowMixedDownTwoAtATimeIsEachOfItsPixelsMixedDown)
{
    // Every mix across of the extreme and odd pixels, in a row of odd length
    // so that the last pixel is mixed alone.
    const uint32_t pixels[] = { 0xff000000u, 0xffffffffu, 0xffff00ffu, 0xff00ff00u, 0x7f7f8081u, 0x0001fe02u };
    std::vector<uint64_t> upper, lower;
    for (uint32_t a : pixels)
        for (uint32_t b : pixels)
            for (uint32_t right = 0; right <= 4; ++right) {
                upper.push_back(mixAcross(widened(a), widened(b), 4 - right, right));
                lower.push_back(mixAcross(widened(b), widened(a), right, 4 - right));
            }
    upper.pop_back();
    lower.pop_back();
    ASSERT_EQ(upper.size() % 2, 1u);
    for (uint32_t down = 0; down <= 4; ++down) {
        std::vector<uint32_t> row(upper.size());
        std::vector<uint64_t> widenedRow(upper.size());
        mixDownRow(upper.data(), lower.data(), 4 - down, down, row.data(), int(row.size()));
        mixDownWidenedRow(upper.data(), lower.data(), 4 - down, down, widenedRow.data(), int(row.size()));
        int differing = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            uint32_t pixel = mixDown(upper[i], lower[i], 4 - down, down);
            differing += row[i] != pixel || widenedRow[i] != widened(pixel);
        }
        EXPECT_EQ(differing, 0) << down;
    }
}
