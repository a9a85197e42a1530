#pragma once

// The extension's tools: the typed settings readers and the factories of the
// blurred and plain backgrounds.

#include "kit/foundation/PropertyList.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace kit {
class UIView;
}

namespace vantor {

class BlurView;

class CAM_Tools {
public:
    static bool boolForKey(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary*);
    static int32_t intForKey(std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary*);

    // A blur view of the rectangle's size at the origin, hard-edged, radius
    // 10, tinted with grey 0.1. Owned by the caller.
    static std::shared_ptr<BlurView> CreateAndConfigureBlurView(kit::CGRect);
    // What stands in for the blur when "blurButtonBar" is off: light grey at
    // half alpha, of the rectangle's size at the origin.
    static std::shared_ptr<kit::UIView> CreatePlainBackgroundView(kit::CGRect);
};

}
