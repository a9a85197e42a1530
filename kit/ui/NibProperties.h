#pragma once

#include "kit/foundation/PropertyList.h"

#include <optional>
#include <string>
#include <string_view>

namespace kit {

class NSBundle;
class UIView;

namespace nib {

// Sets one property of a layout's view (kit/ui/README-layouts.md). The reason
// when the key is not a property, the view's class lacks it, or the value has
// the wrong kind or form; nothing on success. Images are read from the bundle.
std::optional<std::string> applyProperty(UIView&, std::string_view key, const PropertyList& value, const NSBundle* bundle);

}

}
