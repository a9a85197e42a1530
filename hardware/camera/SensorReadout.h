#pragma once

#include "hardware/camera/Development.h"

#include <array>
#include <cstdint>

namespace hardware {

// The frame as the sensor sees it, before the tone curve: linear light after
// exposure and white balance, and how far the lens blurs each point. Made
// per frame; reading is cheap enough to do twice per pixel.
class SensorReadout {
public:
    SensorReadout(const SceneFrame&, const Development&);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // A row's colours, lightings (null when all are 0) and nearness levels.
    const uint32_t* colourRow(int y) const { return m_colour + size_t(y) * size_t(m_width); }
    const uint8_t* lightingRow(int y) const
    {
        return m_lighting ? m_lighting + size_t(y) * size_t(m_lightingStride) : nullptr;
    }
    const uint8_t* nearnessRow(int y) const { return m_nearness + size_t(y) * size_t(m_width); }

    // The value of a pixel of that colour, lighting and nearness level.
    void value(uint32_t colour, uint8_t lighting, uint8_t nearness, float& r, float& g, float& b) const
    {
        const float* gain = m_gain[lighting].data();
        float n2 = m_nearness2[nearness];
        r = m_toLinear[colour >> 16 & 0xff] * (gain[0] + gain[3] * n2);
        g = m_toLinear[colour >> 8 & 0xff] * (gain[1] + gain[4] * n2);
        b = m_toLinear[colour & 0xff] * (gain[2] + gain[5] * n2);
    }
    // The blur radius in pixels at a nearness level: positive for points
    // nearer than the focus, negative for those beyond it.
    float defocus(uint8_t nearness) const { return m_defocus[nearness]; }

    // The tone curve: linear sensor values to an opaque stored pixel.
    uint32_t pixel(float r, float g, float b) const { return 0xff000000u | tone(r) << 16 | tone(g) << 8 | tone(b); }

private:
    static constexpr size_t toneSteps = 4096;

    uint32_t tone(float value) const
    {
        float clamped = value < 0 ? 0 : (value > 1 ? 1 : value);
        return m_toSRGB[size_t(clamped * float(toneSteps - 1) + 0.5f)];
    }

    int m_width { 0 };
    int m_height { 0 };
    const uint32_t* m_colour { nullptr };
    const uint8_t* m_lighting { nullptr };
    int m_lightingStride { 0 };
    const uint8_t* m_nearness { nullptr };
    // Scene red, green, blue; camera light red, green, blue.
    std::array<std::array<float, 6>, 256> m_gain {};
    std::array<float, 256> m_nearness2 {};
    std::array<float, 256> m_defocus {};
    std::array<float, 256> m_toLinear {};
    std::array<uint8_t, toneSteps> m_toSRGB {};
};

}
