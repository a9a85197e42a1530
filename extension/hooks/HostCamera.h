#pragma once

// The operations of the host camera's private classes that the extension
// calls, sent through the runtime so that they reach whatever implementation
// the host has. Each tests its receiver: a message to nothing answers zero,
// false or nothing, as on the platform.

#include "kit/runtime/Types.h"
#include "kit/ui/Geometry.h"

namespace kit {
class UIView;
}

#include <cstdint>
#include <memory>
#include <string>

namespace vantor::host {

// Camera modes: 0 and 4 photo, 1 and 2 video, 3 neither. Devices: 0 rear, 1 front.

// --- PLCameraController
kit::id sharedCameraController();
int32_t cameraMode(kit::id controllerOrView);
int32_t cameraDevice(kit::id controller);
kit::id currentDevice(kit::id controller); // the active kit::AVCaptureDevice
void capturePhoto(kit::id controller);
std::string videoCapturePath(kit::id controller);
void autofocus(kit::id controller, bool focus, bool expose);
void lockFocusExposureWhiteBalance(kit::id controller, bool focus, bool exposure, bool whiteBalance);

// --- PLCameraView
void pressShutterButton(kit::id view);
// Whether HDR is on; false when the view does not answer HDRIsOn.
bool respondsToHDRIsOn(kit::id view);
bool HDRIsOn(kit::id view);
void toggleHDR(kit::id view, bool on);
kit::id filterButton(kit::id view);
bool filterButtonIsOn(kit::id filterButton);
void setShouldShowFocus(kit::id view, bool show);
void setZoomFactor(kit::id view, double factor);
bool zoomIsAllowed(kit::id view);
void updateModeSwitchingAvailability(kit::id view);
kit::CGPoint convertToPointOfInterest(kit::id view, kit::CGPoint viewPoint, bool* pointIsInsideContent);

// --- Bars and small controls
kit::id flipButton(kit::id topBar);
kit::id HDROnLabel(kit::id hdrButton); // _onLabel, then _label on it
void makeInvisible(kit::id zoomSlider);
// A new host frame-rate badge (alloc, then initWithFrame:), owned by the caller.
std::shared_ptr<kit::UIView> newSlalomIndicatorView(kit::CGRect frame);
void setFramesPerSecond(kit::id slalomIndicator, int32_t framesPerSecond);
kit::id framerateLabel(kit::id slalomIndicator);

// --- PLPhotoLibrary: the URL of the next photo file of the camera roll.
std::string nextAvailablePhotoURL(const std::string& extension);

}
