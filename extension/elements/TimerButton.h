#pragma once

#include "extension/elements/DrawnButton.h"

namespace vantor {

// The self-timer's button: a stopwatch whose crown is the oval at (22, 11),
// 6 × 6.
class TimerButton final : public DrawnButton {
    KIT_OBJECT(TimerButton, kit::UIButton)

public:
    explicit TimerButton(kit::CGRect frame = kit::CGRectZero);

    Shapes pictogram() const override;
};

}
