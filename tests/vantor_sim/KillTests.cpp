// The camera killed (SIGKILL) at the worst moments, again and again on the
// same device root: in a photo save, in a time-lapse movie's export and its
// album copy, and in a settings write. Each round runs the camera in a child
// process that stops itself at the chosen moment and is killed there; the
// files are then judged by decoding them.
//
// The moments are found by interposing write() and fsync(), which the
// platform's file writers call on their temporaries: the child pauses in the
// n-th such call on a file whose path names the kind, tells the parent, and
// the parent kills it.

#include "DeviceRootInstaller.h"
#include "ScenarioRunner.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/TemporaryFile.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/MovieProbe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <map>
#include <poll.h>
#include <signal.h>
#include <span>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Where the child is to stop: the n-th call of write() or fsync() on a file
// whose path holds `pathPart`. Set only in the child.
struct KillPoint {
    const char* call { nullptr };
    const char* pathPart { nullptr };
    int remaining { 0 };
    int toParent { -1 };
};
KillPoint killPoint;

bool stopsHere(const char* call, int fd)
{
    if (!killPoint.call || std::string_view(call) != killPoint.call)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length <= 0)
        return false;
    path[length] = '\0';
    if (!std::strstr(path, killPoint.pathPart) || --killPoint.remaining > 0)
        return false;
    char stopped = 1;
    [[maybe_unused]] auto told = ::write(killPoint.toParent, &stopped, 1);
    for (;;)
        ::pause();
}

template <typename F>
F* next(const char* name)
{
    static_assert(std::is_function_v<F>);
    return reinterpret_cast<F*>(::dlsym(RTLD_NEXT, name));
}

}

// The interposed calls: unchanged unless the child has reached its moment.
extern "C" ssize_t write(int fd, const void* bytes, size_t count)
{
    static auto* real = next<ssize_t(int, const void*, size_t)>("write");
    if (killPoint.call && fd != killPoint.toParent)
        stopsHere("write", fd);
    return real(fd, bytes, count);
}

extern "C" int fsync(int fd)
{
    static auto* real = next<int(int)>("fsync");
    if (killPoint.call)
        stopsHere("fsync", fd);
    return real(fd);
}

namespace {

// Two photos, then a time-lapse of two photos three seconds apart made into a
// movie, then a trip to the background (the extension saves its settings).
constexpr const char* kScenario = R"(device iPhone6,1
setting rememberSettings bool true
setting timeLapseTime int 3
setting convertTimeLapseToVideo bool true
launch
shutter
wait 0.5
shutter
wait 0.5
drag 250 360 250 210 0.15
wait 1
tap-view TimeLapseButton#3
wait 1
shutter
wait 7
tap-view SelectorDialEx
wait 3
background
wait 1
foreground
wait 1
quit
)";

class KilledCamera : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("killed-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        auto installed = sim::DeviceRootInstaller(VANTOR_STAGED_ROOT).install(root());
        ASSERT_TRUE(installed.ok) << installed.error;
        auto parsed = sim::Scenario::parse(kScenario);
        ASSERT_TRUE(std::holds_alternative<sim::Scenario>(parsed));
        m_scenario = std::get<sim::Scenario>(parsed);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path root() const { return m_folder / "root"; }
    fs::path settingsFile() const { return root() / sim::kSettingsFile; }

    // Runs the scenario in a child; with a kill point, kills the child when it
    // gets there. Whether the child stopped at the point (or, without one,
    // ran to its end).
    bool runChild(KillPoint point)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return false;
        pid_t child = ::fork();
        if (child < 0)
            return false;
        if (child == 0) {
            ::close(ends[0]);
            point.toParent = ends[1];
            killPoint = point;
            sim::RunOptions options;
            options.deviceRoot = root();
            options.outputFolder = m_folder / "out";
            auto outcome = sim::ScenarioRunner(options).run(m_scenario);
            ::_exit(outcome.ok ? 0 : 1);
        }
        ::close(ends[1]);
        pollfd wait { ends[0], POLLIN, 0 };
        char stopped = 0;
        bool reached = ::poll(&wait, 1, 120'000) == 1 && ::read(ends[0], &stopped, 1) == 1;
        ::close(ends[0]);
        if (reached)
            ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!point.call)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return reached;
    }

    // Every file under a final name in the camera roll and the album, by what
    // its bytes decode as; temporaries are listed apart.
    struct Roll {
        std::map<fs::path, std::string> whole; // path -> bytes
        std::vector<fs::path> temporaries;
    };
    Roll readRoll()
    {
        Roll roll;
        for (auto folder : { root() / "var/mobile/Media" }) {
            std::error_code error;
            for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
                if (!it->is_regular_file())
                    continue;
                if (kit::TemporaryFile::isTemporaryName(it->path().filename().string())) {
                    roll.temporaries.push_back(it->path());
                    continue;
                }
                std::ifstream file(it->path(), std::ios::binary);
                std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
                EXPECT_TRUE(decodesWhole(it->path(), bytes)) << it->path() << " is under a final name but not whole";
                roll.whole[it->path()] = std::move(bytes);
            }
        }
        return roll;
    }

    static bool decodesWhole(const fs::path& path, const std::string& bytes)
    {
        std::span data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        if (bytes.size() > 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8)
            return bool(kit::decodeJPEG(data).image);
        auto movie = kit::probeMovie(path);
        return movie && movie->isH264Movie() && movie->durationSeconds > 0;
    }

    // The settings file parses whole and holds what the scenario set.
    void expectSettingsWhole(const std::string& round)
    {
        auto settings = kit::readPropertyListFile(settingsFile());
        ASSERT_TRUE(settings && settings->dictionary()) << round;
        EXPECT_EQ(settings->dictionary()->count("timeLapseTime"), 1u) << round;
        EXPECT_EQ(settings->dictionary()->count("convertTimeLapseToVideo"), 1u) << round;
    }

    struct Round {
        KillPoint point;
        bool launched; // whether the camera had started when it was killed
    };

    // Kills the camera at each point in turn on the same device root, then
    // lets it run to its end; after each run: every file under a final name
    // decodes whole, no earlier photo or movie is lost or changed, the
    // settings file is whole, and a start has removed the temporaries that
    // the killed writers left.
    void killAtEach(std::span<const Round> rounds)
    {
        std::map<fs::path, std::string> kept;
        std::vector<fs::path> leftBehind;
        int stoppedMidWrite = 0;
        for (size_t round = 0; round < rounds.size(); ++round) {
            const auto& point = rounds[round].point;
            auto name = "round " + std::to_string(round) + " (" + point.call + " " + point.pathPart + ")";
            ASSERT_TRUE(runChild(point)) << name << ": the camera never got there";

            auto roll = readRoll();
            for (const auto& [path, bytes] : kept) {
                auto found = roll.whole.find(path);
                ASSERT_NE(found, roll.whole.end()) << name << ": " << path << " was lost";
                EXPECT_EQ(found->second, bytes) << name << ": " << path << " changed";
            }
            kept = std::move(roll.whole);
            expectSettingsWhole(name);

            if (rounds[round].launched) {
                for (const auto& path : leftBehind)
                    EXPECT_FALSE(fs::exists(path)) << name << ": " << path << " is still there";
                leftBehind.clear();
            }
            auto temporaries = roll.temporaries;
            for (const auto& entry : fs::directory_iterator(settingsFile().parent_path())) {
                if (kit::TemporaryFile::isTemporaryName(entry.path().filename().string()))
                    temporaries.push_back(entry.path());
            }
            stoppedMidWrite += temporaries.empty() ? 0 : 1;
            leftBehind.insert(leftBehind.end(), temporaries.begin(), temporaries.end());
        }
        EXPECT_EQ(stoppedMidWrite, int(rounds.size())) << "each kill leaves its write's temporary";

        ASSERT_TRUE(runChild({}));
        auto roll = readRoll();
        EXPECT_TRUE(roll.temporaries.empty());
        for (const auto& path : leftBehind)
            EXPECT_FALSE(fs::exists(path)) << path;
        for (const auto& [path, bytes] : kept)
            EXPECT_TRUE(roll.whole.count(path)) << path << " was lost";
        EXPECT_GE(roll.whole.size(), kept.size() + 5) << "four photos and a movie";
        expectSettingsWhole("the last run");
    }

    fs::path m_folder;
    sim::Scenario m_scenario;
};

}

TEST_F(KilledCamera, InAPhotoSaveOrASettingsWrite)
{
    const Round rounds[] = {
        { { "fsync", "/.IMG_", 1 }, true }, // the first photo, written, not yet in place
        { { "fsync", "Vantor2.plist.partial-", 1 }, false }, // the settings the scenario sets
        { { "fsync", "/.IMG_", 3 }, true }, // a time-lapse photo
        { { "fsync", "Vantor2.plist.partial-", 2 }, true }, // the extension saving its settings
        { { "fsync", "/.IMG_", 2 }, true },
    };
    killAtEach(rounds);
}

TEST_F(KilledCamera, InATimeLapseMoviesExportOrItsAlbumCopy)
{
    const Round rounds[] = {
        { { "write", "/.Movie-", 1 }, true }, // the movie's first bytes
        { { "write", "/.Movie-", 4 }, true }, // the movie half written
        { { "fsync", "/.Movie-", 1 }, true }, // the movie written, not yet in place
        { { "fsync", "/Album/.", 1 }, true }, // the album's copy of the movie
    };
    killAtEach(rounds);
}
