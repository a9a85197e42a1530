#include "kit/media/AVCaptureDevice.h"
#include "kit/media/DeviceProfile.h"
#include "kit/runtime/MessageSend.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

class CaptureDevice : public testing::Test {
protected:
    void SetUp() override { useModel("iPhone6,1"); }
    void TearDown() override
    {
        ProcessIdentity::set({});
        AVCaptureDevice::resetDevices();
    }

    static void useModel(const char* model)
    {
        ProcessIdentity::set(DeviceProfile::forModel(model)->processIdentity("com.apple.camera"));
        AVCaptureDevice::resetDevices();
    }

    static std::shared_ptr<AVCaptureDeviceFormat> formatWith(AVCaptureDevice& device, int height, double rate)
    {
        for (const auto& format : device.formats()) {
            if (CMVideoFormatDescriptionGetDimensions(format->formatDescription()).height == height
                && format->videoSupportedFrameRateRanges().front()->maxFrameRate() >= rate)
                return format;
        }
        return nullptr;
    }
};

}

TEST_F(CaptureDevice, BackAndFrontCamerasComeFromTheProfile)
{
    auto devices = AVCaptureDevice::devicesWithMediaType(AVMediaTypeVideo);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0]->position(), AVCaptureDevicePositionBack);
    EXPECT_EQ(devices[1]->position(), AVCaptureDevicePositionFront);
    EXPECT_EQ(AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo), devices[0]);
    EXPECT_EQ(AVCaptureDevice::devicesWithMediaType(AVMediaTypeVideo)[1], devices[1]) << "the same objects each time";
    EXPECT_TRUE(AVCaptureDevice::devicesWithMediaType(AVMediaTypeAudio).empty());

    useModel("iPad1,1");
    EXPECT_EQ(AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo), nullptr);
    ProcessIdentity::set({});
    AVCaptureDevice::resetDevices();
    EXPECT_TRUE(AVCaptureDevice::devicesWithMediaType(AVMediaTypeVideo).empty()) << "unknown model: no camera";
}

TEST_F(CaptureDevice, FormatsAnswerDimensionsAndFrameRates)
{
    auto device = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    auto fast = formatWith(*device, 720, 120);
    ASSERT_TRUE(fast);
    EXPECT_EQ(CMVideoFormatDescriptionGetDimensions(fast->formatDescription()), (CMVideoDimensions { 1280, 720 }));
    auto range = fast->videoSupportedFrameRateRanges().front();
    EXPECT_EQ(range->maxFrameRate(), 120);
    EXPECT_EQ(CMTimeCompare(range->minFrameDuration(), CMTimeMake(1, 120)), 0);
    EXPECT_EQ(CMTimeCompare(range->maxFrameDuration(), CMTimeMake(1, 2)), 0);
    EXPECT_EQ(CMVideoFormatDescriptionGetDimensions(device->activeFormat()->formatDescription()).height, 1080);
    EXPECT_EQ(CMTimeCompare(device->activeVideoMinFrameDuration(), CMTimeMake(1, 30)), 0);
    EXPECT_EQ(CMVideoFormatDescriptionGetDimensions(nullptr), (CMVideoDimensions {}));
}

TEST_F(CaptureDevice, RequestedRangeHasMatchingDurations)
{
    auto range = AVFrameRateRange::frameRateRangeWithMinRate(60, 60);
    EXPECT_EQ(CMTimeCompare(range->minFrameDuration(), CMTimeMake(1, 60)), 0);
    EXPECT_EQ(CMTimeCompare(range->maxFrameDuration(), CMTimeMake(1, 60)), 0);
    EXPECT_NEAR(CMTimeGetSeconds(AVFrameRateRange::frameRateRangeWithMinRate(29.97, 29.97)->minFrameDuration()),
        1 / 29.97, 1e-6);
    EXPECT_FALSE(CMTIME_IS_VALID(AVFrameRateRange::frameRateRangeWithMinRate(0, 30)->maxFrameDuration()));
    EXPECT_LT(CMTimeCompare(CMTimeMake(1, 3), CMTimeMake(2, 3)), 0);
    EXPECT_EQ(CMTimeCompare(CMTimeMake(2, 6), CMTimeMake(1, 3)), 0);
}

TEST_F(CaptureDevice, ConfigurationUnderTheLockTakesEffect)
{
    auto device = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    auto fast = formatWith(*device, 720, 120);
    auto wanted = AVFrameRateRange::frameRateRangeWithMinRate(120, 120);
    ASSERT_TRUE(device->lockForConfiguration());
    device->setActiveFormat(fast);
    device->setActiveVideoMinFrameDuration(wanted->minFrameDuration());
    device->setActiveVideoMaxFrameDuration(wanted->maxFrameDuration());
    device->setFocusPointOfInterest({ 1.4, -0.2 });
    device->setFocusMode(AVCaptureFocusModeAutoFocus);
    device->setWhiteBalanceMode(AVCaptureWhiteBalanceModeLocked);
    EXPECT_TRUE(device->setTorchModeOnWithLevel(0.5f));
    device->unlockForConfiguration();

    EXPECT_EQ(device->activeFormat(), fast);
    EXPECT_EQ(CMTimeCompare(device->activeVideoMaxFrameDuration(), CMTimeMake(1, 120)), 0);
    EXPECT_EQ(device->focusPointOfInterest(), (CGPoint { 1, 0 }));
    EXPECT_EQ(device->focusMode(), AVCaptureFocusModeAutoFocus);
    EXPECT_EQ(device->whiteBalanceMode(), AVCaptureWhiteBalanceModeLocked);
    EXPECT_EQ(device->torchMode(), AVCaptureTorchModeOn);
    EXPECT_FLOAT_EQ(device->torchLevel(), 0.5f);
    EXPECT_FALSE(device->holdsConfigurationLock());

    // A new format starts from its default rate again; an invalid time means the default.
    ASSERT_TRUE(device->lockForConfiguration());
    device->setActiveFormat(formatWith(*device, 1080, 30));
    EXPECT_EQ(CMTimeCompare(device->activeVideoMinFrameDuration(), CMTimeMake(1, 30)), 0);
    device->setActiveVideoMinFrameDuration(CMTimeMake(1, 2));
    device->setActiveVideoMinFrameDuration(kCMTimeInvalid);
    EXPECT_EQ(CMTimeCompare(device->activeVideoMinFrameDuration(), CMTimeMake(1, 30)), 0);
    device->setActiveVideoMaxFrameDuration(CMTimeMake(1, 2));
    device->setActiveVideoMaxFrameDuration(kCMTimeZero);
    EXPECT_EQ(CMTimeCompare(device->activeVideoMaxFrameDuration(), CMTimeMake(1, 30)), 0);
    device->unlockForConfiguration();
}

TEST_F(CaptureDevice, RefusedLockChangesNothing)
{
    auto device = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    auto before = device->configurationChangeCount();
    auto format = device->activeFormat();
    device->setRefusesConfigurationLock(true);
    NSErrorRef error;
    EXPECT_FALSE(device->lockForConfiguration(&error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain(), "AVFoundationErrorDomain");
    EXPECT_FALSE(device->holdsConfigurationLock());
    EXPECT_EQ(device->activeFormat(), format);
    EXPECT_EQ(device->configurationChangeCount(), before);
    device->setRefusesConfigurationLock(false);
    EXPECT_TRUE(device->lockForConfiguration());
}

TEST_F(CaptureDevice, SupportFollowsTheCamera)
{
    auto devices = AVCaptureDevice::devicesWithMediaType(AVMediaTypeVideo);
    auto& back = *devices[0];
    auto& front = *devices[1];
    EXPECT_TRUE(back.isFocusModeSupported(AVCaptureFocusModeContinuousAutoFocus));
    EXPECT_FALSE(front.isFocusModeSupported(AVCaptureFocusModeContinuousAutoFocus));
    EXPECT_FALSE(front.isFocusPointOfInterestSupported());
    EXPECT_TRUE(front.isExposureModeSupported(AVCaptureExposureModeContinuousAutoExposure));
    EXPECT_FALSE(back.isWhiteBalanceModeSupported(AVCaptureWhiteBalanceModeAutoWhiteBalance));
    EXPECT_TRUE(back.isTorchModeSupported(AVCaptureTorchModeOn));
    EXPECT_FALSE(front.isTorchModeSupported(AVCaptureTorchModeOn));
    EXPECT_TRUE(front.isTorchModeSupported(AVCaptureTorchModeOff));

    ASSERT_TRUE(front.lockForConfiguration());
    NSErrorRef error;
    EXPECT_FALSE(front.setTorchModeOnWithLevel(AVCaptureMaxAvailableTorchLevel, &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(front.torchMode(), AVCaptureTorchModeOff);
    front.unlockForConfiguration();
}

TEST_F(CaptureDevice, HostCanSendTheConfigurationMessages)
{
    auto device = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    EXPECT_TRUE((msgSend<bool, int>(device.get(), sel_registerName("isFocusModeSupported:"), 2)));
    EXPECT_TRUE((msgSend<bool, NSErrorRef*>(device.get(), sel_registerName("lockForConfiguration:"), nullptr)));
    msgSend<void, int>(device.get(), sel_registerName("setWhiteBalanceMode:"), 0);
    msgSend(device.get(), sel_registerName("unlockForConfiguration"));
    EXPECT_EQ(msgSend<int>(device.get(), sel_registerName("whiteBalanceMode")), 0);
}

#ifndef NDEBUG
using CaptureDeviceDeathTest = CaptureDevice;

TEST_F(CaptureDeviceDeathTest, SettingWithoutTheLockIsAProgrammingError)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    auto device = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    EXPECT_DEATH(device->setFocusMode(AVCaptureFocusModeAutoFocus), "");
    EXPECT_DEATH(device->setActiveFormat(device->formats().front()), "");
    ASSERT_TRUE(device->lockForConfiguration());
    EXPECT_DEATH(device->setActiveVideoMinFrameDuration(CMTimeMake(1, 240)), "");
    device->unlockForConfiguration();
}
#endif
