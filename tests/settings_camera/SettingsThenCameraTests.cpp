#include "ExtensionTest.h"

#include "extension/capture/FocusView.h"
#include "extension/startup/Globals.h"
#include "host/settings/SettingsApp.h"

namespace {

namespace fs = std::filesystem;
using Dictionary = kit::PropertyList::Dictionary;

class SettingsThenCameraTest : public extensiontest::ExtensionTest {
protected:
    // The package's Settings entry and bundle, as installed.
    void installSettingsBundle()
    {
        const fs::path staged = VANTOR_STAGED_ROOT;
        fs::create_directories(m_root / "Library/PreferenceLoader/Preferences");
        fs::copy_file(staged / "Library/PreferenceLoader/Preferences/Vantor2_Prefs.plist",
            m_root / "Library/PreferenceLoader/Preferences/Vantor2_Prefs.plist");
        fs::create_directories(m_root / "Library/PreferenceBundles");
        fs::create_directory_symlink(staged / "Library/PreferenceBundles/Vantor2_Prefs.bundle",
            m_root / "Library/PreferenceBundles/Vantor2_Prefs.bundle");
    }

    // The user opens the entry in the Settings app, taps the outlets' views
    // in order (dragging the page up first for a name starting with "^")
    // and leaves.
    void changeInSettings(const std::vector<std::string>& outlets, const std::string& page = {})
    {
        installSettingsBundle();
        auto started = host::SettingsApp::start("iPhone6,1", m_root);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<host::SettingsApp>>(started));
        auto app = std::move(std::get<std::unique_ptr<host::SettingsApp>>(started));
        app->launch();
        ASSERT_FALSE(app->openEntry("Vantor2"));
        if (!page.empty()) {
            ASSERT_FALSE(app->tapControl(page));
            app->advance(1);
        }
        for (auto outlet : outlets) {
            if (outlet.starts_with("^")) {
                app->drag({ 160, 450 }, { 160, 100 }, 0.4);
                app->advance(1);
                outlet.erase(0, 1);
            }
            auto refused = app->tapOutlet(outlet);
            ASSERT_FALSE(refused) << *refused;
            app->advance(0.5);
        }
        app->quit();
    }
};

// The camera's own keys stay; the advanced photo mode is off at the next
// start.
TEST_F(SettingsThenCameraTest, TheCameraStartsInTheModeTheSettingsAppStored)
{
    Dictionary written { { "rememberSettings", false }, { "advPhotoModeAsDefault", int64_t(1) },
        { "advVideoModeAsDefault", int64_t(0) }, { "showHelpHowToShow", true }, { "showHelpHowToHide", false } };
    writeSettings(written);

    changeInSettings({ "advancedPhoto" });
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    written["advPhotoModeAsDefault"] = int64_t(0);
    EXPECT_EQ(*stored, written);

    auto phone = startPhone();
    ASSERT_TRUE(phone);
    phone->launch();
    EXPECT_EQ(vantor::globCameraMode, 0);
    EXPECT_EQ(vantor::sessionCameraMode, 0);
    EXPECT_FALSE(vantor::UseAdvancedCamera);
    EXPECT_TRUE(!vantor::focusView || vantor::focusView->isHidden());
}

TEST_F(SettingsThenCameraTest, TheCameraReadsTheFeaturesTheSettingsAppStored)
{
    changeInSettings({ "showFPSSW", "^blurButtonBarSW" }, "ShowActiveFeatures:");
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("blurButtonBar"), kit::PropertyList(int64_t(0)));

    auto phone = startPhone();
    ASSERT_TRUE(phone);
    phone->launch();
    EXPECT_FALSE(vantor::blurButtonBar);
    EXPECT_FALSE(vantor::showFPS);
    EXPECT_TRUE(vantor::showDimensions);
}

}
