#pragma once

#include "extension/elements/DrawnButton.h"

namespace vantor {

// The advanced camera mode's button (and the snapshot button while
// recording): a still camera whose lens is the oval at (20, 19), 10 × 10.
class CameraButton final : public DrawnButton {
    KIT_OBJECT(CameraButton, kit::UIButton)

public:
    explicit CameraButton(kit::CGRect frame = kit::CGRectZero);

    Shapes pictogram() const override;
};

}
