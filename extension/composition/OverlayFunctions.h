#pragma once

// The composition overlays: the indicator on the bar, its selector and the
// guide drawn over the preview.

#include "kit/foundation/Action.h"

#include <cstdint>

namespace vantor {

void CreateOverlayIndicator(const kit::Action&);
// 1 opens or closes the selector, 0 closes it.
void toggleOverlaySelector(int32_t open);
void hideOverlayFunctionality(bool hide);
void setOverlayIndicatorImg(int32_t overlayMode, bool isFromStartup);

}
