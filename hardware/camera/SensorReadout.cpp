#include "hardware/camera/SensorReadout.h"

#include <cmath>

namespace hardware {

SensorReadout::SensorReadout(const SceneFrame& frame, const Development& development)
    : m_width(frame.width())
    , m_height(frame.height())
    , m_colour(frame.colour ? reinterpret_cast<const uint32_t*>(frame.colour->data()) : nullptr)
    , m_lighting(frame.lightingIndex.empty() ? nullptr : frame.lightingIndex.data())
    , m_lightingStride(frame.lightingStride)
    , m_nearness(frame.nearness.data())
{
    for (size_t i = 0; i < m_gain.size(); ++i) {
        LinearRGB scene = i < development.sceneGain.size() ? development.sceneGain[i] : LinearRGB {};
        LinearRGB camera = i < development.cameraLightGain.size() ? development.cameraLightGain[i] : LinearRGB {};
        m_gain[i] = { scene.r, scene.g, scene.b, camera.r, camera.g, camera.b };
    }
    for (size_t level = 0; level < 256; ++level) {
        float dioptres = float(level) * kDioptresPerNearnessLevel;
        m_nearness2[level] = dioptres * dioptres;
        m_defocus[level] = (dioptres - development.focus) * development.blurPerDioptre;
        m_toLinear[level] = linearFromSRGB(float(level) / 255);
    }
    for (size_t i = 0; i < toneSteps; ++i)
        m_toSRGB[i] = uint8_t(std::lround(sRGBFromLinear(float(i) / float(toneSteps - 1)) * 255));
}

}
