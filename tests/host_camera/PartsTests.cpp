#include "HostCameraTestSupport.h"

#include "host/camera/CIFilter.h"
#include "host/camera/CameraCapabilities.h"
#include "host/camera/DeviceOrientation.h"
#include "host/camera/NSDictionary.h"
#include "host/camera/PLDCIMDirectory.h"
#include "host/camera/PhotoSaver.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGEncoder.h"

#include <fstream>

using namespace hosttest;
using host::CameraCapabilities;
using host::DeviceOrientation;

TEST(DeviceOrientationTest, GravityAndOrientationAgreeBothWays)
{
    for (int orientation = 1; orientation <= 6; ++orientation) {
        auto gravity = DeviceOrientation::gravityFor(orientation);
        ASSERT_TRUE(gravity);
        EXPECT_EQ(DeviceOrientation::orientationFor(*gravity), orientation);
    }
    EXPECT_FALSE(DeviceOrientation::gravityFor(0));
    EXPECT_FALSE(DeviceOrientation::gravityFor(7));
    // The strongest axis wins; free fall shows nothing.
    EXPECT_EQ(DeviceOrientation::orientationFor({ -0.7, -0.6, 0.3 }), 3);
    EXPECT_EQ(DeviceOrientation::orientationFor({ 0.2, -0.5, -0.8 }), 5);
    EXPECT_FALSE(DeviceOrientation::orientationFor({ 0.05, 0.1, 0 }));
    // A broken reading leaves the device as it was held, not upside down.
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(DeviceOrientation::orientationFor({ nan, nan, 0 }));
    EXPECT_FALSE(DeviceOrientation::orientationFor({ std::numeric_limits<double>::infinity(), 1, 0 }));
}

TEST(DeviceOrientationTest, TheFrontCameraSwapsTheLandscapeOrientations)
{
    EXPECT_EQ(DeviceOrientation::exifOrientation(3, host::CameraDeviceBack), 1);
    EXPECT_EQ(DeviceOrientation::exifOrientation(4, host::CameraDeviceBack), 3);
    EXPECT_EQ(DeviceOrientation::exifOrientation(3, host::CameraDeviceFront), 3);
    EXPECT_EQ(DeviceOrientation::exifOrientation(4, host::CameraDeviceFront), 1);
    for (int device : { 0, 1 }) {
        EXPECT_EQ(DeviceOrientation::exifOrientation(1, device), 6);
        EXPECT_EQ(DeviceOrientation::exifOrientation(2, device), 8);
        EXPECT_EQ(DeviceOrientation::exifOrientation(5, device), 6) << "face up counts as portrait";
    }
}

TEST(CameraCapabilitiesTest, ModesFollowTheCamerasOfTheModel)
{
    using V = std::vector<int32_t>;
    CameraCapabilities phone5s(*kit::DeviceProfile::forModel("iPhone6,1"));
    EXPECT_EQ(phone5s.modes(host::CameraDeviceBack), (V { 2, 1, 0, 4, 3 }));
    EXPECT_EQ(phone5s.modes(host::CameraDeviceFront), (V { 1, 0, 4 }));
    EXPECT_TRUE(phone5s.hasFilters());
    EXPECT_EQ(phone5s.stillWidth(host::CameraDeviceBack), 3264);
    EXPECT_EQ(phone5s.stillHeight(host::CameraDeviceFront), 960);

    CameraCapabilities pad(*kit::DeviceProfile::forModel("iPad4,1"));
    EXPECT_EQ(pad.modes(host::CameraDeviceBack), (V { 1, 0, 4 }));
    EXPECT_FALSE(pad.hasFilters());

    CameraCapabilities firstPhone(*kit::DeviceProfile::forModel("iPhone1,1"));
    EXPECT_EQ(firstPhone.modes(host::CameraDeviceBack), (V { 0, 4 })) << "stills only";
    EXPECT_FALSE(firstPhone.hasCamera(host::CameraDeviceFront));
    EXPECT_TRUE(firstPhone.modes(host::CameraDeviceFront).empty());

    CameraCapabilities pod(*kit::DeviceProfile::forModel("iPod1,1"));
    EXPECT_TRUE(pod.modes(host::CameraDeviceBack).empty());
}

TEST(NSDictionaryTest, AMutableCopyIsIndependentButSharesItsObjects)
{
    auto surface = std::make_shared<kit::IOSurface>(4);
    host::NSDictionary original;
    original.setProperty("Orientation", 6);
    original.setObject("surface", surface);
    auto copy = original.mutableCopy();
    copy->setProperty("Orientation", 1);
    copy->setObject("surface", nullptr);
    EXPECT_EQ(*original.propertyForKey("Orientation")->integer(), 6);
    EXPECT_EQ(original.objectForKey("surface"), surface.get());
    EXPECT_FALSE(copy->containsKey("surface")) << "setting nothing removes the key";
    EXPECT_EQ(original.propertyForKey("surface"), nullptr) << "an object is not a property";
    EXPECT_EQ(original.objectForKey("Orientation"), nullptr);
}

TEST(CIFilterTest, FiltersWorkOnPremultipliedPixelsAndLeaveTheInputAlone)
{
    auto image = kit::CGImage::create(2, 1);
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    pixels[0] = 0xffc08040;
    pixels[1] = 0x80800000; // half-transparent red
    auto mono = host::CIFilter("Mono").apply(*image);
    ASSERT_TRUE(mono);
    uint32_t grey = mono->pixel(0, 0);
    EXPECT_EQ((grey >> 16) & 0xff, (grey >> 8) & 0xff);
    EXPECT_EQ((grey >> 8) & 0xff, grey & 0xff);
    EXPECT_EQ(grey >> 24, 0xffu);
    auto noir = host::CIFilter("Noir").apply(*image);
    uint32_t translucent = noir->pixel(1, 0);
    EXPECT_EQ(translucent >> 24, 0x80u);
    EXPECT_LE((translucent >> 16) & 0xff, 0x80u) << "no component above alpha";
    EXPECT_EQ(image->pixel(0, 0), 0xffc08040u);
    EXPECT_EQ(host::CIFilter("None").apply(*image)->pixel(1, 0), 0x80800000u);
    EXPECT_EQ(host::CIFilter::names().size(), 9u);
}

namespace {

class DCIMTest : public HostCameraTest {
protected:
    void SetUp() override
    {
        HostCameraTest::SetUp();
        kit::DeviceRoot::set(m_root);
        m_folder = m_root / "var/mobile/Media/DCIM/100APPLE";
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        kit::DeviceRoot::clear();
        HostCameraTest::TearDown();
    }
    void touch(const std::filesystem::path& path) { std::ofstream(path) << "x"; }
    std::filesystem::path m_folder;
};

}

TEST_F(DCIMTest, MoviesShareTheNumbersAndOtherFilesAreIgnored)
{
    touch(m_folder / "IMG_0007.MOV");
    touch(m_folder / ".IMG_0050.JPG.tmp");
    touch(m_folder / "Movie-01012014-101010.MOV");
    std::filesystem::create_directories(m_root / "var/mobile/Media/DCIM/MISC");
    touch(m_root / "var/mobile/Media/DCIM/MISC/IMG_0900.JPG");
    EXPECT_EQ(host::PLDCIMDirectory::nextAvailableDevicePath("JPG"), "/var/mobile/Media/DCIM/100APPLE/IMG_0008.JPG");
}

TEST_F(DCIMTest, TheSaverWritesExifAndRefusesWhatIsNotAJPEG)
{
    auto image = kit::CGImage::create(16, 12);
    auto jpeg = kit::encodeJPEG(*image, 0.9);
    ASSERT_TRUE(jpeg);
    auto saved = host::PhotoSaver::save(*jpeg, 8, "iPad4,1");
    ASSERT_TRUE(saved.saved) << saved.error;
    EXPECT_EQ(saved.devicePath, "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG");
    std::ifstream file(kit::DeviceRoot::resolve(saved.devicePath), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto exif = kit::ExifMetadata::readFromJPEG(bytes);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->orientation(), 8);
    EXPECT_EQ(exif->model(), "iPad4,1");

    std::vector<uint8_t> junk { 1, 2, 3, 4 };
    auto refused = host::PhotoSaver::save(junk, 1, "iPad4,1");
    EXPECT_FALSE(refused.saved);
    EXPECT_FALSE(refused.error.empty());
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);
}

namespace {
using PhoneInputs = HostCameraTest;
}

TEST_F(PhoneInputs, VolumeButtonsAndTheFrontCameraTakePhotos)
{
    auto phone = startPhone();
    phone->launch();
    phone->pressVolume(false);
    EXPECT_TRUE(inOrder({ "PLCameraView _handleVolumeButtonDown", "PLCameraView _handleVolumeButtonUp",
        "PLCameraView _shutterButtonClicked" }));
    ASSERT_TRUE(phone->setCameraDevice(1));
    phone->setOrientation(4);
    phone->setOrientation(6); // face down keeps landscape
    phone->pressVolume(true);
    EXPECT_TRUE(logged("PLCameraView _handleVolumeUpEvents:"));
    auto roll = phone->cameraRoll();
    ASSERT_EQ(roll.size(), 2u);
    std::ifstream file(roll[1], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto exif = kit::ExifMetadata::readFromJPEG(bytes);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->orientation(), 1);
}

TEST_F(PhoneInputs, TheImageWellShowsTheNewestPhotoAlsoAfterARestart)
{
    auto wellPixel = [](host::Phone& phone) { return phone.renderScreen().pixel(39 * 2, (568 - 39) * 2); };
    uint32_t empty = 0;
    {
        auto phone = startPhone();
        phone->launch();
        empty = wellPixel(*phone);
        phone->pressShutter();
        phone->advance(1);
        EXPECT_NE(wellPixel(*phone), empty);
        phone->quit();
    }
    auto phone = startPhone();
    phone->launch();
    EXPECT_NE(wellPixel(*phone), empty);
}
