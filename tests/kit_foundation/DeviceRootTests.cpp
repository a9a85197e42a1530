#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/NSFileManager.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace kit;
namespace fs = std::filesystem;

TEST(DeviceRootPaths, ResolveInsideTheRootWithUserAsTheMobileHome)
{
    DeviceRoot::set("/tmp/device");
    EXPECT_EQ(DeviceRoot::resolve("/User/Library/Preferences/com.quillon.Vantor2.plist"),
        fs::path("/tmp/device/var/mobile/Library/Preferences/com.quillon.Vantor2.plist"));
    EXPECT_EQ(DeviceRoot::resolve("/var/mobile/Library/Preferences/com.quillon.Vantor2.plist"),
        fs::path("/tmp/device/var/mobile/Library/Preferences/com.quillon.Vantor2.plist"));
    EXPECT_EQ(DeviceRoot::resolve("/Library/Application Support/Vantor2/Sounds/count.aif"),
        fs::path("/tmp/device/Library/Application Support/Vantor2/Sounds/count.aif"));
    // No device path reaches outside the root.
    EXPECT_EQ(DeviceRoot::resolve("/../../etc/passwd"), fs::path("/tmp/device/etc/passwd"));
    EXPECT_EQ(DeviceRoot::resolve("/var/mobile/../../../x"), fs::path("/tmp/device/x"));
    EXPECT_EQ(DeviceRoot::resolve("relative/name"), fs::path("relative/name"));
    DeviceRoot::clear();
    EXPECT_EQ(DeviceRoot::resolve("/tmp/x"), fs::path("/tmp/x"));
}

TEST(DeviceRootPaths, APreparedRootMakesBothSettingsPathsOneFile)
{
    auto root = fs::temp_directory_path() / ("root-" + std::to_string(::getpid()));
    fs::remove_all(root);
    ASSERT_TRUE(DeviceRoot::prepare(root));
    std::ofstream(root / "User/Library/Preferences/a.plist") << "x";
    EXPECT_TRUE(fs::exists(root / "var/mobile/Library/Preferences/a.plist"));

    DeviceRoot::set(root);
    auto& files = NSFileManager::defaultManager();
    EXPECT_TRUE(files.createDirectoryAtPath("/var/mobile/Media/DCIM/100APPLE/deep", true));
    std::ofstream(root / "var/mobile/Media/DCIM/100APPLE/IMG_0002.JPG");
    std::ofstream(root / "var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG");
    EXPECT_EQ(files.contentsOfDirectoryAtPath("/User/Media/DCIM/100APPLE"),
        (std::vector<std::string> { "IMG_0001.JPG", "IMG_0002.JPG", "deep" }));
    EXPECT_TRUE(files.contentsOfDirectoryAtPath("/no/such/folder").empty());
    bool isDirectory = false;
    EXPECT_TRUE(files.fileExistsAtPath("/User/Media/DCIM", isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_TRUE(files.copyItemAtPath("/User/Media/DCIM/100APPLE/IMG_0001.JPG", "/User/Media/copy.JPG"));
    EXPECT_FALSE(files.copyItemAtPath("/User/Media/DCIM/100APPLE/IMG_0001.JPG", "/User/Media/copy.JPG"));
    DeviceRoot::clear();
    fs::remove_all(root);
}

TEST(PathComponents, BehaveAsThePlatformsStringPathHelpers)
{
    EXPECT_EQ(stringByAppendingPathComponent("/User/Library/Preferences", "com.quillon.Vantor2.plist"),
        "/User/Library/Preferences/com.quillon.Vantor2.plist");
    EXPECT_EQ(stringByAppendingPathComponent("/a/", "/b"), "/a/b");
    EXPECT_EQ(lastPathComponent("/DCIM/100APPLE/IMG_0001.JPG"), "IMG_0001.JPG");
    EXPECT_EQ(stringByDeletingLastPathComponent("/DCIM/100APPLE/IMG_0001.JPG"), "/DCIM/100APPLE");
    EXPECT_EQ(stringByDeletingLastPathComponent("/DCIM"), "/");
    EXPECT_EQ(pathExtension("IMG_0001.JPG"), "JPG");
    EXPECT_EQ(pathExtension(".hidden"), "");
    EXPECT_EQ(stringByDeletingPathExtension("/a/IMG_0001.JPG"), "/a/IMG_0001");
}
