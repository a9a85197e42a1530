#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/PNGCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Dictionary = kit::PropertyList::Dictionary;

class SettingsExample : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("settings-example-" + std::to_string(random()));
        fs::create_directories(m_folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // Runs the example on a fresh device root; the settings file it left.
    std::optional<Dictionary> run(const std::string& name)
    {
        auto command = std::string(VANTOR_SIM) + " run '" + VANTOR_EXAMPLES + "/" + name + ".scenario' --root '"
            + (m_folder / "root").string() + "' --out '" + (m_folder / "out").string() + "' > '"
            + (m_folder / "run.txt").string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
        for (const auto& file : fs::directory_iterator(m_folder / "out")) {
            if (file.path().extension() == ".png") {
                EXPECT_GT(fs::file_size(file.path()), 0u) << file.path();
            }
        }
        auto list = kit::readPropertyListFile(m_folder / "out/settings.plist");
        if (!list || !list->dictionary())
            return std::nullopt;
        return *list->dictionary();
    }

    fs::path m_folder;
};

TEST_F(SettingsExample, TheAdvancedPhotoModeSwitchedOffIsAllThatChanges)
{
    auto stored = run("settings-advanced-photo");
    ASSERT_TRUE(stored);
    Dictionary expected { { "advPhotoModeAsDefault", int64_t(0) }, { "advVideoModeAsDefault", int64_t(0) },
        { "rememberSettings", false }, { "showHelpHowToHide", false }, { "showHelpHowToShow", true } };
    EXPECT_EQ(*stored, expected);
}

TEST_F(SettingsExample, TheBlurSwitchedOffIsAnIntegerZero)
{
    auto stored = run("settings-features");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("blurButtonBar"), kit::PropertyList(int64_t(0)));
}

TEST_F(SettingsExample, TheTimeAddedToTheStampIsAnIntegerOne)
{
    auto stored = run("settings-timestamp");
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, (Dictionary { { "timestampIncludeTime", int64_t(1) } }));
}

// The plane's top-left corner and the track's top make red: the file holds
// its archive and the flag, and the camera's next photo has its date in red
// where it used to be amber.
TEST_F(SettingsExample, TheColourPickedInTheSettingsStampsThePhotoInRed)
{
    auto stored = run("color-picker");
    ASSERT_TRUE(stored);
    auto* archive = stored->at("timeStampFontColor").data();
    ASSERT_TRUE(archive);
    EXPECT_EQ(kit::unarchiveColor(*archive), kit::ArchivedColor::rgba(1, 0, 0, 1));
    EXPECT_EQ(stored->at("timeStampFontColorSet"), kit::PropertyList(int64_t(1)));

    std::ifstream in(m_folder / "out/camera-roll/IMG_0001.JPG", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto photo = kit::decodeJPEG(bytes);
    ASSERT_TRUE(photo) << photo.message;
    const auto& image = *photo.image;
    int red = 0, amber = 0;
    for (int y = image.height() * 7 / 8; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            auto pixel = image.pixel(x, y);
            int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
            red += r > 200 && g < 60 && b < 60;
            amber += r > 200 && g > 150 && g < 235 && b < 80;
        }
    }
    EXPECT_GT(red, 100);
    EXPECT_EQ(amber, 0);
}

TEST_F(SettingsExample, OpeningPagesWritesNothingAndTheFirstChangeCreatesTheFile)
{
    auto stored = run("settings-first-change");
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, (Dictionary { { "HDRAlwaysOn", int64_t(1) } }));
}

TEST_F(SettingsExample, TheFontPickedInTheListIsStoredByNameAndThePhotoTaken)
{
    auto stored = run("font-picker");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("timeStampFontName"), kit::PropertyList(std::string("DejaVuSerif-Bold")));
    EXPECT_TRUE(fs::is_regular_file(m_folder / "out/camera-roll/IMG_0001.JPG"));
}

TEST_F(SettingsExample, TheToursOnThreeDevicesWriteNothing)
{
    for (const char* tour : { "settings-tour", "settings-tour-35", "settings-tour-pad" }) {
        EXPECT_FALSE(run(tour)) << tour;
        EXPECT_EQ(std::distance(fs::directory_iterator(m_folder / "out"), fs::directory_iterator()), 5) << tour;
        fs::remove_all(m_folder / "out");
        fs::remove_all(m_folder / "root");
    }
}

// The manual's scenario: after next three times and previous three times
// only the first page is left, and half-way through the first turn the old
// page's corner shows turned over, its light back above the dark pages.
TEST_F(SettingsExample, TheManualGoesForwardAndBackToItsFirstPage)
{
    run("manual");
    std::ifstream described(m_folder / "out/07-page1-again.txt");
    std::stringstream text;
    text << described.rdbuf();
    EXPECT_NE(text.str().find("text=\"1 of 4\""), std::string::npos);
    for (const char* page : { "tag=102 ", "tag=103 ", "tag=104 ", "text=\"2 of 4\"" })
        EXPECT_EQ(text.str().find(page), std::string::npos) << page;

    auto brightness = [&](const char* screenshot, int x, int y) {
        auto bytes = kit::readWholeFile(m_folder / "out" / screenshot, 1 << 24);
        auto image = bytes ? kit::PNGCodec::decode(*bytes) : nullptr;
        if (!image)
            return -1;
        uint32_t pixel = image->pixel(x, y);
        return int(std::min({ (pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff }));
    };
    // (100, 289) in points on the iPhone 5s's screen, two pixels a point: empty
    // on both pages.
    EXPECT_GT(brightness("02-curling-up.png", 200, 578), 150) << "the paper's back";
    EXPECT_LT(brightness("01-page1.png", 200, 578), 60) << "the page itself is dark there";
    EXPECT_LT(brightness("03-page2.png", 200, 578), 60);
}

}
