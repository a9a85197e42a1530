#include "extension/capture/DimensionsAndFrameRates.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/elements/CustomSlalomIndicatorView.h"
#include "extension/elements/ElementStyle.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/DeviceHardware.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVFrameRateRange.h"

#include <array>
#include <string_view>

namespace vantor {

namespace {

// The largest height a model allows, per mode and camera; 0 = no limit.
struct HeightLimits {
    int32_t videoBack, videoFront, photoBack, photoFront;
};

struct ModelLimits {
    std::initializer_list<std::string_view> names;
    HeightLimits limits;
};

const std::array<ModelLimits, 7>& modelLimits()
{
    static const std::array<ModelLimits, 7> table { {
        { { "iPhone 4", "Verizon iPhone 4" }, { 720, 480, 1936, 1936 } },
        { { "iPhone 4S" }, { 1080, 480, 2448, 2448 } },
        { { "iPhone 5s (GSM)", "iPhone 5s (GSM+CDMA)", "iPhone 5c (GSM)", "iPhone 5c (GSM+CDMA)", "iPhone 5 (GSM)",
              "iPhone 5 (GSM+CDMA)" },
            { 1080, 720, 2448, 2448 } },
        { { "iPod Touch 5G" }, { 1080, 720, 1936, 1936 } },
        { { "iPad 2 (WiFi)", "iPad 2 (GSM)", "iPad 2 (CDMA)" }, { 0, 720, 0, 2448 } },
        { { "iPad 3 (WiFi)", "iPad 3 (GSM+CDMA)", "iPad 3 (GSM)" }, { 1080, 480, 1944, 1944 } },
        { { "iPad Air (WiFi)", "iPad Air (Cellular)", "iPad mini 2G (WiFi)", "iPad mini 2G (Cellular)", "iPad Mini (WiFi)",
              "iPad Mini (GSM)", "iPad Mini (GSM+CDMA)", "iPad 4 (WiFi)", "iPad 4 (GSM)", "iPad 4 (GSM+CDMA)" },
            { 1080, 720, 1944, 1944 } },
    } };
    return table;
}

const HeightLimits* limitsForModel(const std::string& name)
{
    for (const auto& row : modelLimits()) {
        for (auto candidate : row.names) {
            if (candidate == name)
                return &row.limits;
        }
    }
    return nullptr;
}

kit::id hostController() { return host::sharedCameraController(); }

kit::AVCaptureDevice* captureDeviceOf(kit::id controller)
{
    return kit::cast<kit::AVCaptureDevice>(host::currentDevice(controller));
}

int32_t heightOf(const kit::AVCaptureDeviceFormat& format)
{
    return format.formatDescription() ? kit::CMVideoFormatDescriptionGetDimensions(format.formatDescription()).height : 0;
}

// Whether some range of the format can run the rate.
bool formatRuns(const kit::AVCaptureDeviceFormat& format, double rate)
{
    for (const auto& range : format.videoSupportedFrameRateRanges()) {
        if (range->minFrameRate() <= rate && rate <= range->maxFrameRate())
            return true;
    }
    return false;
}

bool isAllowedNow(int32_t height, kit::id controller)
{
    return isValidDimension(height, host::cameraMode(controller), host::cameraDevice(controller));
}

CustomSlalomIndicatorView* heightIndicator()
{
    return dynamic_cast<CustomSlalomIndicatorView*>(_CAMSlalomDimensionIndicator.get());
}

}

bool isValidDimension(int32_t height, int32_t, int32_t cameraDevice)
{
    const HeightLimits* limits = limitsForModel(DeviceHardware::platformString());
    if (!limits)
        return true;
    kit::id controller = hostController();
    bool back = cameraDevice == 0;
    int32_t limit = 0;
    if (isVideoMode(controller))
        limit = back ? limits->videoBack : limits->videoFront;
    else if (isCameraMode(controller))
        limit = back ? limits->photoBack : limits->photoFront;
    else
        return true;
    return limit == 0 || height <= limit;
}

int32_t getMaxFrameRate(kit::id captureDevice)
{
    auto* device = kit::cast<kit::AVCaptureDevice>(captureDevice);
    if (!device)
        return 30;
    kit::id controller = hostController();
    std::shared_ptr<kit::AVFrameRateRange> best;
    for (const auto& format : device->formats()) {
        if (!isAllowedNow(heightOf(*format), controller))
            continue;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            // Among equal maxima the last one wins.
            if (!best || best->maxFrameRate() <= range->maxFrameRate())
                best = range;
        }
    }
    return best ? int32_t(best->maxFrameRate()) : 30;
}

std::shared_ptr<kit::AVFrameRateRange> getMaxFrameRateForRequestedDimension(int32_t height)
{
    auto* device = captureDeviceOf(hostController());
    if (!device)
        return nullptr;
    for (int32_t rate : { 120, 60, 30 }) {
        auto requested = kit::AVFrameRateRange::frameRateRangeWithMinRate(rate, rate);
        for (const auto& format : device->formats()) {
            if (heightOf(*format) != height)
                continue;
            for (const auto& range : format->videoSupportedFrameRateRanges()) {
                if (range->maxFrameRate() >= requested->maxFrameRate())
                    return requested;
            }
        }
    }
    return nullptr;
}

void setFrameRate(int32_t framesPerSecond)
{
    kit::id controller = hostController();
    if (host::cameraMode(controller) != 1 || framesPerSecond == currentFrameRate)
        return;
    auto* device = captureDeviceOf(controller);
    if (!device)
        return;
    auto wanted = kit::AVFrameRateRange::frameRateRangeWithMinRate(framesPerSecond, framesPerSecond);

    std::shared_ptr<kit::AVCaptureDeviceFormat> chosen;
    for (const auto& format : device->formats()) {
        if (!isAllowedNow(heightOf(*format), controller))
            continue;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            if (wanted->maxFrameRate() <= range->maxFrameRate() && formatRuns(*format, wanted->maxFrameRate()))
                chosen = format;
        }
    }
    if (!chosen || !device->lockForConfiguration())
        return;
    device->setActiveFormat(chosen);
    device->setActiveVideoMinFrameDuration(wanted->minFrameDuration());
    device->setActiveVideoMaxFrameDuration(wanted->maxFrameDuration());
    device->unlockForConfiguration();
    assignCurrentDimensionAndSetLabel(heightOf(*chosen));
    assignCurrentFrameRateAndSetLabel(framesPerSecond);
}

void setDimension(int32_t height)
{
    if (height == currentDimensionHeight)
        return;
    auto range = getMaxFrameRateForRequestedDimension(height);
    auto current = kit::AVFrameRateRange::frameRateRangeWithMinRate(currentFrameRate, currentFrameRate);
    // The current rate stays when the new height can deliver it.
    // A rate of 0 (none applied yet) leaves the format at its default rate.
    if (range && current->maxFrameRate() <= range->maxFrameRate())
        range = currentFrameRate > 0 ? current : nullptr;

    if (auto* device = captureDeviceOf(hostController())) {
        for (const auto& format : device->formats()) {
            if (heightOf(*format) != height)
                continue;
            // The platform refuses a rate the format cannot run.
            if (range && !formatRuns(*format, range->maxFrameRate()))
                continue;
            if (!device->lockForConfiguration())
                continue;
            device->setActiveFormat(format);
            device->setActiveVideoMinFrameDuration(range ? range->minFrameDuration() : kit::kCMTimeZero);
            device->setActiveVideoMaxFrameDuration(range ? range->maxFrameDuration() : kit::kCMTimeZero);
            device->unlockForConfiguration();
            assignCurrentDimensionAndSetLabel(height);
            // Without a requested rate the format runs its default; that is what shows.
            double frameSeconds = kit::CMTimeGetSeconds(device->activeVideoMinFrameDuration());
            double shown = range ? range->maxFrameRate() : (frameSeconds > 0 ? 1.0 / frameSeconds : 30);
            assignCurrentFrameRateAndSetLabel(int32_t(shown + 0.5));
        }
    }

    if (auto bar = cameraBar)
        bar->DisplayCameraModeChangeObjectsTimed();
}

void getDimensions(int32_t, int32_t, bool onlyIfNotYetKnown)
{
    kit::id controller = hostController();
    if (!deviceFrameRatesForDimensions || !(isVideoMode(controller) || isCameraMode(controller)))
        return;
    auto known = [](int32_t height) {
        auto found = deviceFrameRatesForDimensions->find(height);
        return found != deviceFrameRatesForDimensions->end() && found->second != 0;
    };
    if (onlyIfNotYetKnown && known(144) && known(480))
        return;

    emptyMaxFrameRatesForHeightVariables();
    auto* device = captureDeviceOf(controller);
    if (!device)
        return;
    if (auto active = device->activeFormat(); active && heightOf(*active) > 0)
        assignCurrentDimensionAndSetLabel(heightOf(*active));

    int32_t mode = host::cameraMode(controller);
    int32_t camera = host::cameraDevice(controller);
    for (const auto& format : device->formats()) {
        std::shared_ptr<kit::AVFrameRateRange> best;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            if (!best || best->maxFrameRate() <= range->maxFrameRate())
                best = range;
        }
        if (best)
            assignMaxFrameRateForDimension(heightOf(*format), int32_t(best->maxFrameRate()), mode, camera);
    }
}

void assignMaxFrameRateForDimension(int32_t height, int32_t frameRate, int32_t cameraMode, int32_t cameraDevice)
{
    if (!deviceFrameRatesForDimensions)
        return;
    (*deviceFrameRatesForDimensions)[height] = isValidDimension(height, cameraMode, cameraDevice) ? frameRate : 0;
}

void emptyMaxFrameRatesForHeightVariables()
{
    if (deviceFrameRatesForDimensions) {
        for (auto& entry : *deviceFrameRatesForDimensions)
            entry.second = 0;
    }
    currentDimensionHeight = 0;
}

void assignCurrentDimensionAndSetLabel(int32_t height)
{
    if (host::cameraMode(hostController()) == 2)
        return;
    currentDimensionHeight = height;
    auto* indicator = heightIndicator();
    if (!indicator)
        return;
    HeightBadge badge = heightBadge(height, false);
    indicator->setLabelText(heightText(height));
    indicator->setResolutionImgFrame(badge.frame);
    indicator->setResolutionImg(resourceImage(badge.imageName));
    indicator->setHidden(false);
}

void assignCurrentFrameRateAndSetLabel(int32_t frameRate)
{
    currentFrameRate = frameRate;
    if (_CAMSlalomIndicatorView)
        host::setFramesPerSecond(_CAMSlalomIndicatorView.get(), frameRate);
    else if (auto* own = dynamic_cast<CustomSlalomIndicatorView*>(_CAMSlalomIndicatorReplacement.get()))
        own->setFramesPerSecond(frameRate);
}

}
