#pragma once

// The composition overlays: the indicator on the bar, its selector and the
// guide drawn over the preview (OverlayIndicator). Phones only; each function
// does nothing while no indicator exists.

#include "kit/foundation/Action.h"

#include <cstdint>

namespace vantor {

// Makes the indicator once (when overlays are offered, on a phone, with the
// host's bottom bar known), shows the stored mode (a stored value outside
// 0 to 4 means none) and hides it all outside the plain photo mode. The
// callback receives the taps on the thumbnail and on the choices.
void CreateOverlayIndicator(const kit::Action& callback);
// 1 opens or closes the selector, 0 closes it.
void toggleOverlaySelector(int32_t open);
void hideOverlayFunctionality(bool hide);
// A choice tag: 1 thirds, 2 golden section (crossed over against the modes),
// 3 trisection, 4 square, 0 none.
void setOverlayIndicatorImg(int32_t choiceTag, bool isFromStartup);

}
