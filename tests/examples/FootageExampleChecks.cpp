// What the footage examples made, looked at the way a person would: photos
// taken moments apart of moving footage differ, a video's first and last
// pictures differ, a time-lapse movie has a picture for each photo of its
// series, and a recording of the test pattern shows its colour bars. The
// example's work folder comes in EXAMPLE_FOLDER.

#include "hardware/footage/VideoDecoder.h"

#include "kit/media/JPEGDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path cameraRoll()
{
    const char* folder = std::getenv("EXAMPLE_FOLDER");
    return folder ? fs::path(folder) / "root/var/mobile/Media/DCIM/100APPLE" : fs::path();
}

std::vector<fs::path> filesOfRoll(const std::string& prefix, const std::string& extension)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(cameraRoll(), error)) {
        auto name = entry.path().filename().string();
        if (name.starts_with(prefix) && entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

kit::CGImageRef photo(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return kit::decodeJPEG(bytes, {}, { 480, 480 }).image;
}

// A movie's pictures, small.
std::vector<kit::CGImageRef> picturesOf(const fs::path& movie)
{
    std::vector<kit::CGImageRef> pictures;
    auto opened = hardware::VideoDecoder::open({ movie.string(), {}, {} });
    if (auto* problem = std::get_if<std::string>(&opened)) {
        ADD_FAILURE() << movie << ": " << *problem;
        return pictures;
    }
    auto& decoder = *std::get<std::unique_ptr<hardware::VideoDecoder>>(opened);
    while (auto decoded = decoder.next())
        pictures.push_back(decoder.picture(*decoded->frame, 240, 240));
    EXPECT_EQ(decoder.failure(), "") << movie;
    return pictures;
}

// The share of pixels whose colour differs clearly between two pictures of
// one size.
double changedShare(const kit::CGImageRef& a, const kit::CGImageRef& b)
{
    if (!a || !b || a->width() != b->width() || a->height() != b->height()) {
        ADD_FAILURE() << "two pictures of one size expected";
        return 0;
    }
    size_t changed = 0;
    for (int y = 0; y < a->height(); ++y) {
        for (int x = 0; x < a->width(); ++x) {
            uint32_t p = a->pixel(x, y), q = b->pixel(x, y);
            for (int shift : { 0, 8, 16 }) {
                if (std::abs(int(p >> shift & 0xff) - int(q >> shift & 0xff)) > 40) {
                    ++changed;
                    break;
                }
            }
        }
    }
    return double(changed) / (double(a->width()) * a->height());
}

// The share of pixels of a strong colour: red, green and blue each clearly
// above (+1), below (-1) or anywhere (0).
double shareOf(const kit::CGImage& picture, int red, int green, int blue)
{
    auto fits = [](int level, int want) { return want == 0 || (want > 0 ? level > 150 : level < 90); };
    size_t count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            uint32_t p = picture.pixel(x, y);
            count += fits(int(p >> 16 & 0xff), red) && fits(int(p >> 8 & 0xff), green) && fits(int(p & 0xff), blue);
        }
    }
    return double(count) / (double(picture.width()) * picture.height());
}

// The run's first two photos differ, and so do the first and last pictures
// of its one video, which it answers.
std::vector<kit::CGImageRef> expectPhotosAndVideoEndsDiffer()
{
    auto photos = filesOfRoll("IMG_", ".JPG");
    auto videos = filesOfRoll("IMG_", ".MOV");
    if (photos.size() < 2 || videos.size() != 1) {
        ADD_FAILURE() << photos.size() << " photos and " << videos.size() << " videos, not two and one";
        return {};
    }
    EXPECT_GT(changedShare(photo(photos[0]), photo(photos[1])), 0.005);
    auto recorded = picturesOf(videos[0]);
    EXPECT_GE(recorded.size(), 50u);
    if (!recorded.empty()) {
        EXPECT_GT(changedShare(recorded.front(), recorded.back()), 0.005);
    }
    return recorded;
}

}

TEST(FootageExample, PhotosMomentsApartAndAVideosEndsShowTheSquareInOtherPlaces)
{
    expectPhotosAndVideoEndsDiffer();
}

TEST(FootageExample, TheTimeLapseMovieHasAPictureForEachPhotoOfItsSeries)
{
    auto photos = filesOfRoll("IMG_", ".JPG");
    auto lapses = filesOfRoll("Movie-", ".MOV");
    ASSERT_EQ(lapses.size(), 1u);
    auto pictures = picturesOf(lapses[0]);
    // The series is every photo after the first two.
    ASSERT_EQ(pictures.size() + 2, photos.size());
    EXPECT_GT(changedShare(pictures.front(), pictures.back()), 0.01);
}

TEST(LiveCameraExample, PhotosASecondApartDifferAndTheVideoIsOfTheTestPattern)
{
    EXPECT_EQ(filesOfRoll("IMG_", ".JPG").size(), 2u);
    auto recorded = expectPhotosAndVideoEndsDiffer();
    ASSERT_FALSE(recorded.empty());
    // Its bars: yellow, blue and magenta, which the garden has none of.
    for (const auto& picture : { recorded.front(), recorded.back() }) {
        ASSERT_TRUE(picture);
        EXPECT_GT(shareOf(*picture, 1, 1, -1), 0.05) << "yellow";
        EXPECT_GT(shareOf(*picture, -1, -1, 1), 0.05) << "blue";
        EXPECT_GT(shareOf(*picture, 1, -1, 1), 0.05) << "magenta";
    }
}
