#include "hardware/camera/CameraHardware.h"

#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/OutdoorWorld.h"
#include "hardware/camera/PictureScene.h"
#include "hardware/camera/RoomScene.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/media/DeviceProfile.h"

#include <algorithm>
#include <cmath>

namespace hardware {

CameraHardware::CameraHardware()
    : m_backScene(std::make_shared<OutdoorWorld>())
    , m_frontScene(std::make_shared<RoomScene>())
{
}

CameraHardware::CameraHardware(std::shared_ptr<Scene> scene)
    : m_backScene(scene)
    , m_frontScene(std::move(scene))
{
}

CameraHardware::~CameraHardware() = default;

std::variant<std::shared_ptr<CameraHardware>, std::string> CameraHardware::withScene(
    const std::optional<std::filesystem::path>& picture, const std::optional<std::filesystem::path>& depthMap)
{
    if (depthMap && !picture)
        return std::string("a scene depth map needs a scene image (--scene) to lie over");
    if (!picture)
        return std::make_shared<CameraHardware>();
    auto loaded = PictureScene::load(*picture, depthMap);
    if (auto* problem = std::get_if<std::string>(&loaded))
        return *problem;
    return std::make_shared<CameraHardware>(std::get<std::shared_ptr<PictureScene>>(loaded));
}

CameraModule* CameraHardware::cameraFor(const std::shared_ptr<kit::AVCaptureDevice>& device)
{
    if (!device)
        return nullptr;
    // Cameras of devices that are gone go with them.
    std::erase_if(m_cameras, [](const auto& camera) { return !camera->servesAnything(); });
    for (const auto& camera : m_cameras) {
        if (camera->serves(*device))
            return camera.get();
    }
    const auto* profile = kit::DeviceProfile::current();
    bool front = device->position() == kit::AVCaptureDevicePositionFront;
    const auto& spec = profile ? (front ? profile->frontCamera : profile->backCamera) : std::nullopt;
    if (!spec)
        return nullptr;
    m_cameras.push_back(std::make_unique<CameraModule>(*this, device, *spec, front ? m_frontScene : m_backScene));
    return m_cameras.back().get();
}

void CameraHardware::setLight(std::optional<LightSetting> light)
{
    if (light) {
        light->kelvin = std::isfinite(light->kelvin) ? std::clamp(light->kelvin, kLowestKelvin, kHighestKelvin) : kDaylightKelvin;
        light->stops = std::isfinite(light->stops) ? std::clamp(light->stops, kLowestLightStops, kHighestLightStops) : 0;
    }
    if (light == m_light)
        return;
    m_light = light;
    for (const auto& camera : m_cameras)
        camera->lightChanged();
}

void CameraHardware::note(const std::string& line) const
{
    if (m_sink)
        m_sink(line);
}

}
