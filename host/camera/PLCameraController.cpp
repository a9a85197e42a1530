#include "host/camera/PLCameraController.h"

#include "host/camera/CIFilter.h"
#include "host/camera/DeviceOrientation.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/MovieRecorder.h"
#include "host/camera/NSDictionary.h"
#include "host/camera/PLCIFilterUtilities.h"
#include "host/camera/PLCameraView.h"
#include "host/camera/PLDCIMDirectory.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/ui/UIImage.h"

#include <cstring>

namespace host {

KIT_REGISTER_CLASS(PLCameraController);

namespace {

std::shared_ptr<PLCameraController>& sharedController()
{
    static std::shared_ptr<PLCameraController> controller;
    return controller;
}

// How long the lens takes to settle, in seconds.
constexpr double focusDuration = 0.35;
constexpr double exposureDuration = 0.25;

}

PLCameraController::PLCameraController() = default;

PLCameraController::~PLCameraController()
{
    if (m_focusDone)
        m_focusDone->cancel();
    if (m_exposureDone)
        m_exposureDone->cancel();
}

kit::id PLCameraController::sharedInstance()
{
    auto& controller = sharedController();
    if (!controller) {
        // alloc, then init through the runtime, keeping what init answers.
        auto made = std::make_shared<PLCameraController>();
        kit::id initialised = send(sel::PLCameraController_init, made.get());
        controller = initialised ? initialised->strongRef<PLCameraController>() : made;
        if (!controller)
            controller = made;
    }
    return controller.get();
}

PLCameraController* PLCameraController::shared()
{
    return sharedController().get();
}

void PLCameraController::releaseSharedInstance()
{
    sharedController().reset();
}

void PLCameraController::configure(const CameraCapabilities& capabilities, std::shared_ptr<hardware::CameraHardware> hardware)
{
    m_capabilities = capabilities;
    m_hardware = std::move(hardware);
}

void PLCameraController::setDelegate(const std::shared_ptr<PLCameraView>& view)
{
    m_delegate = view;
}

kit::id PLCameraController::init()
{
    m_mode = CameraModePhoto;
    m_device = CameraDeviceBack;
    return this;
}

kit::id PLCameraController::currentDevice() const
{
    return captureDevice().get();
}

std::shared_ptr<kit::AVCaptureDevice> PLCameraController::captureDevice() const
{
    auto position = m_device == CameraDeviceFront ? kit::AVCaptureDevicePositionFront : kit::AVCaptureDevicePositionBack;
    for (const auto& device : kit::AVCaptureDevice::devicesWithMediaType(kit::AVMediaTypeVideo)) {
        if (device->position() == position)
            return device;
    }
    return nullptr;
}

void PLCameraController::setFlashMode(int mode)
{
    m_flashMode = mode;
    auto device = captureDevice();
    if (device && device->isFlashModeSupported(mode) && device->lockForConfiguration()) {
        device->setFlashMode(mode);
        device->unlockForConfiguration();
    }
}

void PLCameraController::capturePhoto()
{
    auto view = delegate();
    auto device = captureDevice();
    auto* camera = m_hardware && device ? m_hardware->cameraFor(device) : nullptr;
    if (!m_previewRunning || !m_capabilities || !camera) {
        EventLog::note("PLCameraController capturePhoto ignored: the preview is not running");
        return;
    }
    if (m_recording && !send(sel::PLCameraController_canCapturePhotoDuringRecording, this))
        return;
    send(sel::PLCameraView_willTakePhoto, view.get(), this);

    int exif = DeviceOrientation::exifOrientation(m_orientation, m_device);
    int width = m_capabilities->stillWidth(m_device);
    int height = m_capabilities->stillHeight(m_device);
    hardware::FrameRequest request;
    request.purpose = hardware::FramePurpose::Photo;
    request.fieldAspect = double(width) / std::max(1, height);
    request.zoom = view ? view->zoomFactor() : 1.0;
    // Square photos are the middle of the sensor.
    request.width = m_mode == CameraModeSquare ? height : width;
    request.height = height;
    auto shot = camera->capture(request);
    auto picture = shot.image;
    if (!picture) {
        EventLog::note("PLCameraController capturePhoto failed: no picture");
        return;
    }
    if (view && view->activeFilter()) {
        auto input = kit::UIImage::imageWithCGImage(picture);
        kit::id output = send(sel::PLCIFilterUtilities_outputImageFromFilters, static_cast<kit::id>(PLCIFilterUtilities::staticClass()),
            static_cast<kit::id>(view->activeFilter()), static_cast<kit::id>(input.get()), int32_t(exif), true);
        if (auto* filtered = kit::cast<kit::UIImage>(output); filtered && filtered->CGImage())
            picture = filtered->CGImage();
    }
    auto jpeg = kit::encodeJPEG(*picture, 0.9);
    if (!jpeg) {
        EventLog::note("PLCameraController capturePhoto failed: the photo could not be encoded");
        return;
    }
    kit::PropertyList::Dictionary surfaceProperties { { std::string(kit::kIOSurfaceAllocSize), int64_t(jpeg->size()) } };
    auto surface = kit::IOSurfaceCreate(surfaceProperties);
    if (!surface) {
        EventLog::note("PLCameraController capturePhoto failed: no memory surface");
        return;
    }
    std::memcpy(surface->baseAddress(), jpeg->data(), jpeg->size());
    auto photo = std::make_shared<NSDictionary>();
    photo->setProperty(kPLCameraPhotoPropertiesKey,
        kit::PropertyList::Dictionary {
            { kPLCameraPhotoOrientationKey, exif }, { kPLCameraPhotoExifKey, shot.report.exif().properties() } });
    photo->setObject(kPLCameraPhotoSurfaceKey, surface);
    photo->setProperty(kPLCameraPhotoSurfaceSizeKey, int64_t(jpeg->size()));
    ++m_photosCaptured;
    send(sel::PLCameraController_capturedPhotoWithDictionary, this, photo.get(), nullptr);
    send(sel::PLCameraView_didTakePhoto, view.get(), this);
}

void PLCameraController::capturedPhotoWithDictionary(kit::id dictionary, kit::id error)
{
    auto view = delegate();
    send(sel::PLCameraView_capturedPhoto, view.get(), this, dictionary, error);
}

void PLCameraController::lockFocusExposureWhiteBalance(bool focus, bool exposure, bool whiteBalance)
{
    auto* device = kit::cast<kit::AVCaptureDevice>(currentDevice());
    if (!device || !device->lockForConfiguration())
        return;
    auto choose = [](bool lock) { return lock ? 0 : 2; };
    if (device->isFocusModeSupported(choose(focus)))
        device->setFocusMode(choose(focus));
    if (device->isExposureModeSupported(choose(exposure)))
        device->setExposureMode(choose(exposure));
    if (device->isWhiteBalanceModeSupported(choose(whiteBalance)))
        device->setWhiteBalanceMode(choose(whiteBalance));
    device->unlockForConfiguration();
}

void PLCameraController::setupCamera()
{
    m_setUp = true;
}

void PLCameraController::destroyCamera()
{
    m_setUp = false;
    m_previewRunning = false;
}

void PLCameraController::configureSession(int32_t mode, int32_t device)
{
    // Slow motion runs the back camera's fastest format at its fastest rate;
    // every other mode its largest plain video size at the format's default
    // rate, whatever was chosen before the switch.
    auto* camera = kit::cast<kit::AVCaptureDevice>(currentDevice());
    if (!camera || camera->formats().empty() || !camera->lockForConfiguration())
        return;
    std::shared_ptr<kit::AVCaptureDeviceFormat> chosen = camera->presetFormat();
    double fastest = 0;
    if (mode == CameraModeSlowMotion) {
        for (const auto& format : camera->formats()) {
            for (const auto& range : format->videoSupportedFrameRateRanges()) {
                if (range->maxFrameRate() > fastest) {
                    fastest = range->maxFrameRate();
                    chosen = format;
                }
            }
        }
    }
    if (camera->isFlashModeSupported(m_flashMode))
        camera->setFlashMode(m_flashMode);
    if (chosen) {
        camera->setActiveFormat(chosen);
        if (fastest > 0) {
            camera->setActiveVideoMinFrameDuration(kit::CMTimeForFrameRate(fastest));
            camera->setActiveVideoMaxFrameDuration(kit::CMTimeForFrameRate(fastest));
        }
    }
    camera->unlockForConfiguration();
    (void)device;
    // The camera of the session runs from now on.
    if (auto* hardwareCamera = m_hardware ? m_hardware->cameraFor(captureDevice()) : nullptr)
        hardwareCamera->start();
}

void PLCameraController::accelerometerDidChangeDeviceOrientation(kit::id, int32_t orientation)
{
    // Face up and face down keep the last way the device was held.
    if (orientation < 1 || orientation > 4 || orientation == m_orientation)
        return;
    m_orientation = orientation;
    if (auto view = delegate())
        send(sel::PLCameraView_cameraOrientationChanged, view.get(), nullptr);
}

void PLCameraController::sessionStopped(kit::id)
{
    m_previewRunning = false;
}

void PLCameraController::sessionStarted(kit::id)
{
    m_previewRunning = true;
}

void PLCameraController::previewStarted()
{
    if (auto view = delegate())
        view->previewDidStart();
}

void PLCameraController::startVideoCapture()
{
    if (m_recording || !CameraCapabilities::isVideoMode(m_mode) || !m_previewRunning)
        return;
    m_recording = true;
    m_recordingStart = kit::RunLoop::main().now();
    m_videoPath = PLDCIMDirectory::nextAvailableDevicePath("MOV");
    if (auto camera = captureDevice())
        m_movie = MovieRecorder::start(
            m_videoPath, m_hardware, camera, DeviceOrientation::exifOrientation(m_orientation, m_device));
    if (auto view = delegate())
        view->videoCaptureDidStart();
}

void PLCameraController::stopVideoCapture()
{
    if (!m_recording)
        return;
    m_recording = false;
    auto view = delegate();
    if (view)
        view->videoCaptureWillStop();
    if (auto movie = std::move(m_movie)) {
        auto result = movie->finish();
        EventLog::note(result.empty() ? "PLCameraController movie saved " + m_videoPath
                                      : "PLCameraController movie not saved: " + result);
        if (!result.empty())
            kit::logf("Camera: the movie could not be saved: %s", result.c_str());
    }
    if (view)
        view->videoCaptureDidStop();
}

void PLCameraController::focusStarted()
{
    if (auto view = delegate())
        view->focusDidStart();
}

void PLCameraController::focusCompleted()
{
    if (auto view = delegate())
        view->focusDidComplete();
}

bool PLCameraController::isFocusAllowed() const
{
    auto* device = kit::cast<kit::AVCaptureDevice>(currentDevice());
    return m_previewRunning && m_mode != CameraModePanorama && device && device->isFocusPointOfInterestSupported();
}

void PLCameraController::autofocusAutoExpose(bool focus, bool expose)
{
    auto weak = weak_from_this();
    auto* device = kit::cast<kit::AVCaptureDevice>(currentDevice());
    if (focus && device && device->isFocusPointOfInterestSupported()) {
        if (m_focusDone)
            m_focusDone->cancel();
        send(sel::PLCameraController_focusStarted, this);
        m_focusDone = kit::RunLoop::main().schedule(focusDuration, [weak] {
            if (auto self = std::static_pointer_cast<PLCameraController>(weak.lock()))
                send(sel::PLCameraController_focusCompleted, self.get());
        });
    }
    if (expose) {
        if (m_exposureDone)
            m_exposureDone->cancel();
        send(sel::PLCameraController_exposureStarted, this);
        m_exposureDone = kit::RunLoop::main().schedule(exposureDuration, [weak] {
            if (auto self = std::static_pointer_cast<PLCameraController>(weak.lock()))
                send(sel::PLCameraController_exposureCompleted, self.get());
        });
    }
}

void PLCameraController::autofocus()
{
    send(sel::PLCameraController_autofocusAutoExpose, this, true, true);
}

void PLCameraController::setCameraMode(int32_t mode, int32_t device)
{
    if (!m_capabilities || !m_capabilities->hasMode(mode, device)) {
        kit::logf("PLCameraController: no camera mode %d with camera %d on this device", mode, device);
        return;
    }
    if (m_recording)
        send(sel::PLCameraController_stopVideoCapture, this);
    m_mode = mode;
    m_device = device;
    send(sel::PLCameraController_configureSession, this, mode, device);
    if (auto view = delegate()) {
        send(sel::PLCameraView_resetZoom, view.get());
        send(sel::PLCameraView_modeDidChange, view.get(), this);
    }
}

void PLCameraController::startPreview()
{
    send(sel::PLCameraController_startPreviewWith, this, nullptr);
}

void PLCameraController::startPreviewWith(kit::id)
{
    if (m_previewRunning)
        return;
    if (!m_setUp)
        send(sel::PLCameraController_setupCamera, this);
    send(sel::PLCameraController_configureSession, this, m_mode, m_device);
    send(sel::PLCameraController_sessionStarted, this, nullptr);
    send(sel::PLCameraController_previewStarted, this);
    send(sel::PLCameraController_autofocus, this);
}

void PLCameraController::stopPreview()
{
    if (!m_previewRunning)
        return;
    if (m_recording)
        send(sel::PLCameraController_stopVideoCapture, this);
    send(sel::PLCameraController_sessionStopped, this, nullptr);
}

void PLCameraController::registerRuntimeMethods()
{
    using C = PLCameraController;
    staticClass()->setFactory([] { return std::make_shared<PLCameraController>(); });
    registerMethod(sel::PLCameraController_sharedInstance, +[](kit::id, kit::SEL) { return sharedInstance(); });
    registerMethod(sel::PLCameraController_init, memberImp<&C::init>());
    registerMethod(sel::PLCameraController_cameraMode, memberImp<&C::cameraMode>());
    registerMethod(sel::PLCameraController_cameraDevice, memberImp<&C::cameraDevice>());
    registerMethod(sel::PLCameraController_currentDevice, memberImp<&C::currentDevice>());
    registerMethod(sel::PLCameraController_capturePhoto, memberImp<&C::capturePhoto>());
    registerMethod(sel::PLCameraController_videoCapturePath, memberImp<&C::videoCapturePath>());
    registerMethod(sel::PLCameraController_lockFocusExposureWhiteBalance, memberImp<&C::lockFocusExposureWhiteBalance>());
    registerMethod(sel::PLCameraController_capturedPhotoWithDictionary, memberImp<&C::capturedPhotoWithDictionary>());
    registerMethod(sel::PLCameraController_setupCamera, memberImp<&C::setupCamera>());
    registerMethod(sel::PLCameraController_destroyCamera, memberImp<&C::destroyCamera>());
    registerMethod(sel::PLCameraController_configureSession, memberImp<&C::configureSession>());
    registerMethod(sel::PLCameraController_accelerometerOrientation, memberImp<&C::accelerometerDidChangeDeviceOrientation>());
    registerMethod(sel::PLCameraController_sessionStopped, memberImp<&C::sessionStopped>());
    registerMethod(sel::PLCameraController_sessionStarted, memberImp<&C::sessionStarted>());
    registerMethod(sel::PLCameraController_previewStarted, memberImp<&C::previewStarted>());
    registerMethod(sel::PLCameraController_startVideoCapture, memberImp<&C::startVideoCapture>());
    registerMethod(sel::PLCameraController_stopVideoCapture, memberImp<&C::stopVideoCapture>());
    registerMethod(sel::PLCameraController_focusStarted, memberImp<&C::focusStarted>());
    registerMethod(sel::PLCameraController_focusCompleted, memberImp<&C::focusCompleted>());
    registerMethod(sel::PLCameraController_exposureStarted, memberImp<&C::exposureStarted>());
    registerMethod(sel::PLCameraController_exposureCompleted, memberImp<&C::exposureCompleted>());
    registerMethod(sel::PLCameraController_isFocusAllowed, memberImp<&C::isFocusAllowed>());
    registerMethod(sel::PLCameraController_autofocusAutoExpose, memberImp<&C::autofocusAutoExpose>());
    registerMethod(sel::PLCameraController_autofocus, memberImp<&C::autofocus>());
    registerMethod(sel::PLCameraController_setCameraMode, memberImp<&C::setCameraMode>());
    registerMethod(sel::PLCameraController_startPreview, memberImp<&C::startPreview>());
    registerMethod(sel::PLCameraController_startPreviewWith, memberImp<&C::startPreviewWith>());
    registerMethod(sel::PLCameraController_stopPreview, memberImp<&C::stopPreview>());
    registerMethod(sel::PLCameraController_canCapturePhotoDuringRecording, memberImp<&C::canCapturePhotoDuringRecording>());
}

}
