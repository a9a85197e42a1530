#include "kit/media/DeviceProfile.h"

#include <gtest/gtest.h>

#include <set>

using namespace kit;

namespace {

const char* const knownModels[] = { "iPhone1,1", "iPhone1,2", "iPhone2,1", "iPhone3,1", "iPhone3,3", "iPhone4,1",
    "iPhone5,1", "iPhone5,2", "iPhone5,3", "iPhone5,4", "iPhone6,1", "iPhone6,2", "iPod1,1", "iPod2,1", "iPod3,1",
    "iPod4,1", "iPod5,1", "iPad1,1", "iPad2,1", "iPad2,2", "iPad2,3", "iPad2,4", "iPad2,5", "iPad2,6", "iPad2,7",
    "iPad3,1", "iPad3,2", "iPad3,3", "iPad3,4", "iPad3,5", "iPad3,6", "iPad4,1", "iPad4,2", "iPad4,4", "iPad4,5",
    "i386", "x86_64" };

bool hasFormat(const CameraSpec& camera, int width, int height, double rate)
{
    for (const auto& format : camera.formats) {
        if (format.width == width && format.height == height && format.maxFrameRate >= rate)
            return true;
    }
    return false;
}

}

TEST(DeviceProfile, TableHoldsExactlyTheKnownModelsEachOnce)
{
    std::set<std::string> seen;
    for (const auto& profile : DeviceProfile::all())
        EXPECT_TRUE(seen.insert(profile.model).second) << profile.model << " is listed twice";
    EXPECT_EQ(seen, std::set<std::string>(std::begin(knownModels), std::end(knownModels)));
    EXPECT_EQ(DeviceProfile::forModel("iPhone3,2"), nullptr);
    EXPECT_EQ(DeviceProfile::forModel(""), nullptr);
}

TEST(DeviceProfile, EveryProfileIsPlausible)
{
    for (const auto& profile : DeviceProfile::all()) {
        SCOPED_TRACE(profile.model);
        EXPECT_GT(profile.screenWidth, 0);
        EXPECT_GT(profile.screenHeight, profile.screenWidth);
        EXPECT_TRUE(profile.screenScale == 1 || profile.screenScale == 2);
        bool isPad = profile.model.rfind("iPad", 0) == 0;
        EXPECT_EQ(profile.idiom, isPad ? 1 : 0);
        if (isPad) {
            EXPECT_EQ(profile.screenHeight, 1024);
        } else {
            EXPECT_TRUE(profile.screenHeight == 480 || profile.screenHeight == 568);
        }
        for (const auto* camera : { &profile.backCamera, &profile.frontCamera }) {
            if (!*camera)
                continue;
            ASSERT_FALSE((*camera)->formats.empty());
            EXPECT_LT((*camera)->initialFormat, (*camera)->formats.size());
            for (const auto& format : (*camera)->formats) {
                EXPECT_GT(format.width, 0);
                EXPECT_GT(format.height, 0);
                EXPECT_GT(format.minFrameRate, 0);
                EXPECT_GE(format.maxFrameRate, format.minFrameRate);
            }
        }
        if (profile.frontCamera) {
            EXPECT_FALSE(profile.frontCamera->hasTorch) << "no front camera of the era has a light";
        }
    }
}

TEST(DeviceProfile, CamerasMatchTheHardware)
{
    const auto* fiveS = DeviceProfile::forModel("iPhone6,1");
    ASSERT_TRUE(fiveS && fiveS->backCamera && fiveS->frontCamera);
    EXPECT_TRUE(hasFormat(*fiveS->backCamera, 192, 144, 30));
    EXPECT_TRUE(hasFormat(*fiveS->backCamera, 1920, 1080, 30));
    EXPECT_TRUE(hasFormat(*fiveS->backCamera, 1280, 720, 120));
    EXPECT_TRUE(hasFormat(*fiveS->backCamera, 3264, 2448, 1));
    EXPECT_FALSE(hasFormat(*fiveS->frontCamera, 1920, 1080, 1));
    EXPECT_TRUE(fiveS->backCamera->hasTorch);
    EXPECT_TRUE(fiveS->deviceMotionAvailable);

    const auto* four = DeviceProfile::forModel("iPhone3,1");
    EXPECT_FALSE(hasFormat(*four->backCamera, 1920, 1080, 1));
    EXPECT_TRUE(hasFormat(*four->backCamera, 2592, 1936, 1));
    EXPECT_FALSE(hasFormat(*four->frontCamera, 1280, 720, 1));
    EXPECT_FALSE(hasFormat(*four->backCamera, 1280, 720, 60));

    EXPECT_FALSE(DeviceProfile::forModel("iPad3,1")->backCamera->hasTorch);
    EXPECT_FALSE(DeviceProfile::forModel("iPad1,1")->backCamera.has_value());
    EXPECT_FALSE(DeviceProfile::forModel("iPad1,1")->deviceMotionAvailable);
    EXPECT_FALSE(DeviceProfile::forModel("x86_64")->backCamera.has_value());
}

TEST(DeviceProfile, MakesTheProcessIdentityOfTheModel)
{
    auto pad = DeviceProfile::forModel("iPad4,1")->processIdentity("com.apple.camera");
    EXPECT_EQ(pad.bundleIdentifier, "com.apple.camera");
    EXPECT_EQ(pad.machine, "iPad4,1");
    EXPECT_EQ(pad.interfaceIdiom, 1);
    EXPECT_EQ(pad.screenWidth, 768);
    EXPECT_EQ(pad.screenHeight, 1024);
    EXPECT_EQ(pad.screenScale, 2);

    auto firstPhone = DeviceProfile::forModel("iPhone1,1")->processIdentity("com.apple.camera");
    EXPECT_FALSE(firstPhone.interfaceIdiom.has_value()) << "the first iPhone never answers the idiom query";
    EXPECT_EQ(DeviceProfile::forModel("iPhone6,2")->processIdentity("x").screenHeight, 568);
}
