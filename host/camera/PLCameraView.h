#pragma once

#include "host/camera/CameraCapabilities.h"

#include "kit/ui/UIView.h"

#include <memory>
#include <optional>
#include <string>

namespace hardware {
class CameraHardware;
}

namespace kit {
class ScheduledTask;
class UILabel;
class UILongPressGestureRecognizer;
class UISwipeGestureRecognizer;
}

namespace host {

class CAMAvalancheSession;
class CAMBottomBar;
class CAMEffectsGrid;
class CAMFilterButton;
class CAMImageWell;
class CAMModeDial;
class CAMPanoramaView;
class CAMPreviewView;
class CAMShutterButton;
class CAMTopBar;
class CAMZoomSlider;
class CIFilter;
class PLCameraController;

// The camera screen: the preview, the top and bottom bars and everything on
// them, the filter grid, the zoom slider and the focus square. It is the
// controller's delegate. Every step a replacement may want to see goes
// through the runtime (HostSelectors.h): touches, hit-testing, the shutter,
// photo callbacks, mode switches, volume buttons, suspension and dealloc.
class PLCameraView final : public kit::UIView {
    KIT_OBJECT(PLCameraView, kit::UIView)

public:
    PLCameraView(kit::CGRect frame, const CameraCapabilities&, std::shared_ptr<hardware::CameraHardware>,
        std::shared_ptr<PLCameraController>);
    ~PLCameraView() override;

    // Builds the bars and controls; separate from the constructor because
    // the zoom slider and the filter button are made through the runtime.
    void setUp();

    // --- Host implementations of the runtime methods (HostSelectors.h).
    bool hostPointInside(kit::CGPoint, kit::UIEvent*);
    void assetContainerDidChange(kit::id container);
    void capturedPhoto(kit::id controller, kit::id photo, kit::id error);
    void willTakePhoto(kit::id controller);
    void handleVolumeUpEvents(kit::id event);
    void handleVolumeButtonUp();
    void handleVolumeButtonDown();
    void cameraOrientationChanged(kit::id notification);
    kit::id videoPreviewView();
    void modeDidChange(kit::id controller);
    void animateBlurForSuspension();
    bool shouldShowFocus() const;
    void showEffectsGrid(kit::id controller, bool show, bool animated);
    void stopPreviewAnimated(bool animated);
    bool isSwipeToModeSwitchAllowed() const;
    void swipedToPreviousCameraMode();
    void swipedToNextCameraMode();
    void hostTouchesBegan(const kit::UITouchSet*, kit::UIEvent*);
    void hostTouchesMoved(const kit::UITouchSet*, kit::UIEvent*);
    void hostTouchesEnded(const kit::UITouchSet*, kit::UIEvent*);
    void viewDidAppear();
    void windowWillAnimateRotation(int32_t orientation);
    void handleOverlayViewLongPress(kit::id recognizer);
    void dealloc();
    void didTakePhoto(kit::id controller);
    void shutterButtonClicked();
    bool optionsButtonShouldBeHidden() const { return true; }
    void resetZoom();
    void showZoomSlider();
    void performVideoCapture();
    void removeVideoCaptureControls();
    void clearUnsavedVideoCaptureState();
    void pressShutterButton();
    bool HDRIsOn() const { return m_hdrOn; }
    void toggleHDR(bool on);
    kit::id filterButton();
    int32_t cameraMode() const;
    void setShouldShowFocus(bool show) { m_shouldShowFocus = show; }
    void setZoomFactor(double factor);
    bool zoomIsAllowed() const;
    void updateModeSwitchingAvailability();
    kit::CGPoint convertToPointOfInterest(kit::CGPoint, bool* pointIsInsideContent);
    double zoomFactor() const { return m_zoom; }

    // --- UIView, through the runtime.
    bool pointInside(kit::CGPoint, kit::UIEvent*) override;
    void touchesBegan(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesMoved(const kit::UITouchSet&, kit::UIEvent*) override;
    void touchesEnded(const kit::UITouchSet&, kit::UIEvent*) override;
    void layoutSubviews() override;

    // --- Told by the controller.
    void previewDidStart();
    void focusDidStart();
    void focusDidComplete();
    void videoCaptureDidStart();
    void videoCaptureWillStop();
    void videoCaptureDidStop();

    // --- For the app and the phone.
    // What a tap on a mode name does: switch the controller to the mode.
    void switchToCameraMode(int32_t mode);
    void switchToCameraDevice(int32_t device);
    void setFiltersShowing(bool);
    bool filtersShowing() const { return m_filtersShowing; }
    // The live filter, or nothing when "None" is chosen.
    CIFilter* activeFilter() const;
    // Back from the background: the preview may start again.
    void resumeFromSuspension();
    // The shutter held down / let go, as the shutter button reports it.
    void shutterTouchDown();
    void shutterTouchUp(bool inside);

    CAMTopBar* topBar() const { return m_topBar.get(); }
    CAMBottomBar* bottomBar() const { return m_bottomBar.get(); }
    CAMShutterButton* shutterButton() const { return m_shutter.get(); }
    CAMPreviewView* previewView() const { return m_preview.get(); }
    CAMImageWell* imageWell() const { return m_imageWell.get(); }
    CAMZoomSlider* zoomSlider() const { return m_zoomSlider.get(); }
    kit::UIView* focusSquare() const { return m_focusSquare.get(); }
    bool isSuspended() const { return m_suspended; }
    bool isDeallocated() const { return m_deallocated; }
    // Photos saved, and the last save's failure (empty when it worked).
    int photosSaved() const { return m_photosSaved; }
    const std::string& lastSaveError() const { return m_lastSaveError; }

    static void registerRuntimeMethods();

private:
    PLCameraController* controller() const { return m_controller.lock().get(); }
    kit::CGRect previewFrame() const;
    void layoutForMode();
    void showFocusSquare(kit::CGPoint, bool pulse);
    void startBurst();
    void endBurst();
    void burstShot();
    void updateRecordingTime();
    void showLockLabel(bool);

    CameraCapabilities m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    std::weak_ptr<PLCameraController> m_controller;

    std::shared_ptr<CAMPreviewView> m_preview;
    std::shared_ptr<kit::UIView> m_squareTop;
    std::shared_ptr<kit::UIView> m_squareBottom;
    std::shared_ptr<CAMPanoramaView> m_panoramaGuide;
    std::shared_ptr<kit::UIView> m_focusSquare;
    std::shared_ptr<kit::UILabel> m_lockLabel;
    std::shared_ptr<CAMTopBar> m_topBar;
    std::shared_ptr<CAMBottomBar> m_bottomBar;
    std::shared_ptr<CAMModeDial> m_modeDial;
    std::shared_ptr<CAMShutterButton> m_shutter;
    std::shared_ptr<CAMImageWell> m_imageWell;
    std::shared_ptr<CAMFilterButton> m_filterButton;
    std::shared_ptr<CAMZoomSlider> m_zoomSlider;
    std::shared_ptr<CAMEffectsGrid> m_effectsGrid;
    std::shared_ptr<kit::UILongPressGestureRecognizer> m_longPress;
    std::shared_ptr<kit::UISwipeGestureRecognizer> m_swipeNext;
    std::shared_ptr<kit::UISwipeGestureRecognizer> m_swipePrevious;
    std::shared_ptr<CIFilter> m_filter;
    std::shared_ptr<CAMAvalancheSession> m_burst;
    std::shared_ptr<kit::ScheduledTask> m_burstTimer;
    std::shared_ptr<kit::ScheduledTask> m_focusHide;
    std::shared_ptr<kit::ScheduledTask> m_zoomHide;
    std::shared_ptr<kit::ScheduledTask> m_recordingTick;

    std::optional<kit::CGPoint> m_touchStart;
    bool m_touchMoved { false };
    // Two fingers apart this far (points) at this zoom when the pinch began.
    double m_pinchStartDistance { 0 };
    double m_pinchStartZoom { 1 };
    // A long press took the touch: its end is no tap.
    bool m_touchLongPressed { false };
    bool m_hdrOn { false };
    bool m_shouldShowFocus { true };
    // A touch has put the focus square somewhere of its own.
    bool m_focusSquarePlaced { false };
    bool m_swipeAllowed { true };
    bool m_filtersShowing { false };
    bool m_suspended { false };
    bool m_deallocated { false };
    bool m_shutterHeld { false };
    bool m_burstHappened { false };
    bool m_volumeDown { false };
    double m_zoom { 1 };
    int m_photosSaved { 0 };
    std::string m_lastSaveError;
};

}
