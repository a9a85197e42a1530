#pragma once

// Video heights and frame rates offered by the capture device's formats, and
// the indicators on the bars that show the current ones.

#include "kit/foundation/Action.h"

#include <cstdint>

namespace vantor {

void emptyMaxFrameRatesForHeightVariables();
void getDimensions(int32_t cameraMode, int32_t cameraDevice, bool fromPreview);
// Sets currentFrameRate and shows it in the frame-rate badge.
void assignCurrentFrameRateAndSetLabel(int32_t frameRate);
void setDimension(int32_t tag);
void setFrameRate();
void createOrToggleFrameRateLabels(const kit::Action&, int32_t cameraMode, int32_t frameRate);
void createDimensionLabels(const kit::Action&);

}
