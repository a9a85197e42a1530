#pragma once

#include "hardware/camera/SensorReadout.h"

#include "kit/ui/CGImage.h"

#include <array>
#include <vector>

namespace hardware {

// The lens's blur, by each pixel's own distance from the focus, as two
// fields: the points beyond the focus and those nearer than it. Each field
// is averaged down into a pyramid of halved sizes, every level smoothed,
// from its blurred pixels only, so a sharp subject does not bleed into the
// soft background behind it. At half the frame's size each texel takes its
// field's value from the levels whose blur matches: the far field's at its
// own blur, the near field's at the blur it spreads over what lies behind
// it, a soft edge over whatever is there. At full size each pixel mixes its
// own sharp value with the far blur by how blurred it is, and lays the near
// blur over that. About two reads of every pixel, whatever the blur.
// Buffers are kept from frame to frame.
class DepthOfField {
public:
    // Writes the toned, blurred frame into `out` (the readout's size);
    // presentLevels says which nearness levels the frame holds.
    void develop(const SensorReadout&, const bool presentLevels[256], kit::CGImage& out);

private:
    struct Level {
        int width { 0 };
        int height { 0 };
        // Red, green, blue and weight, the colours premultiplied by it.
        std::vector<float> texels;
    };
    using Pyramid = std::vector<Level>; // [0] is level 1, half the frame
    // A point between two texels of a row or column.
    struct Tap {
        int a, b;
        float t;
    };
    // Four texels' colour between the columns and rows the taps name, of
    // two rows of four-float texels.
    static void blend(const float* upper, const float* lower, const Tap& row, const Tap& column, float result[4]);

    void prepareTables(const SensorReadout&);
    void buildFirstLevels(const SensorReadout&);
    static void buildPyramid(Pyramid&, int levels);
    void buildNearSpread(int level);
    void prepareTaps();
    // A pyramid's value at a fractional level (1 and up) at a half-size
    // texel's centre, between the levels around it.
    void sampleBetween(const Pyramid&, float level, int tx, int ty, float out[4]) const;
    // One row of texels at half the frame's size: each field's blurred value,
    // premultiplied by its weight; whether any near blur reaches the row.
    bool blurHalfRow(int row, float* far, float* near) const;
    void composeFullSize(const SensorReadout&, kit::CGImage& out) const;

    // By nearness level: blur radius, and how much a pixel there belongs to
    // the far and near fields' blurred pyramids.
    std::array<float, 256> m_blur {};
    std::array<float, 256> m_farWeight {};
    std::array<float, 256> m_nearWeight {};
    float m_largestFarBlur { 0 };
    float m_largestNearBlur { 0 };
    bool m_hasFar { false };
    bool m_hasNear { false };
    // Level 1's size, half the frame's, whichever fields there are.
    int m_halfWidth { 1 };
    int m_halfHeight { 1 };

    Pyramid m_far;
    Pyramid m_near;
    // At level 1's size: the far pixels' mean blur, the near pixels' largest.
    std::vector<float> m_farBlur;
    std::vector<float> m_nearBlur;
    std::vector<float> m_spread;
    int m_spreadWidth { 0 };
    int m_spreadFactor { 1 }; // level-1 texels per spread texel, across
    // By pyramid level: where each half-size column and row falls on it.
    std::vector<std::vector<Tap>> m_columnTaps;
    std::vector<std::vector<Tap>> m_rowTaps;
};

}
