#include "host/camera/PLCameraView.h"

#include "host/camera/CAMBottomBar.h"
#include "host/camera/CAMEffectsGrid.h"
#include "host/camera/CAMFilterButton.h"
#include "host/camera/CAMHDRButton.h"
#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMModeDial.h"
#include "host/camera/CAMPanoramaView.h"
#include "host/camera/CAMPreviewView.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/CAMTopBar.h"
#include "host/camera/CAMZoomSlider.h"
#include "host/camera/CIFilter.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"

#include "kit/media/AVCaptureDevice.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UILongPressGestureRecognizer.h"
#include "kit/ui/UISwipeGestureRecognizer.h"

#include <algorithm>
#include <cmath>

namespace host {

KIT_REGISTER_CLASS(PLCameraView);

namespace {

const kit::CGFloat topBarHeight = 40;
// A finger that travels further than this is not a tap.
const double tapSlop = 10;

kit::CGFloat bottomBarHeight(double screenHeight)
{
    return screenHeight >= 568 ? 100 : 96;
}

std::shared_ptr<kit::UIColor> yellow()
{
    return kit::UIColor::colorWithRed(1, 0.8, 0, 1);
}

}

PLCameraView::PLCameraView(kit::CGRect frame, const CameraCapabilities& capabilities,
    std::shared_ptr<hardware::CameraHardware> hardware, std::shared_ptr<PLCameraController> controller)
    : UIView(frame)
    , m_capabilities(capabilities)
    , m_hardware(std::move(hardware))
    , m_controller(controller)
{
    setBackgroundColor(kit::UIColor::blackColor());
    setMultipleTouchEnabled(true);
}

PLCameraView::~PLCameraView()
{
    for (const auto& task : { m_burstTimer, m_focusHide, m_zoomHide, m_recordingTick }) {
        if (task)
            task->cancel();
    }
}

void PLCameraView::setUp()
{
    bool pad = m_capabilities.isPad();
    auto b = bounds();
    double w = b.size.width, h = b.size.height;

    std::weak_ptr<PLCameraController> weakController = m_controller;
    m_preview = std::make_shared<CAMPreviewView>(m_hardware, [weakController] {
        auto cameraController = weakController.lock();
        return cameraController ? cameraController->captureDevice() : nullptr;
    });
    m_preview->setUserInteractionEnabled(true);
    m_preview->setMultipleTouchEnabled(true);
    addSubview(m_preview);

    // The overlay's gestures: a long press locks focus and exposure, a
    // sideways swipe (up and down on a pad) changes the mode. Neither takes
    // the touch away from the view's own touch handling.
    auto weakSelf = std::weak_ptr<PLCameraView>(strongRef<PLCameraView>());
    m_longPress = std::make_shared<kit::UILongPressGestureRecognizer>();
    m_longPress->setCancelsTouchesInView(false);
    auto* longPress = m_longPress.get();
    m_longPress->addTarget(kit::Action::function([weakSelf, longPress](kit::id) {
        if (auto self = weakSelf.lock())
            send(sel::PLCameraView_handleOverlayViewLongPress, self.get(), static_cast<kit::id>(longPress));
    }));
    m_preview->addGestureRecognizer(m_longPress);
    auto swipeHandler = [weakSelf](bool next) {
        return kit::Action::function([weakSelf, next](kit::id) {
            auto self = weakSelf.lock();
            if (!self || !send(sel::PLCameraView_isSwipeToModeSwitchAllowed, self.get()))
                return;
            send(next ? sel::PLCameraView_swipedToNextCameraMode : sel::PLCameraView_swipedToPreviousCameraMode, self.get());
        });
    };
    m_swipeNext = std::make_shared<kit::UISwipeGestureRecognizer>(swipeHandler(true));
    m_swipeNext->setDirection(pad ? kit::UISwipeGestureRecognizerDirectionUp : kit::UISwipeGestureRecognizerDirectionLeft);
    m_swipePrevious = std::make_shared<kit::UISwipeGestureRecognizer>(swipeHandler(false));
    m_swipePrevious->setDirection(pad ? kit::UISwipeGestureRecognizerDirectionDown : kit::UISwipeGestureRecognizerDirectionRight);
    for (const auto& swipe : { m_swipeNext, m_swipePrevious }) {
        swipe->setCancelsTouchesInView(false);
        m_preview->addGestureRecognizer(swipe);
    }

    m_squareTop = std::make_shared<kit::UIView>();
    m_squareBottom = std::make_shared<kit::UIView>();
    for (const auto& mask : { m_squareTop, m_squareBottom }) {
        mask->setBackgroundColor(kit::UIColor::colorWithWhite(0, 0.9));
        mask->setUserInteractionEnabled(false);
        mask->setHidden(true);
        addSubview(mask);
    }

    m_panoramaGuide = std::make_shared<CAMPanoramaView>();
    m_panoramaGuide->setHidden(true);
    addSubview(m_panoramaGuide);

    m_focusSquare = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, 72, 72));
    m_focusSquare->setOpaque(false);
    m_focusSquare->layer()->setBorderWidth(1.5);
    m_focusSquare->layer()->setBorderColor(yellow());
    m_focusSquare->setUserInteractionEnabled(false);
    m_focusSquare->setHidden(true);
    addSubview(m_focusSquare);

    m_lockLabel = std::make_shared<kit::UILabel>();
    m_lockLabel->setText("AE/AF LOCK");
    m_lockLabel->setFont(kit::UIFont::systemFontOfSize(12));
    m_lockLabel->setTextAlignment(kit::NSTextAlignmentCenter);
    m_lockLabel->setTextColor(kit::UIColor::blackColor());
    m_lockLabel->setBackgroundColor(yellow());
    m_lockLabel->setHidden(true);
    addSubview(m_lockLabel);

    auto* preview = m_preview.get();
    m_effectsGrid = std::make_shared<CAMEffectsGrid>([preview](int width, int height) {
        return preview->uprightPicture(width, height);
    });
    m_effectsGrid->setHidden(true);
    m_effectsGrid->setOnFilterChosen([weakSelf](const std::string& name) {
        auto self = weakSelf.lock();
        if (!self)
            return;
        self->m_filter = name == "None" ? nullptr : std::make_shared<CIFilter>(name);
        self->m_effectsGrid->setSelectedFilter(name);
        if (self->m_filterButton)
            self->m_filterButton->setOn(self->m_filter != nullptr);
        self->setFiltersShowing(false);
    });
    addSubview(m_effectsGrid);

    // The zoom slider is made by name, as any class of the app can be.
    if (auto made = kit::objc_getClass("CAMZoomSlider")->createInstance()) {
        kit::CGRect sliderFrame = pad ? kit::CGRectMake(w / 2 - 200, h - 80, 300, 30)
                                      : kit::CGRectMake(20, h - bottomBarHeight(h) - 44, w - 40, 30);
        kit::id slider = send(sel::CAMZoomSlider_initWithFrame, made.get(), sliderFrame);
        m_zoomSlider = slider ? slider->strongRef<CAMZoomSlider>() : nullptr;
        if (m_zoomSlider)
            addSubview(m_zoomSlider);
    }

    m_topBar = std::make_shared<CAMTopBar>(pad, m_capabilities.hasFlash(), m_capabilities.hasCamera(CameraDeviceFront));
    m_bottomBar = std::make_shared<CAMBottomBar>(pad);
    m_modeDial = std::make_shared<CAMModeDial>(m_capabilities.modes(CameraDeviceBack), pad);
    m_modeDial->setSelectedMode(CameraModePhoto);
    m_modeDial->setOnModeTapped([weakSelf](int32_t mode) {
        if (auto self = weakSelf.lock())
            self->switchToCameraMode(mode);
    });
    m_shutter = std::make_shared<CAMShutterButton>();
    m_shutter->addTarget(kit::Action::function([weakSelf](kit::id) {
        if (auto self = weakSelf.lock())
            self->shutterTouchDown();
    }), kit::UIControlEventTouchDown);
    m_shutter->addTarget(kit::Action::function([weakSelf](kit::id) {
        if (auto self = weakSelf.lock())
            self->shutterTouchUp(true);
    }), kit::UIControlEventTouchUpInside);
    m_shutter->addTarget(kit::Action::function([weakSelf](kit::id) {
        if (auto self = weakSelf.lock())
            self->shutterTouchUp(false);
    }), kit::UIControlEventTouchUpOutside | kit::UIControlEventTouchCancel);
    m_imageWell = std::make_shared<CAMImageWell>();
    if (m_capabilities.hasFilters()) {
        m_filterButton = std::make_shared<CAMFilterButton>();
        send(sel::CAMFilterButton_commonInitialization, m_filterButton.get());
        m_filterButton->addTarget(kit::Action::function([weakSelf](kit::id) {
            if (auto self = weakSelf.lock())
                self->setFiltersShowing(!self->m_filtersShowing);
        }), kit::UIControlEventTouchUpInside);
    }
    m_bottomBar->setControls(m_modeDial, m_shutter, m_imageWell, m_filterButton);
    m_topBar->hdrButton()->setOnChoice([weakSelf](bool on) {
        if (auto self = weakSelf.lock())
            send(sel::PLCameraView_toggleHDR, self.get(), on);
    });
    m_topBar->flipButtonView()->addTarget(kit::Action::function([weakSelf](kit::id) {
        if (auto self = weakSelf.lock(); self && self->controller())
            self->switchToCameraDevice(self->controller()->cameraDevice() == CameraDeviceBack ? CameraDeviceFront : CameraDeviceBack);
    }), kit::UIControlEventTouchUpInside);
    if (auto* flash = m_topBar->flashButton()) {
        flash->addTarget(kit::Action::function([flash, weakSelf](kit::id) {
            // Auto, On, Off in turn; the camera fires as the button says.
            auto title = flash->currentTitle().value_or(" Auto");
            std::string next = title == " Auto" ? " On" : title == " On" ? " Off" : " Auto";
            flash->setTitle(next, kit::UIControlStateNormal);
            if (auto self = weakSelf.lock(); self && self->controller())
                self->controller()->setFlashMode(next == " On" ? 1 : next == " Off" ? 0 : 2);
        }), kit::UIControlEventTouchUpInside);
    }
    // The bottom bar lies over the top bar, as on the device: what hangs
    // above the bottom bar (the extension's tilt alert) shows in the top row.
    addSubview(m_topBar);
    addSubview(m_bottomBar);
    setNeedsLayout();
}

kit::CGRect PLCameraView::previewFrame() const
{
    auto b = bounds();
    double w = b.size.width, h = b.size.height;
    int32_t mode = cameraMode();
    if (m_capabilities.isPad() || CameraCapabilities::isVideoMode(mode))
        return kit::CGRectMake(0, 0, w, h);
    // Stills are 4:3 under the top bar when the screen has room for it.
    double height = std::round(w * 4 / 3);
    double y = h - bottomBarHeight(h) - height >= topBarHeight ? topBarHeight : 0;
    return kit::CGRectMake(0, y, w, height);
}

void PLCameraView::layoutSubviews()
{
    auto b = bounds();
    double w = b.size.width, h = b.size.height;
    if (m_capabilities.isPad()) {
        m_bottomBar->setFrame(kit::CGRectMake(w - 100, 0, 100, h));
        m_topBar->setFrame(kit::CGRectMake(w - 100, 0, 100, 110));
    } else {
        m_topBar->setFrame(kit::CGRectMake(0, 0, w, topBarHeight));
        m_bottomBar->setFrame(kit::CGRectMake(0, h - bottomBarHeight(h), w, bottomBarHeight(h)));
    }
    layoutForMode();
}

void PLCameraView::layoutForMode()
{
    auto frame = previewFrame();
    m_preview->setFrame(frame);
    bool square = cameraMode() == CameraModeSquare;
    double band = (frame.size.height - frame.size.width) / 2;
    m_squareTop->setHidden(!square || band <= 0);
    m_squareBottom->setHidden(!square || band <= 0);
    m_squareTop->setFrame(kit::CGRectMake(0, frame.origin.y, frame.size.width, band));
    m_squareBottom->setFrame(kit::CGRectMake(0, frame.origin.y + frame.size.height - band, frame.size.width, band));
    m_panoramaGuide->setHidden(cameraMode() != CameraModePanorama);
    m_panoramaGuide->setFrame(frame);
    // Until a touch places it, the focus square belongs at the preview's
    // centre, where the camera focuses by itself.
    if (!m_focusSquarePlaced)
        m_focusSquare->setCenter(kit::CGPointMake(kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame)));
    auto b = bounds();
    if (m_capabilities.isPad())
        m_effectsGrid->setFrame(kit::CGRectMake(0, 0, b.size.width - 100, b.size.height));
    else
        m_effectsGrid->setFrame(kit::CGRectMake(0, topBarHeight, b.size.width,
            b.size.height - topBarHeight - bottomBarHeight(b.size.height)));
    m_lockLabel->setFrame(kit::CGRectMake(b.size.width / 2 - 45, frame.origin.y + 12, 90, 20));
}

// --- Hit-testing and touches, through the runtime.

bool PLCameraView::pointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return send(sel::PLCameraView_pointInside, this, point, event);
}

bool PLCameraView::hostPointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return UIView::pointInside(point, event);
}

void PLCameraView::touchesBegan(const kit::UITouchSet& touches, kit::UIEvent* event)
{
    send(sel::PLCameraView_touchesBegan, this, &touches, event);
}

void PLCameraView::touchesMoved(const kit::UITouchSet& touches, kit::UIEvent* event)
{
    send(sel::PLCameraView_touchesMoved, this, &touches, event);
}

void PLCameraView::touchesEnded(const kit::UITouchSet& touches, kit::UIEvent* event)
{
    send(sel::PLCameraView_touchesEnded, this, &touches, event);
}

void PLCameraView::hostTouchesBegan(const kit::UITouchSet* touches, kit::UIEvent*)
{
    auto* touch = touches ? touches->anyObject() : nullptr;
    if (!touch)
        return;
    m_touchStart = touch->locationInView(this);
    m_touchMoved = false;
    m_touchLongPressed = false;
}

void PLCameraView::hostTouchesMoved(const kit::UITouchSet* touches, kit::UIEvent* event)
{
    // Two fingers on the preview pinch the zoom.
    if (event && event->allTouches().count() == 2 && zoomIsAllowed()) {
        const auto& fingers = event->allTouches().allObjects();
        auto a = fingers[0]->locationInView(this), b = fingers[1]->locationInView(this);
        double distance = std::hypot(a.x - b.x, a.y - b.y);
        m_touchMoved = true;
        if (m_pinchStartDistance <= 0) {
            m_pinchStartDistance = std::max(1.0, distance);
            m_pinchStartZoom = m_zoom;
        } else {
            send(sel::PLCameraView_setZoomFactor, this, m_pinchStartZoom * distance / m_pinchStartDistance);
        }
        return;
    }
    auto* touch = touches ? touches->anyObject() : nullptr;
    if (!touch || !m_touchStart)
        return;
    auto p = touch->locationInView(this);
    if (std::hypot(p.x - m_touchStart->x, p.y - m_touchStart->y) > tapSlop)
        m_touchMoved = true;
}

void PLCameraView::hostTouchesEnded(const kit::UITouchSet* touches, kit::UIEvent*)
{
    auto* touch = touches ? touches->anyObject() : nullptr;
    bool tap = touch && m_touchStart && !m_touchMoved && !m_touchLongPressed;
    m_pinchStartDistance = 0;
    m_touchStart.reset();
    if (!tap || m_filtersShowing || m_suspended)
        return;
    auto point = touch->locationInView(this);
    if (!kit::CGRectContainsPoint(previewFrame(), point) || kit::CGRectContainsPoint(m_topBar->frame(), point)
        || kit::CGRectContainsPoint(m_bottomBar->frame(), point))
        return;
    // Tap to focus: the point of interest moves there, the lock ends.
    auto* cameraController = controller();
    if (!cameraController || !send(sel::PLCameraController_isFocusAllowed, cameraController))
        return;
    bool inside = false;
    auto poi = send(sel::PLCameraView_convertToPointOfInterest, this, point, &inside);
    if (!inside)
        return;
    if (auto* device = kit::cast<kit::AVCaptureDevice>(cameraController->currentDevice()); device && device->lockForConfiguration()) {
        if (device->isFocusPointOfInterestSupported() && device->isFocusModeSupported(kit::AVCaptureFocusModeAutoFocus)) {
            device->setFocusPointOfInterest(poi);
            device->setFocusMode(kit::AVCaptureFocusModeAutoFocus);
        }
        if (device->isExposurePointOfInterestSupported()
            && device->isExposureModeSupported(kit::AVCaptureExposureModeContinuousAutoExposure)) {
            device->setExposurePointOfInterest(poi);
            device->setExposureMode(kit::AVCaptureExposureModeContinuousAutoExposure);
        }
        device->unlockForConfiguration();
    }
    showLockLabel(false);
    m_focusSquare->setCenter(point);
    m_focusSquarePlaced = true;
    send(sel::PLCameraController_autofocusAutoExpose, cameraController, true, true);
}

kit::CGPoint PLCameraView::convertToPointOfInterest(kit::CGPoint point, bool* pointIsInsideContent)
{
    auto frame = previewFrame();
    double u = (point.x - frame.origin.x) / frame.size.width;
    double v = (point.y - frame.origin.y) / frame.size.height;
    if (pointIsInsideContent)
        *pointIsInsideContent = u >= 0 && u <= 1 && v >= 0 && v <= 1;
    // The sensor lies along the landscape with the top of the portrait
    // screen at its left; the front camera's picture is shown as a mirror.
    auto* cameraController = controller();
    bool front = cameraController && cameraController->cameraDevice() == CameraDeviceFront;
    return kit::CGPointMake(std::clamp(v, 0.0, 1.0), std::clamp(front ? u : 1 - u, 0.0, 1.0));
}

void PLCameraView::handleOverlayViewLongPress(kit::id recognizer)
{
    auto* press = kit::cast<kit::UILongPressGestureRecognizer>(recognizer);
    auto* cameraController = controller();
    if (!press || press->state() != kit::UIGestureRecognizerStateBegan || !cameraController)
        return;
    if (!send(sel::PLCameraController_isFocusAllowed, cameraController))
        return;
    m_touchLongPressed = true;
    auto point = press->locationInView(this);
    m_focusSquare->setCenter(point);
    m_focusSquarePlaced = true;
    showFocusSquare(point, true);
    send(sel::PLCameraController_lockFocusExposureWhiteBalance, cameraController, true, true, false);
    showLockLabel(true);
}

// --- Focus.

bool PLCameraView::shouldShowFocus() const
{
    return m_shouldShowFocus && cameraMode() != CameraModePanorama && !m_filtersShowing;
}

void PLCameraView::focusDidStart()
{
    if (send(sel::PLCameraView_shouldShowFocus, this))
        showFocusSquare(m_focusSquare->center(), true);
}

void PLCameraView::focusDidComplete()
{
    if (m_focusHide)
        m_focusHide->cancel();
    auto weak = std::weak_ptr<kit::UIView>(m_focusSquare);
    m_focusHide = kit::RunLoop::main().schedule(1.0, [weak] {
        if (auto square = weak.lock())
            square->setHidden(true);
    });
}

void PLCameraView::showFocusSquare(kit::CGPoint point, bool pulse)
{
    if (m_focusHide)
        m_focusHide->cancel();
    m_focusSquare->setCenter(point);
    m_focusSquare->setHidden(false);
    bringSubviewToFront(m_focusSquare.get());
    bringSubviewToFront(m_topBar.get());
    bringSubviewToFront(m_bottomBar.get());
    if (!pulse)
        return;
    m_focusSquare->setTransform(kit::CGAffineTransformMakeScale(1.4, 1.4));
    auto square = m_focusSquare;
    kit::UIView::animateWithDuration(0.25, [square] { square->setTransform(kit::CGAffineTransformIdentity); });
}

void PLCameraView::showLockLabel(bool shown)
{
    m_lockLabel->setHidden(!shown);
    if (shown)
        bringSubviewToFront(m_lockLabel.get());
}

void PLCameraView::registerRuntimeMethods()
{
    using V = PLCameraView;
    registerMethod(sel::PLCameraView_pointInside, memberImp<&V::hostPointInside>());
    registerMethod(sel::PLCameraView_assetContainerDidChange, memberImp<&V::assetContainerDidChange>());
    registerMethod(sel::PLCameraView_capturedPhoto, memberImp<&V::capturedPhoto>());
    registerMethod(sel::PLCameraView_willTakePhoto, memberImp<&V::willTakePhoto>());
    registerMethod(sel::PLCameraView_handleVolumeUpEvents, memberImp<&V::handleVolumeUpEvents>());
    registerMethod(sel::PLCameraView_handleVolumeButtonUp, memberImp<&V::handleVolumeButtonUp>());
    registerMethod(sel::PLCameraView_handleVolumeButtonDown, memberImp<&V::handleVolumeButtonDown>());
    registerMethod(sel::PLCameraView_cameraOrientationChanged, memberImp<&V::cameraOrientationChanged>());
    registerMethod(sel::PLCameraView_videoPreviewView, memberImp<&V::videoPreviewView>());
    registerMethod(sel::PLCameraView_modeDidChange, memberImp<&V::modeDidChange>());
    registerMethod(sel::PLCameraView_animateBlurForSuspension, memberImp<&V::animateBlurForSuspension>());
    registerMethod(sel::PLCameraView_shouldShowFocus, memberImp<&V::shouldShowFocus>());
    registerMethod(sel::PLCameraView_showEffectsGrid, memberImp<&V::showEffectsGrid>());
    registerMethod(sel::PLCameraView_stopPreviewAnimated, memberImp<&V::stopPreviewAnimated>());
    registerMethod(sel::PLCameraView_isSwipeToModeSwitchAllowed, memberImp<&V::isSwipeToModeSwitchAllowed>());
    registerMethod(sel::PLCameraView_swipedToPreviousCameraMode, memberImp<&V::swipedToPreviousCameraMode>());
    registerMethod(sel::PLCameraView_swipedToNextCameraMode, memberImp<&V::swipedToNextCameraMode>());
    registerMethod(sel::PLCameraView_touchesBegan, memberImp<&V::hostTouchesBegan>());
    registerMethod(sel::PLCameraView_touchesMoved, memberImp<&V::hostTouchesMoved>());
    registerMethod(sel::PLCameraView_touchesEnded, memberImp<&V::hostTouchesEnded>());
    registerMethod(sel::PLCameraView_viewDidAppear, memberImp<&V::viewDidAppear>());
    registerMethod(sel::PLCameraView_windowWillAnimateRotation, memberImp<&V::windowWillAnimateRotation>());
    registerMethod(sel::PLCameraView_handleOverlayViewLongPress, memberImp<&V::handleOverlayViewLongPress>());
    registerMethod(sel::PLCameraView_dealloc, memberImp<&V::dealloc>());
    registerMethod(sel::PLCameraView_didTakePhoto, memberImp<&V::didTakePhoto>());
    registerMethod(sel::PLCameraView_shutterButtonClicked, memberImp<&V::shutterButtonClicked>());
    registerMethod(sel::PLCameraView_optionsButtonShouldBeHidden, memberImp<&V::optionsButtonShouldBeHidden>());
    registerMethod(sel::PLCameraView_resetZoom, memberImp<&V::resetZoom>());
    registerMethod(sel::PLCameraView_showZoomSlider, memberImp<&V::showZoomSlider>());
    registerMethod(sel::PLCameraView_performVideoCapture, memberImp<&V::performVideoCapture>());
    registerMethod(sel::PLCameraView_removeVideoCaptureControls, memberImp<&V::removeVideoCaptureControls>());
    registerMethod(sel::PLCameraView_clearUnsavedVideoCaptureState, memberImp<&V::clearUnsavedVideoCaptureState>());
    registerMethod(sel::PLCameraView_pressShutterButton, memberImp<&V::pressShutterButton>());
    registerMethod(sel::PLCameraView_HDRIsOn, memberImp<&V::HDRIsOn>());
    registerMethod(sel::PLCameraView_toggleHDR, memberImp<&V::toggleHDR>());
    registerMethod(sel::PLCameraView_filterButton, memberImp<&V::filterButton>());
    registerMethod(sel::PLCameraView_cameraMode, memberImp<&V::cameraMode>());
    registerMethod(sel::PLCameraView_setShouldShowFocus, memberImp<&V::setShouldShowFocus>());
    registerMethod(sel::PLCameraView_setZoomFactor, memberImp<&V::setZoomFactor>());
    registerMethod(sel::PLCameraView_zoomIsAllowed, memberImp<&V::zoomIsAllowed>());
    registerMethod(sel::PLCameraView_updateModeSwitchingAvailability, memberImp<&V::updateModeSwitchingAvailability>());
    registerMethod(sel::PLCameraView_convertToPointOfInterest, memberImp<&V::convertToPointOfInterest>());
}

}
