// Any bytes as the file a person puts in front of the camera (a picture or
// a movie) and as its depth map: the loader answers a scene or the line
// that says why not, never crashes, hangs or takes unbounded memory; a
// movie it takes is played at a few moments, back and forth and past its
// loop.
#include "hardware/camera/PictureScene.h"
#include "hardware/camera/SceneFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A file of this run's own, named without an extension so that FFmpeg goes
// by the contents alone; its folder goes when the run ends.
struct InputFile {
    InputFile()
    {
        std::string name = (fs::temp_directory_path() / "vantor-scene-fuzz-XXXXXX").string();
        if (!mkdtemp(name.data()))
            std::abort();
        folder = name;
    }
    ~InputFile()
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path path() const { return folder / "scene"; }
    fs::path folder;
};

const fs::path& inputFile()
{
    static const InputFile file;
    static const fs::path path = file.path();
    return path;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto& file = inputFile();
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));

    auto depth = hardware::PictureScene::loadDepth(file);
    if (auto* map = std::get_if<hardware::PictureScene::DepthLevels>(&depth)) {
        if (map->levels.size() != size_t(map->width) * size_t(map->height))
            __builtin_trap();
    }

    auto loaded = hardware::PictureScene::load(file, std::nullopt);
    auto* scene = std::get_if<std::shared_ptr<hardware::PictureScene>>(&loaded);
    if (!scene)
        return 0;
    hardware::SceneView view;
    view.width = 16;
    view.height = 12;
    hardware::SceneFrame frame;
    (*scene)->cameraStarted(1000, 16, 12, 30);
    for (double time : { 1000.0, 1000.4, 1003.0, 1000.1, 1100.0 }) {
        view.time = time;
        (void)(*scene)->render(view, frame);
    }
    (void)(*scene)->takeProblem();
    return 0;
}
