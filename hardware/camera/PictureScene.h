#pragma once

#include "hardware/camera/Scene.h"
#include "hardware/camera/ScenePictures.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hardware {

// A person's pictures as the light in front of the camera: a still picture,
// a movie or a live source. The picture of the moment's pixels, linearised,
// are the scene at the light's default level (so a metered middle grey
// keeps its value), stretched to cover the view keeping its shape, the way
// the preview fills. A greyscale depth map, stretched over the pictures the
// same way, says how near each point is: level v is 10·v/255 dioptres
// (white 0.1 m, black infinitely far). Without one the pictures are a flat
// wall 2 m away.
class PictureScene final : public Scene {
public:
    // The luminance (cd/m²) of a white pixel in the light's default level:
    // a sunny day's.
    static constexpr float defaultWhiteLuminance = 5000;

    // The scene of a PNG or JPEG file, or of a movie in any form FFmpeg
    // plays, and an optional depth map (PNG or JPEG); otherwise one line
    // saying what is wrong with which file.
    static std::variant<std::shared_ptr<PictureScene>, std::string> load(
        const std::filesystem::path& picture, const std::optional<std::filesystem::path>& depthMap);
    // The depth map in a file, as levels in rows of its width; otherwise
    // one line saying what is wrong with it.
    struct DepthLevels {
        std::vector<uint8_t> levels;
        int width { 0 };
        int height { 0 };
    };
    static std::variant<DepthLevels, std::string> loadDepth(const std::filesystem::path&);

    // A scene of pictures and a depth map's levels in rows of depthWidth
    // (empty: a flat wall).
    PictureScene(std::shared_ptr<ScenePictures>, std::vector<uint8_t> depthLevels = {}, int depthWidth = 0,
        int depthHeight = 0);
    // A scene of one image in memory.
    PictureScene(kit::CGImageRef picture, std::vector<uint8_t> depthLevels = {}, int depthWidth = 0, int depthHeight = 0);

    bool render(const SceneView&, SceneFrame&) const override;
    void cameraStarted(double time, int formatWidth, int formatHeight, double framesPerSecond) override
    {
        m_pictures->cameraStarted(time, formatWidth, formatHeight, framesPerSecond);
    }
    void cameraStopped() override { m_pictures->cameraStopped(); }
    std::optional<std::string> takeProblem() override { return m_pictures->takeProblem(); }

private:
    std::shared_ptr<ScenePictures> m_pictures;
    // The depth map's levels, as a Cairo alpha-only image with its stride.
    std::vector<uint8_t> m_depth;
    int m_depthWidth { 0 };
    int m_depthHeight { 0 };
    int m_depthStride { 0 };
};

}
