#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"
#include "kit/runtime/Loader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace kit;
namespace fs = std::filesystem;

namespace {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("loader-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(libraries());
        SystemLog::clearRecentLines();
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path libraries() const { return m_root / "Library/MobileSubstrate/DynamicLibraries"; }

    void writeFilter(const std::string& name, std::vector<std::string> bundles)
    {
        PropertyList::Array list;
        for (auto& b : bundles)
            list.push_back(b);
        PropertyList::Dictionary filter { { "Bundles", list } };
        ASSERT_TRUE(writePropertyListFile(PropertyList::Dictionary { { "Filter", filter } }, libraries() / (name + ".plist")));
    }

    int linesSaying(const std::string& text)
    {
        auto lines = SystemLog::recentLines();
        return int(std::count_if(lines.begin(), lines.end(), [&](auto& l) { return l.find(text) != std::string::npos; }));
    }

    fs::path m_root;
};

}

TEST_F(LoaderTest, LoadsOnlyIntoTheProcessesAFilterNamesAndRunsTheEntryOnce)
{
    fs::copy_file(TEST_TWEAK_PATH, libraries() / "TestTweak.so");
    writeFilter("TestTweak", { "com.apple.camera", "com.apple.springboard" });

    auto other = Loader::loadInto(m_root, "com.apple.mobilesafari");
    EXPECT_TRUE(other.loaded.empty());
    EXPECT_EQ(linesSaying("TestTweak initialised"), 0);
    EXPECT_EQ(linesSaying("Loader: TestTweak not loaded into com.apple.mobilesafari: its filter does not name it"), 1);

    auto camera = Loader::loadInto(m_root, "com.apple.camera");
    EXPECT_EQ(camera.loaded, std::vector<std::string> { "TestTweak" });
    EXPECT_EQ(linesSaying("TestTweak initialised"), 1);
    EXPECT_EQ(linesSaying("Loader: TestTweak loaded into com.apple.camera"), 1);

    // The entry runs once per process, however often the loader is asked.
    Loader::loadInto(m_root, "com.apple.springboard");
    EXPECT_EQ(linesSaying("TestTweak initialised"), 1);
}

// Two device roots linking the same file load one library: its entry runs
// once, so it never installs its replacements over its own.
TEST_F(LoaderTest, TheSameLibraryReachedFromTwoRootsRunsItsEntryOnce)
{
    fs::path second = m_root / "second";
    fs::path secondLibraries = second / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(secondLibraries);
    fs::create_symlink(TEST_TWEAK_PATH, libraries() / "TestTweak.so");
    fs::create_symlink(TEST_TWEAK_PATH, secondLibraries / "TestTweak.so");
    writeFilter("TestTweak", { "com.apple.camera" });
    fs::copy_file(libraries() / "TestTweak.plist", secondLibraries / "TestTweak.plist");

    EXPECT_EQ(Loader::loadInto(m_root, "com.apple.camera").loaded, std::vector<std::string> { "TestTweak" });
    EXPECT_EQ(Loader::loadInto(second, "com.apple.camera").loaded, std::vector<std::string> { "TestTweak" });
    EXPECT_EQ(linesSaying("TestTweak initialised"), 1);
}

TEST_F(LoaderTest, ALibraryThatCannotBeOpenedIsLoggedAndSkipped)
{
    std::ofstream(libraries() / "Broken.so") << "not a library";
    writeFilter("Broken", { "com.apple.camera" });
    writeFilter("Missing", { "com.apple.camera" });
    std::ofstream(libraries() / "Unfiltered.so") << "never opened";

    auto result = Loader::loadInto(m_root, "com.apple.camera");
    EXPECT_TRUE(result.loaded.empty());
    EXPECT_EQ(result.skipped, (std::vector<std::string> { "Broken", "Missing" }));
    EXPECT_EQ(linesSaying("cannot open"), 2);
    EXPECT_EQ(linesSaying("Unfiltered"), 0);
}

TEST_F(LoaderTest, AFilterWithoutBundlesOrOfTheWrongShapeMatchesNothing)
{
    std::ofstream(libraries() / "Garbage.plist") << "<plist><dict><key>Filter</key>";
    ASSERT_TRUE(writePropertyListFile(PropertyList::Dictionary { { "Filter", "com.apple.camera" } },
        libraries() / "WrongShape.plist"));
    EXPECT_FALSE(Loader::filterMatches(libraries() / "Garbage.plist", "com.apple.camera"));
    EXPECT_FALSE(Loader::filterMatches(libraries() / "WrongShape.plist", "com.apple.camera"));
}
