#include "extension/capture/DimensionsAndFrameRates.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void emptyMaxFrameRatesForHeightVariables() { NOT_YET("resolutions: emptyMaxFrameRatesForHeightVariables"); }

void getDimensions(int32_t, int32_t, bool) { NOT_YET("resolutions: getDimensions"); }

void assignCurrentFrameRateAndSetLabel(int32_t frameRate)
{
    currentFrameRate = frameRate;
    NOT_YET("frame-rate badge: assignCurrentFrameRateAndSetLabel");
}

void setDimension(int32_t) { NOT_YET("resolutions: setDimension"); }

void setFrameRate() { NOT_YET("frame rates: setFrameRate"); }

void createOrToggleFrameRateLabels(const kit::Action&, int32_t, int32_t)
{
    NOT_YET("indicators: createOrToggleFrameRateLabels");
}

void createDimensionLabels(const kit::Action&) { NOT_YET("indicators: createDimensionLabels"); }

}
