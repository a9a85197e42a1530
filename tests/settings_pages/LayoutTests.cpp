#include "SettingsBundleTest.h"

#include "settings/ActiveFeaturesViewController.h"
#include "settings/Bundle_Template_Controller.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"
#include "settings/MainViewController.h"
#include "settings/TimeStampViewController.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UISwitch.h"

#include <fstream>
#include <set>

namespace {

using settingstest::SettingsBundleTest;
using Names = std::set<std::string>;

class LayoutTest : public SettingsBundleTest { };

struct PageConnections {
    Names outlets;
    Names actions;
};

const PageConnections mainConnections {
    { "scrollView", "advancedPhoto", "advancedVideo", "rememberSettings", "advIPadAdvZoom", "HDRAlwaysOn" },
    { "HDRAlwayOnSwitched:", "advPhotoSwitched:", "advVideoSwitched:", "rememberSettingsSwitched:",
        "advIPadZoomSwitched:", "ManualButtonTapped:", "ShowTimeStampSetup:", "ShowActiveFeatures:" },
};

const PageConnections featuresConnections {
    { "showTimeStampIndicatorSW", "showDimensionsSW", "showFPSSW", "showOverlaysSW", "showHorizonAlignmentSW",
        "showVerticalAlertSW", "showBulbSW", "showMemoryWarningSW", "blurButtonBarSW",
        "convertTimeLapseSessionToVideoSW" },
    { "showTimeStampIndicatorSwitched:", "showDimensionsSwitched:", "showFPSSwitched:", "showOverlaysSwitched:",
        "showHorizonAlignmentSwitched:", "showVerticalAlertSwitched:", "showBulbSwitched:",
        "showMemoryWarningSwitched:", "blurButtonBarSwitched:", "convertTimeLapseSessionToVideoSwitched:" },
};

const PageConnections timeStampConnections {
    { "timestampColorSelect", "timestampFontSelect", "timestampIncludeTimeSwitch" },
    { "SetupTimeStampButtonTapped:", "SetupTimeStampColorTapped:", "timestampIncludeTimeSwitched:" },
};

// Every outlet set once and every action connected, nothing else.
void expectConnects(const kit::NibContents& contents, const PageConnections& page, const std::string& layout)
{
    Names outlets, actions;
    for (const auto& outlet : contents.outlets)
        EXPECT_TRUE(outlets.insert(outlet.name).second) << layout << " sets " << outlet.name << " twice";
    for (const auto& action : contents.actions)
        actions.insert(action.selector);
    EXPECT_EQ(outlets, page.outlets) << layout;
    EXPECT_EQ(actions, page.actions) << layout;
}

template <typename Page>
void expectLayoutConnects(const std::string& layout, const PageConnections& page)
{
    auto owner = std::make_shared<Page>();
    auto nib = kit::UINib::nibWithNibName(layout, kit::NSBundle::bundleWithPath(vantor::kBundlePath));
    auto loaded = nib->instantiate(owner.get());
    if (auto* refused = std::get_if<std::string>(&loaded)) {
        ADD_FAILURE() << layout << " refused: " << *refused;
        return;
    }
    expectConnects(std::get<kit::NibContents>(loaded), page, layout);
}

TEST_F(LayoutTest, EveryLayoutConnectsExactlyWhatItsPageLists)
{
    becomeSettingsApp("iPhone6,1");
    for (const char* layout : { "MainView_iphone", "MainView_iphone_4", "MainView_ipad" })
        expectLayoutConnects<vantor::MainViewController>(layout, mainConnections);
    for (const char* layout : { "FeaturesView_iphone", "FeaturesView_iphone_4" })
        expectLayoutConnects<vantor::ActiveFeaturesViewController>(layout, featuresConnections);
    for (const char* layout : { "TimeStampView_iphone", "TimeStampView_ipad" })
        expectLayoutConnects<vantor::TimeStampViewController>(layout, timeStampConnections);
}

struct DeviceLayouts {
    std::string model;
    std::string main, features, timeStamp;
};

class LayoutChoiceTest : public SettingsBundleTest, public ::testing::WithParamInterface<DeviceLayouts> { };

// The pages open from the main page's buttons with the layouts of the
// device class, and each page's view is what its layout describes.
TEST_P(LayoutChoiceTest, PagesOpenWithTheLayoutsOfTheDeviceClass)
{
    const auto& wanted = GetParam();
    auto entry = openEntry(wanted.model);
    ASSERT_TRUE(entry && mainPage());
    EXPECT_EQ(mainPage()->nibName(), wanted.main);
    EXPECT_TRUE(mainPage()->advancedPhoto && mainPage()->scrollView);
    EXPECT_EQ(frontPage(), entry.get());
    EXPECT_EQ(entry->view(), mainPage()->view());

    tap(control("ShowActiveFeatures:"));
    auto* features = dynamic_cast<vantor::ActiveFeaturesViewController*>(frontPage());
    ASSERT_TRUE(features);
    EXPECT_EQ(features->nibName(), wanted.features);
    EXPECT_TRUE(features->blurButtonBarSW);
    back();
    EXPECT_EQ(frontPage(), entry.get());

    tap(control("ShowTimeStampSetup:"));
    auto* timeStamp = dynamic_cast<vantor::TimeStampViewController*>(frontPage());
    ASSERT_TRUE(timeStamp);
    EXPECT_EQ(timeStamp->nibName(), wanted.timeStamp);
    EXPECT_TRUE(timeStamp->timestampFontSelect);
}

INSTANTIATE_TEST_SUITE_P(DeviceClasses, LayoutChoiceTest,
    ::testing::Values(DeviceLayouts { "iPhone6,1", "MainView_iphone", "FeaturesView_iphone", "TimeStampView_iphone" },
        // A screen 480 points tall has its own main and features layouts,
        // but not its own timestamp layout.
        DeviceLayouts { "iPhone3,1", "MainView_iphone_4", "FeaturesView_iphone_4", "TimeStampView_iphone" },
        // The iPad shows the phone's features layout.
        DeviceLayouts { "iPad4,1", "MainView_ipad", "FeaturesView_iphone", "TimeStampView_ipad" }),
    [](const auto& test) {
        std::string name = test.param.model;
        std::erase(name, ',');
        return name;
    });

TEST_F(LayoutTest, ADeviceThatDoesNotAnswerTheIdiomQueryIsNoIPad)
{
    becomeSettingsApp("iPad4,1", false);
    openEntry("iPad4,1");
    EXPECT_FALSE(vantor::prefs::IS_IPAD);
    EXPECT_EQ(mainPage()->nibName(), "MainView_iphone");
}

// The page opens without its views; the other pages still work.
TEST_F(LayoutTest, AMissingOrMalformedLayoutOpensAPlainPage)
{
    std::filesystem::remove(m_root / vantor::kBundlePath / "FeaturesView_iphone.nib");
    std::ofstream(m_root / vantor::kBundlePath / "TimeStampView_iphone.nib") << "<plist><dict><key>views";
    auto entry = openEntry();
    tap(control("ShowActiveFeatures:"));
    auto* features = dynamic_cast<vantor::ActiveFeaturesViewController*>(frontPage());
    ASSERT_TRUE(features);
    EXPECT_FALSE(features->blurButtonBarSW);
    back();
    tap(control("ShowTimeStampSetup:"));
    auto* timeStamp = dynamic_cast<vantor::TimeStampViewController*>(frontPage());
    ASSERT_TRUE(timeStamp);
    EXPECT_FALSE(timeStamp->timestampFontSelect);
    back();
    EXPECT_EQ(frontPage(), entry.get());
    tap(mainPage()->HDRAlwaysOn.get());
    EXPECT_TRUE(vantor::prefs::hdrAlwaysOn);
}

TEST_F(LayoutTest, TheEntryIsTitledAvailableApps)
{
    auto entry = openEntry();
    EXPECT_EQ(entry->navigationTitle(), "Available Apps");
    // One page above the Settings list: the entry, showing the main page.
    EXPECT_EQ(navigation()->viewControllers().size(), 2u);
}

}
