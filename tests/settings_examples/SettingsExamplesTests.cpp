#include "kit/foundation/PropertyListFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

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

}
