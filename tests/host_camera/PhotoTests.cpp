#include "HostCameraTestSupport.h"

#include "host/camera/CameraClasses.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLDCIMDirectory.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/ui/UIImage.h"

#include <fstream>
#include <iterator>

using namespace hosttest;

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

// Sky is blue, grass is green: which is bluer.
bool isSky(uint32_t pixel)
{
    int r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
    return b > g && b > r;
}

bool isGrass(uint32_t pixel)
{
    int r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
    return g > b && g > r;
}

using PhotoTests = HostCameraTest;

}

TEST_F(PhotoTests, APhotoLandsInDcimWithTheOrientationTheDeviceIsHeld)
{
    auto phone = startPhone();
    phone->launch();
    struct Case {
        int deviceOrientation;
        int exif;
    };
    // Back camera: the sensor's own way is landscape with the home button on
    // the right (3).
    const Case cases[] = { { 1, 6 }, { 2, 8 }, { 3, 1 }, { 4, 3 } };
    size_t count = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceOrientation);
        phone->setOrientation(c.deviceOrientation);
        phone->pressShutter();
        auto roll = phone->cameraRoll();
        ASSERT_EQ(roll.size(), ++count);
        auto bytes = readFile(roll.back());
        auto exif = kit::ExifMetadata::readFromJPEG(bytes);
        ASSERT_TRUE(exif.has_value());
        EXPECT_EQ(exif->orientation(), c.exif);
        EXPECT_EQ(exif->make(), "Apple");
        EXPECT_EQ(exif->model(), "iPhone6,1");
        EXPECT_TRUE(exif->dateTaken().has_value());
        auto decoded = kit::decodeJPEG(bytes);
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded.image->width(), 3264);
        ASSERT_EQ(decoded.image->height(), 2448);
        // Where the sky is in the stored pixels says how they are turned:
        // shown the way the orientation says, the sky is at the top.
        const auto& img = *decoded.image;
        int w = img.width(), h = img.height();
        uint32_t top = 0, bottom = 0;
        switch (c.exif) {
        case 1:
            top = img.pixel(w / 2, 5), bottom = img.pixel(w / 2, h - 5);
            break;
        case 3:
            top = img.pixel(w / 2, h - 5), bottom = img.pixel(w / 2, 5);
            break;
        case 6:
            top = img.pixel(5, h / 2), bottom = img.pixel(w - 5, h / 2);
            break;
        case 8:
            top = img.pixel(w - 5, h / 2), bottom = img.pixel(5, h / 2);
            break;
        }
        EXPECT_TRUE(isSky(top)) << std::hex << top;
        EXPECT_TRUE(isGrass(bottom)) << std::hex << bottom;
    }
}

TEST_F(PhotoTests, NumberingContinuesAcrossRunsAndTheLibraryNamesTheNextFile)
{
    {
        auto phone = startPhone();
        phone->launch();
        phone->pressShutter();
        phone->pressShutter();
        phone->quit();
    }
    auto phone = startPhone();
    phone->launch();
    phone->pressShutter();
    auto roll = phone->cameraRoll();
    ASSERT_EQ(roll.size(), 3u);
    EXPECT_EQ(roll[0].filename(), "IMG_0001.JPG");
    EXPECT_EQ(roll[2].filename(), "IMG_0003.JPG");
    EXPECT_EQ(roll[2].parent_path().filename(), "100APPLE");

    namespace sel = host::sel;
    kit::id directory = kit::msgSendClass<kit::id>(kit::objc_getClass("PLPhotoLibrary"), sel::PLPhotoLibrary_simpleDCIMDirectory.sel());
    auto url = kit::msgSend<std::string, std::string>(directory, sel::PLDCIMDirectory_nextAvailableFileURL.sel(), "JPG");
    EXPECT_EQ(url, "file:///var/mobile/Media/DCIM/100APPLE/IMG_0004.JPG");
}

// A photo taken while a movie records does not take the movie's number: the
// movie's file, still being written, holds it.
TEST_F(PhotoTests, AMovieBeingRecordedHoldsItsNumber)
{
    auto phone = startPhone();
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->pressShutter();
    phone->advance(1);
    EXPECT_EQ(host::PLDCIMDirectory::nextAvailableDevicePath("JPG"), "/var/mobile/Media/DCIM/100APPLE/IMG_0002.JPG");
    phone->pressShutter();
    phone->advance(1);
    ASSERT_EQ(phone->cameraRoll().size(), 1u);
    EXPECT_EQ(phone->cameraRoll()[0].filename(), "IMG_0001.MOV");
}

TEST_F(PhotoTests, AfterNumber9999TheNextFolderStartsAgain)
{
    auto phone = startPhone();
    auto folder = m_root / "var/mobile/Media/DCIM/100APPLE";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "IMG_9999.JPG") << "x";
    phone->launch();
    phone->pressShutter();
    auto roll = phone->cameraRoll();
    ASSERT_EQ(roll.size(), 2u);
    EXPECT_EQ(roll.back(), m_root / "var/mobile/Media/DCIM/101APPLE/IMG_0001.JPG");
}

TEST_F(PhotoTests, APhotoThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    auto phone = startPhone();
    // The photo folder's name is taken by a file: nothing can be written there.
    auto dcim = m_root / "var/mobile/Media/DCIM";
    std::filesystem::create_directories(dcim);
    std::ofstream(dcim / "100APPLE") << "in the way";
    phone->launch();
    phone->pressShutter();
    EXPECT_TRUE(phone->cameraRoll().empty());
    bool reported = false;
    for (const auto& line : events())
        reported = reported || line.find("PLCameraView photo not saved") == 0;
    EXPECT_TRUE(reported);
    EXPECT_FALSE(logged("PLCameraView _assetContainerDidChange:"));
    size_t files = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(dcim); it != std::filesystem::recursive_directory_iterator(); ++it)
        files += it->is_regular_file();
    EXPECT_EQ(files, 1u) << "only the file in the way";
    EXPECT_TRUE(phone->isRunning());
}

TEST_F(PhotoTests, ScreenshotsOfPhoneAndPadLookLikeACamera)
{
    for (auto [model, file] : { std::pair { "iPhone6,1", "/tmp/host-phone.png" }, std::pair { "iPad4,1", "/tmp/host-pad.png" } }) {
        SCOPED_TRACE(model);
        auto phone = startPhone(model);
        phone->launch();
        phone->pressShutter();
        phone->advance(0.5);
        ASSERT_TRUE(phone->screenshot(file));
        const auto& screen = phone->renderScreen();
        bool pad = std::string(model) == "iPad4,1";
        int scale = 2;
        if (!pad) {
            // The black top bar and, mid-screen, the blue sky of the preview.
            EXPECT_EQ(screen.pixel(100 * scale, 20 * scale) & 0xffffff, 0u);
            EXPECT_TRUE(isSky(screen.pixel(30 * scale, 60 * scale)));
            // The white shutter in the middle of the bottom bar.
            EXPECT_EQ(screen.pixel(160 * scale, (568 - 39) * scale) | 0xff000000, 0xffffffffu);
        } else {
            EXPECT_TRUE(isSky(screen.pixel(100 * scale, 100 * scale)));
            EXPECT_EQ(screen.pixel((768 - 50) * scale, 512 * scale) | 0xff000000, 0xffffffffu);
        }
        phone->quit();
    }
}

TEST_F(PhotoTests, AUsersPictureFillsTheSceneOfEveryPhoto)
{
    // A small picture, red above and blue below, as PNG and as JPEG.
    auto picture = kit::CGImage::create(40, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x)
            reinterpret_cast<uint32_t*>(picture->mutableData())[y * 40 + x] = y < 15 ? 0xffff0000u : 0xff0000ffu;
    }
    auto png = kit::UIImagePNGRepresentation(kit::UIImage::imageWithCGImage(picture));
    auto jpeg = kit::encodeJPEG(*picture, 0.9);
    ASSERT_TRUE(png && jpeg);
    for (const auto& [name, bytes] : { std::pair { "scene.png", *png }, std::pair { "scene.jpg", *jpeg } }) {
        SCOPED_TRACE(name);
        auto file = m_root / name;
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

        host::PhoneOptions options;
        options.deviceRoot = m_root;
        options.loadExtension = false;
        options.scene.scene = file;
        auto started = host::Phone::start(options);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<host::Phone>>(started));
        auto& phone = std::get<std::unique_ptr<host::Phone>>(started);
        phone->launch();
        phone->setOrientation(3);
        phone->pressShutter();
        auto roll = phone->cameraRoll();
        ASSERT_FALSE(roll.empty());
        auto decoded = kit::decodeJPEG(readFile(roll.back()));
        ASSERT_TRUE(decoded);
        uint32_t top = decoded.image->pixel(1632, 100), bottom = decoded.image->pixel(1632, 2300);
        EXPECT_GT((top >> 16) & 0xff, 200u);
        EXPECT_GT(bottom & 0xff, 200u);
        phone->quit();
    }
}
