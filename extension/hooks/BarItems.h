#pragma once

// The extension's items on the host's bars: the torch button and the
// low-memory label.

#include "kit/foundation/Action.h"
#include "kit/ui/Geometry.h"

#include <string>

namespace vantor {

// Makes the torch button (tag 104) once, hidden, on the top bar of a phone
// or the bottom bar of a pad, its tap sending the action; afterwards shows
// it while the current camera has a torch and lights it while the torch is
// on. Nothing unless the torch button is switched on in the settings.
void createAndShowBulbView(const kit::Action&);

// Makes and fades in the low-memory label once per camera session, when the
// settings ask for it; a second call while it exists changes nothing.
void createAndShowMemoryWarningLbl(const std::string& text);
// The label's frame for the stored orientation: on a pad inside the bottom
// bar, on a phone over the preview.
kit::CGRect getMemoryWarningLblFrame();
// Where a phone's label is centred when turned with the device; (0, 0) on
// a pad, which re-frames it instead.
kit::CGPoint getMemoryWarningLblPoint();

}
