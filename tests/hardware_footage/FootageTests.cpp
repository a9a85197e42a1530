#include "FootageClips.h"

#include "hardware/footage/MovieFootage.h"

#include <fstream>
#include <iterator>
#include <vector>

using namespace hardware;
using namespace footagetest;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<MovieFootage> openFootage(const fs::path& file)
{
    auto opened = MovieFootage::open(file);
    if (auto* problem = std::get_if<std::string>(&opened)) {
        ADD_FAILURE() << file << ": " << *problem;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<MovieFootage>>(opened));
}

std::string refusal(const fs::path& file)
{
    auto opened = MovieFootage::open(file);
    return std::holds_alternative<std::string>(opened) ? std::get<std::string>(opened) : "";
}

class MovieFootageTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
};

}

TEST_F(MovieFootageTest, TheMomentsPictureShowsAndTheClipLoopsAtItsEnd)
{
    // 20 s at 5 frames a second, a key frame every 5 s.
    auto clip = folder.path() / "count.mp4";
    ASSERT_TRUE(makeCountingClip(clip, 20, 5, 25));
    auto footage = openFootage(clip);
    ASSERT_TRUE(footage);
    EXPECT_NEAR(footage->duration(), 20, 0.01);
    EXPECT_EQ(footage->width(), 64);
    EXPECT_EQ(footage->height(), 48);

    auto frameAt = [&](double seconds) {
        auto picture = footage->pictureAt(seconds);
        return picture ? frameNumberOf(*picture) : -1;
    };
    // Second t shows frame 5·t; a moment between frames shows the earlier.
    for (int second = 0; second < 20; ++second)
        EXPECT_EQ(frameAt(second), 5 * second) << second;
    EXPECT_EQ(frameAt(3.35), 16);
    EXPECT_EQ(frameAt(19.99), 99);
    // On a loop: 20 s is the start again, 47.5 s is 7.5 s in.
    EXPECT_EQ(frameAt(20), 0);
    EXPECT_EQ(frameAt(47.5), 37);
    // Backwards too, as a second camera session starts from its own time.
    EXPECT_EQ(frameAt(2), 10);
}

TEST_F(MovieFootageTest, MomentsFarApartDecodeFromTheKeyFrameBeforeThemNotTheWholeClip)
{
    auto clip = folder.path() / "count.mp4";
    ASSERT_TRUE(makeCountingClip(clip, 20, 5, 10));
    auto footage = openFootage(clip);
    ASSERT_TRUE(footage);

    // Every 6 s: each moment is reached from its own key frame (every 2 s).
    uint64_t before = footage->picturesDecoded();
    for (double t : { 5.5, 11.5, 17.5 }) {
        auto picture = footage->pictureAt(t);
        ASSERT_TRUE(picture);
        EXPECT_EQ(frameNumberOf(*picture), int(t * 5));
    }
    EXPECT_EQ(footage->seeks(), 3u);
    // From the key frames at 4, 10 and 16 s to the moment and the picture
    // after it: at most 10 each, not the 90 on the way.
    EXPECT_LE(footage->picturesDecoded() - before, 3u * 10);

    // Neighbouring moments read on without a seek.
    uint64_t seeks = footage->seeks();
    for (double t = 17.6; t < 18.0; t += 0.1)
        footage->pictureAt(t);
    EXPECT_EQ(footage->seeks(), seeks);
    EXPECT_EQ(frameNumberOf(*footage->pictureAt(18.05)), 90);
}

TEST_F(MovieFootageTest, TheRotationTheFileGivesIsApplied)
{
    // A bright corner at the top left of the coded picture, in a file that
    // says to turn it a quarter: ffmpeg's own player shows it at the bottom
    // left of a 48 × 64 picture, and so does the camera.
    auto coded = folder.path() / "coded.mp4";
    ASSERT_TRUE(makeClip("color=black:s=64x48:r=10:d=1,format=yuv420p,geq=lum='if(lt(X,16)*lt(Y,12),235,16)':cb=128:cr=128",
        "-c:v libx264 -qp 0", coded));
    auto clip = folder.path() / "turned.mp4";
    ASSERT_EQ(std::system(("ffmpeg -v error -y -i '" + coded.string() + "' -c copy -metadata:s:v:0 rotate=90 '"
                              + clip.string() + "'").c_str()),
        0);
    auto footage = openFootage(clip);
    ASSERT_TRUE(footage);
    EXPECT_EQ(footage->width(), 48);
    EXPECT_EQ(footage->height(), 64);
    auto picture = footage->pictureAt(0);
    ASSERT_TRUE(picture);
    auto brightness = [&](int x, int y) { return (picture->pixel(x, y) >> 8) & 0xFF; };
    EXPECT_GT(brightness(4, 60), 200u);
    EXPECT_LT(brightness(4, 4), 30u);
    EXPECT_LT(brightness(44, 4), 30u);
    EXPECT_LT(brightness(44, 60), 30u);
}

TEST_F(MovieFootageTest, PicturesOfAWidthNoScalerBlockFitsKeepTheirRightEdge)
{
    // 90 pixels wide, the last four bright.
    auto clip = folder.path() / "narrow.mp4";
    ASSERT_TRUE(makeClip("color=black:s=90x50:r=10:d=1,format=yuv420p,geq=lum='if(gte(X,86),235,16)':cb=128:cr=128",
        "-c:v libx264 -qp 0", clip));
    auto footage = openFootage(clip);
    ASSERT_TRUE(footage);
    for (double time : { 0.0, 0.5 }) {
        auto picture = footage->pictureAt(time);
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->width(), 90);
        for (int y : { 0, 25, 49 }) {
            EXPECT_GT((picture->pixel(89, y) >> 8) & 0xFF, 200u);
            EXPECT_LT((picture->pixel(80, y) >> 8) & 0xFF, 30u);
        }
    }
}

TEST_F(MovieFootageTest, PicturesAreFittedWithinTheSizeAskedForKeepingTheirShape)
{
    auto clip = folder.path() / "count.mkv";
    ASSERT_TRUE(makeCountingClip(clip, 1, 10, 10));
    auto footage = openFootage(clip);
    ASSERT_TRUE(footage);
    auto small = footage->pictureAt(0.5, 32, 32);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width(), 32);
    EXPECT_EQ(small->height(), 24);
    EXPECT_NEAR(frameNumberOf(*small), 5, 1);
    // Never enlarged.
    EXPECT_EQ(footage->pictureAt(0.5, 640, 480)->width(), 64);
}

TEST_F(MovieFootageTest, FilesThatAreNoPlayableMovieAreRefusedWithFFmpegsReason)
{
    auto text = folder.path() / "notes.mp4";
    std::ofstream(text) << "these are not pictures";
    // The error FFmpeg logged, with its code's words.
    EXPECT_EQ(refusal(text), "moov atom not found (Invalid data found when processing input)");
    EXPECT_EQ(refusal(folder.path() / "missing.mov"), "No such file or directory");

    auto sound = folder.path() / "sound.m4a";
    ASSERT_TRUE(makeClip("sine=frequency=440:duration=1", "-c:a aac", sound));
    EXPECT_EQ(refusal(sound), "it has no video stream");

    // Cut in half: the index at the end is gone.
    auto whole = folder.path() / "whole.mp4";
    ASSERT_TRUE(makeCountingClip(whole, 2, 10, 10));
    auto cut = folder.path() / "cut.mp4";
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(whole) / 2);
    EXPECT_NE(refusal(cut).find("moov atom not found"), std::string::npos);

    // Its index spoilt: nothing in it decodes.
    auto spoilt = folder.path() / "spoilt.mp4";
    fs::copy_file(whole, spoilt);
    {
        std::fstream file(spoilt, std::ios::in | std::ios::out | std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        for (size_t i = bytes.size() / 2; i < bytes.size(); i += 7)
            bytes[i] = char(bytes[i] * 31 + 17);
        file.seekp(0);
        file.write(bytes.data(), std::streamsize(bytes.size()));
    }
    EXPECT_NE(refusal(spoilt), "");
}

TEST_F(MovieFootageTest, AClipThatBreaksOnTheWayKeepsItsLastGoodPicture)
{
    // The index first, then the pictures, cut after the first half.
    auto whole = folder.path() / "whole.mp4";
    ASSERT_TRUE(makeCountingClip(whole, 8, 10, 10, "-movflags +faststart"));
    auto cut = folder.path() / "cut.mp4";
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(whole) * 6 / 10);

    auto footage = openFootage(cut);
    ASSERT_TRUE(footage);
    EXPECT_EQ(frameNumberOf(*footage->pictureAt(0.5)), 5);
    EXPECT_FALSE(footage->failure());
    // Played on as a preview does, until the file gives out.
    kit::CGImageRef last;
    for (double t = 1; t < 8 && !footage->failure(); t += 0.5)
        last = footage->pictureAt(t);
    // FFmpeg's reason, or how far the file got.
    ASSERT_TRUE(footage->failure());
    EXPECT_NE(*footage->failure(), "");
    int lastGood = frameNumberOf(*last);
    EXPECT_GT(lastGood, 5);
    EXPECT_LT(lastGood, 75);
    // It stays: later moments, even after the loop, show the same picture.
    EXPECT_EQ(frameNumberOf(*footage->pictureAt(9)), lastGood);
    EXPECT_EQ(frameNumberOf(*footage->pictureAt(2)), lastGood);

    // A jump past the break, to a key frame the index promises, finds it gone.
    auto jumped = openFootage(cut);
    ASSERT_TRUE(jumped);
    EXPECT_EQ(frameNumberOf(*jumped->pictureAt(0.5)), 5);
    EXPECT_EQ(frameNumberOf(*jumped->pictureAt(7.2)), 5);
    ASSERT_TRUE(jumped->failure());
    EXPECT_NE(jumped->failure()->find("it ends before 7.20 s of the 8.00 s"), std::string::npos) << *jumped->failure();
    EXPECT_EQ(frameNumberOf(*jumped->pictureAt(1)), 5);
}
