#pragma once

#include "kit/foundation/Action.h"
#include "kit/ui/UIView.h"

#include <cstdint>

namespace vantor {

// A button of the resolution chooser: the height's badge over "720p". Its
// tag is the height it stands for; a tap sends the callback with the tap
// recogniser as sender. Without its badge image it stays empty and ignores
// taps.
class CustomDimensionViewButton final : public kit::UIView {
    KIT_OBJECT(CustomDimensionViewButton, kit::UIView)

public:
    // initWithFrame:callbackOwner:callback:tag:
    CustomDimensionViewButton(kit::CGRect frame, kit::Action callback, int32_t height);

    // Also true for a point (in the button's own coordinates) that lies in
    // the rectangle of the button's frame in the chooser.
    bool pointInside(kit::CGPoint, kit::UIEvent*) override;
};

}
