#include "TemporaryFolder.h"

#include "resources/artwork/ArtworkCatalog.h"
#include "resources/artwork/ArtworkWriter.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/media/AVAudioPlayer.h"
#include "kit/runtime/Loader.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vantor::resources;

namespace {

const std::filesystem::path kFilter = VANTOR_FILTER_PLIST;

// The device root as the extension sees it, reset after each test.
class StagedDeviceRoot : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeDeviceRoot(m_root.path()).succeeded()); }
    void TearDown() override { kit::DeviceRoot::clear(); }

    TemporaryFolder m_root;
};

}

TEST(InjectionFilter, ServesTheCameraAndSpringBoardOnly)
{
    EXPECT_TRUE(kit::Loader::filterMatches(kFilter, "com.apple.camera"));
    EXPECT_TRUE(kit::Loader::filterMatches(kFilter, "com.apple.springboard"));
    EXPECT_FALSE(kit::Loader::filterMatches(kFilter, "com.apple.mobilesafari"));
    EXPECT_FALSE(kit::Loader::filterMatches(kFilter, "com.apple"));
}

TEST_F(StagedDeviceRoot, TheExtensionFindsItsResourcesAtTheirDevicePaths)
{
    kit::DeviceRoot::set(m_root.path());
    std::string folder(kResourceFolder);
    for (const auto& item : artworkCatalog())
        EXPECT_NE(kit::UIImage::imageWithContentsOfFile(folder + item.name), nullptr) << item.name;
    EXPECT_NE(kit::AVAudioPlayer::initWithContentsOfURL(folder + std::string(kCountSoundName)), nullptr);
}

TEST_F(StagedDeviceRoot, HasThePhonesFoldersAndTheUserLink)
{
    const auto& root = m_root.path();
    for (auto folder : { "Library/MobileSubstrate/DynamicLibraries", "Library/PreferenceBundles",
             "Library/PreferenceLoader/Preferences", "var/mobile/Library/Preferences", "var/mobile/Media/DCIM" })
        EXPECT_TRUE(std::filesystem::is_directory(root / folder)) << folder;
    ASSERT_TRUE(std::filesystem::is_symlink(root / "User"));
    EXPECT_TRUE(std::filesystem::equivalent(root / "User", root / "var/mobile"));
    EXPECT_EQ(resourceFolderInDeviceRoot(root), root / "Library/Application Support/Vantor2");
}

TEST_F(StagedDeviceRoot, StagingAgainKeepsTheUsersFiles)
{
    auto settings = m_root.path() / "var/mobile/Library/Preferences/com.quillon.Vantor2.plist";
    auto photo = m_root.path() / "var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG";
    std::filesystem::create_directories(photo.parent_path());
    std::ofstream(settings) << "the user's settings";
    std::ofstream(photo) << "the user's photo";

    ASSERT_TRUE(writeDeviceRoot(m_root.path()).succeeded());

    std::string text;
    std::getline(std::ifstream(settings), text);
    EXPECT_EQ(text, "the user's settings");
    std::getline(std::ifstream(photo), text);
    EXPECT_EQ(text, "the user's photo");
}
