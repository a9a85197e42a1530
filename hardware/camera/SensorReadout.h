#pragma once

#include "hardware/camera/Development.h"

#include <array>
#include <cstdint>
#include <vector>

namespace hardware {

// The frame as the sensor sees it, before the tone curve: linear light after
// exposure and white balance, and how far the lens blurs each point. Made
// per frame; reading is cheap enough to do twice per pixel.
class SensorReadout {
public:
    SensorReadout(const SceneFrame&, const Development&);
    SensorReadout(const SensorReadout&) = delete;
    SensorReadout& operator=(const SensorReadout&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }

    // A row's colours, lightings (null when all are 0) and nearness levels.
    const uint32_t* colourRow(int y) const { return m_colour + size_t(y) * size_t(m_width); }
    const uint8_t* lightingRow(int y) const
    {
        return m_lighting ? m_lighting + size_t(y) * size_t(m_lightingStride) : nullptr;
    }
    const uint8_t* nearnessRow(int y) const { return m_nearness + size_t(y) * size_t(m_width); }

    // The farthest (lowest) and nearest (highest) nearness levels of a row,
    // or of the whole frame; the farthest above the nearest when there are
    // none. The blur grows steadily with the distance from the focus, so
    // these are a row's most blurred points on either side of it.
    struct NearnessRange {
        uint8_t farthest { 255 };
        uint8_t nearest { 0 };
    };
    NearnessRange nearnessRange(int y) const { return m_rowRanges[size_t(y)]; }
    NearnessRange nearnessRange() const { return m_frameRange; }

    // The value of a pixel of that colour, lighting and nearness level. Under
    // a lighting the camera's light does not reach, the distance plays no
    // part, and each channel comes from a table of its 256 levels.
    void value(uint32_t colour, uint8_t lighting, uint8_t nearness, float& r, float& g, float& b) const
    {
        if (const float* table = m_valueTables[lighting]) {
            r = table[colour >> 16 & 0xff];
            g = table[256 + (colour >> 8 & 0xff)];
            b = table[512 + (colour & 0xff)];
            return;
        }
        const float* gain = m_gain[lighting].data();
        float n2 = m_nearness2[nearness];
        r = (*m_toLinear)[colour >> 16 & 0xff] * (gain[0] + gain[3] * n2);
        g = (*m_toLinear)[colour >> 8 & 0xff] * (gain[1] + gain[4] * n2);
        b = (*m_toLinear)[colour & 0xff] * (gain[2] + gain[5] * n2);
    }
    // The table value() reads a lighting's channels from: red, green and
    // blue levels, 256 each; null where the camera's light reaches.
    const float* valueTable(uint8_t lighting) const { return m_valueTables[lighting]; }
    // The blur radius in pixels at a nearness level: positive for points
    // nearer than the focus, negative for those beyond it.
    float defocus(uint8_t nearness) const { return m_defocus[nearness]; }

    // Red, green and blue side by side, and a fourth value of no colour.
    using Linear = float __attribute__((vector_size(16)));
    // The tone curve: linear sensor values to an opaque stored pixel, the
    // three channels worked at once.
    uint32_t pixel(float r, float g, float b) const { return pixel(Linear { r, g, b, 0 }); }
    uint32_t pixel(Linear value) const
    {
        Stored stored = toned(value);
        return 0xff000000u | stored.r << 16 | stored.g << 8 | stored.b;
    }
    // The same pixel widened: each channel in a 16-bit lane, blue lowest.
    uint64_t widenedPixel(Linear value) const
    {
        Stored stored = toned(value);
        return uint64_t(0xff) << 48 | uint64_t(stored.r) << 32 | uint64_t(stored.g) << 16 | stored.b;
    }

    // The stored pixel of a point as it is, unblurred: pixel(value(...)),
    // from tables as the value is.
    uint32_t sharpPixel(uint32_t colour, uint8_t lighting, uint8_t nearness) const
    {
        if (const uint32_t* table = m_pixelTables[lighting])
            return table[colour >> 16 & 0xff] | table[256 + (colour >> 8 & 0xff)] | table[512 + (colour & 0xff)];
        float r, g, b;
        value(colour, lighting, nearness, r, g, b);
        return pixel(r, g, b);
    }
    // sharpPixel()s of a row's columns from `from` to before `to`, into
    // the same columns of `out`.
    void sharpRow(int y, int from, int to, uint32_t* out) const;

private:
    static constexpr size_t toneSteps = 4096;
    static const std::array<uint8_t, toneSteps>& storedLevels();

    // A value's channels through the tone curve, the three at once.
    struct Stored {
        uint32_t r, g, b;
    };
    Stored toned(Linear value) const
    {
        using Steps = int32_t __attribute__((vector_size(16)));
        Linear zero {}, one = zero + 1;
        Linear clamped = value < zero ? zero : (value > one ? one : value);
        Steps steps = __builtin_convertvector(clamped * float(toneSteps - 1) + 0.5f, Steps);
        const auto& levels = *m_toSRGB;
        return { levels[size_t(steps[0])], levels[size_t(steps[1])], levels[size_t(steps[2])] };
    }

    uint32_t tone(float value) const { return toned(Linear { value, 0, 0, 0 }).r; }

    int m_width { 0 };
    int m_height { 0 };
    const uint32_t* m_colour { nullptr };
    const uint8_t* m_lighting { nullptr };
    int m_lightingStride { 0 };
    const uint8_t* m_nearness { nullptr };
    std::vector<NearnessRange> m_rowRanges;
    NearnessRange m_frameRange;
    // Scene red, green, blue; camera light red, green, blue.
    std::array<std::array<float, 6>, 256> m_gain {};
    std::array<float, 256> m_nearness2 {};
    std::array<float, 256> m_defocus {};
    const std::array<float, 256>* m_toLinear;
    const std::array<uint8_t, toneSteps>* m_toSRGB;
    // By lighting: red, green and blue levels through the gain, and then
    // the tone curve; null where the camera's light reaches.
    std::array<const float*, 256> m_valueTables {};
    std::array<const uint32_t*, 256> m_pixelTables {}; // each channel in its place, alpha with red
    std::vector<float> m_tableValues;
    std::vector<uint32_t> m_tableWords;
};

}
