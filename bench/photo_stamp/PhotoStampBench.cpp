// Stamping the date into one full-size photo, against the tools a person
// would otherwise reach for, on the same input file in the same run:
//
//   bench_photo_stamp [--rounds N] [--keep FOLDER]
//
//  - ours: the capture hook's whole work (decode the surface, draw the
//    photo and the date, encode at quality 1.0, a new memory surface);
//  - the bare codec: TurboJPEG decoding the same file and encoding it again
//    at quality 100 with full-resolution colour, nothing drawn: the floor;
//  - ImageMagick's convert drawing the same text at the same size, place and
//    colour, at quality 100 with full-resolution colour.
// Each round runs the three in turn; the figures are the medians of the
// processor time each took (user and system), which other load on a shared
// machine disturbs far less than wall time; wall time is printed beside.
#include "ChildRun.h"
#include "ProcessorTime.h"
#include "SyntheticPhoto.h"

#include "extension/hooks/TimeStamp.h"
#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NSDictionary.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/ui/UIFont.h"

#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <time.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int photoWidth = 3264;
constexpr int photoHeight = 2448;

struct Timing {
    double cpu { 0 };
    double wall { 0 };
};

// Times the work in this process.
template <typename Work>
Timing timed(Work work)
{
    double cpu = benchsupport::processorSeconds();
    auto wall = std::chrono::steady_clock::now();
    work();
    return { benchsupport::processorSeconds() - cpu, std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count() };
}


kit::Data readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return kit::Data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

size_t stampedBytes = 0;

void keepSize(kit::id, kit::SEL, kit::id, kit::id photo, kit::id)
{
    auto* dictionary = kit::cast<kit::NSDictionary>(photo);
    auto* size = dictionary ? dictionary->propertyForKey("kPLCameraPhotoSurfaceSizeKey") : nullptr;
    stampedBytes = size && size->numberValue() ? size_t(*size->numberValue()) : 0;
}

// One photo through the capture hook, as the host hands it over.
Timing stampOnce(const kit::Data& jpeg)
{
    auto surface = kit::IOSurfaceCreate({ { std::string(kit::kIOSurfaceAllocSize), int64_t(jpeg.size()) } });
    std::memcpy(surface->baseAddress(), jpeg.data(), jpeg.size());
    auto photo = std::make_shared<kit::NSDictionary>();
    photo->setProperty("kPLCameraPhotoPropertiesKey", kit::PropertyList::Dictionary { { "Orientation", int64_t(1) } });
    photo->setObject("kPLCameraPhotoSurfaceKey", surface);
    photo->setProperty("kPLCameraPhotoSurfaceSizeKey", int64_t(jpeg.size()));
    return timed([&] {
        vantor::_method$PLCameraView$cameraController$capturedPhoto$error$$(nullptr, nullptr, nullptr, photo.get(), nullptr);
    });
}

size_t codecBytes = 0;

Timing bareCodecOnce(const kit::Data& jpeg)
{
    return timed([&] {
    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    tjDecompressHeader3(decoder, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colourspace);
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    tjDecompress2(decoder, jpeg.data(), jpeg.size(), pixels.data(), width, 0, height, TJPF_BGRX, 0);
    tjDestroy(decoder);
    tjhandle encoder = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    tjCompress2(encoder, pixels.data(), width, 0, height, TJPF_BGRX, &out, &outSize, TJSAMP_444, 100, 0);
    codecBytes = outSize;
    tjFree(out);
    tjDestroy(encoder);
    });
}

}

int main(int argc, char** argv)
{
    int rounds = 5;
    fs::path keep;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--rounds N] [--keep FOLDER]\n", argv[0]);
            return 2;
        }
    }
    fs::path folder = keep.empty() ? fs::temp_directory_path() / ("bench-stamp-" + std::to_string(getpid())) : keep;
    fs::create_directories(folder);
    fs::path input = folder / "photo.jpg";
    if (!fs::exists(input)) {
        auto bytes = kit::encodeJPEG(*benchsupport::syntheticPhoto(photoWidth, photoHeight, 0), 0.92);
        std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    }
    auto jpeg = readFile(input);

    vantor::timeStampVisible = true;
    vantor::timeStampVisibleAndPlace = true;
    vantor::_orig$PLCameraView$cameraController$capturedPhoto$error$$ = &keepSize;

    // The same text, face, size, place and colour for ImageMagick; it puts
    // the baseline where asked, so the top left moves down by the ascender.
    auto layout = vantor::timeStampLayout(1, kit::CGSizeMake(photoWidth, photoHeight));
    auto font = kit::UIFont::fontWithName("GillSans-Bold", layout.fontSize);
    std::string text = vantor::timeStampText();
    char place[64];
    std::snprintf(place, sizeof place, "+%d+%d", int(layout.origin->x), int(layout.origin->y + font->ascender()));
    fs::path theirs = folder / "convert.jpg";
    std::vector<std::string> convert { "convert", input.string(), "-font", font->faceFile(), "-pointsize",
        std::to_string(layout.fontSize), "-fill", "#FFCC00", "-annotate", place, text, "-quality", "100",
        "-sampling-factor", "1x1", theirs.string() };

    std::printf("stamping \"%s\" into a %dx%d photo (%.1f MB), %d rounds, medians\n", text.c_str(), photoWidth,
        photoHeight, jpeg.size() / 1e6, rounds);
    std::vector<double> ours, codec, magick, oursWall, codecWall, magickWall;
    int magickStatus = 0;
    for (int round = 0; round < rounds; ++round) {
        auto our = stampOnce(jpeg);
        ours.push_back(our.cpu);
        oursWall.push_back(our.wall);
        auto bare = bareCodecOnce(jpeg);
        codec.push_back(bare.cpu);
        codecWall.push_back(bare.wall);
        auto run = benchsupport::runChild(convert);
        magickStatus = run.status;
        if (run.status == 0) {
            magick.push_back(run.cpuSeconds);
            magickWall.push_back(run.seconds);
        }
    }
    double o = benchsupport::median(ours), c = benchsupport::median(codec);
    std::printf("  ours (capture hook)      %7.1f ms processor (%7.1f ms wall)  %.1f MB out\n", o * 1e3,
        benchsupport::median(oursWall) * 1e3, stampedBytes / 1e6);
    std::printf("  bare codec (TurboJPEG)   %7.1f ms processor (%7.1f ms wall)  %.1f MB out\n", c * 1e3,
        benchsupport::median(codecWall) * 1e3, codecBytes / 1e6);
    std::printf("  ratio ours / bare codec: %.2f (target at most 1.15)\n", o / c);
    if (!magick.empty()) {
        double m = benchsupport::median(magick);
        std::printf("  ImageMagick convert      %7.1f ms processor (%7.1f ms wall)  %.1f MB out\n", m * 1e3,
            benchsupport::median(magickWall) * 1e3, fs::file_size(theirs) / 1e6);
        std::printf("  ratio convert / ours:    %.2f (target at least 2.5)\n", m / o);
    } else {
        std::printf("  ImageMagick convert: not available or failed (status %d)\n", magickStatus);
    }
    if (keep.empty())
        fs::remove_all(folder);
    return 0;
}
