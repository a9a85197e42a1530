#include "hardware/camera/CameraHardware.h"

#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/OutdoorWorld.h"
#include "hardware/camera/FootagePictures.h"
#include "hardware/camera/PictureScene.h"
#include "hardware/camera/RoomScene.h"

#include "hardware/footage/CameraSource.h"

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

CameraHardware::CameraHardware(std::shared_ptr<Scene> back, std::shared_ptr<Scene> front)
    : m_backScene(std::move(back))
    , m_frontScene(std::move(front))
{
}

CameraHardware::~CameraHardware() = default;

namespace {

// A live source, opened once now so that one that cannot be is refused
// before anything runs; the camera opens it again when its session starts.
std::variant<std::shared_ptr<Scene>, std::string> liveScene(const std::string& name)
{
    auto input = cameraSourceNamed(name);
    if (auto* problem = std::get_if<std::string>(&input))
        return *problem;
    auto opened = LiveFeed::open(std::get<VideoInput>(input));
    if (auto* problem = std::get_if<std::string>(&opened))
        return "the camera source " + name + " cannot be opened: " + *problem;
    auto& feed = *std::get<std::unique_ptr<LiveFeed>>(opened);
    return std::make_shared<PictureScene>(
        std::make_shared<LivePictures>(std::get<VideoInput>(input), feed.width(), feed.height()));
}

}

std::variant<std::shared_ptr<CameraHardware>, std::string> CameraHardware::withScene(const SceneChoice& choice)
{
    if (choice.sceneDepth && !choice.scene)
        return std::string("a scene depth map needs a scene image (--scene) to lie over");
    std::shared_ptr<Scene> back = std::make_shared<OutdoorWorld>();
    std::shared_ptr<Scene> front = std::make_shared<RoomScene>();
    if (choice.scene) {
        auto loaded = PictureScene::load(*choice.scene, choice.sceneDepth);
        if (auto* problem = std::get_if<std::string>(&loaded))
            return *problem;
        back = front = std::get<std::shared_ptr<PictureScene>>(loaded);
    }
    for (auto [source, scene] : { std::pair { &choice.camera, &back }, std::pair { &choice.frontCamera, &front } }) {
        if (!*source)
            continue;
        auto live = liveScene(**source);
        if (auto* problem = std::get_if<std::string>(&live))
            return *problem;
        *scene = std::get<std::shared_ptr<Scene>>(live);
    }
    return std::make_shared<CameraHardware>(back, front);
}

CameraModule* CameraHardware::cameraFor(const std::shared_ptr<kit::AVCaptureDevice>& device)
{
    if (!device)
        return nullptr;
    // Cameras of devices that are gone go with them.
    std::erase_if(m_cameras, [this](const auto& camera) {
        bool gone = !camera->servesAnything();
        if (gone && camera.get() == m_running)
            m_running = nullptr;
        return gone;
    });
    for (const auto& camera : m_cameras) {
        if (camera->serves(*device))
            return camera.get();
    }
    const auto* profile = kit::DeviceProfile::current();
    bool front = device->position() == kit::AVCaptureDevicePositionFront;
    const auto& cameraSpec = profile ? (front ? profile->frontCamera : profile->backCamera) : std::nullopt;
    if (!cameraSpec)
        return nullptr;
    m_cameras.push_back(std::make_unique<CameraModule>(*this, device, *cameraSpec, front ? m_frontScene : m_backScene));
    return m_cameras.back().get();
}

void CameraHardware::startSession(const std::shared_ptr<kit::AVCaptureDevice>& device)
{
    auto* camera = cameraFor(device);
    if (m_running && m_running != camera)
        m_running->stop();
    m_running = camera;
    // Also when it runs already: a new mode or format is a new look.
    if (camera)
        camera->start();
}

void CameraHardware::stopSession()
{
    if (m_running)
        m_running->stop();
    m_running = nullptr;
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
