// Photo and movie speed, printed as figures and as a ratio against the
// ffmpeg command-line tool doing the same work in the same run.
//
//   bench_media [--photos N] [--rounds N] [--keep FOLDER]
//
// (a) decode plus best-quality encode of a 3264 x 2448 photo;
// (b) N photos of 3264 x 2448 (default 100) into a 1080 x 1920 H.264 movie
//     through AVAssetWriter, as the time-lapse export does, against ffmpeg
//     with the same x264 settings; peak memory of the writer, measured in a
//     fresh child process.
#include "ChildRun.h"

#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/media/MovieEncoder.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kit;
namespace fs = std::filesystem;
using benchsupport::ChildRun;
using benchsupport::runChild;

namespace {

constexpr int photoWidth = 3264;
constexpr int photoHeight = 2448;
constexpr int movieWidth = 1080;
constexpr int movieHeight = 1920;

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Something like a photo: smooth light, edges, and sensor noise, shifted a
// little from frame to frame.
CGImageRef syntheticPhoto(int frame)
{
    auto image = CGImage::create(photoWidth, photoHeight);
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    std::mt19937 noise(uint32_t(frame) * 7919u + 1);
    int shift = frame * 24;
    for (int y = 0; y < photoHeight; ++y) {
        for (int x = 0; x < photoWidth; ++x) {
            int sx = x + shift;
            int r = (sx * 255 / photoWidth + (y / 300) * 20) & 0xFF;
            int g = (y * 255 / photoHeight) & 0xFF;
            int b = ((sx / 400 + y / 400) % 2) ? 200 : 60;
            int n = int(noise() % 17) - 8;
            auto clamp = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
            pixels[size_t(y) * photoWidth + x] = 0xFF000000u | clamp(r + n) << 16 | clamp(g + n) << 8 | clamp(b + n);
        }
    }
    return image;
}

Data readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

long peakMemoryKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

void benchCodec(const Data& photo, int rounds)
{
    double decodeSeconds = 0, encodeSeconds = 0;
    size_t encodedBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        auto decoded = decodeJPEG(photo);
        decodeSeconds += secondsSince(start);
        if (!decoded) {
            std::printf("decode failed\n");
            return;
        }
        start = std::chrono::steady_clock::now();
        auto encoded = encodeJPEG(*decoded.image, 1.0);
        encodeSeconds += secondsSince(start);
        encodedBytes = encoded ? encoded->size() : 0;
    }
    double megapixels = photoWidth * double(photoHeight) / 1e6;
    double total = (decodeSeconds + encodeSeconds) / rounds;
    std::printf("(a) JPEG %dx%d (%.1f MB in, %.1f MB out at quality 1.0), %d rounds\n", photoWidth, photoHeight,
        photo.size() / 1e6, encodedBytes / 1e6, rounds);
    std::printf("    decode %.1f ms, encode %.1f ms, both %.1f ms = %.1f megapixels/s\n",
        decodeSeconds / rounds * 1e3, encodeSeconds / rounds * 1e3, total * 1e3, megapixels / total);
}

// The export's loop: decode each photo, put it in a pixel buffer, append.
int writeMovie(const fs::path& folder, int photos, const fs::path& movie)
{
    auto writer = AVAssetWriter::assetWriterWithURL(movie.string(), AVFileTypeQuickTimeMovie);
    auto input = AVAssetWriterInput::assetWriterInputWithMediaType(AVMediaTypeVideo,
        { { std::string(AVVideoCodecKey), std::string(AVVideoCodecH264) }, { std::string(AVVideoWidthKey), movieWidth },
            { std::string(AVVideoHeightKey), movieHeight } });
    input->setExpectsMediaDataInRealTime(true);
    auto adaptor = AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(input, {});
    writer->addInput(input);
    if (!writer->startWriting())
        return 1;
    writer->startSessionAtSourceTime(kCMTimeZero);
    long baselineKiB = peakMemoryKiB();
    double decodeSeconds = 0;
    double appendSeconds = 0;
    for (int i = 0; i < photos; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%03d.jpg", i);
        auto start = std::chrono::steady_clock::now();
        auto decoded = decodeJPEG(readFile(folder / name));
        if (!decoded)
            return 2;
        CVPixelBufferRef buffer;
        CVPixelBufferCreate(nullptr, size_t(decoded.image->width()), size_t(decoded.image->height()),
            kCVPixelFormatType_32ARGB, nullptr, &buffer);
        CVPixelBufferLockBaseAddress(buffer, 0);
        std::memcpy(CVPixelBufferGetBaseAddress(buffer), decoded.image->data(), decoded.image->byteCount());
        CVPixelBufferUnlockBaseAddress(buffer, 0);
        decoded.image.reset();
        decodeSeconds += secondsSince(start);
        start = std::chrono::steady_clock::now();
        if (!adaptor->appendPixelBuffer(buffer, CMTimeMake(i, 3)))
            return 3;
        appendSeconds += secondsSince(start);
    }
    input->markAsFinished();
    auto start = std::chrono::steady_clock::now();
    if (!writer->finishWriting())
        return 4;
    appendSeconds += secondsSince(start);
    std::printf("%.6f %.6f %ld %ld\n", decodeSeconds, appendSeconds, baselineKiB, peakMemoryKiB());
    return 0;
}

}

int main(int argc, char** argv)
{
    int photos = 100;
    int rounds = 5;
    fs::path keep;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--write-movie" && i + 3 < argc) // the child's part
            return writeMovie(argv[i + 1], std::atoi(argv[i + 2]), argv[i + 3]);
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

    fs::path folder = keep.empty() ? fs::temp_directory_path() / ("bench-media-" + std::to_string(getpid())) : keep;
    fs::create_directories(folder);
    std::printf("making %d photos of %dx%d in %s\n", photos, photoWidth, photoHeight, folder.c_str());
    for (int i = 0; i < photos; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%03d.jpg", i);
        if (fs::exists(folder / name))
            continue;
        auto bytes = encodeJPEG(*syntheticPhoto(i), 0.92);
        std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    }

    benchCodec(readFile(folder / "000.jpg"), rounds);

    // Both in fresh processes, timed from outside the same way; the kernel
    // reports each one's peak memory.
    fs::path ours = folder / "ours.mov";
    fs::path theirs = folder / "ffmpeg.mov";
    fs::remove(ours);
    fs::remove(theirs);
    auto our = runChild({ fs::read_symlink("/proc/self/exe").string(), "--write-movie", folder.string(),
        std::to_string(photos), ours.string() });
    double decodeSeconds = 0, appendSeconds = 0;
    long baselineKiB = 0, peakKiB = 0;
    if (our.status != 0
        || std::sscanf(our.output.c_str(), "%lf %lf %ld %ld", &decodeSeconds, &appendSeconds, &baselineKiB, &peakKiB)
            != 4) {
        std::printf("(b) our writer failed (status %d)\n", our.status);
        return 1;
    }

    MovieEncoderSettings settings { movieWidth, movieHeight, true, 0 };
    std::string w = std::to_string(movieWidth), h = std::to_string(movieHeight);
    auto their = runChild({ "ffmpeg", "-v", "error", "-y", "-framerate", "3", "-i", (folder / "%03d.jpg").string(),
        "-frames:v", std::to_string(photos), "-vf",
        "scale=" + w + ":" + h + ":force_original_aspect_ratio=decrease:flags=bicubic,pad=" + w + ":" + h
            + ":(ow-iw)/2:(oh-ih)/2,format=yuv420p",
        "-c:v", "libx264", "-preset", settings.x264Preset(), "-crf",
        std::to_string(MovieEncoderSettings::constantQuality), "-color_range", "tv", "-colorspace", "bt709",
        "-color_primaries", "bt709", "-color_trc", "bt709", "-f", "mov", theirs.string() });

    double ourFps = photos / our.seconds;
    std::printf("(b) %d photos %dx%d -> %dx%d H.264 (x264 preset %s, crf %d)\n", photos, photoWidth, photoHeight,
        movieWidth, movieHeight, settings.x264Preset().c_str(), MovieEncoderSettings::constantQuality);
    std::printf("    AVAssetWriter: %.2f s, %.2f frames/s (per frame: decode %.0f ms, append %.0f ms)\n", our.seconds,
        ourFps, decodeSeconds / photos * 1e3, appendSeconds / photos * 1e3);
    std::printf("    peak memory %.0f MB; %.0f MB before the first frame; one source frame is %.0f MB\n",
        our.peakKiB / 1024.0, baselineKiB / 1024.0, photoWidth * double(photoHeight) * 4 / (1 << 20));
    if (their.status == 0) {
        double theirFps = photos / their.seconds;
        std::printf("    ffmpeg tool:   %.2f s, %.2f frames/s, peak memory %.0f MB\n", their.seconds, theirFps,
            their.peakKiB / 1024.0);
        std::printf("    ratio (ours / ffmpeg, frames per second): %.2f\n", ourFps / theirFps);
    } else {
        std::printf("    ffmpeg tool: not available or failed (status %d)\n", their.status);
    }
    if (keep.empty())
        fs::remove_all(folder);
    return 0;
}
