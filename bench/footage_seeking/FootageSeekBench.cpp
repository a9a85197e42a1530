// What a time-lapse over a long clip costs: 100 pictures, one each second
// and one every six seconds, taken from a 10-minute 1080p clip at 30 frames
// a second, the way the camera takes them (MovieFootage::pictureAt, each
// picture converted to pixels).
//
//   bench_footage_seeking [--keep FOLDER] [--rounds N]
//
// The clips are made once with the ffmpeg tool (kept in FOLDER when given,
// and reused from there): one with a key frame every second, as a phone
// records, and one with x264's default of a key frame every 250 pictures.
// For each clip and interval it prints the median time over the rounds and
// the pictures decoded; then the ratio of the 6 s series to the 1 s series,
// and, as a peer for the 6 s series, the ffmpeg tool taking the same 100
// moments with an accurate seek each (one process per picture, so its
// figure includes starting the program).
#include "ChildRun.h"

#include "hardware/footage/MovieFootage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kPictures = 100;
constexpr double kClipSeconds = 600;
// The series start between two key frames, as a time-lapse started at any
// moment does.
constexpr double kFirstMoment = 0.5;

struct Series {
    double seconds { 0 };
    uint64_t decoded { 0 };
};

bool makeClip(const fs::path& file, int keyInterval)
{
    if (fs::exists(file))
        return true;
    std::printf("making %s (10 minutes of 1080p, a key frame every %d pictures)...\n", file.c_str(), keyInterval);
    std::fflush(stdout);
    std::string command = "ffmpeg -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration="
        + std::to_string(int(kClipSeconds)) + " -c:v libx264 -preset ultrafast -crf 30 -g " + std::to_string(keyInterval)
        + " -pix_fmt yuv420p '" + file.string() + ".part.mp4' && mv '" + file.string() + ".part.mp4' '" + file.string()
        + "'";
    return std::system(command.c_str()) == 0;
}

Series takeSeries(const fs::path& clip, double interval)
{
    auto opened = hardware::MovieFootage::open(clip);
    if (!std::holds_alternative<std::unique_ptr<hardware::MovieFootage>>(opened)) {
        std::fprintf(stderr, "cannot open %s: %s\n", clip.c_str(), std::get<std::string>(opened).c_str());
        std::exit(1);
    }
    auto& footage = *std::get<std::unique_ptr<hardware::MovieFootage>>(opened);
    uint64_t before = footage.picturesDecoded();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPictures; ++i) {
        if (!footage.pictureAt(kFirstMoment + i * interval)) {
            std::fprintf(stderr, "no picture at %.1f s\n", kFirstMoment + i * interval);
            std::exit(1);
        }
    }
    Series series;
    series.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    series.decoded = footage.picturesDecoded() - before;
    return series;
}

Series median(std::vector<Series> runs)
{
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

double peerSeconds(const fs::path& clip, double interval)
{
    double total = 0;
    for (int i = 0; i < kPictures; ++i) {
        char at[32];
        std::snprintf(at, sizeof at, "%.3f", kFirstMoment + i * interval);
        auto run = benchsupport::runChild({ "ffmpeg", "-v", "error", "-ss", at, "-i", clip.string(), "-frames:v", "1",
            "-pix_fmt", "bgra", "-f", "null", "-" });
        if (run.status != 0) {
            std::fprintf(stderr, "ffmpeg failed at %s s\n", at);
            std::exit(1);
        }
        total += run.seconds;
    }
    return total;
}

}

int main(int argc, char** argv)
{
    fs::path folder;
    int rounds = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--keep")
            folder = argv[i + 1];
        else if (option == "--rounds")
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    bool temporary = folder.empty();
    if (temporary)
        folder = fs::temp_directory_path() / ("footage-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);

    struct Clip {
        const char* name;
        int keyInterval;
    };
    const Clip clips[] = { { "key frame every second (as a phone records)", 30 },
        { "key frame every 250 pictures (x264's default)", 250 } };
    std::printf("%d time-lapse pictures from a 10-minute 1080p clip, median of %d rounds\n", kPictures, rounds);
    for (auto& clip : clips) {
        auto file = folder / ("clip-g" + std::to_string(clip.keyInterval) + ".mp4");
        if (!makeClip(file, clip.keyInterval)) {
            std::fprintf(stderr, "the ffmpeg tool could not make %s\n", file.c_str());
            return 1;
        }
        std::vector<Series> everySecond, everySixSeconds;
        for (int round = 0; round < rounds; ++round) {
            everySecond.push_back(takeSeries(file, 1));
            everySixSeconds.push_back(takeSeries(file, 6));
        }
        auto one = median(everySecond), six = median(everySixSeconds);
        double peer = peerSeconds(file, 6);
        std::printf("\n%s:\n", clip.name);
        std::printf("  every 1 s: %7.2f s  (%llu pictures decoded)\n", one.seconds, (unsigned long long)one.decoded);
        std::printf("  every 6 s: %7.2f s  (%llu pictures decoded)\n", six.seconds, (unsigned long long)six.decoded);
        std::printf("  6 s / 1 s: %7.2f\n", six.seconds / one.seconds);
        std::printf("  ffmpeg tool, every 6 s, a process a picture: %7.2f s; ours / ffmpeg: %.2f\n", peer,
            six.seconds / peer);
    }
    if (temporary)
        fs::remove_all(folder);
    return 0;
}
