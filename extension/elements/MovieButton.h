#pragma once

#include "extension/elements/DrawnButton.h"

namespace vantor {

// The advanced video mode's button: a film camera with two reels, the ovals
// at (16, 7) 15 × 15 and (6.5, 11.5) 14.5 × 15, on a body, the rectangle at
// (18, 19) 15.5 × 12.
class MovieButton final : public DrawnButton {
    KIT_OBJECT(MovieButton, kit::UIButton)

public:
    explicit MovieButton(kit::CGRect frame = kit::CGRectZero);

    Shapes pictogram() const override;
};

}
