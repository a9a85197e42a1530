#include "SettingsBundleTest.h"

#include "settings/Bundle_Template_Controller.h"
#include "settings/Globals.h"
#include "settings/MainViewController.h"
#include "settings/ManualViewController.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"

namespace {

using settingstest::SettingsBundleTest;
using Dictionary = kit::PropertyList::Dictionary;
namespace prefs = vantor::prefs;

class MainPageTest : public SettingsBundleTest { };

TEST_F(MainPageTest, AnyNonZeroModeShowsOnAndAMissingPhotoModeShowsOn)
{
    writeSettings({ { "advPhotoModeAsDefault", int64_t(2) }, { "advVideoModeAsDefault", "7" } });
    openEntry();
    EXPECT_TRUE(mainPage()->advancedPhoto->isOn());
    EXPECT_TRUE(mainPage()->advancedVideo->isOn());

    writeSettings({ { "rememberSettings", true } });
    openEntry();
    EXPECT_TRUE(mainPage()->advancedPhoto->isOn());
    EXPECT_FALSE(mainPage()->advancedVideo->isOn());
    EXPECT_TRUE(mainPage()->rememberSettings->isOn());
}

// Every value the other pages show is loaded here, with the defaults of the
// settings file.
TEST_F(MainPageTest, TheViewLoadsEveryValueWithTheDefaults)
{
    writeSettings({ { "showFPS", int64_t(0) }, { "HDRAlwaysOn", true }, { "timeStampFontName", "Courier" } });
    openEntry();
    EXPECT_FALSE(prefs::showFPS);
    EXPECT_TRUE(prefs::showDimensions && prefs::showOverlays && prefs::convertTimeLapseToVideo);
    EXPECT_FALSE(prefs::showBulb || prefs::timeStampVisible || prefs::timestampIncludeTime);
    EXPECT_TRUE(prefs::hdrAlwaysOn && mainPage()->HDRAlwaysOn->isOn());
    EXPECT_EQ(prefs::timeStampFontName, "Courier");
    ASSERT_TRUE(prefs::timeStampFontColor);
    auto colour = prefs::timeStampFontColor->archivedColor();
    EXPECT_DOUBLE_EQ(colour.red, 1.0);
    EXPECT_DOUBLE_EQ(colour.green, 0.8);
    EXPECT_DOUBLE_EQ(colour.blue, 0.0);
    EXPECT_TRUE(prefs::blurButtonBar);
    EXPECT_EQ(mainPage()->scrollView->contentSize(), (kit::CGSize { 300, 410 }));
}

TEST_F(MainPageTest, TheThreeAndAHalfInchPhoneShowsNoBlurByDefault)
{
    openEntry("iPhone3,1");
    EXPECT_FALSE(prefs::blurButtonBar);
    EXPECT_EQ(mainPage()->scrollView->contentSize(), (kit::CGSize { 300, 360 }));
    writeSettings({ { "blurButtonBar", int64_t(1) } });
    openEntry("iPhone3,1");
    EXPECT_TRUE(prefs::blurButtonBar);
}

TEST_F(MainPageTest, TheZoomSwitchIsSetFromTheFileOnlyOnTheIPad)
{
    writeSettings({ { "ipadAdvZoom", true } });
    openEntry("iPhone6,1");
    EXPECT_TRUE(prefs::advIPadZoom);
    EXPECT_FALSE(mainPage()->advIPadAdvZoom->isOn());
    EXPECT_TRUE(mainPage()->advIPadAdvZoom->superview()->isHidden());

    becomeSettingsApp("iPad4,1");
    openEntry("iPad4,1");
    EXPECT_TRUE(mainPage()->advIPadAdvZoom->isOn());
    tap(mainPage()->advIPadAdvZoom.get());
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["ipadAdvZoom"].kind, "boolean");
    EXPECT_FALSE((*stored)["ipadAdvZoom"].boolean);
}

// Each switch writes the whole file once with its own key, in the kind the
// camera reads: integers for the two modes and HDR, booleans for the rest.
TEST_F(MainPageTest, SwitchesStoreTheirKeysInTheirKinds)
{
    writeSettings({ { "guideIndex", int64_t(2) }, { "advPhotoModeAsDefault", true } });
    openEntry();

    tap(mainPage()->advancedPhoto.get());
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["advPhotoModeAsDefault"].kind, "integer");
    EXPECT_EQ((*stored)["advPhotoModeAsDefault"].integer, 0);
    EXPECT_EQ((*stored)["guideIndex"].integer, 2);
    EXPECT_EQ(stored->size(), 2u);
    // The page keeps what the file said when it loaded.
    EXPECT_TRUE(prefs::advCameraMode);

    tap(mainPage()->advancedVideo.get());
    tap(mainPage()->HDRAlwaysOn.get());
    tap(mainPage()->rememberSettings.get());
    stored = readSettings();
    EXPECT_EQ((*stored)["advVideoModeAsDefault"].kind, "integer");
    EXPECT_EQ((*stored)["advVideoModeAsDefault"].integer, 1);
    EXPECT_EQ((*stored)["HDRAlwaysOn"].kind, "integer");
    EXPECT_EQ((*stored)["HDRAlwaysOn"].integer, 1);
    EXPECT_TRUE(prefs::hdrAlwaysOn);
    EXPECT_EQ((*stored)["rememberSettings"].kind, "boolean");
    EXPECT_TRUE((*stored)["rememberSettings"].boolean);
    EXPECT_FALSE(prefs::advVideoMode);
}

TEST_F(MainPageTest, OpeningThePagesWritesNothing)
{
    openEntry();
    tap(control("ShowActiveFeatures:"));
    back();
    tap(control("ShowTimeStampSetup:"));
    back();
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

// With no file yet, the first change creates it, holding that change alone.
TEST_F(MainPageTest, TheFirstChangeWithoutAFileCreatesIt)
{
    openEntry();
    EXPECT_TRUE(mainPage()->advancedPhoto->isOn());
    EXPECT_FALSE(mainPage()->HDRAlwaysOn->isOn());
    tap(mainPage()->HDRAlwaysOn.get());
    EXPECT_TRUE(prefs::hdrAlwaysOn);
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 1u);
    EXPECT_EQ((*stored)["HDRAlwaysOn"].integer, 1);
}

TEST_F(MainPageTest, TheManualButtonOpensTheManual)
{
    auto entry = openEntry();
    tap(control("ManualButtonTapped:"));
    EXPECT_TRUE(dynamic_cast<vantor::ManualViewController*>(frontPage()));
    back();
    EXPECT_EQ(frontPage(), entry.get());
}

}
