#pragma once

#include "hardware/camera/CameraModule.h"
#include "hardware/camera/LightSetting.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kit {
class AVCaptureDevice;
}

namespace hardware {

class Scene;

// The phone's camera hardware behind kit's AVCaptureDevice: a camera module
// for each device of the process's model, and what they look at. The back
// camera sees the built-in garden and the front one a room, or both see a
// person's picture. The light on the scene can be set by hand. Used on the
// main thread; owned by whoever runs the phone.
class CameraHardware {
public:
    // The built-in scenes.
    CameraHardware();
    // One scene for both cameras.
    explicit CameraHardware(std::shared_ptr<Scene>);
    // With a picture (and its depth map) as the scene, or the built-in
    // scenes without one; otherwise the one line that says what is wrong.
    static std::variant<std::shared_ptr<CameraHardware>, std::string> withScene(
        const std::optional<std::filesystem::path>& picture, const std::optional<std::filesystem::path>& depthMap);
    ~CameraHardware();
    CameraHardware(const CameraHardware&) = delete;
    CameraHardware& operator=(const CameraHardware&) = delete;

    // The camera behind a device, made on first use; a device object of a
    // fresh process gets a fresh camera. Nothing for a device of another
    // model than the process's.
    CameraModule* cameraFor(const std::shared_ptr<kit::AVCaptureDevice>&);

    // The light set by hand (colour temperature 1500 to 15000 K, level −10
    // to +10 stops; values outside are clamped), or nothing for the scene's
    // own. Every camera looks again at once.
    void setLight(std::optional<LightSetting>);
    const std::optional<LightSetting>& light() const { return m_light; }

    // Where the cameras say what they did ("back camera exposure settled:
    // 1/250 s ISO 32 at (0.50, 0.50)"): one line each, without a time.
    void setEventSink(std::function<void(const std::string&)> sink) { m_sink = std::move(sink); }
    void note(const std::string& line) const;

    // The cameras made so far.
    const std::vector<std::unique_ptr<CameraModule>>& cameras() const { return m_cameras; }

private:
    std::shared_ptr<Scene> m_backScene;
    std::shared_ptr<Scene> m_frontScene;
    std::optional<LightSetting> m_light;
    std::function<void(const std::string&)> m_sink;
    std::vector<std::unique_ptr<CameraModule>> m_cameras;
};

}
