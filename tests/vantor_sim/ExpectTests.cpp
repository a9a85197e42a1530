#include "ParsedScenario.h"
#include "ScenarioRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace sim;
using sim::testing::parsed;
namespace fs = std::filesystem;

namespace {

command::Expect expectation(std::string_view line)
{
    auto scenario = parsed(line);
    EXPECT_EQ(scenario.lines.size(), 1u) << line;
    if (scenario.lines.empty() || !std::holds_alternative<command::Expect>(scenario.lines[0].command))
        return {};
    return std::get<command::Expect>(scenario.lines[0].command);
}

std::string parseError(std::string_view text)
{
    auto result = Scenario::parse(text);
    return std::holds_alternative<ScenarioError>(result) ? std::get<ScenarioError>(result).message : "";
}

class ExpectRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("expect-" + std::to_string(::getpid()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    ScenarioRunner::Outcome run(std::string_view text)
    {
        RunOptions o;
        o.deviceRoot = m_folder / "root";
        o.outputFolder = m_folder / "out";
        o.loadExtension = false;
        o.progress = [this](const std::string& line) { progress.push_back(line); };
        return ScenarioRunner(o).run(parsed(text));
    }

    std::string events()
    {
        std::ifstream file(m_folder / "out" / "events.log");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path m_folder;
    std::vector<std::string> progress;
};

}

TEST(ExpectLanguage, ReadsEveryKindWithItsArguments)
{
    using Kind = command::Expect::Kind;
    auto view = expectation("expect view CAMTopBar#3");
    EXPECT_EQ(view.kind, Kind::View);
    EXPECT_FALSE(view.negated);
    EXPECT_EQ(view.className, "CAMTopBar");
    EXPECT_EQ(view.tag, 3);
    auto noView = expectation("expect no view FocusView");
    EXPECT_TRUE(noView.negated);
    EXPECT_EQ(noView.className, "FocusView");
    EXPECT_EQ(noView.tag, std::nullopt);

    auto text = expectation("  expect text  Time Lapse  Mode \t");
    EXPECT_EQ(text.kind, Kind::Text);
    EXPECT_EQ(text.text, "Time Lapse  Mode");
    EXPECT_TRUE(expectation("expect no text HDR Off").negated);

    EXPECT_EQ(expectation("expect photos 0").count, 0);
    auto movies = expectation("expect movies 12");
    EXPECT_EQ(movies.kind, Kind::Movies);
    EXPECT_EQ(movies.count, 12);

    auto setting = expectation("expect setting timeStampFontName DejaVu Serif Bold");
    EXPECT_EQ(setting.kind, Kind::Setting);
    EXPECT_EQ(setting.key, "timeStampFontName");
    EXPECT_EQ(setting.text, "DejaVu Serif Bold");
    auto noSetting = expectation("expect no setting guideIndex");
    EXPECT_TRUE(noSetting.negated);
    EXPECT_EQ(noSetting.key, "guideIndex");

    auto log = expectation("expect log PLCameraView _shutterButtonClicked");
    EXPECT_EQ(log.kind, Kind::Log);
    EXPECT_EQ(log.text, "PLCameraView _shutterButtonClicked");
}

TEST(ExpectLanguage, AMalformedExpectationIsRefusedWithWhatExpectAllows)
{
    auto allowed = "expect expects view CLASS[#TAG], no view CLASS[#TAG], text TEXT, no text TEXT, photos N, "
                   "movies N (whole numbers from 0), setting KEY VALUE, no setting KEY (KEY one word), or log TEXT";
    EXPECT_EQ(parseError("launch\nexpect pixels 3"), std::string("line 2: ") + allowed + ", got \"expect pixels 3\"");
    for (auto line : { "expect", "expect no", "expect view", "expect view #3", "expect view A#x", "expect view A B",
             "expect text", "expect no text  ", "expect photos", "expect photos 1.5", "expect photos -1",
             "expect photos three", "expect movies 2 3", "expect no photos 1", "expect setting timerTime",
             "expect setting \"my key\" 3", "expect no setting guideIndex 2", "expect log", "expect no log x" }) {
        EXPECT_NE(parseError(line), "") << line;
    }
}

TEST_F(ExpectRunTest, ExpectationsThatHoldAreMarkedAndTheRunEndsWell)
{
    // A photo of an earlier run is not one of this run's.
    fs::create_directories(m_folder / "root/var/mobile/Media/DCIM/100APPLE");
    std::ofstream(m_folder / "root/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG") << "an earlier photo";
    auto outcome = run(R"(setting rememberSettings bool true
setting timerTime int 7
setting timeStampFontName string Gill Sans
expect photos 0
launch
expect view CAMTopBar
expect text HDR Off
expect no view CAMHDRMenuItem
expect no view NoSuchView#2
expect setting rememberSettings true
expect setting timerTime 7.0
expect setting timeStampFontName Gill Sans
expect no setting noSuchKey
shutter
wait 1
expect photos 1
expect movies 0
expect log PLCameraView _shutterButtonClicked
quit
expect photos 1
expect setting timerTime 7
)");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    auto log = events();
    EXPECT_NE(log.find("# line 6: expect a visible CAMTopBar: held"), std::string::npos) << log;
    EXPECT_NE(log.find("# line 16: expect 1 photo: held"), std::string::npos) << log;
    EXPECT_NE(log.find("# line 21: expect setting timerTime = 7: held"), std::string::npos) << log;
    EXPECT_NE(std::find(progress.begin(), progress.end(), "    1.050  expect 1 photo: held"), progress.end());
}

TEST_F(ExpectRunTest, AFailingExpectationStopsTheRunAtItsLineAndKeepsWhatWasMade)
{
    auto outcome = run("launch\nshutter\nwait 1\nexpect photos 3\nscreenshot after.png\nshutter\n");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "line 4: expected 3 photos; found 1");
    // Nothing after it ran; the photo taken before is kept beside the log.
    EXPECT_FALSE(fs::exists(m_folder / "out" / "after.png"));
    EXPECT_EQ(outcome.cameraRoll.size(), 1u);
    auto log = events();
    EXPECT_NE(log.find("# line 4: expect 3 photos: did not hold"), std::string::npos) << log;
    EXPECT_NE(log.find("# stopped: line 4: expected 3 photos; found 1"), std::string::npos) << log;
    EXPECT_EQ(log.find("# line 5"), std::string::npos) << log;
}

// A scenario whose last line fails, and the start of what the run says.
struct FailingExpectation {
    const char* name;
    const char* scenario;
    const char* error;
};

class ExpectFailureTest : public ExpectRunTest, public ::testing::WithParamInterface<FailingExpectation> { };

TEST_P(ExpectFailureTest, SaysWhatWasThereInstead)
{
    auto outcome = run(GetParam().scenario);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error.rfind(GetParam().error, 0), 0u) << outcome.error;
}

INSTANTIATE_TEST_SUITE_P(ExpectRunTest, ExpectFailureTest,
    ::testing::Values(
        FailingExpectation { "HiddenView", "launch\nexpect view CAMHDRMenuItem\n",
            "line 2: expected a visible CAMHDRMenuItem; found 2, not visible: hidden=yes" },
        FailingExpectation { "VisibleView", "launch\nexpect no view CAMTopBar\n",
            "line 2: expected no visible CAMTopBar; found CAMTopBar#0 at (0, 0, 320, " },
        FailingExpectation { "MissingText", "launch\nexpect text Vantor\n",
            "line 2: expected a visible label or button with the text \"Vantor\"; found none in any window" },
        FailingExpectation { "BooleanSetting", "setting rememberSettings bool true\nlaunch\nexpect setting rememberSettings 1\n",
            "line 3: expected setting rememberSettings = 1; found true" },
        FailingExpectation { "NumberSetting", "setting timerTime int 7\nlaunch\nexpect setting timerTime 5\n",
            "line 3: expected setting timerTime = 5; found 7" },
        FailingExpectation { "TextSetting", "setting a string Gill Sans\nlaunch\nexpect setting a Gill\n",
            "line 3: expected setting a = Gill; found \"Gill Sans\"" },
        FailingExpectation { "PresentSetting", "setting a string b\nlaunch\nexpect no setting a\n",
            "line 3: expected no setting a; found \"b\"" },
        FailingExpectation { "MissingKey", "setting a string b\nlaunch\nexpect setting c d\n",
            "line 3: expected setting c = d; found no such key" },
        FailingExpectation { "MovieCount", "launch\nexpect movies 1\n", "line 2: expected 1 movie; found 0" },
        FailingExpectation { "LogText", "launch\nexpect log no such line\n",
            "line 2: expected a line of events.log containing \"no such line\"; found none among its " }),
    [](const ::testing::TestParamInfo<FailingExpectation>& param) { return param.param.name; });

TEST_F(ExpectRunTest, AScreenExpectationNeedsARunningAppTheOthersMayComeAnywhere)
{
    EXPECT_EQ(run("expect view CAMTopBar\nlaunch\n").error,
        "line 1: expect needs the camera running: put launch before it");
    EXPECT_EQ(run("launch\nquit\nexpect text HDR Off\n").error, "line 3: expect comes after quit");
    auto outcome = run("expect no setting a\nexpect photos 0\nlaunch\nquit\nexpect photos 0\nexpect log quit\n");
    EXPECT_TRUE(outcome.ok) << outcome.error;
}
