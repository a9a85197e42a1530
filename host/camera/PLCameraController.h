#pragma once

#include "host/camera/CameraCapabilities.h"

#include "kit/runtime/Object.h"

#include <memory>
#include <optional>
#include <string>

namespace hardware {
class CameraHardware;
}

namespace kit {
class AVCaptureDevice;
class ScheduledTask;
}

namespace host {

class MovieRecorder;
class PLCameraView;

// The one camera controller of the process: the capture session, the mode
// and camera, focus and exposure, photo capture and video recording. It
// tells its view (the delegate) what happened through the runtime, and
// sends its own steps through the runtime too, so replacements see them.
class PLCameraController final : public kit::Object {
    KIT_OBJECT(PLCameraController, kit::Object)

public:
    PLCameraController();
    ~PLCameraController() override;

    // The shared controller, made (alloc + init through the runtime) on
    // first use. The app lets it go with releaseSharedInstance when it ends.
    static kit::id sharedInstance();
    static PLCameraController* shared();
    static void releaseSharedInstance();

    // Set up by the app before the preview starts: what the device can do,
    // and its camera hardware.
    void configure(const CameraCapabilities&, std::shared_ptr<hardware::CameraHardware>);
    void setDelegate(const std::shared_ptr<PLCameraView>&);

    // --- Host implementations of the runtime methods (HostSelectors.h).
    kit::id init();
    int32_t cameraMode() const { return m_mode; }
    int32_t cameraDevice() const { return m_device; }
    kit::id currentDevice() const;
    void capturePhoto();
    std::string videoCapturePath() const { return m_videoPath; }
    void lockFocusExposureWhiteBalance(bool focus, bool exposure, bool whiteBalance);
    void capturedPhotoWithDictionary(kit::id dictionary, kit::id error);
    void setupCamera();
    void destroyCamera();
    void configureSession(int32_t mode, int32_t device);
    void accelerometerDidChangeDeviceOrientation(kit::id accelerometer, int32_t orientation);
    void sessionStopped(kit::id notification);
    void sessionStarted(kit::id notification);
    void previewStarted();
    void startVideoCapture();
    void stopVideoCapture();
    void focusStarted();
    void focusCompleted();
    void exposureStarted() { }
    void exposureCompleted() { }
    bool isFocusAllowed() const;
    void autofocusAutoExpose(bool focus, bool expose);
    void autofocus();
    void setCameraMode(int32_t mode, int32_t device);
    void startPreview();
    void startPreviewWith(kit::id sender);
    void stopPreview();
    bool canCapturePhotoDuringRecording() const { return false; }

    // --- State for the app.
    // The capture device of the camera in use (currentDevice, owned).
    std::shared_ptr<kit::AVCaptureDevice> captureDevice() const;
    // The flash button's choice: 0 off, 1 on, 2 automatic (as at first).
    // The camera in use gets it, and so does the other when it comes.
    void setFlashMode(int mode);
    int flashMode() const { return m_flashMode; }
    bool isPreviewRunning() const { return m_previewRunning; }
    bool isRecording() const { return m_recording; }
    double recordingStart() const { return m_recordingStart; }
    // The last orientation that was not face up or down; 1 at first.
    int32_t deviceOrientation() const { return m_orientation; }
    const CameraCapabilities* capabilities() const { return m_capabilities ? &*m_capabilities : nullptr; }
    // Photos handed over so far, and the device path of the last one saved.
    int photosCaptured() const { return m_photosCaptured; }

    static void registerRuntimeMethods();

private:
    std::shared_ptr<PLCameraView> delegate() const { return m_delegate.lock(); }

    std::optional<CameraCapabilities> m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    int m_flashMode { 2 };
    std::weak_ptr<PLCameraView> m_delegate;
    int32_t m_mode { CameraModePhoto };
    int32_t m_device { CameraDeviceBack };
    int32_t m_orientation { 1 };
    bool m_setUp { false };
    bool m_previewRunning { false };
    bool m_recording { false };
    double m_recordingStart { 0 };
    std::string m_videoPath;
    int m_photosCaptured { 0 };
    std::shared_ptr<kit::ScheduledTask> m_focusDone;
    std::shared_ptr<kit::ScheduledTask> m_exposureDone;
    std::unique_ptr<MovieRecorder> m_movie;
};

}
