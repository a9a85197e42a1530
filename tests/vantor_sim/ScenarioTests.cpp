#include "ParsedScenario.h"
#include "Scenario.h"

#include <gtest/gtest.h>

using namespace sim;
using sim::testing::parsed;

namespace {

ScenarioError failed(std::string_view text)
{
    auto result = Scenario::parse(text);
    EXPECT_TRUE(std::holds_alternative<ScenarioError>(result)) << text;
    return std::holds_alternative<ScenarioError>(result) ? std::get<ScenarioError>(result) : ScenarioError {};
}

}

TEST(ScenarioLanguage, ReadsEveryCommandWithItsArguments)
{
    auto scenario = parsed(R"(# a whole camera run
device iPhone6,1
setting rememberSettings bool true
setting timeStampFontName string Gill Sans  Bold
setting timerTime int 5
launch

tap 160 300
tap-view CameraButton#2
tap-view PLCameraView
longpress 100 200
longpress 100 200 2.5
drag 10 20 30 40
drag 10 20 30 40 1
swipe up
shutter
volume down
mode slomo
camera front
rotate landscape-left
gravity 0 -1 0
filters on
wait 0.5
background
foreground
memory-warning
screenshot strip.png
quit
)");
    ASSERT_EQ(scenario.lines.size(), 26u);
    EXPECT_EQ(scenario.lines[0].number, 2);
    EXPECT_EQ(std::get<command::Device>(scenario.lines[0].command).model, "iPhone6,1");
    auto& flag = std::get<command::Setting>(scenario.lines[1].command);
    EXPECT_EQ(flag.kind, command::Setting::Kind::Bool);
    EXPECT_TRUE(flag.boolValue);
    EXPECT_EQ(std::get<command::Setting>(scenario.lines[2].command).text, "Gill Sans  Bold");
    EXPECT_EQ(std::get<command::Setting>(scenario.lines[3].command).intValue, 5);
    auto& tapView = std::get<command::TapView>(scenario.lines[6].command);
    EXPECT_EQ(tapView.className, "CameraButton");
    EXPECT_EQ(tapView.tag, 2);
    EXPECT_FALSE(std::get<command::TapView>(scenario.lines[7].command).tag);
    EXPECT_EQ(std::get<command::LongPress>(scenario.lines[8].command).seconds, kDefaultLongPressSeconds);
    EXPECT_EQ(std::get<command::LongPress>(scenario.lines[9].command).seconds, 2.5);
    EXPECT_EQ(std::get<command::Drag>(scenario.lines[10].command).seconds, kDefaultDragSeconds);
    EXPECT_EQ(std::get<command::Mode>(scenario.lines[15].command).cameraMode, 2);
    EXPECT_EQ(std::get<command::Camera>(scenario.lines[16].command).cameraDevice, 1);
    EXPECT_EQ(std::get<command::Rotate>(scenario.lines[17].command).orientation, 4);
    EXPECT_EQ(std::get<command::Gravity>(scenario.lines[18].command).y, -1);
    EXPECT_EQ(std::get<command::Screenshot>(scenario.lines[24].command).fileName, "strip.png");
    EXPECT_TRUE(std::holds_alternative<command::Quit>(scenario.lines[25].command));
}

TEST(ScenarioLanguage, AWrongLineNamesItsNumberAndWhatWasExpected)
{
    auto error = failed("launch\n\ntap 10\n");
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.message, "line 3: tap expects X Y (finite numbers), got \"tap 10\"");

    EXPECT_EQ(failed("fly away").message, "line 1: unknown command \"fly\"");
    EXPECT_EQ(failed("swipe sideways").line, 1);
    EXPECT_EQ(failed("launch now").line, 1);
    EXPECT_EQ(failed("wait -1").line, 1);
    EXPECT_EQ(failed("wait soon").line, 1);
    EXPECT_EQ(failed("longpress 1 2 0").line, 1);
    EXPECT_EQ(failed("setting a bool maybe").line, 1);
    EXPECT_EQ(failed("setting a int 1.5").line, 1);
    EXPECT_EQ(failed("setting a float 1").line, 1);
    EXPECT_EQ(failed("tap-view Label#x").line, 1);
    EXPECT_EQ(failed("tap 1 nan").line, 1);
}

TEST(ScenarioLanguage, ScreenshotsAreFileNamesInsideTheOutputFolder)
{
    EXPECT_EQ(failed("screenshot ../escape.png").line, 1);
    EXPECT_EQ(failed("screenshot /tmp/x.png").line, 1);
    EXPECT_EQ(failed("screenshot picture.jpg").line, 1);
    EXPECT_EQ(failed("screenshot .png").line, 1);
    EXPECT_EQ(parsed("screenshot dial-type-1.png").lines.size(), 1u);
    EXPECT_EQ(failed("describe ../views.txt").line, 1);
    EXPECT_EQ(failed("describe views.png").line, 1);
    EXPECT_EQ(failed("describe").line, 1);
    EXPECT_EQ(parsed("describe views.txt").lines.size(), 1u);
}

TEST(ScenarioLanguage, CommentsBlankLinesAndWindowsLineEndingsAreFine)
{
    auto scenario = parsed("  # indented comment\r\n\r\nshutter\r\n   \nquit");
    ASSERT_EQ(scenario.lines.size(), 2u);
    EXPECT_EQ(scenario.lines[0].number, 3);
    EXPECT_EQ(scenario.lines[1].number, 5);
}

TEST(ScenarioLanguage, NotANumberAndInfinityAreRefusedWhereverANumberGoes)
{
    for (const char* line : { "tap nan 1", "tap 1 inf", "tap -inf 1", "longpress 1 2 nan", "longpress inf 2",
             "drag 1 2 3 nan", "drag 1 2 3 4 inf", "drag NaN 2 3 4", "gravity 0 -inf 0", "gravity nan 0 0" }) {
        auto error = failed(std::string("launch\n") + line);
        EXPECT_EQ(error.line, 2) << line;
        EXPECT_NE(error.message.find("finite numbers"), std::string::npos) << error.message;
    }
    for (const char* line : { "wait nan", "wait inf", "wait -inf", "wait infinity" })
        EXPECT_NE(failed(line).message.find("a number from 0 to 604800"), std::string::npos) << line;
    // Whole numbers that do not fit are refused too.
    EXPECT_EQ(failed("setting a int 99999999999").line, 1);
    EXPECT_EQ(failed("tap-view Label#99999999999").line, 1);
}

TEST(ScenarioLanguage, DurationsAreCheckedAgainstWhatTheCommandAllows)
{
    // A wait: 0 to a week.
    EXPECT_EQ(failed("launch\nwait 1e16\nshutter").message,
        "line 2: wait expects SECONDS (a number from 0 to 604800, a week), got \"wait 1e16\"");
    EXPECT_EQ(failed("wait 604800.5").line, 1);
    EXPECT_EQ(failed("wait -0.001").line, 1);
    EXPECT_EQ(std::get<command::Wait>(parsed("wait 604800").lines[0].command).seconds, kLongestWaitSeconds);
    EXPECT_EQ(std::get<command::Wait>(parsed("wait 0").lines[0].command).seconds, 0);

    // A long press: above 0, at most a week.
    EXPECT_NE(failed("longpress 1 2 0").message.find("seconds above 0, at most 604800"), std::string::npos);
    EXPECT_EQ(failed("longpress 1 2 -1").line, 1);
    EXPECT_EQ(failed("longpress 1 2 604801").line, 1);
    EXPECT_EQ(std::get<command::LongPress>(parsed("longpress 1 2 604800").lines[0].command).seconds, 604800);

    // A drag: above 0, at most a minute.
    EXPECT_NE(failed("drag 1 2 3 4 0").message.find("seconds above 0, at most 60"), std::string::npos);
    EXPECT_EQ(failed("drag 1 2 3 4 -0.5").line, 1);
    EXPECT_EQ(failed("drag 1 2 3 4 60.01").line, 1);
    EXPECT_EQ(std::get<command::Drag>(parsed("drag 1 2 3 4 60").lines[0].command).seconds, 60);
}
