#pragma once

#include "kit/ui/UIWindow.h"

namespace host {

// The lock screen's window, above every window an app opens (the camera's
// and a loaded extension's own), clear where the lock screen is not: a
// touch that no view of it takes goes to the windows below, so the camera
// under the raised lock screen gets every touch but the lock screen's grip.
class SBLockScreenWindow : public kit::UIWindow {
    KIT_OBJECT(SBLockScreenWindow, kit::UIWindow)

public:
    static constexpr kit::UIWindowLevel level = kit::UIWindowLevelAlert + 100;

    explicit SBLockScreenWindow(kit::CGRect frame);

    kit::UIView* hitTest(kit::CGPoint, kit::UIEvent*) override;
};

}
