#include "SettingsTestRoot.h"

#include "host/settings/SettingsAppProcess.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using Titles = std::vector<std::string>;

class SettingsProcessTest : public ::testing::Test {
protected:
    std::unique_ptr<host::SettingsAppProcess> start(const std::string& model = "iPhone6,1")
    {
        host::SettingsAppProcess::Options options;
        options.executable = VANTOR_SETTINGS_APP;
        options.model = model;
        options.deviceRoot = root.path();
        options.logSink = [this](const std::string& line) { lines.push_back(line); };
        auto started = host::SettingsAppProcess::start(std::move(options));
        if (auto* problem = std::get_if<std::string>(&started)) {
            ADD_FAILURE() << *problem;
            return nullptr;
        }
        return std::move(std::get<std::unique_ptr<host::SettingsAppProcess>>(started));
    }

    SettingsTestRoot root;
    std::vector<std::string> lines;
};

}

TEST_F(SettingsProcessTest, TheSettingsAppRunsInAProcessOfItsOwn)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    auto identity = kit::ProcessIdentity::current();
    identity.bundleIdentifier = "com.apple.camera";
    kit::ProcessIdentity::set(identity);

    bool bundleLoadedHere = kit::objc_getClass("TestPrefsController");
    auto settings = start();
    ASSERT_TRUE(settings);
    EXPECT_NE(settings->pid(), getpid());
    EXPECT_EQ(settings->launch(), std::nullopt);
    EXPECT_EQ(settings->openEntry("Test"), std::nullopt);
    EXPECT_EQ(settings->pageTitles(), (Titles { "Settings", "Test Entry" }));
    // The bundle and its classes live in the Settings app's process only
    // (unless a test of the app itself loaded them here before).
    EXPECT_EQ(kit::objc_getClass("TestPrefsController") != nullptr, bundleLoadedHere);
    EXPECT_EQ(kit::ProcessIdentity::current().bundleIdentifier, "com.apple.camera");

    // What the Settings app logs comes back, before the answer.
    EXPECT_EQ(settings->tapOutlet("featureSwitch", 0.5, 0.5), std::nullopt);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TestPrefs: feature off"), lines.end());
    EXPECT_EQ(settings->back(), std::nullopt);
    EXPECT_EQ(settings->pageTitles(), Titles { "Settings" });
    EXPECT_TRUE(settings->back());
}

TEST_F(SettingsProcessTest, TheScreenComesBackAsPixelsAndScreenshots)
{
    auto settings = start("iPhone3,1");
    ASSERT_TRUE(settings);
    settings->launch();
    auto screen = settings->renderScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->width(), 640);
    EXPECT_EQ(screen->height(), 960);
    auto png = root.path() / "list.png";
    EXPECT_EQ(settings->screenshot(png), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_regular_file(png));
    auto before = settings->now();
    settings->advance(1.5);
    ASSERT_TRUE(before && settings->now());
    EXPECT_NEAR(*settings->now() - *before, 1.5, 1e-6);
}

TEST_F(SettingsProcessTest, WrongCommandsAndAnEndedAppAnswerWithReasons)
{
    auto settings = start();
    ASSERT_TRUE(settings);
    settings->launch();
    auto unknown = settings->send("juggle");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(*unknown, "unknown command juggle");
    EXPECT_TRUE(settings->send("tap 10"));
    EXPECT_TRUE(settings->openEntry("Nothing"));
    EXPECT_EQ(settings->quit(), std::nullopt);
    EXPECT_EQ(settings->launch(), "the Settings app has ended");
    EXPECT_FALSE(settings->renderScreen());
}

TEST_F(SettingsProcessTest, ABundleThatEndsTheSettingsAppLeavesVantorSimRunning)
{
    root.declareEntry("Crash", "Crash", "TestPrefs", "CrashingController");
    auto settings = start();
    ASSERT_TRUE(settings);
    settings->launch();
    auto problem = settings->openEntry("Crash");
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "the Settings app has ended (signal 6)");
    EXPECT_EQ(settings->back(), "the Settings app has ended");
    EXPECT_TRUE(settings->pageTitles().empty());
}

TEST_F(SettingsProcessTest, AProgramThatCannotStartIsReported)
{
    host::SettingsAppProcess::Options options;
    options.executable = root.path() / "no-such-program";
    options.deviceRoot = root.path();
    auto started = host::SettingsAppProcess::start(std::move(options));
    ASSERT_TRUE(std::holds_alternative<std::string>(started));
}

TEST_F(SettingsProcessTest, AnUnknownModelIsReported)
{
    host::SettingsAppProcess::Options options;
    options.executable = VANTOR_SETTINGS_APP;
    options.model = "iPhone99,9";
    options.deviceRoot = root.path();
    auto started = host::SettingsAppProcess::start(std::move(options));
    ASSERT_TRUE(std::holds_alternative<std::string>(started));
    EXPECT_NE(std::get<std::string>(started).find("unknown device model"), std::string::npos);
}
