// The whole phone in a scenario: the home screen's process beside the
// camera app and the Settings app, its buttons and lock screen, and the
// camera on it.

#include "../resources/TemporaryFolder.h"

#include "DeviceRootInstaller.h"
#include "ParsedScenario.h"
#include "ScenarioRunner.h"
#include "ScenarioSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sstream>

using namespace sim;
using sim::testing::parsed;
namespace fs = std::filesystem;

namespace {

std::string orderProblem(std::string_view text)
{
    auto problem = ScenarioRunner(RunOptions {}).check(parsed(text));
    return problem ? problem->message : "";
}

// A device root with the products installed, as vantor-sim installs them.
class HomeScreenRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto installed = DeviceRootInstaller(VANTOR_STAGED_ROOT).install(root());
        ASSERT_TRUE(installed.ok) << installed.error;
    }

    fs::path root() const { return m_folder.path() / "root"; }

    ScenarioRunner::Outcome run(std::string_view text)
    {
        RunOptions options;
        options.deviceRoot = root();
        options.outputFolder = m_folder.path() / "out";
        options.systemLog = [this](const std::string& line) { m_log.push_back(line); };
        return ScenarioRunner(options).run(parsed(text));
    }

    int logLinesSaying(const std::string& text) const
    {
        return int(std::count_if(
            m_log.begin(), m_log.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; }));
    }

    TemporaryFolder m_folder;
    std::vector<std::string> m_log;
};

}

TEST(HomeScreenScenarioLanguage, TheButtonsAndTheLockScreenAreLinesOfTheirOwn)
{
    auto scenario = parsed("lock\nlock-camera\nhome\nunlock\n");
    ASSERT_EQ(scenario.lines.size(), 4u);
    EXPECT_TRUE(std::holds_alternative<command::Lock>(scenario.lines[0].command));
    EXPECT_TRUE(std::holds_alternative<command::LockCamera>(scenario.lines[1].command));
    EXPECT_TRUE(std::holds_alternative<command::Home>(scenario.lines[2].command));
    EXPECT_TRUE(std::holds_alternative<command::Unlock>(scenario.lines[3].command));
    auto error = Scenario::parse("lock now");
    ASSERT_TRUE(std::holds_alternative<ScenarioError>(error));
    EXPECT_EQ(std::get<ScenarioError>(error).message, "line 1: lock expects nothing, got \"lock now\"");
}

TEST(HomeScreenScenarioOrder, EachLineNeedsWhatItActsOnInFront)
{
    // What is refused, with what it needs.
    EXPECT_EQ(orderProblem("unlock"), "line 1: unlock needs the phone locked: put lock before it");
    EXPECT_EQ(orderProblem("launch\nlock-camera"), "line 2: lock-camera needs the phone locked: put lock before it");
    EXPECT_EQ(orderProblem("home\nunlock"), "line 2: unlock needs the phone locked: put lock before it");
    EXPECT_EQ(orderProblem("lock\nlock-camera\nunlock"),
        "line 3: unlock needs the lock screen in front: home or lock closes the camera first");
    EXPECT_EQ(orderProblem("lock\nlock-camera\nlock-camera"),
        "line 3: lock-camera needs the lock screen in front: its camera is open already");
    EXPECT_EQ(orderProblem("lock\nshutter"), "line 2: shutter needs the camera in front: put lock-camera before it");
    EXPECT_EQ(orderProblem("launch\nhome\nswipe up"), "line 3: swipe needs the camera in front: put camera before it");
    EXPECT_EQ(orderProblem("lock\nlock-camera\nbackground"),
        "line 3: background needs the camera app in front: put camera before it");
    EXPECT_EQ(orderProblem("launch\nlock\nsettings"), "line 3: settings needs the phone unlocked: put unlock before it");
    EXPECT_EQ(orderProblem("lock\nlaunch"),
        "line 2: launch comes once, before any app runs: camera brings the camera to the front");

    // What runs: the camera commands on either camera; the home button
    // closes the lock screen's camera; unlocking brings back the app the
    // lock sent away.
    EXPECT_EQ(orderProblem("lock\nlock-camera\nshutter\nmode video\nhome\nunlock\ntap 10 10\nquit"), "");
    EXPECT_EQ(orderProblem("launch\nlock\nunlock\nshutter\nbackground\nforeground"), "");
    EXPECT_EQ(orderProblem("settings\nlock\nunlock\nback"), "");
    // A touch on the home screen may open any app: the line after it is
    // not refused before the run.
    EXPECT_EQ(orderProblem("home\ntap-view SBIconView#1\nshutter"), "");
}

TEST_F(HomeScreenRunTest, TheLoaderServesTheCameraAppAndTheHomeScreenAndLeavesTheSettingsAppAlone)
{
    auto outcome = run("launch\nsettings\nlock\nquit\n");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(logLinesSaying("Loader: Vantor2 loaded into com.apple.camera"), 1);
    EXPECT_EQ(logLinesSaying("Loader: Vantor2 loaded into com.apple.springboard"), 1);
    EXPECT_EQ(logLinesSaying("Loader: Vantor2 not loaded into com.apple.Preferences: its filter does not name it"), 1);
    // The extension's own start-up line comes from the two processes it serves.
    EXPECT_EQ(logLinesSaying("Vantor2: loaded into com.apple.camera"), 1);
    EXPECT_EQ(logLinesSaying("Vantor2: loaded into com.apple.springboard"), 1);
    EXPECT_EQ(logLinesSaying("Vantor2: loaded into com.apple.Preferences"), 0);
}

TEST_F(HomeScreenRunTest, TheCameraAppAndTheLockScreenCameraTakeTurnsOnOneDeviceRoot)
{
    auto outcome = run("setting rememberSettings bool true\n"
                       "launch\nshutter\nwait 1\n"
                       "lock\nlock-camera\nwait 1\nshutter\nwait 1\nexpect photos 2\n"
                       "lock\nunlock\nwait 1\n"
                       // Unlocking brings the camera app back, where it was left.
                       "expect view CAMShutterButton\nshutter\nwait 1\nexpect photos 3\nquit\n");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    std::vector<std::string> names;
    for (auto& file : outcome.cameraRoll)
        names.push_back(file.filename().string());
    EXPECT_EQ(names, (std::vector<std::string> { "IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG" }));
    // The camera app found the settings the lock screen's camera saved.
    EXPECT_EQ(logLinesSaying("Vantor2: could not save"), 0);
    EXPECT_TRUE(outcome.settings);
}

TEST_F(HomeScreenRunTest, TheLightOnTheSceneReachesTheLockScreenCameraBeforeAndAfterItStarts)
{
    // Set before the home screen's process starts, and changed while it runs.
    auto outcome = run("light 2000\nlock\nlock-camera\nwait 1\nexpect log white balance automatic: 2000 K\n"
                       "light 9000\nwait 1\nexpect log white balance automatic: 9000 K\nquit\n");
    EXPECT_TRUE(outcome.ok) << outcome.error;
}

TEST_F(HomeScreenRunTest, AHomeScreenThatEndsIsReportedAndTheCameraAppRunsOn)
{
    RunOptions options;
    options.deviceRoot = root();
    options.outputFolder = m_folder.path();
    std::ostringstream events;
    ScenarioSession session(options, events);
    auto apply = [&](std::string_view line) {
        auto scenario = parsed(line);
        return scenario.lines.empty() ? std::nullopt : session.apply(scenario.lines.front());
    };
    ASSERT_EQ(apply("launch"), std::nullopt);
    ASSERT_EQ(apply("lock"), std::nullopt);
    ASSERT_TRUE(session.springBoard());
    ::kill(session.springBoard()->pid(), SIGKILL);

    auto problem = apply("unlock");
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "the home screen has ended (signal 9)");
    // The camera app is still there for the person who brings it back.
    EXPECT_EQ(session.bringToFront(ScenarioSession::App::Camera), std::nullopt);
    EXPECT_EQ(apply("shutter"), std::nullopt);
    session.finish();
    EXPECT_EQ(session.cameraRoll().size(), 1u);
}
