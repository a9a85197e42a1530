#include "AfterRunChecks.h"

#include "ScenarioSession.h"
#include "kit/foundation/NSTimer.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/media/MovieEncoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The checks must catch what they are there for: each case damages one
// thing a run may leave behind and expects exactly that reported.
class AfterRunChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit::RunLoop::main().resetWithVirtualClock();
        m_root = fs::temp_directory_path() / ("monkey-checks-" + std::to_string(getpid()));
        fs::remove_all(m_root);
        fs::create_directories(dcim());
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path dcim() const { return m_root / "var/mobile/Media/DCIM/100APPLE"; }

    static std::shared_ptr<kit::CGImage> picture()
    {
        auto image = kit::CGImage::create(64, 48);
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x)
                pixels[y * 64 + x] = 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 5) << 8 | 90u;
        }
        return image;
    }

    fs::path writePhoto(const std::string& name)
    {
        auto bytes = kit::encodeJPEG(*picture(), 0.9);
        std::ofstream(dcim() / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()),
            std::streamsize(bytes->size()));
        return dcim() / name;
    }

    fs::path writeMovie(const std::string& name, int frames)
    {
        auto path = dcim() / name;
        kit::MovieEncoder encoder(path.string(), { 64, 48 });
        for (int i = 0; i < frames; ++i)
            encoder.append(*picture(), kit::CMTimeMake(i, 3));
        encoder.finish();
        return path;
    }

    static void cutInHalf(const fs::path& file) { fs::resize_file(file, fs::file_size(file) / 2); }

    void writeSettings(const kit::PropertyList::Dictionary& dictionary)
    {
        auto path = m_root / sim::kSettingsFile;
        fs::create_directories(path.parent_path());
        ASSERT_TRUE(kit::writePropertyListFile(dictionary, path));
    }

    fs::path m_root;
};

TEST_F(AfterRunChecksTest, WholePhotosAndMoviesPassAndADamagedOneIsNamed)
{
    writePhoto("IMG_0001.JPG");
    writeMovie("Movie-09122026-120000.MOV", 6);
    EXPECT_EQ(monkey::checkCameraRoll(m_root), std::vector<std::string> {});

    cutInHalf(writePhoto("IMG_0002.JPG"));
    auto problems = monkey::checkCameraRoll(m_root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].starts_with("IMG_0002.JPG: does not decode")) << problems[0];
}

TEST_F(AfterRunChecksTest, AMovieCutShortOrLeftBesideATemporaryIsAProblem)
{
    cutInHalf(writeMovie("Movie-09122026-120000.MOV", 12));
    std::ofstream(dcim() / "IMG_0003.JPG.partial") << "half a photo";
    auto problems = monkey::checkCameraRoll(m_root);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_TRUE(problems[0].starts_with("IMG_0003.JPG.partial: neither a photo nor a movie")
        || problems[1].starts_with("IMG_0003.JPG.partial: neither a photo nor a movie"));
    EXPECT_TRUE(problems[0].starts_with("Movie-") || problems[1].starts_with("Movie-"));
}

TEST_F(AfterRunChecksTest, TheSettingsFileMustHoldTheExtensionsKeys)
{
    EXPECT_EQ(monkey::checkSettingsFile(m_root), std::vector<std::string> { "the extension saved no settings file" });

    kit::PropertyList::Dictionary saved { { "rememberSettings", false }, { "advPhotoModeAsDefault", int64_t(1) },
        { "advVideoModeAsDefault", int64_t(0) }, { "showHelpHowToShow", true }, { "showHelpHowToHide", false } };
    writeSettings(saved);
    EXPECT_EQ(monkey::checkSettingsFile(m_root), std::vector<std::string> {});

    // Remembering asks for the remembered group too.
    saved["rememberSettings"] = true;
    writeSettings(saved);
    auto problems = monkey::checkSettingsFile(m_root);
    EXPECT_EQ(problems.size(), 13u);
    EXPECT_EQ(problems.front(), "the settings file lacks guideIndex");

    saved["rememberSettings"] = false;
    saved["advPhotoModeAsDefault"] = "one";
    writeSettings(saved);
    EXPECT_EQ(monkey::checkSettingsFile(m_root),
        std::vector<std::string> { "the settings file's advPhotoModeAsDefault is not a number or a flag" });

    std::ofstream(m_root / sim::kSettingsFile) << "<plist><dict><key>rememberSettings</key>";
    EXPECT_EQ(monkey::checkSettingsFile(m_root), std::vector<std::string> { "the settings file does not parse" });
}

TEST_F(AfterRunChecksTest, ATimerThatKeepsRunningIsReportedOneThatStopsAtItsNextTickIsNot)
{
    auto stopsAtNextTick = kit::NSTimer::scheduledTimerWithTimeInterval(1.0,
        kit::Action::function([](kit::id timer) { static_cast<kit::NSTimer*>(timer)->invalidate(); }), true);
    EXPECT_EQ(monkey::checkNothingLeftRunning(), std::vector<std::string> {});

    auto forever = kit::NSTimer::scheduledTimerWithTimeInterval(1.5, kit::Action::function([](kit::id) { }), true);
    auto problems = monkey::checkNothingLeftRunning();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].starts_with("a timer (every 1.500 s")) << problems[0];
    forever->invalidate();
}

}
