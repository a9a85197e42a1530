#include "hardware/camera/CameraHardware.h"
#include "hardware/camera/OutdoorLighting.h"
#include "hardware/camera/OutdoorWorld.h"
#include "hardware/camera/PictureScene.h"
#include "hardware/camera/RoomScene.h"

#include "kit/ui/PNGCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace hardware;

namespace {

namespace fs = std::filesystem;

class SceneFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("scene-files-" + std::to_string(random()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream(m_folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return m_folder / name;
    }
    fs::path writeImage(const std::string& name, int width, int height, uint32_t colour)
    {
        auto image = kit::CGImage::create(width, height);
        std::fill_n(reinterpret_cast<uint32_t*>(image->mutableData()), size_t(width) * size_t(height), colour);
        return write(name, *kit::PNGCodec::encode(*image));
    }
    std::string problemWith(const std::optional<fs::path>& picture, const std::optional<fs::path>& depth)
    {
        auto made = CameraHardware::withScene(picture, depth);
        auto* problem = std::get_if<std::string>(&made);
        return problem ? *problem : std::string();
    }

    fs::path m_folder;
};

SceneView viewOf(int width, int height, double roll = 0)
{
    SceneView view;
    view.width = width;
    view.height = height;
    view.halfWidth = 0.6;
    view.halfHeight = 0.45;
    view.roll = roll;
    view.time = 1399111200; // a May morning
    return view;
}

}

TEST_F(SceneFiles, BadPicturesAndDepthMapsAreRefusedWithOneLineSayingWhy)
{
    auto picture = writeImage("picture.png", 8, 6, 0xff808080u);
    EXPECT_EQ(problemWith(picture, std::nullopt), "");
    EXPECT_NE(problemWith(std::nullopt, picture).find("needs a scene image"), std::string::npos);
    EXPECT_NE(problemWith(m_folder / "missing.png", std::nullopt).find("cannot open the scene image"), std::string::npos);
    auto text = write("notes.png", { 'h', 'e', 'l', 'l', 'o' });
    EXPECT_NE(problemWith(picture, text).find("scene depth map"), std::string::npos);
    EXPECT_NE(problemWith(picture, text).find("neither a PNG nor a JPEG"), std::string::npos);
    auto whole = kit::PNGCodec::encode(*kit::CGImage::create(64, 64));
    auto truncated = write("cut.png", std::vector<uint8_t>(whole->begin(), whole->begin() + ptrdiff_t(whole->size() / 2)));
    EXPECT_NE(problemWith(picture, truncated).find("cannot be read"), std::string::npos);
    EXPECT_NE(problemWith(write("empty.png", {}), std::nullopt).find("is empty"), std::string::npos);
    // A header that claims 100000 × 100000 pixels is refused before any memory is taken.
    std::vector<uint8_t> huge(whole->begin(), whole->begin() + 33);
    for (int i : { 16, 20 }) {
        huge[size_t(i)] = 0, huge[size_t(i) + 1] = 0x01, huge[size_t(i) + 2] = 0x86, huge[size_t(i) + 3] = 0xA0;
    }
    EXPECT_NE(problemWith(write("huge.png", huge), std::nullopt).find("cannot be read"), std::string::npos);
    for (const auto& line : { problemWith(picture, text), problemWith(picture, truncated) })
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
}

TEST(PictureScene, AOnePixelPictureIsAUniformWallTwoMetresAway)
{
    auto dot = kit::CGImage::create(1, 1);
    reinterpret_cast<uint32_t*>(dot->mutableData())[0] = 0xff336699u;
    PictureScene scene(dot);
    SceneFrame frame;
    ASSERT_TRUE(scene.render(viewOf(32, 24), frame));
    for (int y = 0; y < 24; y += 5) {
        for (int x = 0; x < 32; x += 5) {
            EXPECT_EQ(frame.colour->pixel(x, y), 0xff336699u);
            EXPECT_EQ(frame.nearness[size_t(y) * 32 + size_t(x)], nearnessLevel(0.5f));
        }
    }
    ASSERT_EQ(frame.lighting.size(), 1u);
    EXPECT_NEAR(frame.lighting[0].light.luminance(), PictureScene::defaultWhiteLuminance, 1);
    // A frame of a single pixel is fine too.
    ASSERT_TRUE(scene.render(viewOf(1, 1), frame));
    EXPECT_EQ(frame.colour->pixel(0, 0), 0xff336699u);
}

TEST(PictureScene, TheDepthMapLiesOverThePictureAndItsLevelsAreDioptres)
{
    auto picture = kit::CGImage::create(40, 30);
    std::fill_n(reinterpret_cast<uint32_t*>(picture->mutableData()), 40 * 30, 0xff808080u);
    // A 2 × 1 map of any size: the left near (0.2 m), the right far.
    std::vector<uint8_t> levels { 128, 0 };
    PictureScene scene(picture, levels, 2, 1);
    SceneFrame frame;
    ASSERT_TRUE(scene.render(viewOf(40, 30), frame));
    EXPECT_NEAR(frame.nearness[15 * 40 + 3] * kDioptresPerNearnessLevel, 5, 0.1);
    EXPECT_EQ(frame.nearness[15 * 40 + 36], 0);
    // A light set by hand tints and dims the picture's light.
    auto view = viewOf(4, 3);
    view.light = LightSetting { 2500, -2 };
    ASSERT_TRUE(scene.render(view, frame));
    EXPECT_GT(frame.lighting[0].light.r, frame.lighting[0].light.b * 2);
    EXPECT_NEAR(frame.lighting[0].light.luminance(), PictureScene::defaultWhiteLuminance / 4, 1);
    EXPECT_DOUBLE_EQ(frame.illuminantKelvin, 2500);
}

TEST(OutdoorWorld, HasSkyAtInfinityAFlowerAtAThirdOfAMetreAndGroundComingNearer)
{
    OutdoorWorld world;
    SceneFrame frame;
    ASSERT_TRUE(world.render(viewOf(160, 120), frame));
    auto surfaceAt = [&](int x, int y) { return frame.lightingAt(x, y); };
    auto dioptresAt = [&](int x, int y) { return frame.nearness[size_t(y) * 160 + size_t(x)] * kDioptresPerNearnessLevel; };
    EXPECT_EQ(surfaceAt(80, 2), SkySurface);
    EXPECT_EQ(dioptresAt(80, 2), 0);
    // The flower's head is right of the middle, below it.
    int fx = int(80 + 0.22 / 0.6 * 80), fy = int(60 + 0.22 / 0.45 * 60);
    EXPECT_EQ(surfaceAt(fx, fy), FlowerSurface);
    EXPECT_NEAR(dioptresAt(fx, fy), 1 / 0.3, 0.05);
    // The ground in the lower right corner is nearer than higher up.
    EXPECT_GT(dioptresAt(150, 118), dioptresAt(150, 95));
    // The sunlit sky is at least eight stops brighter than the deepest shade.
    auto light = OutdoorLighting::at(1399111200, std::nullopt);
    EXPECT_GT(light.lighting[SkySurface].light.luminance() / light.lighting[ShedInsideSurface].light.luminance(), 256);
}

TEST(OutdoorWorld, NightLightsTheLampAndTheWindowsAndALightSetByHandOverridesTheTimeOfDay)
{
    double midnight = 1399111200 + 14 * 3600;
    auto night = OutdoorLighting::at(midnight, std::nullopt);
    EXPECT_TRUE(night.lampsOn);
    EXPECT_FALSE(night.lighting[LampGlowSurface].reachedByCameraLight);
    EXPECT_GT(night.lighting[LampGlowSurface].light.luminance(), 1000 * night.lighting[SunlitGroundSurface].light.luminance());
    EXPECT_LT(night.illuminantKelvin, 3000);
    auto set = OutdoorLighting::at(midnight, LightSetting { 5500, 0 });
    EXPECT_FALSE(set.lampsOn);
    EXPECT_DOUBLE_EQ(set.illuminantKelvin, 5500);
    EXPECT_GT(set.lighting[SunlitGroundSurface].light.luminance(), 1000);
    auto dimmer = OutdoorLighting::at(midnight, LightSetting { 5500, -3 });
    EXPECT_NEAR(dimmer.lighting[SunlitGroundSurface].light.luminance() * 8, set.lighting[SunlitGroundSurface].light.luminance(), 1);
}

TEST(RoomScene, TheFrontCameraSeesAFaceAtArmsLengthBeforeAWall)
{
    RoomScene room;
    SceneFrame frame;
    ASSERT_TRUE(room.render(viewOf(160, 120), frame));
    EXPECT_NEAR(frame.nearness[60 * 160 + 80] * kDioptresPerNearnessLevel, 2, 0.05);
    EXPECT_NEAR(frame.nearness[10 * 160 + 150] * kDioptresPerNearnessLevel, 1 / 3.0, 0.05);
}

TEST(SceneView, ARolledViewTurnsTheWorldAndAWindowShowsPartOfTheField)
{
    auto view = viewOf(100, 100);
    view.halfWidth = view.halfHeight = 1;
    // A quarter turn back: the sensor's left edge shows the world's top.
    view.roll = -M_PI / 2;
    auto toView = view.pixelToView();
    EXPECT_NEAR(toView.mapX(0, 50), 0, 1e-9);
    EXPECT_NEAR(toView.mapY(0, 50), -1, 1e-9);
    view.roll = 0;
    view.left = 0.5, view.right = 0.75, view.top = 0.25, view.bottom = 0.5;
    toView = view.pixelToView();
    EXPECT_NEAR(toView.mapX(0, 0), 0, 1e-9);
    EXPECT_NEAR(toView.mapX(100, 0), 0.5, 1e-9);
    EXPECT_NEAR(toView.mapY(0, 100), 0, 1e-9);
    EXPECT_NEAR(toView.inverted().mapX(0.5, 0), 100, 1e-9) << "its inverse";
}
