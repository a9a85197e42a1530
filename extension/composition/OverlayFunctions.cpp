#include "extension/composition/OverlayFunctions.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CreateOverlayIndicator(const kit::Action&) { NOT_YET("overlays: CreateOverlayIndicator"); }

void toggleOverlaySelector(int32_t) { NOT_YET("overlays: toggleOverlaySelector:"); }

void hideOverlayFunctionality(bool) { NOT_YET("overlays: hideOverlayFunctionality:"); }

void setOverlayIndicatorImg(int32_t, bool) { NOT_YET("overlays: setOverlayIndicatorImg:isFromStartup:"); }

}
