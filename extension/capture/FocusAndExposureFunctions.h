#pragma once

// The advanced mode's separate focus and exposure reticles, their overlay
// window and the white-balance lock. Everything here runs on the main
// thread and skips what it cannot do (no device, no host view, a device
// that refuses its configuration lock) without reporting.

#include "kit/ui/Geometry.h"

namespace kit {
class AVCaptureDevice;
class UIView;
}

namespace vantor {

// Re-creates both reticles in the overlay window (created first when
// missing). A reticle starts hidden when the advanced mode is off or the
// device lacks its continuous mode. No reticle is made before the host
// camera view is known.
void createFocusAndExposureObjects();
// Each creates its reticle, hidden or not, only when it does not exist yet.
void CreateFocusView(bool hidden);
void CreateExposureView(bool hidden);
void destroyFocusAndExposureObjects();
// Both reticles back to the middle of the preview, sizes kept.
void CenterFocusExposureViews();
// Fades both reticles out, then hides them, remembering which were visible;
// the fade-in shows exactly those again (the focus reticle only with the
// back camera). Nothing without a focus reticle.
void fadeOutFocusAndExposureObjects(float duration);
void fadeInFocusAndExposureObjects(float duration, float alpha);
// Switches the advanced mode on or off and tells the host whether its own
// focus and exposure may run. The camera view may be nothing (the
// remembered one is used). Nothing before the host's bottom bar is known,
// and nothing at all while the resolution chooser shows.
void toggleAdvancedFocus(bool active, kit::UIView* cameraView, bool recenter);
// Locks (mode 0) or continues (mode 2) the device's white balance; a device
// already in that mode is not touched.
void toggleWhiteBalance(bool lock);
// The "WB LOCK" badge on the host's top bar (bottom bar on a pad), faded
// in over 0.2 s; a badge already there is replaced.
void createAndShowWBLabel();
// Fades the badge out over 0.15 s and removes it; the global lets go at once,
// so a new badge may be made while the old one fades.
void hideAndDestroyWBLabel();

// --- The capture device's points of interest, shared with touch routing.

enum class PointOfInterest { Focus, Exposure };

// The host controller's active camera; nothing without one.
kit::AVCaptureDevice* currentCaptureDevice();

// Whether the current device has the point of interest and its continuous
// mode (2).
bool supportsContinuousPointOfInterest(PointOfInterest);
// Under one configuration lock, in this order: the point clamped to 0..1,
// then the continuous mode. False, with nothing changed, when the device is
// missing, lacks the point or the mode, or refuses the lock.
bool setContinuousPointOfInterest(PointOfInterest, kit::CGPoint pointOfInterest);

}
