// Footage and live sources in front of the camera app's camera: the picture
// of each moment in the preview and the photos, exposure and white balance
// acting on them, and a source that breaks.

#include "../hardware_footage/FootageClips.h"
#include "CameraPictureSupport.h"
#include "HostCameraTestSupport.h"

#include "hardware/footage/VideoDecoder.h"

#include "kit/media/AVCaptureDevice.h"

#include <algorithm>

using namespace hosttest;
namespace fs = std::filesystem;

namespace {

// A cycle of three seconds: red, then green, then blue, each for a second.
const char* kColourCycle = "format=gbrp,geq=r='255*lt(mod(T,3),1)':g='255*lt(mod(T+2,3),1)':b='255*lt(mod(T+1,3),1)'";

enum class Hue { Red, Green, Blue, Other };

Hue hueOf(const RGB& c)
{
    if (c.r > 2 * c.g && c.r > 2 * c.b)
        return Hue::Red;
    if (c.g > 2 * c.r && c.g > 2 * c.b)
        return Hue::Green;
    if (c.b > 2 * c.r && c.b > 2 * c.g)
        return Hue::Blue;
    return Hue::Other;
}

class FootageScenes : public HostCameraTest {
protected:
    std::unique_ptr<host::Phone> start(hardware::SceneChoice scene)
    {
        auto phone = startPhone("iPhone6,1", std::move(scene));
        if (!phone)
            return nullptr;
        phone->launch();
        return phone;
    }

    // Lets the clock reach `time` since the launch, takes a photo and
    // answers the hue of its middle.
    Hue photoHueAt(host::Phone& phone, double time)
    {
        phone.advance(std::max(0.0, time - phone.now()));
        phone.pressShutter();
        phone.advance(0.2);
        auto roll = phone.cameraRoll();
        if (roll.empty())
            return Hue::Other;
        auto photo = uprightPhoto(roll.back());
        return photo ? hueOf(meanOver(*photo, 0.3, 0.3, 0.7, 0.7)) : Hue::Other;
    }

    size_t linesWith(const std::string& text) const
    {
        return size_t(std::count_if(m_log->begin(), m_log->end(),
            [&](const std::string& line) { return line.find(text) != std::string::npos; }));
    }

    TemporaryFolder m_clips;
};

}

TEST_F(FootageScenes, PhotosShowTheClipsMomentFromTheLaunchOnALoop)
{
    auto clip = m_clips.path() / "cycle.mp4";
    ASSERT_TRUE(footagetest::makeClip(std::string("color=black:s=64x48:r=10:d=3,") + kColourCycle,
        "-c:v libx264 -pix_fmt yuv420p", clip));
    auto phone = start({ clip, std::nullopt, std::nullopt, std::nullopt });
    ASSERT_TRUE(phone);
    EXPECT_EQ(photoHueAt(*phone, 0.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, 1.5), Hue::Green);
    EXPECT_EQ(photoHueAt(*phone, 2.5), Hue::Blue);
    EXPECT_EQ(photoHueAt(*phone, 3.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, 7.6), Hue::Green);
    phone->quit();
}

TEST_F(FootageScenes, ALiveSourceIsTheBackCameraOpenedAgainWithEachPreview)
{
    auto phone = start({ std::nullopt, std::nullopt, std::string("lavfi:color=black:s=64x48:r=10,") + kColourCycle,
        std::nullopt });
    ASSERT_TRUE(phone);
    EXPECT_EQ(photoHueAt(*phone, 0.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, 1.5), Hue::Green);
    // The front camera keeps its own scene.
    ASSERT_TRUE(phone->setCameraDevice(1));
    EXPECT_EQ(photoHueAt(*phone, 3), Hue::Other);
    ASSERT_TRUE(phone->setCameraDevice(0));
    // Closed while the app is away and opened again: its clock starts over.
    phone->background();
    phone->advance(10);
    phone->foreground();
    double opened = phone->now();
    EXPECT_EQ(photoHueAt(*phone, opened + 0.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, opened + 2.5), Hue::Blue);
    phone->quit();
}

TEST_F(FootageScenes, ASourceThatEndsKeepsItsLastPictureAndSaysSoOnce)
{
    auto phone = start({ std::nullopt, std::nullopt,
        std::string("lavfi:color=black:s=64x48:r=10:d=2,") + kColourCycle, std::nullopt });
    ASSERT_TRUE(phone);
    EXPECT_EQ(photoHueAt(*phone, 0.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, 3), Hue::Green);
    EXPECT_EQ(photoHueAt(*phone, 5), Hue::Green);
    EXPECT_EQ(linesWith("back camera: the camera source lavfi:"), 1u);
    EXPECT_EQ(linesWith("stopped (the source ended); its last picture stays"), 1u);
    EXPECT_EQ(phone->cameraRoll().size(), 3u);
    phone->quit();
}

TEST_F(FootageScenes, ExposureAndALockedWhiteBalanceActOnFootage)
{
    // Grey, its left half in deep shade and its right half in the sun.
    auto clip = m_clips.path() / "halves.mkv";
    ASSERT_TRUE(footagetest::makeClip("color=black:s=64x48:r=10:d=2,format=gray,geq=lum='if(lt(X,32),20,220)'",
        "-c:v libx264 -pix_fmt yuv420p", clip));
    auto phone = start({ clip, std::nullopt, std::nullopt, std::nullopt });
    ASSERT_TRUE(phone);
    auto device = kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo);
    auto setDevice = [&](auto change) {
        ASSERT_TRUE(device->lockForConfiguration());
        change();
        device->unlockForConfiguration();
    };
    auto shoot = [&] {
        phone->advance(1);
        phone->pressShutter();
        phone->advance(0.2);
        return uprightPhoto(phone->cameraRoll().back());
    };
    // Upright on the screen, the shaded left half is the bottom of the sensor's picture.
    setDevice([&] { device->setExposurePointOfInterest({ 0.5, 0.75 }); });
    auto shadeMetered = shoot();
    setDevice([&] { device->setExposurePointOfInterest({ 0.5, 0.25 }); });
    auto sunMetered = shoot();
    ASSERT_TRUE(shadeMetered && sunMetered);
    EXPECT_GT(meanOver(*shadeMetered, 0.05, 0.3, 0.4, 0.7).grey(), meanOver(*sunMetered, 0.05, 0.3, 0.4, 0.7).grey() + 60);

    setDevice([&] { device->setWhiteBalanceMode(kit::AVCaptureWhiteBalanceModeLocked); });
    phone->setLight(hardware::LightSetting { 2500, 0 });
    auto warmPhoto = shoot();
    ASSERT_TRUE(warmPhoto);
    auto warm = meanOver(*warmPhoto, 0.6, 0.3, 0.95, 0.7);
    EXPECT_GT(warm.r, warm.b + 60) << "an orange cast";
    phone->quit();
}

TEST_F(FootageScenes, AMovieThatBreaksMidwayKeepsItsLastGoodPictureAndTheAppWorksOn)
{
    // Its index first, then its pictures (noisy, so each takes about as
    // many bytes), cut two thirds of the way in: the red and the green
    // second play, the blue one is lost.
    auto whole = m_clips.path() / "whole.mp4";
    ASSERT_TRUE(footagetest::makeClip(std::string("color=black:s=64x48:r=10:d=3,") + kColourCycle + ",noise=alls=30:allf=t",
        "-c:v libx264 -pix_fmt yuv420p -g 5 -movflags +faststart", whole));
    auto cut = m_clips.path() / "cut.mp4";
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(whole) * 2 / 3);
    auto phone = start({ cut, std::nullopt, std::nullopt, std::nullopt });
    ASSERT_TRUE(phone);
    EXPECT_EQ(photoHueAt(*phone, 0.5), Hue::Red);
    EXPECT_EQ(photoHueAt(*phone, 1.5), Hue::Green);
    // From the break on, the last picture shown stays, also past the loop.
    EXPECT_EQ(photoHueAt(*phone, 2.8), Hue::Green);
    EXPECT_EQ(photoHueAt(*phone, 4.5), Hue::Green);
    EXPECT_EQ(photoHueAt(*phone, 7.5), Hue::Green);
    EXPECT_EQ(linesWith("the scene movie stopped playing"), 1u);
    // A video taken after it broke is whole, of the last picture.
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->pressShutter();
    phone->advance(1);
    phone->pressShutter();
    phone->advance(1);
    auto roll = phone->cameraRoll();
    ASSERT_EQ(roll.size(), 6u);
    EXPECT_EQ(roll.back().extension(), ".MOV");
    auto recorded = hardware::VideoDecoder::open({ roll.back().string(), {}, {} });
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<hardware::VideoDecoder>>(recorded));
    auto& decoder = *std::get<std::unique_ptr<hardware::VideoDecoder>>(recorded);
    int pictures = 0;
    while (decoder.next())
        ++pictures;
    EXPECT_EQ(decoder.failure(), "");
    EXPECT_GT(pictures, 20);
    phone->quit();
}
