#pragma once

// Video heights and frame rates offered by the capture device's formats, and
// the indicators on the bottom bar that show the current ones.
//
// Camera modes and devices are the host's: modes 0 and 4 photo, 1 and 2
// video; device 0 back, 1 front. Heights are in pixels, rates in frames per
// second. Everything runs on the main thread.

#include "kit/foundation/Action.h"
#include "kit/runtime/Types.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>

namespace kit {
class AVFrameRateRange;
}

namespace vantor {

// Whether the device model allows the height in the host controller's
// current mode (the mode argument is not consulted) with that camera.
bool isValidDimension(int32_t height, int32_t cameraMode, int32_t cameraDevice);
// The fastest rate of any allowed format of the capture device; 30 when none.
int32_t getMaxFrameRate(kit::id captureDevice);
// The range (r, r) for the first of 120, 60, 30 that some format of the
// height reaches; nothing when not even 30.
std::shared_ptr<kit::AVFrameRateRange> getMaxFrameRateForRequestedDimension(int32_t height);
// In plain video mode: the last allowed format that reaches the rate becomes
// active at that rate. A rate that is already current, no such format or a
// refused lock changes nothing.
void setFrameRate(int32_t framesPerSecond);
// Makes the height's formats active, keeping the current rate when they can
// run it, else the fastest of 120, 60, 30 they offer; formats that cannot run
// the chosen rate are skipped. Then the camera bar refreshes its mode objects.
void setDimension(int32_t height);
// Refreshes the table of heights and rates from the current device; with
// onlyIfNotYetKnown, not once heights 144 and 480 both have rates.
void getDimensions(int32_t cameraMode, int32_t cameraDevice, bool onlyIfNotYetKnown);
void assignMaxFrameRateForDimension(int32_t height, int32_t frameRate, int32_t cameraMode, int32_t cameraDevice);
// Every rate of the table to 0 (the heights stay) and no current height.
void emptyMaxFrameRatesForHeightVariables();
// Sets currentDimensionHeight and shows it in the height indicator (not in
// slow motion, camera mode 2).
void assignCurrentDimensionAndSetLabel(int32_t height);
// Sets currentFrameRate and shows it in the frame-rate indicator.
void assignCurrentFrameRateAndSetLabel(int32_t frameRate);

// The two indicators on the bottom bar; the callback is the camera bar's
// toggleElement:. Each is made once and then shown or hidden by mode.
void createOrToggleFrameRateLabels(const kit::Action&, int32_t cameraMode, int32_t frameRate);
void createDimensionLabels(const kit::Action&);
// Where the indicators sit on a pad's bottom bar.
kit::CGRect getSlalomFPSIndicatorFrame();
kit::CGRect getSlalomDimensionIndicatorFrame();

}
