#pragma once

#include "kit/ui/UIWindow.h"

namespace vantor {

// The transparent full-screen window of the focus and exposure reticles,
// at level 1999 above the camera. It never takes a touch: every point is
// outside it, so touches fall through to the host's camera view, whose
// replaced touch methods move the reticles.
class MainOverlay final : public kit::UIWindow {
    KIT_OBJECT(MainOverlay, kit::UIWindow)

public:
    static constexpr kit::UIWindowLevel overlayLevel = 1999;

    // Clear, not clipping, hidden until shown like every window. Creating
    // it switches view animations on.
    explicit MainOverlay(kit::CGRect frame);

    bool pointInside(kit::CGPoint, kit::UIEvent*) override { return false; }
};

}
