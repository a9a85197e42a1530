#pragma once

#include "kit/runtime/Object.h"

#include <string>

namespace kit {

enum UIUserInterfaceIdiom {
    UIUserInterfaceIdiomPhone = 0,
    UIUserInterfaceIdiomPad = 1,
};

// The device the process runs on, as the process identity describes it.
// Whether it answers userInterfaceIdiom at all is part of that description;
// send respondsToSelector first, as the products do.
class UIDevice final : public Object {
    KIT_OBJECT(UIDevice, Object)

public:
    static UIDevice* currentDevice();

    bool respondsToSelector(SEL) const override;
    int userInterfaceIdiom() const;
    std::string systemVersion() const;
};

}
