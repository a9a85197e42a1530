#pragma once

#include "kit/runtime/Types.h"

namespace vantor {

// What the selection dial tells its owner. The camera bar implements it; the
// dial remembers its delegate weakly.
class SelectorDialDelegate {
public:
    // A tap on the inner circle or on the digits of a dial of type 1, 2 or 3;
    // sender is the tap recogniser. The delegate may remove or release the
    // dial from inside this call.
    virtual void InnerCircleTapped(kit::id sender) = 0;

protected:
    virtual ~SelectorDialDelegate() = default;
};

}
