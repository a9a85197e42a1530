#pragma once

#include "kit/ui/UIView.h"

namespace host {

// The dock along the bottom of the home screen: frosted glass, the
// wallpaper behind it blurred and lightened, as in the era's look.
class SBDockView : public kit::UIView {
    KIT_OBJECT(SBDockView, kit::UIView)

public:
    explicit SBDockView(kit::CGRect frame);
};

}
