#pragma once

#include "kit/media/AVCaptureDeviceFormat.h"
#include "kit/media/CMTime.h"
#include "kit/media/NSError.h"
#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

struct CameraSpec;

inline constexpr std::string_view AVMediaTypeVideo = "vide";
inline constexpr std::string_view AVMediaTypeAudio = "soun";

enum AVCaptureDevicePosition : int {
    AVCaptureDevicePositionUnspecified = 0,
    AVCaptureDevicePositionBack = 1,
    AVCaptureDevicePositionFront = 2,
};

enum AVCaptureFocusMode : int {
    AVCaptureFocusModeLocked = 0,
    AVCaptureFocusModeAutoFocus = 1,
    AVCaptureFocusModeContinuousAutoFocus = 2,
};

enum AVCaptureExposureMode : int {
    AVCaptureExposureModeLocked = 0,
    AVCaptureExposureModeAutoExpose = 1,
    AVCaptureExposureModeContinuousAutoExposure = 2,
};

enum AVCaptureWhiteBalanceMode : int {
    AVCaptureWhiteBalanceModeLocked = 0,
    AVCaptureWhiteBalanceModeAutoWhiteBalance = 1,
    AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance = 2,
};

enum AVCaptureFlashMode : int {
    AVCaptureFlashModeOff = 0,
    AVCaptureFlashModeOn = 1,
    AVCaptureFlashModeAuto = 2,
};

enum AVCaptureTorchMode : int {
    AVCaptureTorchModeOff = 0,
    AVCaptureTorchModeOn = 1,
    AVCaptureTorchModeAuto = 2,
};

// The brightest the torch can go at the moment.
inline constexpr float AVCaptureMaxAvailableTorchLevel = 3.40282347e+38f;

// A camera of the device the process runs on (DeviceProfile::current()).
//
// Configuration follows the platform: every setter below must be called
// between a successful lockForConfiguration() and unlockForConfiguration();
// setting without the lock, choosing a mode the device does not support, a
// format it does not have or a frame duration the active format cannot run
// is a programming error that ends the process in debug builds (a release
// build logs it and changes nothing). A refused lock changes nothing.
//
// Setting the active format resets the active frame durations to the
// format's default. An invalid or zero time given as a frame duration (a
// message to nil gives one) also means "the default".
//
// Used on the main thread.
class AVCaptureDevice final : public Object {
    KIT_OBJECT(AVCaptureDevice, Object)

public:
    // The cameras of the current device profile: the back camera first, then
    // the front one; none for an unknown model or another media type. The
    // same objects are answered until the machine changes or resetDevices().
    static std::vector<std::shared_ptr<AVCaptureDevice>> devicesWithMediaType(std::string_view mediaType);
    // The back camera (or the only one); nothing without a camera.
    static std::shared_ptr<AVCaptureDevice> defaultDeviceWithMediaType(std::string_view mediaType);
    // Forgets the cameras, so the next query makes fresh ones in their
    // initial state (tests, a new process identity).
    static void resetDevices();

    AVCaptureDevice(std::string uniqueID, AVCaptureDevicePosition, const CameraSpec&);

    const std::string& uniqueID() const { return m_uniqueID; }
    std::string localizedName() const;
    AVCaptureDevicePosition position() const { return m_position; }
    bool hasMediaType(std::string_view mediaType) const { return mediaType == AVMediaTypeVideo; }

    // Formats, in the device's order; the largest video size is active at first.
    const std::vector<std::shared_ptr<AVCaptureDeviceFormat>>& formats() const { return m_formats; }
    std::shared_ptr<AVCaptureDeviceFormat> activeFormat() const { return m_activeFormat; }
    void setActiveFormat(const std::shared_ptr<AVCaptureDeviceFormat>&);
    // For the host's session presets: the format the camera starts with,
    // its largest plain video size.
    std::shared_ptr<AVCaptureDeviceFormat> presetFormat() const { return m_presetFormat; }
    CMTime activeVideoMinFrameDuration() const { return m_activeMinFrameDuration; }
    void setActiveVideoMinFrameDuration(CMTime);
    CMTime activeVideoMaxFrameDuration() const { return m_activeMaxFrameDuration; }
    void setActiveVideoMaxFrameDuration(CMTime);

    // Answers false (and the error, when asked) when the device refuses.
    // Locks nest: each success needs its own unlock.
    bool lockForConfiguration(NSErrorRef* error = nullptr);
    void unlockForConfiguration();
    bool holdsConfigurationLock() const { return m_lockCount > 0; }
    // For tests and scenarios: make every later lockForConfiguration fail,
    // as when another client holds the camera.
    void setRefusesConfigurationLock(bool refuses) { m_refusesLock = refuses; }

    bool isFocusModeSupported(int mode) const;
    int focusMode() const { return m_focusMode; }
    void setFocusMode(int mode);
    bool isFocusPointOfInterestSupported() const { return m_hasAutofocus; }
    // Normalised: (0, 0) top left, (1, 1) bottom right of the landscape
    // sensor; values outside are clamped.
    CGPoint focusPointOfInterest() const { return m_focusPoint; }
    void setFocusPointOfInterest(CGPoint);

    bool isExposureModeSupported(int mode) const;
    int exposureMode() const { return m_exposureMode; }
    void setExposureMode(int mode);
    bool isExposurePointOfInterestSupported() const { return true; }
    CGPoint exposurePointOfInterest() const { return m_exposurePoint; }
    void setExposurePointOfInterest(CGPoint);

    // Locked and continuous; the one-shot automatic mode is not offered.
    bool isWhiteBalanceModeSupported(int mode) const;
    int whiteBalanceMode() const { return m_whiteBalanceMode; }
    void setWhiteBalanceMode(int mode);

    bool hasTorch() const { return m_hasTorch; }
    bool isTorchAvailable() const { return m_hasTorch; }
    bool isTorchModeSupported(int mode) const;
    int torchMode() const { return m_torchMode; }
    float torchLevel() const { return m_torchLevel; }
    void setTorchMode(int mode);
    // Level in (0, 1], or AVCaptureMaxAvailableTorchLevel. Answers false with
    // an error on a device without a torch.
    bool setTorchModeOnWithLevel(float level, NSErrorRef* error = nullptr);

    // The same light as the torch, fired for a still. Off at first.
    bool hasFlash() const { return m_hasTorch; }
    bool isFlashAvailable() const { return m_hasTorch; }
    bool isFlashModeSupported(int mode) const;
    int flashMode() const { return m_flashMode; }
    void setFlashMode(int mode);

    // How many settings have been changed so far; a host can watch it.
    uint64_t configurationChangeCount() const { return m_changeCount; }
    // The camera hardware behind the device learns of each change through
    // this: called after the setting has changed, on the thread that changed
    // it, while the configuration lock is held. One observer; another
    // replaces it, an empty one removes it. It must not reconfigure the
    // device.
    void setConfigurationObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    bool mayConfigure(const char* what) const;
    void resetFrameDurations();
    void changed();

    std::string m_uniqueID;
    AVCaptureDevicePosition m_position { AVCaptureDevicePositionUnspecified };
    std::vector<std::shared_ptr<AVCaptureDeviceFormat>> m_formats;
    std::shared_ptr<AVCaptureDeviceFormat> m_activeFormat;
    std::shared_ptr<AVCaptureDeviceFormat> m_presetFormat;
    CMTime m_activeMinFrameDuration;
    CMTime m_activeMaxFrameDuration;
    bool m_hasAutofocus { false };
    bool m_hasTorch { false };
    int m_lockCount { 0 };
    bool m_refusesLock { false };
    int m_focusMode { AVCaptureFocusModeLocked };
    CGPoint m_focusPoint { 0.5, 0.5 };
    int m_exposureMode { AVCaptureExposureModeContinuousAutoExposure };
    CGPoint m_exposurePoint { 0.5, 0.5 };
    int m_whiteBalanceMode { AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance };
    int m_torchMode { AVCaptureTorchModeOff };
    float m_torchLevel { 0 };
    int m_flashMode { AVCaptureFlashModeOff };
    uint64_t m_changeCount { 0 };
    std::function<void()> m_observer;
};

}
