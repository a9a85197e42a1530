// The time-lapse export's speed and memory, against the ffmpeg tool.
//
//   bench_timelapse_export [--photos N] [--keep FOLDER]
//
// Makes N photos of 3264 x 2448 (default 100; kept in FOLDER when given, and
// reused from there), then, each in a fresh process timed and measured the
// same way from outside (wall time, peak resident memory from wait4):
//  - the extension's export (TimeLapseMovieExport::exportImages): decode,
//    draw upright into a pixel buffer, append, one photo at a time, into a
//    1080 x 1920 H.264 QuickTime movie at 3 frames per second;
//  - ffmpeg making a 1080 x 1920 libx264 movie at 3 frames per second from
//    the same files.
// Prints frames per second, peak memory and the ratios ours / ffmpeg.
#include "ChildRun.h"

#include "extension/camerabar/TimeLapseMovieExport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGEncoder.h"
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

// A photo-like picture: gradients, a checker of edges and some noise, moved
// a little from frame to frame so that the encoder has real work.
kit::CGImageRef makePhoto(int frame)
{
    auto image = kit::CGImage::create(photoWidth, photoHeight);
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    uint32_t noise = uint32_t(frame) * 2654435761u + 1;
    for (int y = 0; y < photoHeight; ++y) {
        for (int x = 0; x < photoWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            int n = int(noise >> 28) - 8;
            int sx = x + frame * 24;
            int r = std::clamp(((sx * 255 / photoWidth) & 0xFF) + n, 0, 255);
            int g = std::clamp(y * 255 / photoHeight + n, 0, 255);
            int b = std::clamp(((sx / 400 + y / 400) % 2 ? 200 : 60) + n, 0, 255);
            pixels[size_t(y) * photoWidth + size_t(x)] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        }
    }
    return image;
}

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
        auto bytes = kit::encodeJPEG(*makePhoto(i), 0.9, &metadata);
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

void printRun(const char* who, const ChildRun& run, int photos, const fs::path& movie)
{
    auto info = kit::probeMovie(movie);
    std::printf("  %-10s %6.2f s  %6.2f frames/s  peak %5.0f MB  movie %dx%d %.2f s\n", who, run.seconds,
        photos / run.seconds, run.peakKiB / 1024.0, info ? info->width : 0, info ? info->height : 0,
        info ? info->durationSeconds : 0.0);
}

}

int main(int argc, char** argv)
{
    int photos = 100;
    fs::path keep;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--export" && i + 2 < argc)
            return exportInChild(argv[i + 1], std::atoi(argv[i + 2]));
        if (argument == "--photos" && i + 1 < argc)
            photos = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--photos N] [--keep FOLDER]\n", argv[0]);
            return 2;
        }
    }

    fs::path folder = keep.empty() ? fs::temp_directory_path() / ("bench-timelapse-" + std::to_string(getpid())) : keep;
    fs::create_directories(folder);
    fs::remove_all(folder / "ours");
    fs::create_directories(folder / "ours");
    std::printf("time-lapse export of %d photos %dx%d (in %s)\n", photos, photoWidth, photoHeight, folder.c_str());
    makePhotos(folder, photos);

    auto ours = runChild({ fs::read_symlink("/proc/self/exe").string(), "--export", folder.string(),
        std::to_string(photos) });
    fs::path ourMovie = ours.output.substr(0, ours.output.find('\n'));
    if (ours.status != 0) {
        std::printf("  the export failed (status %d)\n", ours.status);
        return 1;
    }
    fs::path theirMovie = folder / "ffmpeg.mov";
    auto theirs = runChild({ "ffmpeg", "-v", "error", "-y", "-framerate", "3", "-start_number", "1", "-i",
        (folder / "IMG_%04d.JPG").string(), "-frames:v", std::to_string(photos), "-vf",
        "scale=1080:1920:force_original_aspect_ratio=decrease,pad=1080:1920:(ow-iw)/2:(oh-ih)/2,format=yuv420p",
        "-c:v", "libx264", "-f", "mov", theirMovie.string() });

    printRun("export", ours, photos, ourMovie);
    if (theirs.status == 0) {
        printRun("ffmpeg", theirs, photos, theirMovie);
        std::printf("  ratios ours / ffmpeg: frames per second %.2f, peak memory %.2f\n",
            theirs.seconds / ours.seconds, double(ours.peakKiB) / double(theirs.peakKiB));
    } else {
        std::printf("  ffmpeg: not available or failed (status %d)\n", theirs.status);
    }
    std::printf("  one source frame is %.0f MB of pixels\n", photoWidth * double(photoHeight) * 4 / (1 << 20));
    if (keep.empty())
        fs::remove_all(folder);
    return 0;
}
