// PLCameraView: modes and cameras, zoom, HDR, filters, orientation and the
// app's life (suspension, dealloc).

#include "host/camera/PLCameraView.h"

#include "host/camera/CAMAvalancheSession.h"
#include "host/camera/CAMBottomBar.h"
#include "host/camera/CAMEffectsGrid.h"
#include "host/camera/CAMFilterButton.h"
#include "host/camera/CAMHDRButton.h"
#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMModeDial.h"
#include "host/camera/CAMPreviewView.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/CAMTopBar.h"
#include "host/camera/CAMZoomSlider.h"
#include "host/camera/CIFilter.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UISwipeGestureRecognizer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace host {

int32_t PLCameraView::cameraMode() const
{
    auto* cameraController = controller();
    return cameraController ? cameraController->cameraMode() : CameraModePhoto;
}

void PLCameraView::viewDidAppear()
{
    m_preview->setNeedsDisplay();
}

void PLCameraView::previewDidStart()
{
    send(sel::PLCameraView_videoPreviewView, this);
    m_preview->setNeedsDisplay();
}

kit::id PLCameraView::videoPreviewView()
{
    return m_preview.get();
}

void PLCameraView::modeDidChange(kit::id)
{
    auto* cameraController = controller();
    if (!cameraController)
        return;
    int32_t mode = cameraController->cameraMode();
    int32_t device = cameraController->cameraDevice();
    m_modeDial->setModes(m_capabilities.modes(device));
    m_modeDial->setSelectedMode(mode);
    send(sel::CAMShutterButton_setModeAnimated, m_shutter.get(), CAMShutterButton::modeFor(mode, false), false);
    bool photo = CameraCapabilities::isPhotoMode(mode);
    if (m_filterButton)
        m_filterButton->setHidden(!photo);
    m_topBar->hdrButton()->setHidden(!photo);
    m_topBar->flipButtonView()->setHidden(!m_capabilities.hasCamera(CameraDeviceFront) || mode == CameraModePanorama
        || mode == CameraModeSlowMotion);
    m_focusSquare->setHidden(true);
    showLockLabel(false);
    layoutForMode();
    m_preview->setNeedsDisplay();
    // The preview takes its new shape in the layout pass at the end of this
    // run-loop turn, which asks for the preview view again.
    std::weak_ptr<kit::Object> weakSelf = weak_from_this();
    kit::RunLoop::main().post([weakSelf] {
        if (auto self = weakSelf.lock())
            send(sel::PLCameraView_videoPreviewView, self.get());
    });
}

void PLCameraView::switchToCameraMode(int32_t mode)
{
    auto* cameraController = controller();
    if (!cameraController || cameraController->isRecording() || mode == cameraController->cameraMode())
        return;
    if (!m_capabilities.hasMode(mode, cameraController->cameraDevice()))
        return;
    send(sel::PLCameraController_setCameraMode, cameraController, mode, cameraController->cameraDevice());
}

void PLCameraView::switchToCameraDevice(int32_t device)
{
    auto* cameraController = controller();
    if (!cameraController || cameraController->isRecording() || device == cameraController->cameraDevice()
        || !m_capabilities.hasCamera(device))
        return;
    // A mode the other camera lacks falls back to photo.
    int32_t mode = cameraController->cameraMode();
    if (!m_capabilities.hasMode(mode, device))
        mode = CameraModePhoto;
    send(sel::PLCameraController_setCameraMode, cameraController, mode, device);
}

bool PLCameraView::isSwipeToModeSwitchAllowed() const
{
    auto* cameraController = controller();
    return cameraController && !cameraController->isRecording() && !m_filtersShowing && !m_burst && !m_suspended;
}

void PLCameraView::updateModeSwitchingAvailability()
{
    m_swipeAllowed = send(sel::PLCameraView_isSwipeToModeSwitchAllowed, this);
    m_swipeNext->setEnabled(m_swipeAllowed);
    m_swipePrevious->setEnabled(m_swipeAllowed);
}

void PLCameraView::swipedToNextCameraMode()
{
    const auto& modes = m_modeDial->modes();
    auto it = std::find(modes.begin(), modes.end(), cameraMode());
    if (it != modes.end() && it + 1 != modes.end())
        switchToCameraMode(*(it + 1));
}

void PLCameraView::swipedToPreviousCameraMode()
{
    const auto& modes = m_modeDial->modes();
    auto it = std::find(modes.begin(), modes.end(), cameraMode());
    if (it != modes.end() && it != modes.begin())
        switchToCameraMode(*(it - 1));
}

// --- Zoom.

bool PLCameraView::zoomIsAllowed() const
{
    int32_t mode = cameraMode();
    return mode != CameraModePanorama && mode != CameraModeSlowMotion;
}

void PLCameraView::setZoomFactor(double factor)
{
    if (!zoomIsAllowed())
        return;
    m_zoom = std::clamp(factor, 1.0, 5.0);
    m_preview->setZoom(m_zoom);
    // The factor the preview is drawn at, whoever asked for it.
    char line[48];
    std::snprintf(line, sizeof line, "PLCameraView zoom %.2f", m_zoom);
    EventLog::note(line);
    if (m_zoomSlider)
        m_zoomSlider->setValue(m_zoom);
    send(sel::PLCameraView_showZoomSlider, this);
}

void PLCameraView::showZoomSlider()
{
    if (!m_zoomSlider)
        return;
    m_zoomSlider->makeVisible();
    bringSubviewToFront(m_zoomSlider.get());
    if (m_zoomHide)
        m_zoomHide->cancel();
    auto weak = std::weak_ptr<CAMZoomSlider>(m_zoomSlider);
    m_zoomHide = kit::RunLoop::main().schedule(3.0, [weak] {
        if (auto slider = weak.lock())
            send(sel::CAMZoomSlider_makeInvisible, slider.get());
    });
}

void PLCameraView::resetZoom()
{
    m_zoom = 1;
    m_preview->setZoom(1);
    if (m_zoomHide)
        m_zoomHide->cancel();
    if (m_zoomSlider) {
        m_zoomSlider->setValue(1);
        m_zoomSlider->makeInvisible();
    }
}

// --- HDR and filters.

void PLCameraView::toggleHDR(bool on)
{
    m_hdrOn = on;
    m_topBar->hdrButton()->setOn(on);
}

kit::id PLCameraView::filterButton()
{
    return m_filterButton.get();
}

CIFilter* PLCameraView::activeFilter() const
{
    return m_filter.get();
}

void PLCameraView::setFiltersShowing(bool show)
{
    if (show == m_filtersShowing || (show && !m_filterButton))
        return;
    send(sel::PLCameraView_showEffectsGrid, this, static_cast<kit::id>(controller()), show, true);
}

void PLCameraView::showEffectsGrid(kit::id, bool show, bool)
{
    m_filtersShowing = show;
    m_effectsGrid->setHidden(!show);
    if (show) {
        m_effectsGrid->setNeedsDisplay();
        bringSubviewToFront(m_effectsGrid.get());
    }
    m_modeDial->setHidden(show);
}

// --- Orientation.

void PLCameraView::cameraOrientationChanged(kit::id)
{
    auto* cameraController = controller();
    if (!cameraController)
        return;
    int32_t orientation = cameraController->deviceOrientation();
    if (m_capabilities.isPad()) {
        send(sel::PLCameraView_windowWillAnimateRotation, this, orientation);
        m_bottomBar->setNeedsLayout();
        return;
    }
    // The screen stays upright; the icons turn in place.
    double angle = orientation == 2 ? M_PI : orientation == 3 ? M_PI / 2 : orientation == 4 ? -M_PI / 2 : 0;
    auto turn = kit::CGAffineTransformMakeRotation(angle);
    std::vector<kit::UIView*> icons { m_topBar->flipButtonView(), m_imageWell.get(), m_filterButton.get(),
        m_topBar->flashButton() };
    kit::UIView::animateWithDuration(0.3, [icons, turn] {
        for (auto* icon : icons) {
            if (icon)
                icon->setTransform(turn);
        }
    });
}

void PLCameraView::windowWillAnimateRotation(int32_t)
{
}

// --- The app's life.

void PLCameraView::animateBlurForSuspension()
{
    m_preview->setSuspended(true);
}

void PLCameraView::stopPreviewAnimated(bool)
{
    m_suspended = true;
    if (m_burst)
        endBurst();
    if (auto* cameraController = controller())
        send(sel::PLCameraController_stopPreview, cameraController);
}

void PLCameraView::resumeFromSuspension()
{
    m_suspended = false;
    m_preview->setSuspended(false);
    // The screen comes back: its bars are laid out again before the preview
    // restarts, as when the app's window returns on a phone.
    for (kit::UIView* bar : { static_cast<kit::UIView*>(topBar()), static_cast<kit::UIView*>(bottomBar()) }) {
        if (bar)
            bar->setNeedsLayout();
    }
    layoutIfNeeded();
}

void PLCameraView::dealloc()
{
    m_deallocated = true;
    if (m_burst)
        endBurst();
    for (const auto& task : { m_burstTimer, m_focusHide, m_zoomHide, m_recordingTick }) {
        if (task)
            task->cancel();
    }
}

}
