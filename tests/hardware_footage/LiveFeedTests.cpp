#include "FootageClips.h"

#include "hardware/footage/CameraSource.h"
#include "hardware/footage/LiveFeed.h"

using namespace hardware;
using namespace footagetest;

namespace {

std::unique_ptr<LiveFeed> openFeed(const std::string& name)
{
    auto source = cameraSourceNamed(name);
    if (auto* problem = std::get_if<std::string>(&source)) {
        ADD_FAILURE() << *problem;
        return nullptr;
    }
    auto opened = LiveFeed::open(std::get<VideoInput>(source));
    if (auto* problem = std::get_if<std::string>(&opened)) {
        ADD_FAILURE() << name << ": " << *problem;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<LiveFeed>>(opened));
}

}

TEST(CameraSourceNames, AreAWebcamOrAnFFmpegSource)
{
    auto webcam = std::get<VideoInput>(cameraSourceNamed("v4l2:/dev/video2"));
    EXPECT_EQ(webcam.format, "v4l2");
    EXPECT_EQ(webcam.url, "/dev/video2");
    auto generated = std::get<VideoInput>(cameraSourceNamed("lavfi:testsrc2=size=320x240:rate=30"));
    EXPECT_EQ(generated.format, "lavfi");
    EXPECT_EQ(generated.url, "testsrc2=size=320x240:rate=30");
    for (auto name : { "", "lavfi:", "/dev/video0", "dshow:camera", "testsrc2" })
        EXPECT_TRUE(std::holds_alternative<std::string>(cameraSourceNamed(name))) << name;
}

TEST(LiveFeed, ThePictureOfAMomentIsTheLastThatArrivedByThen)
{
    auto feed = openFeed(std::string("lavfi:color=gray:s=32x24:r=5,") + kCountingPictures);
    ASSERT_TRUE(feed);
    EXPECT_EQ(feed->width(), 32);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(0)), 0);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(0.5)), 2);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(2)), 10);
    // What has gone by is not read again: an earlier moment shows the latest.
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(1)), 10);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(12.35)), 61);
    EXPECT_FALSE(feed->failure());
}

TEST(LiveFeed, ASourceThatStopsLeavesItsLastPictureAndSaysWhy)
{
    auto feed = openFeed(std::string("lavfi:color=gray:s=32x24:r=10:d=1,") + kCountingPictures);
    ASSERT_TRUE(feed);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(0.5)), 5);
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(3)), 9);
    ASSERT_TRUE(feed->failure());
    EXPECT_EQ(*feed->failure(), "the source ended");
    EXPECT_EQ(frameNumberOf(*feed->pictureAt(4)), 9);
}

TEST(LiveFeed, ASourceThatCannotBeOpenedIsRefusedWithFFmpegsReason)
{
    auto missing = LiveFeed::open({ "/dev/no-such-video", "v4l2", {} });
    ASSERT_TRUE(std::holds_alternative<std::string>(missing));
    EXPECT_EQ(std::get<std::string>(missing), "Cannot open video device /dev/no-such-video: No such file or directory");
    auto badGraph = LiveFeed::open({ "nosuchsource", "lavfi", {} });
    ASSERT_TRUE(std::holds_alternative<std::string>(badGraph));
    EXPECT_EQ(std::get<std::string>(badGraph), "No such filter: 'nosuchsource' (Invalid argument)");
}
