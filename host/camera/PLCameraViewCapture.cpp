// PLCameraView: the shutter, bursts, photos and video recording.

#include "host/camera/PLCameraView.h"

#include "host/camera/CAMAvalancheSession.h"
#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMModeDial.h"
#include "host/camera/CAMPreviewView.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/CAMTopBar.h"
#include "host/camera/CIFilter.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/NSDictionary.h"
#include "host/camera/PLCameraController.h"
#include "host/camera/PLPhotoLibrary.h"
#include "host/camera/PhotoSaver.h"
#include "host/camera/PhotoThumbnail.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/IOSurface.h"
#include "kit/ui/UIImage.h"

#include <algorithm>

namespace host {

namespace {
// A shutter held this long starts a burst, which shoots at this interval.
constexpr double burstHoldDelay = 0.5;
constexpr double burstInterval = 0.1;
constexpr int burstLimit = 999;
}

void PLCameraView::shutterTouchDown()
{
    m_shutterHeld = true;
    if (m_burstTimer)
        m_burstTimer->cancel();
    if (cameraMode() != CameraModePhoto)
        return;
    auto weak = std::weak_ptr<PLCameraView>(strongRef<PLCameraView>());
    m_burstTimer = kit::RunLoop::main().schedule(burstHoldDelay, [weak] {
        if (auto self = weak.lock(); self && self->m_shutterHeld)
            self->startBurst();
    });
}

void PLCameraView::shutterTouchUp(bool inside)
{
    m_shutterHeld = false;
    if (m_burstTimer)
        m_burstTimer->cancel();
    if (m_burst) {
        endBurst();
        return;
    }
    if (inside)
        send(sel::PLCameraView_shutterButtonClicked, this);
}

void PLCameraView::startBurst()
{
    auto made = kit::objc_getClass("CAMAvalancheSession")->createInstance();
    if (!made)
        return;
    kit::id session = send(sel::CAMAvalancheSession_init, made.get());
    m_burst = session ? session->strongRef<CAMAvalancheSession>() : nullptr;
    if (m_burst)
        burstShot();
}

void PLCameraView::burstShot()
{
    if (!m_burst || !m_shutterHeld || m_burst->photoCount() >= burstLimit)
        return;
    send(sel::PLCameraController_capturePhoto, controller());
    m_burst->addPhoto();
    auto weak = std::weak_ptr<PLCameraView>(strongRef<PLCameraView>());
    m_burstTimer = kit::RunLoop::main().schedule(burstInterval, [weak] {
        if (auto self = weak.lock())
            self->burstShot();
    });
}

void PLCameraView::endBurst()
{
    if (m_burstTimer)
        m_burstTimer->cancel();
    if (auto session = std::move(m_burst))
        send(sel::CAMAvalancheSession_dealloc, session.get());
}

void PLCameraView::shutterButtonClicked()
{
    auto* cameraController = controller();
    if (!cameraController || m_suspended)
        return;
    if (CameraCapabilities::isVideoMode(cameraController->cameraMode()))
        send(sel::PLCameraView_performVideoCapture, this);
    else
        send(sel::PLCameraController_capturePhoto, cameraController);
}

void PLCameraView::pressShutterButton()
{
    send(sel::PLCameraView_shutterButtonClicked, this);
}

void PLCameraView::willTakePhoto(kit::id)
{
}

void PLCameraView::capturedPhoto(kit::id, kit::id photo, kit::id)
{
    auto* dictionary = kit::cast<NSDictionary>(photo);
    auto* surface = dictionary ? kit::cast<kit::IOSurface>(dictionary->objectForKey(kPLCameraPhotoSurfaceKey)) : nullptr;
    std::string failure;
    PhotoSaver::Result result;
    if (!surface) {
        failure = "the photo dictionary holds no picture";
    } else {
        int orientation = 1;
        if (auto* properties = dictionary->propertyForKey(kPLCameraPhotoPropertiesKey); properties && properties->dictionary()) {
            auto it = properties->dictionary()->find(kPLCameraPhotoOrientationKey);
            if (it != properties->dictionary()->end() && it->second.numberValue())
                orientation = int(*it->second.numberValue());
        }
        size_t size = surface->allocSize();
        if (auto* sizeValue = dictionary->propertyForKey(kPLCameraPhotoSurfaceSizeKey); sizeValue && sizeValue->numberValue())
            size = std::min(size, size_t(std::max(0.0, *sizeValue->numberValue())));
        auto* bytes = static_cast<const uint8_t*>(surface->baseAddress());
        kit::ExifCapture capture;
        if (auto* properties = dictionary->propertyForKey(kPLCameraPhotoPropertiesKey); properties && properties->dictionary()) {
            auto exif = properties->dictionary()->find(kPLCameraPhotoExifKey);
            if (exif != properties->dictionary()->end() && exif->second.dictionary())
                capture = kit::ExifCapture::fromProperties(*exif->second.dictionary());
        }
        std::span<const uint8_t> jpeg(bytes, size);
        result = PhotoSaver::save(jpeg, orientation, m_capabilities.profile().model, capture);
        failure = result.error;
        if (result.saved) {
            EventLog::note("PLCameraView photo saved " + result.devicePath);
            // The well shows the photo as saved, upright.
            auto image = photoThumbnail(jpeg);
            send(sel::CAMImageWell_setThumbnailImageUuidAnimated, m_imageWell.get(), static_cast<kit::id>(image.get()),
                result.devicePath, true);
        }
    }
    if (!result.saved) {
        m_lastSaveError = failure;
        EventLog::note("PLCameraView photo not saved: " + failure);
        kit::logf("Camera: the photo was not saved: %s", failure.c_str());
        return;
    }
    m_lastSaveError.clear();
    ++m_photosSaved;
    send(sel::PLCameraView_assetContainerDidChange, this, PLPhotoLibrary::simpleDCIMDirectory());
}

void PLCameraView::assetContainerDidChange(kit::id)
{
}

void PLCameraView::didTakePhoto(kit::id)
{
    // The shutter's blink: the preview goes dark and comes back.
    m_preview->setAlpha(0);
    auto preview = m_preview;
    kit::UIView::animateWithDuration(0.2, [preview] { preview->setAlpha(1); });
}

// --- Volume buttons take a photo as the shutter does, on release.

void PLCameraView::handleVolumeButtonDown()
{
    m_volumeDown = true;
}

void PLCameraView::handleVolumeUpEvents(kit::id)
{
}

void PLCameraView::handleVolumeButtonUp()
{
    if (!m_volumeDown)
        return;
    m_volumeDown = false;
    send(sel::PLCameraView_shutterButtonClicked, this);
}

// --- Video.

void PLCameraView::performVideoCapture()
{
    auto* cameraController = controller();
    if (!cameraController)
        return;
    if (cameraController->isRecording())
        send(sel::PLCameraController_stopVideoCapture, cameraController);
    else
        send(sel::PLCameraController_startVideoCapture, cameraController);
}

void PLCameraView::videoCaptureDidStart()
{
    send(sel::CAMShutterButton_setModeAnimated, m_shutter.get(), CAMShutterButton::modeFor(cameraMode(), true), true);
    m_modeDial->setHidden(true);
    m_topBar->flipButtonView()->setHidden(true);
    updateRecordingTime();
}

void PLCameraView::updateRecordingTime()
{
    auto* cameraController = controller();
    if (!cameraController || !cameraController->isRecording())
        return;
    m_topBar->setRecordingTime(kit::RunLoop::main().now() - cameraController->recordingStart());
    auto weak = std::weak_ptr<PLCameraView>(strongRef<PLCameraView>());
    m_recordingTick = kit::RunLoop::main().schedule(1.0, [weak] {
        if (auto self = weak.lock())
            self->updateRecordingTime();
    });
}

void PLCameraView::videoCaptureWillStop()
{
    send(sel::PLCameraView_removeVideoCaptureControls, this);
}

void PLCameraView::removeVideoCaptureControls()
{
    if (m_recordingTick)
        m_recordingTick->cancel();
    m_topBar->setRecordingTime(std::nullopt);
    m_modeDial->setHidden(false);
    m_topBar->flipButtonView()->setHidden(!m_capabilities.hasCamera(CameraDeviceFront) || cameraMode() == CameraModeSlowMotion);
}

void PLCameraView::videoCaptureDidStop()
{
    send(sel::CAMShutterButton_setModeAnimated, m_shutter.get(), CAMShutterButton::modeFor(cameraMode(), false), true);
    send(sel::PLCameraView_clearUnsavedVideoCaptureState, this);
}

void PLCameraView::clearUnsavedVideoCaptureState()
{
    if (m_recordingTick)
        m_recordingTick->cancel();
}

}
