// The time-lapse export's speed and memory, against the ffmpeg tool, and
// its picture against ffmpeg's so that speed is not bought with quality.
//
//   bench_timelapse_export [--photos N] [--rounds N] [--keep FOLDER]
//
// Makes N photos of 3264 x 2448 (default 100; kept in FOLDER when given, and
// reused from there), then, in each round, runs each peer in a fresh process
// timed and measured the same way from outside (wall time, peak resident
// memory from wait4):
//  - the extension's export (TimeLapseMovieExport::exportImages): decode,
//    draw upright into a pixel buffer, append, one photo at a time, into a
//    1080 x 1920 H.264 QuickTime movie at 3 frames per second;
//  - ffmpeg making the same movie from the same files with the same x264
//    preset and quality, scaler and colour description.
// Prints frames per second and peak memory (medians over the rounds), their
// ratios ours / ffmpeg, and the SSIM of our movie against ffmpeg's.
#include "ChildRun.h"
#include "SyntheticPhoto.h"

#include "extension/camerabar/TimeLapseMovieExport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/media/MovieEncoder.h"
#include "kit/media/MovieProbe.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using benchsupport::ChildRun;
using benchsupport::runChild;

namespace {

constexpr int photoWidth = 3264;
constexpr int photoHeight = 2448;

std::string photoName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.JPG", index + 1);
    return name;
}

void makePhotos(const fs::path& folder, int count)
{
    kit::ExifMetadata metadata;
    metadata.setOrientation(1);
    for (int i = 0; i < count; ++i) {
        if (fs::exists(folder / photoName(i)))
            continue;
        auto bytes = kit::encodeJPEG(*benchsupport::syntheticPhoto(photoWidth, photoHeight, i), 0.9, &metadata);
        std::ofstream(folder / photoName(i), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    }
}

// The child's part: the export itself. With no device root set, device paths
// are plain paths.
int exportInChild(const fs::path& folder, int count)
{
    kit::RunLoop::main().resetWithVirtualClock();
    std::vector<std::string> photos;
    for (int i = 0; i < count; ++i)
        photos.push_back((folder / photoName(i)).string());
    auto movie = vantor::TimeLapseMovieExport::exportImages(photos, (folder / "ours").string());
    if (!movie)
        return 1;
    std::printf("%s\n", movie->c_str());
    return 0;
}

// "All:0.987654" of ffmpeg's ssim filter comparing two movies frame by frame.
double movieSSIM(const fs::path& ours, const fs::path& theirs)
{
    auto run = runChild({ "sh", "-c",
        "ffmpeg -v info -nostats -i '" + ours.string() + "' -i '" + theirs.string()
            + "' -lavfi '[0:v][1:v]ssim' -f null - 2>&1 | grep -o 'All:[0-9.]*' | tail -1" });
    double value = -1;
    if (run.status != 0 || std::sscanf(run.output.c_str(), "All:%lf", &value) != 1)
        return -1;
    return value;
}

struct Figures {
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
    std::vector<double> peakMB;

    void add(const ChildRun& run)
    {
        seconds.push_back(run.seconds);
        cpuSeconds.push_back(run.cpuSeconds);
        peakMB.push_back(run.peakKiB / 1024.0);
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}

int main(int argc, char** argv)
{
    int photos = 100;
    int rounds = 3;
    fs::path keep;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--export" && i + 2 < argc)
            return exportInChild(argv[i + 1], std::atoi(argv[i + 2]));
        if (argument == "--photos" && i + 1 < argc)
            photos = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--photos N] [--rounds N] [--keep FOLDER]\n", argv[0]);
            return 2;
        }
    }

    fs::path folder = keep.empty() ? fs::temp_directory_path() / ("bench-timelapse-" + std::to_string(getpid())) : keep;
    fs::create_directories(folder);
    std::printf("time-lapse export of %d photos %dx%d into a %dx%d movie, %d rounds, medians (in %s)\n", photos,
        photoWidth, photoHeight, vantor::TimeLapseMovieExport::movieWidth, vantor::TimeLapseMovieExport::movieHeight,
        rounds, folder.c_str());
    makePhotos(folder, photos);

    // ffmpeg gets what the export asks of the writer: real-time input (the
    // x264 preset that gives), constant quality, bicubic scaling into the
    // frame with black bars, BT.709 limited range.
    kit::MovieEncoderSettings settings { vantor::TimeLapseMovieExport::movieWidth,
        vantor::TimeLapseMovieExport::movieHeight, true, 0 };
    std::string w = std::to_string(settings.width), h = std::to_string(settings.height);
    fs::path theirMovie = folder / "ffmpeg.mov";
    std::vector<std::string> ffmpeg { "ffmpeg", "-v", "error", "-y", "-framerate", "3", "-start_number", "1", "-i",
        (folder / "IMG_%04d.JPG").string(), "-frames:v", std::to_string(photos), "-vf",
        "scale=" + w + ":" + h + ":force_original_aspect_ratio=decrease:flags=bicubic,pad=" + w + ":" + h
            + ":(ow-iw)/2:(oh-ih)/2,format=yuv420p",
        "-c:v", "libx264", "-preset", settings.x264Preset(), "-crf",
        std::to_string(kit::MovieEncoderSettings::constantQuality), "-color_range", "tv", "-colorspace", "bt709",
        "-color_primaries", "bt709", "-color_trc", "bt709", "-f", "mov", theirMovie.string() };

    Figures ours, theirs;
    fs::path ourMovie;
    for (int round = 0; round < rounds; ++round) {
        fs::remove_all(folder / "ours");
        fs::create_directories(folder / "ours");
        auto our = runChild({ fs::read_symlink("/proc/self/exe").string(), "--export", folder.string(),
            std::to_string(photos) });
        if (our.status != 0) {
            std::printf("  the export failed (status %d)\n", our.status);
            return 1;
        }
        ourMovie = our.output.substr(0, our.output.find('\n'));
        ours.add(our);
        auto their = runChild(ffmpeg);
        if (their.status == 0)
            theirs.add(their);
    }

    // Frames per second of wall time, as a person waits for the movie, and
    // per second of processor time (every thread), which other load on a
    // shared machine disturbs far less.
    auto info = kit::probeMovie(ourMovie);
    double ourFps = photos / median(ours.seconds);
    double ourCpuFps = photos / median(ours.cpuSeconds);
    std::printf("  export   %6.2f frames/s wall, %6.2f frames per processor-second, peak %5.0f MB, movie %dx%d %.2f s\n",
        ourFps, ourCpuFps, median(ours.peakMB), info ? info->width : 0, info ? info->height : 0,
        info ? info->durationSeconds : 0.0);
    if (!theirs.seconds.empty()) {
        double theirFps = photos / median(theirs.seconds);
        double theirCpuFps = photos / median(theirs.cpuSeconds);
        std::printf("  ffmpeg   %6.2f frames/s wall, %6.2f frames per processor-second, peak %5.0f MB (x264 preset %s, crf %d)\n",
            theirFps, theirCpuFps, median(theirs.peakMB), settings.x264Preset().c_str(),
            kit::MovieEncoderSettings::constantQuality);
        std::printf("  ratios ours / ffmpeg: frames per second %.2f wall, %.2f processor (target at least 2); peak memory %.2f\n",
            ourFps / theirFps, ourCpuFps / theirCpuFps, median(ours.peakMB) / median(theirs.peakMB));
        std::printf("  peak memory %.0f MB (target at most 150)\n", median(ours.peakMB));
        std::printf("  SSIM of our movie against ffmpeg's: %.4f (target at least 0.98)\n", movieSSIM(ourMovie, theirMovie));
    } else {
        std::printf("  ffmpeg: not available or failed\n");
    }
    if (keep.empty())
        fs::remove_all(folder);
    return 0;
}
