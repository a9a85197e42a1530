#pragma once

#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIView.h"

namespace camerabar_test {

// Stands in for the host's camera view and controller: answers the few host
// messages the camera bar sends and remembers them.
class FakeHost final : public kit::UIView {
    KIT_OBJECT(FakeHost, kit::UIView)

public:
    explicit FakeHost(kit::CGRect frame)
        : kit::UIView(frame)
    {
        static const bool registered = [] {
            kit::Class cls = staticClass();
            kit::addMethod(cls, kit::sel_registerName("_zoomIsAllowed"), kit::memberImp<&FakeHost::zoomIsAllowed>());
            kit::addMethod(cls, kit::sel_registerName("capturePhoto"), kit::memberImp<&FakeHost::capturePhoto>());
            return true;
        }();
        (void)registered;
    }

    bool zoomIsAllowed() { return allowsZoom; }
    void capturePhoto() { ++photosCaptured; }

    bool allowsZoom { true };
    int photosCaptured { 0 };
};

}
