#include "ExtensionTest.h"

#include "common/SettingsReaders.h"
#include "extension/startup/Globals.h"
#include "extension/startup/InitVariables.h"
#include "extension/startup/Prefs.h"

#include "kit/foundation/DarwinNotificationCenter.h"
#include "kit/foundation/RunLoop.h"

#include <fstream>

namespace {

using Dictionary = kit::PropertyList::Dictionary;
using extensiontest::ExtensionTest;

class PrefsTest : public ExtensionTest {
protected:
    void SetUp() override
    {
        ExtensionTest::SetUp();
        vantor::InitVariables();
    }
};

TEST(SettingsReaders, FlagsReadEveryStoredKind)
{
    Dictionary file {
        { "int1", int64_t(1) }, { "int0", int64_t(0) }, { "true", true }, { "real", 0.5 }, { "yes", "yes" },
        { "YES", "YES" }, { "no", "no" }, { "one", " 1" }, { "date", kit::PropertyList::Date { 12 } },
        { "data", kit::Data { 1 } }, { "array", kit::PropertyList::Array {} },
    };
    using vantor::settings::readBool;
    EXPECT_TRUE(readBool("int1", false, &file));
    EXPECT_FALSE(readBool("int0", true, &file));
    EXPECT_TRUE(readBool("true", false, &file));
    EXPECT_TRUE(readBool("real", false, &file));
    EXPECT_TRUE(readBool("yes", false, &file));
    EXPECT_TRUE(readBool("YES", false, &file));
    EXPECT_FALSE(readBool("no", true, &file));
    EXPECT_TRUE(readBool("one", false, &file));
    // Kinds that are no flag give the default, whichever it is.
    for (const char* key : { "date", "data", "array", "missing" }) {
        EXPECT_TRUE(readBool(key, true, &file)) << key;
        EXPECT_FALSE(readBool(key, false, &file)) << key;
    }
    EXPECT_TRUE(readBool("int1", true, nullptr) && !readBool("int1", false, nullptr));
}

// A sign and leading zeros may come before the letter as well as before the
// digit.
TEST(SettingsReaders, FlagStringsReadTrueAfterASignAndZeros)
{
    using vantor::settings::readBool;
    for (const char* text : { "+YES", "00T", " -0y", "\t+007", "t", "-1" }) {
        Dictionary file { { "flag", text } };
        EXPECT_TRUE(readBool("flag", false, &file)) << text;
    }
    for (const char* text : { "", "  ", "+", "-000", "0x1", "++Y", "N", "+no", "0 1" }) {
        Dictionary file { { "flag", text } };
        EXPECT_FALSE(readBool("flag", true, &file)) << text;
    }
}

TEST(SettingsReaders, IntegersReadEveryStoredKind)
{
    Dictionary file {
        { "int", int64_t(7) }, { "real", 3.9 }, { "negative", -2.7 }, { "true", true }, { "string", " 42abc" },
        { "letters", "abc" }, { "huge", 1e20 }, { "date", kit::PropertyList::Date { 1 } },
    };
    using vantor::settings::readInt;
    EXPECT_EQ(readInt("int", 0, &file), 7);
    EXPECT_EQ(readInt("real", 0, &file), 3);
    EXPECT_EQ(readInt("negative", 0, &file), -2);
    EXPECT_EQ(readInt("true", 0, &file), 1);
    EXPECT_EQ(readInt("string", 0, &file), 42);
    EXPECT_EQ(readInt("letters", 9, &file), 0);
    EXPECT_EQ(readInt("huge", 0, &file), INT32_MAX);
    EXPECT_EQ(readInt("date", 5, &file), 5);
    EXPECT_EQ(readInt("missing", 5, &file), 5);
}

// With no file the camera starts in the advanced photo mode, normal video,
// every feature on and the time stamp off.
TEST_F(PrefsTest, NoFileGivesTheDefaults)
{
    vantor::LoadPrefs();
    EXPECT_FALSE(vantor::prefsDictionary);
    EXPECT_EQ(vantor::globCameraMode, 1);
    EXPECT_EQ(vantor::sessionCameraMode, 1);
    EXPECT_EQ(vantor::globVideoMode, 0);
    EXPECT_TRUE(vantor::showHelpHowToShow);
    EXPECT_FALSE(vantor::showHelpHowToHide);
    EXPECT_TRUE(vantor::showDimensions && vantor::showFPS && vantor::showOverlays && vantor::showHorizonAlignment
        && vantor::showVerticalAlert && vantor::showMemoryWarning && vantor::blurButtonBar
        && vantor::convertTimeLapseToVideo);
    EXPECT_FALSE(vantor::timeStampVisible);
    EXPECT_FALSE(vantor::showBulb);
    EXPECT_TRUE(vantor::_didSetPrefs);
}

TEST_F(PrefsTest, FlagsWrittenAsIntegersOrBooleansReadTheSame)
{
    writeSettings({ { "showFPS", int64_t(0) }, { "showDimensions", false }, { "timeStampVisible", int64_t(1) },
        { "timestampIncludeTime", true }, { "HDRAlwaysOn", "yes" }, { "blurButtonBar", "no" },
        { "showOverlays", kit::PropertyList::Date { 3 } }, { "showBulb", true } });
    vantor::LoadPrefs();
    EXPECT_FALSE(vantor::showFPS);
    EXPECT_FALSE(vantor::showDimensions);
    EXPECT_TRUE(vantor::timeStampVisible);
    EXPECT_TRUE(vantor::timestampIncludeTime);
    EXPECT_TRUE(vantor::HDRAlwaysOn);
    EXPECT_FALSE(vantor::blurButtonBar);
    EXPECT_TRUE(vantor::showOverlays); // a date is no flag: the default
    EXPECT_FALSE(vantor::showBulb);    // never offered
}

// Files that are no settings dictionary give the defaults, and the next save
// writes a well-formed file.
TEST_F(PrefsTest, UnreadableFilesGiveTheDefaultsAndAreReplacedWhole)
{
    const std::string contents[] = {
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><true/></array></plist>",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>showFPS</key><integer>0",
        "bplist00\x01\x02",
        std::string(100, '<'),
    };
    for (const auto& text : contents) {
        vantor::resetGlobalsToLoadValues();
        vantor::InitVariables();
        std::filesystem::create_directories(settingsFile().parent_path());
        std::ofstream(settingsFile(), std::ios::binary) << text;
        vantor::LoadPrefs();
        EXPECT_FALSE(vantor::prefsDictionary);
        EXPECT_TRUE(vantor::showFPS);
        EXPECT_EQ(vantor::globCameraMode, 1);
        vantor::savePrefs();
        auto saved = readSettings();
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->at("advPhotoModeAsDefault"), kit::PropertyList(int64_t(1)));
    }
}

TEST_F(PrefsTest, RememberedGroupIsReadAndWrittenOnlyWhenRemembering)
{
    Dictionary file { { "rememberSettings", false }, { "timerTime", int64_t(12) }, { "overlayMode", int64_t(2) },
        { "timeStampVisibleAndPlace", false }, { "guideIndex", int64_t(1) } };
    writeSettings(file);
    vantor::LoadPrefs();
    EXPECT_EQ(vantor::_timerTime, 5);
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
    vantor::_timerTime = 9;
    vantor::savePrefs();
    // The stored values stay untouched.
    EXPECT_EQ(readSettings()->at("timerTime"), kit::PropertyList(int64_t(12)));

    file["rememberSettings"] = true;
    writeSettings(file);
    vantor::LoadPrefs();
    EXPECT_EQ(vantor::_timerTime, 12);
    EXPECT_EQ(vantor::globOverlayMode, 2);
    EXPECT_EQ(vantor::sessionOverlayMode, 2);
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace);
    EXPECT_FALSE(vantor::prevTimeStampVisibleAndPlace);
    EXPECT_EQ(vantor::guideIndex, 1);
    // Missing remembered keys take the file's defaults: 10 s between photos.
    EXPECT_EQ(vantor::_timeLapseTime, 10);
    vantor::_timerTime = 9;
    vantor::savePrefs();
    auto saved = readSettings();
    EXPECT_EQ(saved->at("timerTime"), kit::PropertyList(int64_t(9)));
    EXPECT_EQ(saved->at("timeLapseTime"), kit::PropertyList(int64_t(10)));
    EXPECT_EQ(saved->at("resolutionSelected"), kit::PropertyList(false));
}

// The modes the user changes while the camera runs are taken from the file
// only once after each reset.
TEST_F(PrefsTest, SecondLoadKeepsTheSessionModes)
{
    writeSettings({ { "advPhotoModeAsDefault", int64_t(0) }, { "advVideoModeAsDefault", int64_t(1) } });
    vantor::LoadPrefs();
    EXPECT_EQ(vantor::sessionCameraMode, 0);
    EXPECT_EQ(vantor::sessionVideoMode, 1);
    vantor::sessionCameraMode = 1;
    vantor::sessionVideoMode = 0;
    vantor::LoadPrefs();
    EXPECT_EQ(vantor::sessionCameraMode, 1);
    EXPECT_EQ(vantor::sessionVideoMode, 0);
    EXPECT_EQ(vantor::globCameraMode, 0);
}

TEST_F(PrefsTest, SaveKeepsKeysTheExtensionDoesNotKnow)
{
    writeSettings({ { "timeStampFontName", "Courier" }, { "showFPS", int64_t(0) }, { "rememberSettings", true } });
    vantor::LoadPrefs();
    vantor::showHelpHowToShow = false;
    vantor::savePrefs();
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->at("timeStampFontName"), kit::PropertyList("Courier"));
    EXPECT_EQ(saved->at("showFPS"), kit::PropertyList(int64_t(0)));
    EXPECT_EQ(saved->at("showHelpHowToShow"), kit::PropertyList(false));
    EXPECT_EQ(saved->at("rememberSettings"), kit::PropertyList(true));
}

TEST_F(PrefsTest, AFileOfTheOlderLayoutIsDiscardedAtTheNextSave)
{
    writeSettings({ { "advPhotoSelected", int64_t(0) }, { "showFPS", int64_t(0) } });
    vantor::LoadPrefs();
    vantor::savePrefs();
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved->contains("showFPS"));
    EXPECT_FALSE(saved->contains("advPhotoSelected"));
    EXPECT_EQ(saved->size(), 5u);

    writeSettings({ { "advPhotoSelected", int64_t(3) }, { "showFPS", int64_t(0) } });
    vantor::LoadPrefs();
    vantor::savePrefs();
    EXPECT_TRUE(readSettings()->contains("showFPS"));
}

// Nothing is told the user, the camera keeps its values, and a later save
// into a writable folder succeeds.
TEST_F(PrefsTest, AFolderThatCannotBeWrittenChangesNothing)
{
    auto folder = settingsFile().parent_path();
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    vantor::rememberSettings = true;
    vantor::_timerTime = 8;
    vantor::savePrefs();
    EXPECT_EQ(vantor::_timerTime, 8);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder));

    std::filesystem::remove(folder);
    vantor::savePrefs();
    ASSERT_TRUE(readSettings());
    EXPECT_EQ(readSettings()->at("timerTime"), kit::PropertyList(int64_t(8)));
}

TEST_F(PrefsTest, TheChangeNotificationReloadsOnceRegistered)
{
    vantor::LoadPrefs();
    vantor::registerForPreferenceChanges();
    vantor::registerForPreferenceChanges();
    EXPECT_EQ(kit::CFNotificationCenterObserverCount(
                  kit::CFNotificationCenterGetDarwinNotifyCenter(), "com.quillon.Vantor_2.settingschanged"),
        1);
    writeSettings({ { "showFPS", false } });
    kit::CFNotificationCenterPostNotification(kit::CFNotificationCenterGetDarwinNotifyCenter(),
        "com.quillon.Vantor_2.settingschanged", nullptr, nullptr, true);
    kit::RunLoop::main().advance(0.1);
    EXPECT_FALSE(vantor::showFPS);
}

}
