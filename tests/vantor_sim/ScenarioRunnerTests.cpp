#include "DeviceRootInstaller.h"
#include "ScenarioRunner.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace sim;
namespace fs = std::filesystem;

namespace {

class ScenarioRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("runner-" + std::to_string(::getpid()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    RunOptions options()
    {
        RunOptions o;
        o.deviceRoot = m_folder / "root";
        o.outputFolder = m_folder / "out";
        o.loadExtension = false;
        return o;
    }

    Scenario scenario(std::string_view text)
    {
        auto parsed = Scenario::parse(text);
        EXPECT_TRUE(std::holds_alternative<Scenario>(parsed));
        return std::holds_alternative<Scenario>(parsed) ? std::get<Scenario>(parsed) : Scenario {};
    }

    std::string events()
    {
        std::ifstream file(m_folder / "out" / "events.log");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path m_folder;
};

}

TEST_F(ScenarioRunnerTest, EveryCommandRunsOnThePhone)
{
    ScenarioRunner runner(options());
    auto outcome = runner.run(scenario(R"(device iPhone6,1
setting rememberSettings bool true
setting timerTime int 7
setting timeStampFontName string Gill Sans
launch
tap 160 250
tap-view PLCameraView
longpress 160 250 0.8
drag 100 200 200 300 0.3
swipe left
swipe right
swipe up
swipe down
shutter
volume up
volume down
mode video
mode square
mode photo
camera front
camera back
rotate landscape-left
rotate face-up
gravity 0 -1 0
filters on
filters off
wait 1.5
background
foreground
memory-warning
screenshot shot.png
describe views.txt
quit
)"));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(fs::exists(m_folder / "out" / "shot.png"));
    std::ifstream views(m_folder / "out" / "views.txt");
    std::string firstLine;
    std::getline(views, firstLine);
    EXPECT_EQ(firstLine.rfind("UIWindow tag=0 frame=(0, 0, 320, 568)", 0), 0u) << firstLine;
    ASSERT_EQ(outcome.screenshots.size(), 1u);
    // The shutter and both volume buttons each take a photo; the run's photos
    // are copied beside its screenshots.
    EXPECT_GE(outcome.cameraRoll.size(), 3u);
    for (auto& file : outcome.cameraRoll)
        EXPECT_EQ(file.parent_path(), m_folder / "out" / "camera-roll");
    auto log = events();
    EXPECT_NE(log.find("# line 14: shutter"), std::string::npos);
    EXPECT_NE(log.find("_shutterButtonClicked"), std::string::npos);

    auto file = kit::readPropertyListFile(m_folder / "root/var/mobile/Library/Preferences/com.quillon.Vantor2.plist");
    ASSERT_TRUE(file && file->dictionary());
    auto* settings = file->dictionary();
    EXPECT_EQ(settings->at("timerTime"), kit::PropertyList(7));
    EXPECT_EQ(settings->at("rememberSettings"), kit::PropertyList(true));
    EXPECT_EQ(settings->at("timeStampFontName"), kit::PropertyList("Gill Sans"));
}

TEST_F(ScenarioRunnerTest, AScenarioThatCannotRunIsRefusedBeforeAnythingIsWritten)
{
    ScenarioRunner runner(options());
    auto check = [&](std::string_view text) {
        auto outcome = runner.run(scenario(text));
        EXPECT_FALSE(outcome.ok) << text;
        return outcome.error;
    };
    EXPECT_EQ(check("device iPhone99,9\nlaunch"), "line 1: unknown device model \"iPhone99,9\"");
    EXPECT_EQ(check("tap 1 2"), "line 1: tap needs the camera running: put launch before it");
    EXPECT_EQ(check("launch\nsetting a bool true"), "line 2: setting must come before launch");
    EXPECT_EQ(check("launch\nquit\nshutter"), "line 3: shutter comes after quit");
    EXPECT_FALSE(fs::exists(m_folder / "out"));
    EXPECT_FALSE(fs::exists(m_folder / "root"));
}

TEST_F(ScenarioRunnerTest, AViewThatIsNotOnScreenStopsTheRunWithItsLine)
{
    ScenarioRunner runner(options());
    auto outcome = runner.run(scenario("launch\ntap-view NoSuchView#3\nshutter"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "line 2: no visible NoSuchView#3 on screen");
}

TEST_F(ScenarioRunnerTest, SystemLogLinesArePassedOnAfterTheCommandThatWroteThem)
{
    // A camera roll that is a file: the photo cannot be saved, and the
    // camera logs why.
    fs::create_directories(m_folder / "root/var/mobile/Media");
    std::ofstream(m_folder / "root/var/mobile/Media/DCIM") << "not a folder";
    kit::logf("a line from before the run");

    std::vector<std::string> seen;
    auto o = options();
    o.progress = [&](const std::string& line) { seen.push_back("progress:" + line.substr(line.rfind(' ') + 1)); };
    o.systemLog = [&](const std::string& line) { seen.push_back("log:" + line); };
    ScenarioRunner runner(o);
    auto outcome = runner.run(scenario("launch\nshutter\nwait 1\nquit"));
    ASSERT_TRUE(outcome.ok) << outcome.error;

    auto at = [&](std::string_view prefix) {
        return std::find_if(seen.begin(), seen.end(), [&](const std::string& s) { return s.starts_with(prefix); })
            - seen.begin();
    };
    auto failure = at("log:Camera: the photo was not saved");
    ASSERT_LT(failure, std::ssize(seen));
    EXPECT_LT(at("progress:shutter"), failure);
    EXPECT_EQ(at("progress:wait"), failure + 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), seen[failure]), 1);
    EXPECT_EQ(at("log:a line from before the run"), std::ssize(seen));
}

TEST_F(ScenarioRunnerTest, TheInstallerFillsARootWithoutTouchingTheUsersFiles)
{
    auto staged = m_folder / "staged";
    fs::create_directories(staged / "Library/Application Support/Vantor2/Sounds");
    std::ofstream(staged / "Library/Application Support/Vantor2/Sounds/count.aif") << "beep";
    fs::create_directories(staged / "var/mobile/Library/Preferences");
    std::ofstream(staged / "var/mobile/Library/Preferences/com.quillon.Vantor2.plist") << "staged settings";

    auto root = m_folder / "root";
    fs::create_directories(root / "var/mobile/Library/Preferences");
    std::ofstream(root / "var/mobile/Library/Preferences/com.quillon.Vantor2.plist") << "the user's settings";

    DeviceRootInstaller installer(staged);
    auto first = installer.install(root);
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.installed, std::vector<std::string> { "Library/Application Support/Vantor2/Sounds/count.aif" });
    std::ifstream settings(root / "var/mobile/Library/Preferences/com.quillon.Vantor2.plist");
    std::string text;
    std::getline(settings, text);
    EXPECT_EQ(text, "the user's settings");
    EXPECT_TRUE(fs::is_symlink(root / "User"));

    // Nothing to do the second time.
    EXPECT_TRUE(installer.install(root).installed.empty());
}
