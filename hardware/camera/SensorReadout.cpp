#include "hardware/camera/SensorReadout.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {

// The curves are the same for every frame.
const std::array<float, 256>& linearLevels()
{
    static const auto table = [] {
        std::array<float, 256> levels {};
        for (size_t level = 0; level < levels.size(); ++level)
            levels[level] = linearFromSRGB(float(level) / 255);
        return levels;
    }();
    return table;
}

}

const std::array<uint8_t, SensorReadout::toneSteps>& SensorReadout::storedLevels()
{
    static const auto table = [] {
        std::array<uint8_t, toneSteps> levels {};
        for (size_t i = 0; i < toneSteps; ++i)
            levels[i] = uint8_t(std::lround(sRGBFromLinear(float(i) / float(toneSteps - 1)) * 255));
        return levels;
    }();
    return table;
}

SensorReadout::SensorReadout(const SceneFrame& frame, const Development& development)
    : m_width(frame.width())
    , m_height(frame.height())
    , m_colour(frame.colour ? reinterpret_cast<const uint32_t*>(frame.colour->data()) : nullptr)
    , m_lighting(frame.lightingIndex.empty() ? nullptr : frame.lightingIndex.data())
    , m_lightingStride(frame.lightingStride)
    , m_nearness(frame.nearness.data())
    , m_toLinear(&linearLevels())
    , m_toSRGB(&storedLevels())
{
    m_rowRanges.resize(size_t(std::max(0, m_height)));
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* row = nearnessRow(y);
        uint8_t farthest = 255, nearest = 0;
        for (int x = 0; x < m_width; ++x) {
            farthest = std::min(farthest, row[x]);
            nearest = std::max(nearest, row[x]);
        }
        m_rowRanges[size_t(y)] = { farthest, nearest };
        m_frameRange = { std::min(m_frameRange.farthest, farthest), std::max(m_frameRange.nearest, nearest) };
    }
    for (size_t i = 0; i < m_gain.size(); ++i) {
        LinearRGB scene = i < development.sceneGain.size() ? development.sceneGain[i] : LinearRGB {};
        LinearRGB camera = i < development.cameraLightGain.size() ? development.cameraLightGain[i] : LinearRGB {};
        m_gain[i] = { scene.r, scene.g, scene.b, camera.r, camera.g, camera.b };
    }
    for (size_t level = 0; level < 256; ++level) {
        float dioptres = float(level) * kDioptresPerNearnessLevel;
        m_nearness2[level] = dioptres * dioptres;
        m_defocus[level] = (dioptres - development.focus) * development.blurPerDioptre;
    }
    // Tables for the frame's own lightings, and one (black) for every index
    // beyond them.
    size_t lightings = std::min(development.sceneGain.size(), m_gain.size() - 1);
    m_tableValues.assign((lightings + 1) * 768, 0);
    m_tableWords.assign((lightings + 1) * 768, 0);
    std::fill_n(m_tableWords.begin() + ptrdiff_t(lightings * 768), 256, 0xff000000u);
    for (size_t i = 0; i < m_gain.size(); ++i) {
        const auto& gain = m_gain[i];
        if (gain[3] != 0 || gain[4] != 0 || gain[5] != 0)
            continue;
        size_t table = std::min(i, lightings) * 768;
        m_valueTables[i] = &m_tableValues[table];
        m_pixelTables[i] = &m_tableWords[table];
        if (i >= lightings)
            continue;
        for (size_t channel = 0; channel < 3; ++channel) {
            for (size_t level = 0; level < 256; ++level) {
                float value = (*m_toLinear)[level] * gain[channel];
                m_tableValues[table + channel * 256 + level] = value;
                m_tableWords[table + channel * 256 + level] = (channel == 0 ? 0xff000000u : 0) | tone(value) << (16 - 8 * channel);
            }
        }
    }
}

void SensorReadout::sharpRow(int y, int from, int to, uint32_t* out) const
{
    const uint32_t* colours = colourRow(y);
    const uint8_t* nearness = nearnessRow(y);
    const uint8_t* lightings = lightingRow(y);
    // A drawn scene comes in runs of one colour under one light: a pixel
    // like the one before it, under a light in the tables, is the same.
    uint32_t lastColour = 0, lastPixel = 0;
    int lastLighting = -1;
    for (int x = from; x < to; ++x) {
        uint32_t colour = colours[x];
        uint8_t lighting = lightings ? lightings[x] : 0;
        if (colour == lastColour && lighting == lastLighting) {
            out[x] = lastPixel;
            continue;
        }
        out[x] = sharpPixel(colour, lighting, nearness[x]);
        bool tabled = m_pixelTables[lighting];
        lastColour = colour;
        lastLighting = tabled ? lighting : -1;
        lastPixel = out[x];
    }
}

}
