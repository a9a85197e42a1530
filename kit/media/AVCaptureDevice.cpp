#include "kit/media/AVCaptureDevice.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/DeviceProfile.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace kit {

KIT_REGISTER_CLASS(AVCaptureDevice);

namespace {

// The configuration calls the products make, so that a host can send or
// observe them by selector like any other message.
void registerMethods()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Class cls = AVCaptureDevice::staticClass();
        addMethod(cls, sel_registerName("lockForConfiguration:"), memberImp<&AVCaptureDevice::lockForConfiguration>());
        addMethod(cls, sel_registerName("unlockForConfiguration"), memberImp<&AVCaptureDevice::unlockForConfiguration>());
        addMethod(cls, sel_registerName("activeFormat"), memberImp<&AVCaptureDevice::activeFormat>());
        addMethod(cls, sel_registerName("setActiveFormat:"), memberImp<&AVCaptureDevice::setActiveFormat>());
        addMethod(cls, sel_registerName("setActiveVideoMinFrameDuration:"),
            memberImp<&AVCaptureDevice::setActiveVideoMinFrameDuration>());
        addMethod(cls, sel_registerName("setActiveVideoMaxFrameDuration:"),
            memberImp<&AVCaptureDevice::setActiveVideoMaxFrameDuration>());
        addMethod(cls, sel_registerName("isFocusModeSupported:"), memberImp<&AVCaptureDevice::isFocusModeSupported>());
        addMethod(cls, sel_registerName("setFocusMode:"), memberImp<&AVCaptureDevice::setFocusMode>());
        addMethod(cls, sel_registerName("setFocusPointOfInterest:"),
            memberImp<&AVCaptureDevice::setFocusPointOfInterest>());
        addMethod(cls, sel_registerName("isExposureModeSupported:"),
            memberImp<&AVCaptureDevice::isExposureModeSupported>());
        addMethod(cls, sel_registerName("setExposureMode:"), memberImp<&AVCaptureDevice::setExposureMode>());
        addMethod(cls, sel_registerName("setExposurePointOfInterest:"),
            memberImp<&AVCaptureDevice::setExposurePointOfInterest>());
        addMethod(cls, sel_registerName("isWhiteBalanceModeSupported:"),
            memberImp<&AVCaptureDevice::isWhiteBalanceModeSupported>());
        addMethod(cls, sel_registerName("whiteBalanceMode"), memberImp<&AVCaptureDevice::whiteBalanceMode>());
        addMethod(cls, sel_registerName("setWhiteBalanceMode:"), memberImp<&AVCaptureDevice::setWhiteBalanceMode>());
        addMethod(cls, sel_registerName("isTorchModeSupported:"), memberImp<&AVCaptureDevice::isTorchModeSupported>());
        addMethod(cls, sel_registerName("torchMode"), memberImp<&AVCaptureDevice::torchMode>());
        addMethod(cls, sel_registerName("setTorchMode:"), memberImp<&AVCaptureDevice::setTorchMode>());
        addMethod(cls, sel_registerName("setTorchModeOnWithLevel:error:"),
            memberImp<&AVCaptureDevice::setTorchModeOnWithLevel>());
        addMethod(cls, sel_registerName("hasFlash"), memberImp<&AVCaptureDevice::hasFlash>());
        addMethod(cls, sel_registerName("isFlashModeSupported:"), memberImp<&AVCaptureDevice::isFlashModeSupported>());
        addMethod(cls, sel_registerName("flashMode"), memberImp<&AVCaptureDevice::flashMode>());
        addMethod(cls, sel_registerName("setFlashMode:"), memberImp<&AVCaptureDevice::setFlashMode>());
    });
}

struct DeviceCache {
    std::mutex mutex;
    std::string machine;
    bool built { false };
    std::vector<std::shared_ptr<AVCaptureDevice>> devices;
};

DeviceCache& cache()
{
    static DeviceCache instance;
    return instance;
}

// The platform raises an exception for these; here they end a debug build
// with the reason, and a release build logs and carries on without the change.
void programmingError(const char* what)
{
    logf("AVCaptureDevice: %s", what);
#ifndef NDEBUG
    std::abort();
#endif
}

// An invalid time (what a message to nil gives) or a zero one asks for the
// format's default frame duration.
bool meansDefault(const CMTime& duration)
{
    return !CMTIME_IS_VALID(duration) || duration.value == 0;
}

CGPoint clampedPoint(CGPoint point)
{
    return { std::clamp(point.x, 0.0, 1.0), std::clamp(point.y, 0.0, 1.0) };
}

}

std::vector<std::shared_ptr<AVCaptureDevice>> AVCaptureDevice::devicesWithMediaType(std::string_view mediaType)
{
    registerMethods();
    if (mediaType != AVMediaTypeVideo)
        return {};
    auto& devices = cache();
    std::lock_guard lock(devices.mutex);
    const std::string& machine = ProcessIdentity::current().machine;
    if (!devices.built || devices.machine != machine) {
        devices.devices.clear();
        if (const auto* profile = DeviceProfile::forModel(machine)) {
            if (profile->backCamera)
                devices.devices.push_back(std::make_shared<AVCaptureDevice>(
                    "com.apple.avfoundation.avcapturedevice.built-in_video:0", AVCaptureDevicePositionBack,
                    *profile->backCamera));
            if (profile->frontCamera)
                devices.devices.push_back(std::make_shared<AVCaptureDevice>(
                    "com.apple.avfoundation.avcapturedevice.built-in_video:1", AVCaptureDevicePositionFront,
                    *profile->frontCamera));
        }
        devices.machine = machine;
        devices.built = true;
    }
    return devices.devices;
}

std::shared_ptr<AVCaptureDevice> AVCaptureDevice::defaultDeviceWithMediaType(std::string_view mediaType)
{
    auto devices = devicesWithMediaType(mediaType);
    return devices.empty() ? nullptr : devices.front();
}

void AVCaptureDevice::resetDevices()
{
    auto& devices = cache();
    std::lock_guard lock(devices.mutex);
    devices.devices.clear();
    devices.built = false;
}

AVCaptureDevice::AVCaptureDevice(std::string uniqueID, AVCaptureDevicePosition position, const CameraSpec& camera)
    : m_uniqueID(std::move(uniqueID))
    , m_position(position)
    , m_hasAutofocus(camera.hasAutofocus)
    , m_hasTorch(camera.hasTorch)
    , m_focusMode(camera.hasAutofocus ? AVCaptureFocusModeContinuousAutoFocus : AVCaptureFocusModeLocked)
{
    registerMethods();
    for (const auto& formatSpec : camera.formats) {
        m_formats.push_back(std::make_shared<AVCaptureDeviceFormat>(formatSpec.width, formatSpec.height,
            std::vector { AVFrameRateRange::frameRateRangeWithMinRate(formatSpec.minFrameRate, formatSpec.maxFrameRate) }));
    }
    if (!m_formats.empty())
        m_activeFormat = m_formats[std::min(camera.initialFormat, m_formats.size() - 1)];
    m_presetFormat = m_activeFormat;
    resetFrameDurations();
}

std::string AVCaptureDevice::localizedName() const
{
    return m_position == AVCaptureDevicePositionFront ? "Front Camera" : "Back Camera";
}

void AVCaptureDevice::changed()
{
    ++m_changeCount;
    if (m_observer)
        m_observer();
}

bool AVCaptureDevice::mayConfigure(const char* what) const
{
    if (m_lockCount > 0)
        return true;
    std::string reason = std::string(what) + " needs lockForConfiguration: first";
    programmingError(reason.c_str());
    return false;
}

void AVCaptureDevice::resetFrameDurations()
{
    CMTime duration = m_activeFormat ? m_activeFormat->defaultFrameDuration() : kCMTimeInvalid;
    m_activeMinFrameDuration = duration;
    m_activeMaxFrameDuration = duration;
}

void AVCaptureDevice::setActiveFormat(const std::shared_ptr<AVCaptureDeviceFormat>& format)
{
    if (!mayConfigure("setActiveFormat:"))
        return;
    if (!format || std::find(m_formats.begin(), m_formats.end(), format) == m_formats.end()) {
        programmingError("setActiveFormat: with a format the device does not have");
        return;
    }
    m_activeFormat = format;
    resetFrameDurations();
    changed();
}

void AVCaptureDevice::setActiveVideoMinFrameDuration(CMTime duration)
{
    if (!mayConfigure("setActiveVideoMinFrameDuration:"))
        return;
    if (meansDefault(duration)) {
        m_activeMinFrameDuration = m_activeFormat ? m_activeFormat->defaultFrameDuration() : kCMTimeInvalid;
    } else if (!m_activeFormat || !m_activeFormat->supportsFrameDuration(duration)) {
        programmingError("setActiveVideoMinFrameDuration: with a duration the active format does not support");
        return;
    } else {
        m_activeMinFrameDuration = duration;
    }
    changed();
}

void AVCaptureDevice::setActiveVideoMaxFrameDuration(CMTime duration)
{
    if (!mayConfigure("setActiveVideoMaxFrameDuration:"))
        return;
    if (meansDefault(duration)) {
        m_activeMaxFrameDuration = m_activeFormat ? m_activeFormat->defaultFrameDuration() : kCMTimeInvalid;
    } else if (!m_activeFormat || !m_activeFormat->supportsFrameDuration(duration)) {
        programmingError("setActiveVideoMaxFrameDuration: with a duration the active format does not support");
        return;
    } else {
        m_activeMaxFrameDuration = duration;
    }
    changed();
}

bool AVCaptureDevice::lockForConfiguration(NSErrorRef* error)
{
    if (m_refusesLock) {
        setError(error,
            NSError::make("AVFoundationErrorDomain", -11817, "Cannot Record",
                "The device is in use by another client."));
        return false;
    }
    ++m_lockCount;
    return true;
}

void AVCaptureDevice::unlockForConfiguration()
{
    if (m_lockCount > 0)
        --m_lockCount;
}

bool AVCaptureDevice::isFocusModeSupported(int mode) const
{
    if (mode == AVCaptureFocusModeLocked)
        return true;
    return m_hasAutofocus && (mode == AVCaptureFocusModeAutoFocus || mode == AVCaptureFocusModeContinuousAutoFocus);
}

void AVCaptureDevice::setFocusMode(int mode)
{
    if (!mayConfigure("setFocusMode:"))
        return;
    if (!isFocusModeSupported(mode)) {
        programmingError("setFocusMode: with a mode the device does not support");
        return;
    }
    m_focusMode = mode;
    changed();
}

void AVCaptureDevice::setFocusPointOfInterest(CGPoint point)
{
    if (!mayConfigure("setFocusPointOfInterest:"))
        return;
    if (!isFocusPointOfInterestSupported()) {
        programmingError("setFocusPointOfInterest: on a device without a focus point of interest");
        return;
    }
    m_focusPoint = clampedPoint(point);
    changed();
}

bool AVCaptureDevice::isExposureModeSupported(int mode) const
{
    if (mode == AVCaptureExposureModeLocked || mode == AVCaptureExposureModeContinuousAutoExposure)
        return true;
    // The one-shot exposure comes with the autofocus cameras.
    return mode == AVCaptureExposureModeAutoExpose && m_hasAutofocus;
}

void AVCaptureDevice::setExposureMode(int mode)
{
    if (!mayConfigure("setExposureMode:"))
        return;
    if (!isExposureModeSupported(mode)) {
        programmingError("setExposureMode: with a mode the device does not support");
        return;
    }
    m_exposureMode = mode;
    changed();
}

void AVCaptureDevice::setExposurePointOfInterest(CGPoint point)
{
    if (!mayConfigure("setExposurePointOfInterest:"))
        return;
    m_exposurePoint = clampedPoint(point);
    changed();
}

bool AVCaptureDevice::isWhiteBalanceModeSupported(int mode) const
{
    return mode == AVCaptureWhiteBalanceModeLocked || mode == AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance;
}

void AVCaptureDevice::setWhiteBalanceMode(int mode)
{
    if (!mayConfigure("setWhiteBalanceMode:"))
        return;
    if (!isWhiteBalanceModeSupported(mode)) {
        programmingError("setWhiteBalanceMode: with a mode the device does not support");
        return;
    }
    m_whiteBalanceMode = mode;
    changed();
}

bool AVCaptureDevice::isTorchModeSupported(int mode) const
{
    if (mode == AVCaptureTorchModeOff)
        return true;
    return m_hasTorch && (mode == AVCaptureTorchModeOn || mode == AVCaptureTorchModeAuto);
}

void AVCaptureDevice::setTorchMode(int mode)
{
    if (!mayConfigure("setTorchMode:"))
        return;
    if (!isTorchModeSupported(mode)) {
        programmingError("setTorchMode: with a mode the device does not support");
        return;
    }
    m_torchMode = mode;
    m_torchLevel = mode == AVCaptureTorchModeOn ? 1.0f : 0.0f;
    changed();
}

bool AVCaptureDevice::setTorchModeOnWithLevel(float level, NSErrorRef* error)
{
    if (!mayConfigure("setTorchModeOnWithLevel:error:"))
        return false;
    if (level == AVCaptureMaxAvailableTorchLevel)
        level = 1.0f;
    if (!(level > 0.0f && level <= 1.0f)) {
        programmingError("setTorchModeOnWithLevel:error: with a level outside (0, 1]");
        return false;
    }
    if (!m_hasTorch) {
        setError(error, NSError::make("AVFoundationErrorDomain", -11800, "The operation could not be completed",
                            "The device has no torch."));
        return false;
    }
    m_torchMode = AVCaptureTorchModeOn;
    m_torchLevel = level;
    changed();
    return true;
}

bool AVCaptureDevice::isFlashModeSupported(int mode) const
{
    if (mode == AVCaptureFlashModeOff)
        return true;
    return m_hasTorch && (mode == AVCaptureFlashModeOn || mode == AVCaptureFlashModeAuto);
}

void AVCaptureDevice::setFlashMode(int mode)
{
    if (!mayConfigure("setFlashMode:"))
        return;
    if (!isFlashModeSupported(mode)) {
        programmingError("setFlashMode: with a mode the device does not support");
        return;
    }
    m_flashMode = mode;
    changed();
}

}
