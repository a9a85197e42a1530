#include "../host_settings/SettingsTestRoot.h"

#include "ParsedScenario.h"
#include "ScenarioRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

using namespace sim;
using sim::testing::parsed;
namespace fs = std::filesystem;

namespace {

std::string parseError(std::string_view text)
{
    auto result = Scenario::parse(text);
    return std::holds_alternative<ScenarioError>(result) ? std::get<ScenarioError>(result).message : "";
}

class SettingsScenarioTest : public ::testing::Test {
protected:
    RunOptions options()
    {
        RunOptions o;
        o.deviceRoot = root.path();
        o.outputFolder = out.path();
        o.loadExtension = false;
        o.settingsEntry = "TestPrefs";
        o.systemLog = [this](const std::string& line) { logLines.push_back(line); };
        return o;
    }
    bool logged(const std::string& line) const
    {
        return std::find(logLines.begin(), logLines.end(), line) != logLines.end();
    }
    std::string events() const
    {
        std::ifstream file(out.path() / "events.log");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    SettingsTestRoot root;
    TemporaryFolder out;
    std::vector<std::string> logLines;
};

}

TEST(SettingsScenarioLanguage, ReadsTheCommandsOfTheTwoApps)
{
    auto scenario = parsed("settings\nback\ntap-control showMore:\ntap-outlet featureSwitch\n"
                           "tap-outlet featureSwitch 0.2 1\ncamera\ncamera front\n");
    ASSERT_EQ(scenario.lines.size(), 7u);
    EXPECT_TRUE(std::holds_alternative<command::Settings>(scenario.lines[0].command));
    EXPECT_TRUE(std::holds_alternative<command::Back>(scenario.lines[1].command));
    EXPECT_EQ(std::get<command::TapControl>(scenario.lines[2].command).selector, "showMore:");
    auto centre = std::get<command::TapOutlet>(scenario.lines[3].command);
    EXPECT_EQ(centre.field, "featureSwitch");
    EXPECT_DOUBLE_EQ(centre.fx, 0.5);
    EXPECT_DOUBLE_EQ(centre.fy, 0.5);
    auto corner = std::get<command::TapOutlet>(scenario.lines[4].command);
    EXPECT_DOUBLE_EQ(corner.fx, 0.2);
    EXPECT_DOUBLE_EQ(corner.fy, 1);
    EXPECT_TRUE(std::holds_alternative<command::CameraToFront>(scenario.lines[5].command));
    EXPECT_EQ(std::get<command::Camera>(scenario.lines[6].command).cameraDevice, 1);

    EXPECT_EQ(parseError("tap-outlet featureSwitch 1.5 0"),
        "line 1: tap-outlet expects FIELD [FX FY] (fractions from 0 to 1), got \"tap-outlet featureSwitch 1.5 0\"");
    EXPECT_NE(parseError("tap-outlet featureSwitch 0.5"), "");
    EXPECT_NE(parseError("tap-control"), "");
    EXPECT_NE(parseError("settings now"), "");
    EXPECT_NE(parseError("camera sideways"), "");
}

TEST_F(SettingsScenarioTest, CommandsForTheAppThatIsNotInFrontAreRefusedBeforeTheRun)
{
    ScenarioRunner runner(options());
    auto check = [&](std::string_view text) {
        auto problem = runner.check(parsed(text));
        return problem ? problem->message : std::string();
    };
    EXPECT_EQ(check("launch\nback"), "line 2: back needs the Settings app in front: put settings before it");
    EXPECT_EQ(check("settings\nshutter"), "line 2: shutter needs the camera in front: put camera before it");
    EXPECT_EQ(check("launch\nsettings\ncamera\ntap-outlet x"),
        "line 4: tap-outlet needs the Settings app in front: put settings before it");
    EXPECT_EQ(check("settings\nsetting a bool true"), "line 2: setting must come before launch");
    EXPECT_EQ(check("settings\nlaunch"),
        "line 2: launch comes once, before any app runs: camera brings the camera to the front");
    EXPECT_EQ(check("back"), "line 1: back needs the camera running: put launch before it");
    EXPECT_EQ(check("settings\ntap 1 2\ntap-control x:\ncamera\nshutter\nsettings\nback\nquit"), "");
}

TEST_F(SettingsScenarioTest, TheSettingsAppComesToTheFrontOnTheEntryAndTheCameraComesBack)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    ScenarioRunner runner(options());
    auto outcome = runner.run(parsed(R"(launch
settings
tap-outlet featureSwitch
screenshot page.png
describe page.txt
drag 160 500 160 150 0.4
wait 0.5
tap-control showMore:
wait 0.5
back
camera
screenshot camera.png
settings
drag 160 150 160 500 0.4
wait 0.5
tap-control featureSwitched:
back
tap 160 120
wait 0.5
back
quit
)"));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    ASSERT_EQ(outcome.screenshots.size(), 2u);
    EXPECT_TRUE(fs::is_regular_file(out.path() / "page.png"));
    std::ifstream described(out.path() / "page.txt");
    std::string tree((std::istreambuf_iterator<char>(described)), std::istreambuf_iterator<char>());
    EXPECT_NE(tree.find("UISwitch"), std::string::npos) << tree;
    EXPECT_NE(tree.find("title=\"More\""), std::string::npos) << tree;
    // The switch of the entry's page was tapped in the Settings app's process,
    // which logged it; coming back resumed on the same page (the second
    // switch tap turned it on again), and a tap on the list's row opened it.
    EXPECT_TRUE(logged("TestPrefs: feature off"));
    EXPECT_TRUE(logged("TestPrefs: feature on"));
    auto log = events();
    // The camera went to the background for the Settings app and came back.
    auto settingsLine = log.find("# line 2: settings");
    auto cameraLine = log.find("# line 11: camera");
    EXPECT_NE(log.find("0.450 # line 7: wait"), std::string::npos) << log;
    EXPECT_NE(log.find("1.950 # line 11: camera"), std::string::npos) << log;
    ASSERT_NE(settingsLine, std::string::npos);
    ASSERT_NE(cameraLine, std::string::npos);
    EXPECT_NE(log.find("PLCameraController stopPreview", settingsLine), std::string::npos);
    EXPECT_NE(log.find("PLCameraController startPreview", cameraLine), std::string::npos);
}

TEST_F(SettingsScenarioTest, AScenarioMayStartWithTheSettingsAppAndLaunchTheCameraLater)
{
    ScenarioRunner runner(options());
    auto outcome = runner.run(parsed("setting rememberSettings bool true\nsettings\nscreenshot list.png\ncamera\nshutter\n"));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    // No entry is declared: the list shows, and the camera still starts.
    EXPECT_EQ(outcome.cameraRoll.size(), 1u);
    EXPECT_TRUE(outcome.settings);
}

TEST_F(SettingsScenarioTest, BackOnTheRootListStopsTheRunWithItsLine)
{
    ScenarioRunner runner(options());
    auto outcome = runner.run(parsed("settings\nback\n"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "line 2: there is no back button on the root list");
}

TEST(SettingsScenarioLanguage, TapCellTakesTheRestOfTheLineAsItsText)
{
    auto scenario = parsed("tap-cell DejaVuSerif-Bold\n  tap-cell  Nimbus Sans  Narrow \t\n");
    ASSERT_EQ(scenario.lines.size(), 2u);
    EXPECT_EQ(std::get<command::TapCell>(scenario.lines[0].command).text, "DejaVuSerif-Bold");
    EXPECT_EQ(std::get<command::TapCell>(scenario.lines[1].command).text, "Nimbus Sans  Narrow");
    EXPECT_EQ(parseError("tap-cell"), "line 1: tap-cell expects TEXT (the rest of the line), got \"tap-cell\"");
    EXPECT_EQ(parseError("tap-cell   "), "line 1: tap-cell expects TEXT (the rest of the line), got \"tap-cell   \"");
}

TEST_F(SettingsScenarioTest, TapCellNeedsTheSettingsAppAndNamesATextNoRowHas)
{
    ScenarioRunner runner(options());
    auto problem = runner.check(parsed("launch\ntap-cell Alpha"));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "line 2: tap-cell needs the Settings app in front: put settings before it");

    root.declareEntry("A", "Alpha", "TestPrefs", "TestPrefsController");
    auto outcome = runner.run(parsed("settings\nback\ntap-cell Alpha\nwait 0.5\nback\ntap-cell Omega\n"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "line 6: the table has no cell \"Omega\"");
}

TEST_F(SettingsScenarioTest, ExpectationsOfTheScreenLookAtTheAppInFront)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    ScenarioRunner runner(options());
    auto outcome = runner.run(parsed(R"(launch
expect view CAMTopBar
settings
expect view UISwitch
expect text Feature
expect no text More
expect no view CAMTopBar
camera
expect no view UISwitch
expect view CAMTopBar
settings
expect view UIButton#99
)"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "line 12: expected a visible UIButton#99; found none in any window");
    auto log = events();
    EXPECT_NE(log.find("# line 5: expect a visible label or button with the text \"Feature\": held"), std::string::npos)
        << log;
    // The page's last button is below the fold of its scroll view.
    EXPECT_NE(log.find("# line 6: expect no visible label or button with the text \"More\": held"), std::string::npos)
        << log;
    EXPECT_NE(log.find("# line 9: expect no visible UISwitch: held"), std::string::npos) << log;
}
