#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/TemporaryFile.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace kit;
namespace fs = std::filesystem;

namespace {

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("atomic-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::vector<std::string> namesInFolder() const
    {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_folder;
};

PropertyList::Dictionary settingsWithValue(int value)
{
    PropertyList::Dictionary dictionary;
    for (int i = 0; i < 4000; ++i)
        dictionary["key" + std::to_string(i)] = value;
    return dictionary;
}

}

TEST_F(AtomicWrite, AWriterKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole)
{
    auto first = settingsWithValue(1);
    auto second = settingsWithValue(2);
    auto path = m_folder / "com.quillon.Vantor2.plist";
    ASSERT_TRUE(writePropertyListFile(first, path));
    // Serialised before forking: the child only writes.
    auto firstXml = serializePropertyListXml(first);
    auto secondXml = serializePropertyListXml(second);
    std::span firstBytes(reinterpret_cast<const uint8_t*>(firstXml.data()), firstXml.size());
    std::span secondBytes(reinterpret_cast<const uint8_t*>(secondXml.data()), secondXml.size());

    std::mt19937 random(7);
    for (int round = 0; round < 25; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            for (int i = 0;; ++i) {
                writeFileAtomically(path, i % 2 ? secondBytes : firstBytes);
                char done = 1;
                if (::write(pipeEnds[1], &done, 1) != 1)
                    ::_exit(0);
            }
        }
        ::close(pipeEnds[1]);
        // Let the child finish a few writes, then kill it in the middle of the next.
        int writes = 1 + int(random() % 4);
        for (int i = 0; i < writes; ++i) {
            char done;
            ASSERT_EQ(::read(pipeEnds[0], &done, 1), 1);
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(pipeEnds[0]);

        auto left = dictionaryWithContentsOfFile(path.string());
        ASSERT_TRUE(left) << "round " << round;
        EXPECT_TRUE(*left == first || *left == second) << "round " << round;
        // What the killed writer left behind goes at the next start.
        TemporaryFile::removeAbandoned(m_folder, false);
        EXPECT_EQ(namesInFolder(), std::vector<std::string> { "com.quillon.Vantor2.plist" }) << "round " << round;
    }
}

TEST_F(AtomicWrite, OnlyTemporariesThatNoWriterHoldsAreRemoved)
{
    std::ofstream(m_folder / "IMG_0001.JPG") << "photo";
    std::ofstream(m_folder / ".hidden") << "not ours";
    std::ofstream(m_folder / ".IMG_0001.JPG.partial") << "no unique part";
    std::ofstream(m_folder / ".IMG_0002.JPG.partial-a1B2c3") << "left by a writer that died";
    fs::create_directories(m_folder / "101APPLE");
    std::ofstream(m_folder / "101APPLE" / ".IMG_0100.JPG.partial-zzzzzz") << "one folder down";
    int error = 0;
    auto held = TemporaryFile::createBeside(m_folder / "IMG_0003.JPG", error);
    ASSERT_TRUE(held) << error;
    EXPECT_TRUE(TemporaryFile::isTemporaryName(held->path().filename().string()));

    EXPECT_EQ(TemporaryFile::removeAbandoned(m_folder, false), 1);
    EXPECT_TRUE(fs::exists(held->path())) << "its writer still holds it";
    EXPECT_TRUE(fs::exists(m_folder / "101APPLE" / ".IMG_0100.JPG.partial-zzzzzz"));
    EXPECT_EQ(TemporaryFile::removeAbandoned(m_folder, true), 1);

    auto path = held->path();
    held.reset();
    EXPECT_EQ(TemporaryFile::removeAbandoned(m_folder, true), 1);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(namesInFolder(), (std::vector<std::string> { ".IMG_0001.JPG.partial", ".hidden", "101APPLE", "IMG_0001.JPG" }));
}

TEST_F(AtomicWrite, AFailedWriteReportsFailureAndChangesNothing)
{
    // The target is a folder with something in it: the final rename fails.
    auto path = m_folder / "settings.plist";
    fs::create_directory(path);
    std::ofstream(path / "keep");
    EXPECT_FALSE(writeToFile({ { "a", 1 } }, path.string(), true));
    EXPECT_EQ(namesInFolder(), std::vector<std::string> { "settings.plist" });
    EXPECT_TRUE(fs::exists(path / "keep"));

    // A folder that does not exist.
    EXPECT_FALSE(writeToFile({ { "a", 1 } }, (m_folder / "missing" / "x.plist").string(), true));
    // A folder whose name is taken by a file.
    std::ofstream(m_folder / "file");
    EXPECT_FALSE(writeToFile({ { "a", 1 } }, (m_folder / "file" / "x.plist").string(), true));
    EXPECT_EQ(namesInFolder(), (std::vector<std::string> { "file", "settings.plist" }));
}

TEST_F(AtomicWrite, ASuccessfulWriteReplacesTheFileAndLeavesNoTemporary)
{
    auto path = m_folder / "settings.plist";
    ASSERT_TRUE(writeToFile({ { "a", 1 } }, path.string(), true));
    ASSERT_TRUE(writeToFile({ { "b", 2 } }, path.string(), true));
    EXPECT_EQ(dictionaryWithContentsOfFile(path.string()), (PropertyList::Dictionary { { "b", 2 } }));
    EXPECT_EQ(namesInFolder(), std::vector<std::string> { "settings.plist" });
    ASSERT_TRUE(writeToFile({ { "c", 3 } }, path.string(), false));
    EXPECT_EQ(dictionaryWithContentsOfFile(path.string()), (PropertyList::Dictionary { { "c", 3 } }));
}
