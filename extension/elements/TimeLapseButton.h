#pragma once

#include "extension/elements/DrawnButton.h"

namespace vantor {

// The time-lapse button: a ring of ticks around a dot; the tick at three
// o'clock is the bar at (33, 23), 5 × 1.
class TimeLapseButton final : public DrawnButton {
    KIT_OBJECT(TimeLapseButton, kit::UIButton)

public:
    explicit TimeLapseButton(kit::CGRect frame = kit::CGRectZero);

    Shapes pictogram() const override;
};

}
