#pragma once

#include "hardware/camera/Scene.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hardware {

// A person's picture as the light in front of the camera: its pixels,
// linearised, are the scene at the light's default level (so a metered
// middle grey keeps its value), stretched to cover the view keeping its
// shape, the way the preview fills. A greyscale depth map, stretched over
// the picture the same way, says how near each point is: level v is
// 10·v/255 dioptres (white 0.1 m, black infinitely far). Without one the
// picture is a flat wall 2 m away.
class PictureScene final : public Scene {
public:
    // The largest picture or depth map taken, in pixels.
    static constexpr int64_t maximumPixels = 50'000'000;
    // The luminance (cd/m²) of a white pixel in the light's default level:
    // a sunny day's.
    static constexpr float defaultWhiteLuminance = 5000;

    // The scene of a PNG or JPEG file and an optional depth map (PNG or
    // JPEG); otherwise one line saying what is wrong with which file.
    static std::variant<std::shared_ptr<PictureScene>, std::string> load(
        const std::filesystem::path& picture, const std::optional<std::filesystem::path>& depthMap);
    // A scene of an image in memory, and a depth map's levels in rows of
    // depthWidth (empty: a flat wall).
    PictureScene(kit::CGImageRef picture, std::vector<uint8_t> depthLevels = {}, int depthWidth = 0, int depthHeight = 0);

    bool render(const SceneView&, SceneFrame&) const override;

private:
    kit::CGImageRef m_picture;
    // The depth map's levels, as a Cairo alpha-only image with its stride.
    std::vector<uint8_t> m_depth;
    int m_depthWidth { 0 };
    int m_depthHeight { 0 };
    int m_depthStride { 0 };
};

}
