// The camera app's pictures through its camera: what the device is set to
// shows in the preview and in the photos.

#include "CameraPictureSupport.h"
#include "HostCameraTestSupport.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/ui/PNGCodec.h"

#include <cmath>
#include <fstream>
#include <iterator>

using namespace hosttest;

namespace {

class CameraPictures : public HostCameraTest {
protected:
    // A phone whose cameras see a picture (and its depth map).
    std::unique_ptr<host::Phone> startWithScene(const kit::CGImage& picture, const kit::CGImage* depth = nullptr,
        const std::string& model = "iPhone6,1")
    {
        hardware::SceneChoice scene;
        writePNG(picture, m_root / "scene.png");
        scene.scene = m_root / "scene.png";
        if (depth) {
            writePNG(*depth, m_root / "depth.png");
            scene.sceneDepth = m_root / "depth.png";
        }
        auto phone = startPhone(model, std::move(scene));
        if (!phone)
            return nullptr;
        phone->launch();
        phone->advance(1);
        return phone;
    }

    static std::shared_ptr<kit::AVCaptureDevice> backCamera()
    {
        return kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo);
    }

    static void pointExposureAt(double x, double y, int mode = kit::AVCaptureExposureModeContinuousAutoExposure)
    {
        auto device = backCamera();
        ASSERT_TRUE(device->lockForConfiguration());
        device->setExposurePointOfInterest({ x, y });
        device->setExposureMode(mode);
        device->unlockForConfiguration();
    }

    static void pointFocusAt(double x, double y)
    {
        auto device = backCamera();
        ASSERT_TRUE(device->lockForConfiguration());
        device->setFocusPointOfInterest({ x, y });
        device->setFocusMode(kit::AVCaptureFocusModeContinuousAutoFocus);
        device->unlockForConfiguration();
    }

    // The preview as the screen shows it, as fractions of the preview.
    static RGB previewMean(host::Phone& phone, double fx0, double fy0, double fx1, double fy1)
    {
        const auto& screen = phone.renderScreen();
        // The 4-inch phone's photo preview: 320 × 427 points under a 40-point bar, at scale 2.
        double top = 40.0 / 568, height = 427.0 / 568;
        return meanOver(screen, fx0, top + fy0 * height, fx1, top + fy1 * height);
    }
};

// The left half in deep shade, the right half bright.
kit::CGImageRef shadeAndSun()
{
    auto picture = kit::CGImage::create(120, 90);
    auto* pixels = reinterpret_cast<uint32_t*>(picture->mutableData());
    for (int i = 0; i < 120 * 90; ++i)
        pixels[i] = (i % 120) < 60 ? 0xff101010u : 0xffe0e0e0u;
    return picture;
}

// Four quarters of their own colour, each some two stops from the next in
// brightness: dark red, light green, blue and dark grey.
kit::CGImageRef quarters(int width = 160, int height = 160)
{
    auto image = kit::CGImage::create(width, height);
    const uint32_t colours[4] = { 0xff300808u, 0xff60e060u, 0xff3050d0u, 0xff303030u };
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = colours[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
    }
    image->markOpaque();
    return image;
}

int quarterOf(const RGB& c)
{
    if (c.r > c.g && c.r > c.b && c.r > c.g + 20)
        return 0;
    if (c.g > c.r + 20 && c.g > c.b + 20)
        return 1;
    if (c.b > c.r + 20 && c.b > c.g)
        return 2;
    return 3;
}

}

TEST_F(CameraPictures, ExposureMetersWhereItsPointIsAndALockedOneStays)
{
    auto phone = startWithScene(*shadeAndSun());
    ASSERT_TRUE(phone);
    // The picture lies upright on the portrait screen: the dark half on the
    // left, which is the bottom of the sensor's picture (y near 1).
    pointExposureAt(0.5, 0.75);
    phone->advance(1);
    RGB shade = previewMean(*phone, 0.05, 0.2, 0.4, 0.8), sun = previewMean(*phone, 0.6, 0.2, 0.95, 0.8);
    EXPECT_NEAR(shade.grey(), 118, 20);
    EXPECT_GT(sun.grey(), 250);
    pointExposureAt(0.5, 0.25);
    phone->advance(1);
    shade = previewMean(*phone, 0.05, 0.2, 0.4, 0.8), sun = previewMean(*phone, 0.6, 0.2, 0.95, 0.8);
    EXPECT_NEAR(sun.grey(), 118, 20);
    EXPECT_LT(shade.grey(), 20);
    EXPECT_TRUE(std::any_of(m_log->begin(), m_log->end(),
        [](const std::string& line) { return line.find("back camera exposure settled:") != std::string::npos && line.find("at (0.50, 0.25)") != std::string::npos; }));
    // Locked, moving the point changes nothing.
    pointExposureAt(0.5, 0.25, kit::AVCaptureExposureModeLocked);
    pointExposureAt(0.5, 0.75, kit::AVCaptureExposureModeLocked);
    phone->advance(1);
    EXPECT_NEAR(previewMean(*phone, 0.6, 0.2, 0.95, 0.8).grey(), 118, 20);
    phone->quit();
}

TEST_F(CameraPictures, ExposureSettlesOnTheClockWithinAThirdOfASecond)
{
    auto phone = startWithScene(*shadeAndSun());
    ASSERT_TRUE(phone);
    pointExposureAt(0.5, 0.75);
    phone->advance(1);
    double before = phone->camera()->exposure().duration;
    pointExposureAt(0.5, 0.25);
    phone->advance(0.1);
    double during = phone->camera()->exposure().duration;
    phone->advance(0.25);
    double after = phone->camera()->exposure().duration;
    EXPECT_LT(during, before);
    EXPECT_GT(during, after);
    phone->advance(1);
    EXPECT_DOUBLE_EQ(phone->camera()->exposure().duration, after);
}

TEST_F(CameraPictures, TheFocusPointChoosesWhatIsSharp)
{
    // A fine check everywhere; the left half 0.13 m away, the right far off.
    auto picture = kit::CGImage::create(256, 192);
    auto depth = kit::CGImage::create(4, 4);
    auto* pixels = reinterpret_cast<uint32_t*>(picture->mutableData());
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            pixels[y * 256 + x] = ((x / 2 + y / 2) % 2) ? 0xffc0c0c0u : 0xff303030u;
    auto* levels = reinterpret_cast<uint32_t*>(depth->mutableData());
    for (int i = 0; i < 16; ++i)
        levels[i] = i % 4 < 2 ? 0xffc8c8c8u : 0xff000000u;
    auto phone = startWithScene(*picture, depth.get());
    ASSERT_TRUE(phone);
    pointExposureAt(0.5, 0.5);
    // The near half lies on the left of the portrait screen: the bottom of
    // the sensor's picture.
    pointFocusAt(0.5, 0.8);
    phone->advance(1);
    double nearSharp = gradientEnergy(phone->renderScreen(), 0.05, 0.2, 0.4, 0.6);
    double farSoft = gradientEnergy(phone->renderScreen(), 0.6, 0.2, 0.95, 0.6);
    EXPECT_GT(nearSharp, 4 * farSoft);
    pointFocusAt(0.5, 0.2);
    phone->advance(0.1);
    EXPECT_TRUE(phone->camera()->focusNearness() > 0.1) << "the lens is still on its way";
    phone->advance(1);
    if (getenv("KEEP_SHOTS"))
        phone->screenshot("/tmp/focus-far.png");
    double nearSoft = gradientEnergy(phone->renderScreen(), 0.05, 0.2, 0.4, 0.6);
    double farSharp = gradientEnergy(phone->renderScreen(), 0.6, 0.2, 0.95, 0.6);
    EXPECT_GT(farSharp, 4 * nearSoft);
    EXPECT_LT(phone->camera()->focusNearness(), 0.05);
    EXPECT_TRUE(std::any_of(m_log->begin(), m_log->end(),
        [](const std::string& line) { return line.find("back camera focus arrived: infinity at (0.50, 0.20)") != std::string::npos; }));
}

TEST_F(CameraPictures, ALockedWhiteBalanceShowsAChangeOfLightAndAnAutomaticOneNeutralisesIt)
{
    auto grey = kit::CGImage::create(40, 30);
    std::fill_n(reinterpret_cast<uint32_t*>(grey->mutableData()), 40 * 30, 0xff808080u);
    auto phone = startWithScene(*grey);
    ASSERT_TRUE(phone);
    auto device = backCamera();
    ASSERT_TRUE(device->lockForConfiguration());
    device->setWhiteBalanceMode(kit::AVCaptureWhiteBalanceModeLocked);
    device->unlockForConfiguration();
    phone->setLight(hardware::LightSetting { 2500, 0 });
    phone->advance(1);
    RGB warm = previewMean(*phone, 0.2, 0.2, 0.8, 0.8);
    EXPECT_GT(warm.r, warm.b + 60) << "an orange cast";
    ASSERT_TRUE(device->lockForConfiguration());
    device->setWhiteBalanceMode(kit::AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
    device->unlockForConfiguration();
    phone->advance(1);
    RGB neutral = previewMean(*phone, 0.2, 0.2, 0.8, 0.8);
    EXPECT_NEAR(neutral.r, neutral.b, 6);
    EXPECT_TRUE(std::any_of(m_log->begin(), m_log->end(),
        [](const std::string& line) { return line.find("back camera white balance locked at 5500 K") != std::string::npos; }));
}

TEST_F(CameraPictures, TheFlashLightsWhatIsNearAndNotWhatIsFar)
{
    // Dark grey everywhere; the left half 0.5 m away, the right half far off.
    auto grey = kit::CGImage::create(40, 30);
    std::fill_n(reinterpret_cast<uint32_t*>(grey->mutableData()), 40 * 30, 0xff303030u);
    auto depth = kit::CGImage::create(40, 30);
    for (int i = 0; i < 40 * 30; ++i)
        reinterpret_cast<uint32_t*>(depth->mutableData())[i] = i % 40 < 20 ? 0xff333333u : 0xff000000u;
    auto phone = startWithScene(*grey, depth.get());
    ASSERT_TRUE(phone);
    phone->setLight(hardware::LightSetting { 5500, -10 });
    // Metered on the far half, which the flash does not reach.
    pointExposureAt(0.5, 0.25, kit::AVCaptureExposureModeContinuousAutoExposure);
    phone->advance(1);
    auto shoot = [&] {
        phone->pressShutter();
        phone->advance(1);
        auto photo = uprightPhoto(phone->cameraRoll().back());
        return std::pair { meanOver(*photo, 0.05, 0.2, 0.4, 0.8).grey(), meanOver(*photo, 0.6, 0.2, 0.95, 0.8).grey() };
    };
    phone->tap({ 40, 20 }); // the flash button: Auto to On
    auto [nearLit, farLit] = shoot();
    phone->tap({ 40, 20 }); // On to Off
    auto [nearDark, farDark] = shoot();
    // Near things brighten against the far ones, which do not brighten.
    EXPECT_NEAR(nearDark, farDark, 3);
    EXPECT_GT(nearLit, farLit + 60);
    EXPECT_LE(farLit, farDark + 3);
    EXPECT_TRUE(std::any_of(m_log->begin(), m_log->end(),
        [](const std::string& line) { return line.find("back camera photo:") != std::string::npos && line.find("flash fired") != std::string::npos; }));
    // Automatic, in a night this dark, fires.
    phone->tap({ 40, 20 }); // Off to Auto
    shoot();
    auto exif = kit::ExifMetadata::readFromJPEG(readFile(phone->cameraRoll().back()));
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->capture().flash, 0x19) << "automatic, fired";
}

TEST_F(CameraPictures, AtOneHundredAndTwentyFramesTheExposureIsShorterAndTheNightDarker)
{
    auto grey = kit::CGImage::create(40, 30);
    std::fill_n(reinterpret_cast<uint32_t*>(grey->mutableData()), 40 * 30, 0xff808080u);
    auto phone = startWithScene(*grey);
    ASSERT_TRUE(phone);
    phone->setLight(hardware::LightSetting { 5500, -10 });
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->advance(1);
    double thirty = phone->camera()->exposure().duration;
    EXPECT_NEAR(thirty, 1.0 / 30, 1e-6);
    const auto& screen30 = phone->renderScreen();
    double grey30 = meanOver(screen30, 0.2, 0.3, 0.8, 0.7).grey();
    ASSERT_TRUE(phone->setCameraMode(2)); // slow motion: 120 frames a second
    phone->advance(1);
    EXPECT_LE(phone->camera()->exposure().duration, 1.0 / 120 + 1e-9);
    double grey120 = meanOver(phone->renderScreen(), 0.2, 0.3, 0.8, 0.7).grey();
    EXPECT_LT(grey120, grey30 - 20);
}

// The point of interest a tap gives is where the tap was: the region the
// photo is metered on shows what the screen showed under the finger,
// however the phone is held.
TEST_F(CameraPictures, ThePhotoIsMeteredWhereTheFingerWasInEveryOrientation)
{
    auto phone = startWithScene(*quarters());
    ASSERT_TRUE(phone);
    struct Case {
        int orientation;
        kit::CGPoint tap;
    };
    // Points in different quarters of what each holding shows.
    const Case cases[] = { { 1, { 80, 130 } }, { 1, { 240, 380 } }, { 3, { 80, 130 } }, { 3, { 240, 380 } },
        { 4, { 80, 130 } }, { 4, { 240, 380 } } };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "orientation " << c.orientation << " tap " << c.tap.x << "," << c.tap.y);
        phone->setOrientation(c.orientation);
        phone->advance(0.5);
        RGB under = colourOf(phone->renderScreen().pixel(int(c.tap.x * 2), int(c.tap.y * 2)));
        int wanted = quarterOf(under);
        phone->tap(c.tap);
        phone->advance(1);
        phone->pressShutter();
        phone->advance(0.5);
        auto photo = uprightPhoto(phone->cameraRoll().back());
        ASSERT_TRUE(photo);
        // The quarter under the finger comes out middle grey: a wrong point
        // would meter another quarter, two stops or more away.
        int found = 0;
        for (double fy : { 0.25, 0.75 }) {
            for (double fx : { 0.25, 0.75 }) {
                RGB seen = meanOver(*photo, fx - 0.08, fy - 0.08, fx + 0.08, fy + 0.08);
                if (quarterOf(seen) != wanted)
                    continue;
                ++found;
                double luminance = 0.2126 * seen.r + 0.7152 * seen.g + 0.0722 * seen.b;
                EXPECT_NEAR(luminance, 118, 25) << "quarter " << wanted;
            }
        }
        EXPECT_EQ(found, 1) << "quarter " << wanted;
    }
}

TEST_F(CameraPictures, PhotosSayWhatTheCameraDid)
{
    auto phone = startWithScene(*quarters());
    ASSERT_TRUE(phone);
    phone->tap({ 80, 130 });
    phone->advance(1);
    phone->pressShutter();
    auto exif = kit::ExifMetadata::readFromJPEG(readFile(phone->cameraRoll().back()));
    ASSERT_TRUE(exif);
    const auto& capture = exif->capture();
    EXPECT_NEAR(capture.fNumber.value_or(0), 2.2, 1e-9);
    EXPECT_NEAR(capture.focalLength.value_or(0), 4.12, 1e-9);
    EXPECT_EQ(capture.focalLengthIn35mmFilm, 29);
    EXPECT_EQ(capture.meteringMode, 5);
    EXPECT_EQ(capture.whiteBalance, 0);
    EXPECT_EQ(capture.flash, 0x18) << "automatic, did not fire";
    ASSERT_TRUE(capture.exposureTime && capture.isoSpeed);
    EXPECT_NEAR(*capture.exposureTime, phone->camera()->exposure().duration, *capture.exposureTime * 0.01);
    EXPECT_EQ(*capture.isoSpeed, std::lround(phone->camera()->exposure().iso));
    // The tap's point in the stored (landscape) picture: x along the
    // portrait screen's height, y from its right.
    ASSERT_TRUE(capture.subjectArea);
    EXPECT_NEAR((*capture.subjectArea)[0], (130.0 - 40) / 427 * 3264, 3);
    EXPECT_NEAR((*capture.subjectArea)[1], (1 - 80.0 / 320) * 2448, 3);
}

TEST_F(CameraPictures, ThePreviewIsTheSensorsLatestFrame)
{
    auto phone = startWithScene(*shadeAndSun());
    ASSERT_TRUE(phone);
    auto* camera = phone->cameraHardware().cameraFor(backCamera());
    ASSERT_TRUE(camera);
    hardware::FrameRequest preview { hardware::FramePurpose::Preview, 160, 120, 4.0 / 3, 1 };
    // At 30 frames a second a frame lasts 1/30 s: asked for again within it,
    // the preview is the frame it was; the next frame is made anew.
    auto first = camera->capture(preview).image;
    ASSERT_TRUE(first);
    EXPECT_EQ(camera->capture(preview).image, first);
    phone->advance(1.0 / 30);
    auto second = camera->capture(preview).image;
    EXPECT_NE(second, first);
    // Another size, a change on the device or of the light: a new frame at once.
    hardware::FrameRequest larger = preview;
    larger.width = 200;
    larger.height = 150;
    EXPECT_EQ(camera->capture(larger).image->width(), 200);
    auto third = camera->capture(preview).image;
    EXPECT_NE(third, second);
    pointExposureAt(0.5, 0.25);
    auto fourth = camera->capture(preview).image;
    EXPECT_NE(fourth, third);
    phone->cameraHardware().setLight(hardware::LightSetting { 3000, 0 });
    EXPECT_NE(camera->capture(preview).image, fourth);
    // Photos are taken whenever asked.
    hardware::FrameRequest photo { hardware::FramePurpose::Photo, 160, 120, 4.0 / 3, 1 };
    auto shot = camera->capture(photo).image;
    EXPECT_NE(camera->capture(photo).image, shot);
    phone->quit();
}
