#include "SettingsBundleTest.h"

#include "settings/Globals.h"
#include "settings/MainViewController.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/PropertyListSerialization.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UISwitch.h"

#include <fstream>

namespace {

using settingstest::SettingsBundleTest;
using Dictionary = kit::PropertyList::Dictionary;
namespace prefs = vantor::prefs;

class HostileSettingsTest : public SettingsBundleTest {
protected:
    // The pages show the defaults; turning HDR on then leaves a well-formed
    // file holding the change.
    void expectDefaultsAndARepairingWrite()
    {
        openEntry();
        EXPECT_TRUE(mainPage()->advancedPhoto->isOn());
        EXPECT_FALSE(mainPage()->advancedVideo->isOn());
        EXPECT_FALSE(mainPage()->HDRAlwaysOn->isOn());
        EXPECT_TRUE(prefs::showFPS && prefs::blurButtonBar);
        EXPECT_EQ(prefs::timeStampFontName, "GillSans-Bold");
        ASSERT_TRUE(prefs::timeStampFontColor);
        EXPECT_EQ(prefs::timeStampFontColor->archivedColor(), kit::ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));

        tap(mainPage()->HDRAlwaysOn.get());
        auto stored = readSettings();
        ASSERT_TRUE(stored);
        EXPECT_EQ((*stored)["HDRAlwaysOn"].kind, "integer");
        EXPECT_EQ((*stored)["HDRAlwaysOn"].integer, 1);
    }
};

TEST_F(HostileSettingsTest, ValuesOfTheWrongKinds)
{
    writeSettings({ { "advPhotoModeAsDefault", kit::PropertyList::Date { 5 } },
        { "advVideoModeAsDefault", kit::PropertyList::Array { int64_t(1) } }, { "HDRAlwaysOn", kit::Data { 1, 2 } },
        { "showFPS", Dictionary {} }, { "timeStampFontName", int64_t(12) },
        { "timeStampFontColor", "not an archive" } });
    expectDefaultsAndARepairingWrite();
}

TEST_F(HostileSettingsTest, AColourArchiveOfTheWrongShape)
{
    Dictionary notAColour { { "$archiver", "NSKeyedArchiver" }, { "$top", Dictionary { { "root", int64_t(1) } } },
        { "$objects", kit::PropertyList::Array { "$null", Dictionary { { "UIRed", "high" } } } } };
    auto archive = kit::serializePropertyListBinary(notAColour);
    writeSettings({ { "timeStampFontColor", archive }, { "timeStampFontColorSet", int64_t(1) } });
    expectDefaultsAndARepairingWrite();
}

TEST_F(HostileSettingsTest, ATruncatedFileIsReplacedByTheNextChange)
{
    writeSettingsBytes("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>HDRAlwaysOn</key><integer>1");
    expectDefaultsAndARepairingWrite();
    EXPECT_EQ(readSettings()->size(), 1u);
}

TEST_F(HostileSettingsTest, DeepNesting)
{
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<array>";
    writeSettingsBytes("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>x</key>" + nested);
    expectDefaultsAndARepairingWrite();
}

TEST_F(HostileSettingsTest, AHugeFile)
{
    std::string huge = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>pad</key><string>";
    huge.append(kit::PropertyListLimits::maximumBytes + 1, 'a');
    huge += "</string></dict></plist>";
    writeSettingsBytes(huge);
    expectDefaultsAndARepairingWrite();
}

TEST_F(HostileSettingsTest, ARootThatIsNoDictionary)
{
    ASSERT_TRUE(kit::writePropertyListFile(kit::PropertyList::Array { int64_t(1) }, settingsFile()));
    expectDefaultsAndARepairingWrite();
}

// The switch moves and the page goes on; nothing is written.
TEST_F(HostileSettingsTest, APreferencesFolderThatCannotBeWritten)
{
    auto folder = settingsFile().parent_path();
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    openEntry();
    tap(mainPage()->HDRAlwaysOn.get());
    EXPECT_TRUE(mainPage()->HDRAlwaysOn->isOn());
    EXPECT_TRUE(prefs::hdrAlwaysOn);
    tap(control("ShowActiveFeatures:"));
    EXPECT_NE(frontPage(), nullptr);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder));
}

}
