// A video records what the capture device is set to: the active format's
// size, one frame per active frame duration on the clock, turned upright for
// the way the phone was held when the recording started. The figures come
// from the movie file itself.

#include "HostCameraTestSupport.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/media/MovieProbe.h"

using namespace hosttest;

namespace {

class MovieRecording : public HostCameraTest {
protected:
    // A recording of about the given length in the current mode (the
    // shutter's taps add a little), probed.
    kit::MovieInfo record(host::Phone& phone, double seconds)
    {
        phone.pressShutter();
        EXPECT_TRUE(phone.isRecording());
        phone.advance(seconds);
        phone.pressShutter();
        auto roll = phone.cameraRoll();
        EXPECT_FALSE(roll.empty());
        if (roll.empty())
            return {};
        auto info = kit::probeMovie(roll.back());
        EXPECT_TRUE(info && info->isH264Movie());
        if (info && info->frameRate > 0) {
            EXPECT_NEAR(info->durationSeconds, info->frameCount / info->frameRate, 1e-3) << "no frame dropped or doubled";
        }
        return info.value_or(kit::MovieInfo {});
    }

    static kit::AVCaptureDevice& camera(int position)
    {
        for (const auto& device : kit::AVCaptureDevice::devicesWithMediaType(kit::AVMediaTypeVideo))
            if (device->position() == position)
                return *device;
        throw std::runtime_error("no such camera");
    }

    // Makes the first format of that height and rate active at the rate.
    static void choose(kit::AVCaptureDevice& device, int height, double rate)
    {
        for (const auto& format : device.formats()) {
            auto size = kit::CMVideoFormatDescriptionGetDimensions(format->formatDescription());
            if (size.height != height || format->videoSupportedFrameRateRanges()[0]->maxFrameRate() < rate)
                continue;
            ASSERT_TRUE(device.lockForConfiguration());
            device.setActiveFormat(format);
            device.setActiveVideoMinFrameDuration(kit::CMTimeForFrameRate(rate));
            device.setActiveVideoMaxFrameDuration(kit::CMTimeForFrameRate(rate));
            device.unlockForConfiguration();
            return;
        }
        FAIL() << "no format of height " << height << " at " << rate;
    }
};

}

TEST_F(MovieRecording, PlainVideoIsTheLargestVideoSizeAtThirtyFramesHeldUpright)
{
    auto phone = startPhone("iPhone6,1");
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    auto movie = record(*phone, 2);
    EXPECT_EQ(movie.width, 1920);
    EXPECT_EQ(movie.height, 1080);
    EXPECT_NEAR(movie.frameCount, 60, 3);
    EXPECT_NEAR(movie.frameRate, 30, 0.01);
    EXPECT_NEAR(movie.durationSeconds, 2, 0.1);
    EXPECT_EQ(movie.rotationDegrees, 90) << "portrait: the landscape sensor's pictures turn a quarter clockwise";
}

TEST_F(MovieRecording, TheChosenFormatAndRateAreWhatIsRecorded)
{
    auto phone = startPhone("iPhone6,1");
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    choose(camera(kit::AVCaptureDevicePositionBack), 720, 60);
    phone->setOrientation(3);
    auto movie = record(*phone, 2);
    EXPECT_EQ(movie.width, 1280);
    EXPECT_EQ(movie.height, 720);
    EXPECT_NEAR(movie.frameCount, 120, 6);
    EXPECT_NEAR(movie.frameRate, 60, 0.01);
    EXPECT_EQ(movie.rotationDegrees, 0) << "landscape with the home button on the right is the sensor's own way";
}

TEST_F(MovieRecording, SlowMotionRunsTheFastestFormatAndAModeChangeRestoresThePlainOne)
{
    auto phone = startPhone("iPhone6,1");
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(2));
    auto slow = record(*phone, 1);
    EXPECT_EQ(slow.width, 1280);
    EXPECT_EQ(slow.height, 720);
    EXPECT_NEAR(slow.frameCount, 120, 12);
    EXPECT_NEAR(slow.frameRate, 120, 0.01);

    phone->advance(1);
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->advance(1);
    auto plain = record(*phone, 0.5);
    EXPECT_EQ(plain.height, 1080);
    EXPECT_NEAR(plain.frameCount, 15, 2);
}

TEST_F(MovieRecording, TheFourSFrontCameraRecordsVGAUpsideDownWhenHeldSo)
{
    auto phone = startPhone("iPhone4,1");
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    ASSERT_TRUE(phone->setCameraDevice(1));
    phone->setOrientation(2);
    auto movie = record(*phone, 1);
    EXPECT_EQ(movie.width, 640);
    EXPECT_EQ(movie.height, 480);
    EXPECT_NEAR(movie.frameCount, 30, 3);
    EXPECT_EQ(movie.rotationDegrees, 270) << "upside down: a quarter turn anticlockwise";
}
