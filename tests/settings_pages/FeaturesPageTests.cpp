#include "SettingsBundleTest.h"

#include "settings/ActiveFeaturesViewController.h"
#include "settings/Globals.h"

#include "kit/ui/UISwitch.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using settingstest::SettingsBundleTest;
namespace prefs = vantor::prefs;

class FeaturesPageTest : public SettingsBundleTest {
protected:
    vantor::ActiveFeaturesViewController* openFeatures(const std::string& model = "iPhone6,1")
    {
        openEntry(model);
        tap(control("ShowActiveFeatures:"));
        auto* page = dynamic_cast<vantor::ActiveFeaturesViewController*>(frontPage());
        EXPECT_TRUE(page);
        return page;
    }
};

TEST_F(FeaturesPageTest, TheSwitchesShowWhatTheMainPageLoaded)
{
    writeSettings({ { "showFPS", false }, { "timeStampVisible", "+YES" }, { "showBulb", true } });
    auto contents = [&] {
        std::ifstream file(settingsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    auto written = contents();
    auto* page = openFeatures();
    EXPECT_FALSE(page->showFPSSW->isOn());
    EXPECT_TRUE(page->showTimeStampIndicatorSW->isOn());
    EXPECT_TRUE(page->showDimensionsSW->isOn());
    EXPECT_TRUE(page->blurButtonBarSW->isOn());
    // The torch switch keeps what its layout gives it.
    EXPECT_FALSE(page->showBulbSW->isOn());
    // Showing the page writes nothing, and leaves no temporary beside the file.
    EXPECT_EQ(contents(), written);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(settingsFile().parent_path()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string> { settingsFile().filename().string() });
}

TEST_F(FeaturesPageTest, TheBlurSwitchStoresAnIntegerAndTheGlobalFollows)
{
    writeSettings({ { "blurButtonBar", true }, { "overlayMode", int64_t(2) } });
    auto* page = openFeatures();
    tap(page->blurButtonBarSW.get());
    EXPECT_FALSE(prefs::blurButtonBar);
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["blurButtonBar"].kind, "integer");
    EXPECT_EQ((*stored)["blurButtonBar"].integer, 0);
    EXPECT_EQ((*stored)["overlayMode"].integer, 2);

    // Reopened, the page shows the changed value from the global.
    back();
    tap(control("ShowActiveFeatures:"));
    page = dynamic_cast<vantor::ActiveFeaturesViewController*>(frontPage());
    ASSERT_TRUE(page);
    EXPECT_FALSE(page->blurButtonBarSW->isOn());
}

TEST_F(FeaturesPageTest, TheTorchSwitchMovesAndStoresNothing)
{
    auto* page = openFeatures();
    tap(page->showBulbSW.get());
    EXPECT_TRUE(page->showBulbSW->isOn());
    EXPECT_FALSE(prefs::showBulb);
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

// Each feature switch stores its own key as 1 or 0.
TEST_F(FeaturesPageTest, EverySwitchStoresItsKey)
{
    auto* page = openFeatures("iPhone3,1");
    const std::pair<kit::UISwitch*, const char*> rows[] = {
        { page->showTimeStampIndicatorSW.get(), "timeStampVisible" },
        { page->showDimensionsSW.get(), "showDimensions" },
        { page->showFPSSW.get(), "showFPS" },
        { page->showOverlaysSW.get(), "showOverlays" },
        { page->showHorizonAlignmentSW.get(), "showHorizonAlignment" },
        { page->showVerticalAlertSW.get(), "showVerticalAlert" },
        { page->showMemoryWarningSW.get(), "showMemoryWarning" },
        { page->blurButtonBarSW.get(), "blurButtonBar" },
        { page->convertTimeLapseSessionToVideoSW.get(), "convertTimeLapseToVideo" },
    };
    for (auto [control, key] : rows) {
        bool was = control->isOn();
        tap(control);
        auto stored = readSettings();
        ASSERT_TRUE(stored) << key;
        EXPECT_EQ((*stored)[key].kind, "integer") << key;
        EXPECT_EQ((*stored)[key].integer, was ? 0 : 1) << key;
    }
    EXPECT_EQ(readSettings()->size(), 9u);
}

}
