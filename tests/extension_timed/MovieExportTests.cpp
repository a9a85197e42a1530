// The time-lapse movie: its frames' times and size, upright frames from
// photos held any way, its name, and what a failed export leaves behind.

#include "tests/extension_hooks/HooksTest.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/camerabar/TimeLapseMovieExport.h"
#include "extension/startup/InitVariables.h"
#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/NSFileManager.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/ALAssetsLibrary.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/media/MovieProbe.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

using vantor::CameraBar;
using vantor::TimeLapseMovieExport;

constexpr const char* folder = "/var/mobile/Media/DCIM/100APPLE";

enum Colour : uint32_t { Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, White = 0xFFFFFFFF };

std::string run(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 1 << 16> chunk {};
        size_t read;
        while ((read = fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
            output.append(chunk.data(), read);
        pclose(pipe);
    }
    return output;
}

// The colour nearest to a pixel of the movie (which has been through YUV).
Colour nearest(const uint8_t* rgb)
{
    if (rgb[0] > 160 && rgb[1] > 160 && rgb[2] > 160)
        return White;
    if (rgb[0] >= rgb[1] && rgb[0] >= rgb[2])
        return Red;
    return rgb[1] >= rgb[2] ? Green : Blue;
}

// The presentation times of the movie's frames, in seconds.
std::vector<double> frameTimes(const std::filesystem::path& movie)
{
    auto output = run("ffprobe -v error -select_streams v:0 -show_entries frame=pts_time -of csv=p=0 '"
        + movie.string() + "'");
    std::replace(output.begin(), output.end(), ',', ' ');
    std::istringstream lines(output);
    std::vector<double> times;
    for (double time; lines >> time;)
        times.push_back(time);
    return times;
}

class MovieExport : public extensiontest::ExtensionTest {
protected:
    void SetUp() override
    {
        ExtensionTest::SetUp();
        // Names are made from local time; the default virtual start is
        // 2014-05-03 10:00:00 UTC.
        setenv("TZ", "UTC", 1);
        tzset();
        kit::RunLoop::main().resetWithVirtualClock();
        kit::NSFileManager::defaultManager().createDirectoryAtPath(folder, true);
        kit::SystemLog::clearRecentLines();
    }

    // A photo stored the way a camera stores one: the pixels as the sensor
    // saw them (quadrants red, green / blue, white) and the EXIF tag that
    // turns them upright.
    std::string writePhoto(const std::string& name, int exif, int width = 64, int height = 48)
    {
        auto image = kit::CGImage::create(width, height);
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool right = x >= width / 2, bottom = y >= height / 2;
                pixels[y * width + x] = bottom ? (right ? White : Blue) : (right ? Green : Red);
            }
        }
        kit::ExifMetadata metadata;
        metadata.setOrientation(exif);
        auto jpeg = kit::encodeJPEG(*image, 0.95, &metadata);
        std::string path = std::string(folder) + "/" + name;
        std::ofstream(host(path), std::ios::binary).write(reinterpret_cast<const char*>(jpeg->data()), long(jpeg->size()));
        return path;
    }

    static std::filesystem::path host(const std::string& devicePath) { return kit::DeviceRoot::resolve(devicePath); }

    static std::vector<std::string> movies()
    {
        std::vector<std::string> names;
        for (const auto& name : kit::NSFileManager::defaultManager().contentsOfDirectoryAtPath(folder)) {
            if (name.ends_with(".MOV"))
                names.push_back(name);
        }
        return names;
    }

    static bool logged(const std::string& part)
    {
        for (const auto& line : kit::SystemLog::recentLines()) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    // The four quadrants of the picture in the movie's first frame: top-left,
    // top-right, bottom-left, bottom-right. The picture keeps its shape
    // inside the frame, on black.
    static std::array<Colour, 4> quadrants(const std::string& moviePath)
    {
        auto frame = run("ffmpeg -v error -i '" + host(moviePath).string()
            + "' -frames:v 1 -f rawvideo -pix_fmt rgb24 - 2>/dev/null");
        constexpr int w = TimeLapseMovieExport::movieWidth, h = TimeLapseMovieExport::movieHeight;
        EXPECT_EQ(frame.size(), size_t(w * h * 3));
        if (frame.size() != size_t(w * h * 3))
            return {};
        auto* rgb = reinterpret_cast<const uint8_t*>(frame.data());
        auto lit = [&](int x, int y) {
            const uint8_t* p = rgb + (y * w + x) * 3;
            return p[0] + p[1] + p[2] > 150;
        };
        int top = 0, bottom = h - 1, left = 0, right = w - 1;
        while (top < h - 1 && !lit(w / 4, top))
            ++top;
        while (bottom > top && !lit(w / 4, bottom))
            --bottom;
        int middle = (top + bottom) / 2;
        while (left < w - 1 && !lit(left, middle))
            ++left;
        while (right > left && !lit(right, middle))
            --right;
        auto at = [&](int x, int y) { return nearest(rgb + (y * w + x) * 3); };
        int x1 = left + (right - left) / 4, x2 = right - (right - left) / 4;
        int y1 = top + (bottom - top) / 4, y2 = bottom - (bottom - top) / 4;
        return { at(x1, y1), at(x2, y1), at(x1, y2), at(x2, y2) };
    }
};

TEST_F(MovieExport, ThreePhotosMakeAOneSecondMovieAtThreeFramesASecond)
{
    std::vector<std::string> photos { writePhoto("IMG_0001.JPG", 1), writePhoto("IMG_0002.JPG", 1),
        writePhoto("IMG_0003.JPG", 1) };
    auto movie = TimeLapseMovieExport::exportImages(photos, folder);
    ASSERT_TRUE(movie);

    auto info = kit::probeMovie(host(*movie));
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isH264Movie());
    EXPECT_EQ(info->width, 1080);
    EXPECT_EQ(info->height, 1920);
    EXPECT_NEAR(info->durationSeconds, 1.0, 0.01);

    EXPECT_THAT(frameTimes(host(*movie)),
        testing::Pointwise(testing::DoubleNear(0.001), std::vector<double> { 0.0, 1.0 / 3.0, 2.0 / 3.0 }));

    for (const auto& photo : photos)
        EXPECT_TRUE(std::filesystem::exists(host(photo))) << "photos are never removed";
}

TEST_F(MovieExport, EveryExifOrientationComesOutUpright)
{
    // The same stored pixels (red, green / blue, white), shown as each EXIF
    // tag says: turned, flipped, or both.
    const std::array<std::array<Colour, 4>, 9> upright {{
        {}, // there is no tag 0
        {{ Red, Green, Blue, White }},
        {{ Green, Red, White, Blue }},
        {{ White, Blue, Green, Red }},
        {{ Blue, White, Red, Green }},
        {{ Red, Blue, Green, White }},
        {{ Blue, Red, White, Green }},
        {{ White, Green, Blue, Red }},
        {{ Green, White, Red, Blue }},
    }};
    for (int exif = 1; exif <= 8; ++exif) {
        SCOPED_TRACE("EXIF orientation " + std::to_string(exif));
        auto photo = writePhoto("IMG_000" + std::to_string(exif) + ".JPG", exif);
        auto movie = TimeLapseMovieExport::exportImages({ photo }, folder);
        ASSERT_TRUE(movie);
        EXPECT_EQ(quadrants(*movie), upright[size_t(exif)]);
    }
}

// --- Names.

TEST_F(MovieExport, NamesFollowTheTwelveHourClockAndNeverOverwriteAnEarlierMovie)
{
    EXPECT_EQ(TimeLapseMovieExport::generateFileNameWithExtension(".MOV"), "Movie-03052014-100000.MOV");
    auto photo = writePhoto("IMG_0001.JPG", 1);
    auto morning = TimeLapseMovieExport::exportImages({ photo }, folder);
    ASSERT_TRUE(morning);
    EXPECT_EQ(*morning, std::string(folder) + "/Movie-03052014-100000.MOV");
    auto firstSize = std::filesystem::file_size(host(*morning));

    // Twelve hours later the clock shows the same hour digits.
    kit::RunLoop::main().advance(12 * 3600);
    EXPECT_EQ(TimeLapseMovieExport::generateFileNameWithExtension(".MOV"), "Movie-03052014-100000.MOV");
    auto evening = TimeLapseMovieExport::exportImages({ photo, photo }, folder);
    ASSERT_TRUE(evening);
    EXPECT_EQ(*evening, std::string(folder) + "/Movie-03052014-100000-2.MOV");
    auto third = TimeLapseMovieExport::exportImages({ photo }, folder);
    ASSERT_TRUE(third);
    EXPECT_EQ(*third, std::string(folder) + "/Movie-03052014-100000-3.MOV");

    EXPECT_EQ(std::filesystem::file_size(host(*morning)), firstSize) << "the earlier movie is untouched";
    EXPECT_NEAR(kit::probeMovie(host(*evening))->durationSeconds, 2.0 / 3.0, 0.01);
}

// --- Failures: no partial movie, photos kept.

TEST_F(MovieExport, AnUnreadableFirstPhotoMakesNoMovie)
{
    std::string broken = std::string(folder) + "/IMG_0001.JPG";
    std::ofstream(host(broken)) << "not a photo";
    auto good = writePhoto("IMG_0002.JPG", 1);

    EXPECT_FALSE(TimeLapseMovieExport::exportImages({ broken, good }, folder));
    EXPECT_TRUE(movies().empty());
    EXPECT_TRUE(logged("first photo")) << "one line says why";
    EXPECT_TRUE(std::filesystem::exists(host(broken)));
    EXPECT_TRUE(std::filesystem::exists(host(good)));
}

TEST_F(MovieExport, AnUnreadableLaterPhotoLeavesItsThirdOfASecondEmpty)
{
    auto first = writePhoto("IMG_0001.JPG", 1);
    std::string missing = std::string(folder) + "/IMG_0002.JPG";
    auto third = writePhoto("IMG_0003.JPG", 1);
    auto movie = TimeLapseMovieExport::exportImages({ first, missing, third }, folder);
    ASSERT_TRUE(movie);
    EXPECT_THAT(frameTimes(host(*movie)),
        testing::Pointwise(testing::DoubleNear(0.001), std::vector<double> { 0.0, 2.0 / 3.0 }));
}

TEST_F(MovieExport, AWriterThatCannotStartLeavesNothing)
{
    auto photo = writePhoto("IMG_0001.JPG", 1);
    EXPECT_FALSE(TimeLapseMovieExport::exportImages({ photo }, "/var/mobile/Media/DCIM/999MISSING"));
    EXPECT_TRUE(logged("Time-lapse movie: cannot start writing"));
    EXPECT_FALSE(std::filesystem::exists(host("/var/mobile/Media/DCIM/999MISSING")));
    EXPECT_TRUE(movies().empty());
    EXPECT_TRUE(std::filesystem::exists(host(photo)));
}

// --- The camera bar's export of its series.

class SeriesExport : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        launch();
        kit::SystemLog::clearRecentLines();
    }

    std::vector<std::filesystem::path> roll(const std::string& extension) const
    {
        std::vector<std::filesystem::path> found;
        for (const auto& path : m_phone->cameraRoll()) {
            if (path.extension() == extension)
                found.push_back(path);
        }
        return found;
    }

    static std::vector<std::filesystem::path> album()
    {
        std::vector<std::filesystem::path> found;
        auto folder = kit::DeviceRoot::resolve(kit::ALAssetsLibrary::albumFolder);
        if (std::filesystem::exists(folder)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                found.push_back(entry.path());
        }
        return found;
    }

    static bool logged(const std::string& line)
    {
        auto lines = kit::SystemLog::recentLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // The background export, then what it hands back to the main thread.
    void finishBackgroundWork()
    {
        kit::DispatchQueue::waitForBackgroundWork();
        m_phone->advance(0.1);
    }
};

TEST_F(SeriesExport, ATapOnTheInnerCircleEndsTheSeriesAndSavesItsMovieASecondLater)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setTimeLapseTime(3);
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    m_phone->pressShutter();
    m_phone->advance(9.5);
    ASSERT_EQ(roll(".JPG").size(), 3u);
    auto dial = vantor::SelectorDialEx::initWithFrame(kit::CGRectMake(0, 0, 295, 295));
    dial->setSelectorDialType(vantor::SelectorDialEx::SelectorDialTypeTimeLapse);
    bar().setSelDialEx(dial);

    bar().InnerCircleTapped(nullptr);
    m_phone->advance(0.9);
    kit::DispatchQueue::waitForBackgroundWork();
    EXPECT_TRUE(roll(".MOV").empty()) << "not before a second has passed";

    m_phone->advance(0.1);
    finishBackgroundWork();
    auto movies = roll(".MOV");
    ASSERT_EQ(movies.size(), 1u);
    EXPECT_TRUE(std::regex_match(movies[0].filename().string(), std::regex(R"(Movie-\d{8}-\d{6}\.MOV)")));
    auto info = kit::probeMovie(movies[0]);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 1080);
    EXPECT_EQ(info->height, 1920);
    EXPECT_NEAR(info->durationSeconds, 1.0, 0.01);
    EXPECT_EQ(album().size(), 1u);
    EXPECT_TRUE(logged("Write Ended"));
    EXPECT_FALSE(bar().timeLapseNames()) << "the series is done";
    EXPECT_EQ(roll(".JPG").size(), 3u) << "the photos stay";

    m_phone->advance(20.0);
    EXPECT_EQ(roll(".JPG").size(), 3u) << "the series has ended";
}

TEST_F(SeriesExport, AnExportAskedForJustBeforeQuittingStillSavesItsMovie)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setTimeLapseTime(3);
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    m_phone->pressShutter();
    m_phone->advance(6.5);
    auto dial = vantor::SelectorDialEx::initWithFrame(kit::CGRectMake(0, 0, 295, 295));
    dial->setSelectorDialType(vantor::SelectorDialEx::SelectorDialTypeTimeLapse);
    bar().setSelDialEx(dial);
    bar().InnerCircleTapped(nullptr);

    m_phone->quit();
    EXPECT_EQ(roll(".JPG").size(), 2u);
    auto movies = roll(".MOV");
    ASSERT_EQ(movies.size(), 1u);
    auto info = kit::probeMovie(movies[0]);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isH264Movie());
    EXPECT_EQ(frameTimes(movies[0]).size(), 2u);
    EXPECT_EQ(album().size(), 1u) << "the album's copy is saved too";
    EXPECT_TRUE(logged("Write Ended"));
}

TEST_F(SeriesExport, ASeriesWhoseFirstPhotoIsGoneIsDroppedWithoutAMovie)
{
    vantor::convertTimeLapseToVideo = true;
    bar().setTimeLapseTime(3);
    bar().setTimerMode(CameraBar::TimerModeTimeLapse);
    m_phone->pressShutter();
    m_phone->advance(6.5);
    ASSERT_TRUE(bar().timeLapseNames());
    auto names = *bar().timeLapseNames();
    ASSERT_EQ(names.size(), 2u);
    vantor::killtimer = true;
    m_phone->advance(1.0);
    std::filesystem::remove(kit::DeviceRoot::resolve(names[0]));

    bar().exportImages();
    EXPECT_TRUE(roll(".MOV").empty());
    EXPECT_TRUE(album().empty());
    EXPECT_FALSE(bar().timeLapseNames()) << "the list is cleared all the same";
    EXPECT_TRUE(std::filesystem::exists(kit::DeviceRoot::resolve(names[1])));
}

}
