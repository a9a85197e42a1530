#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

namespace kit {

// The device's screen, as the process identity describes it.
class UIScreen final : public Object {
    KIT_OBJECT(UIScreen, Object)

public:
    static UIScreen* mainScreen();

    // In points, origin at zero.
    CGRect bounds() const;
    CGFloat scale() const;
};

}
