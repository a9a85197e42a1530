#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/ui/Geometry.h"
#include "kit/ui/UIControl.h"
#include "kit/ui/UIView.h"

#include <memory>
#include <optional>
#include <string_view>

namespace kit {

class UIColor;
class UIFont;

// The value forms of the layout format (kit/ui/README-layouts.md). Each gives
// nothing for a value of the wrong kind or form.
namespace nib {

// "{{x, y}, {width, height}}".
std::optional<CGRect> rectValue(const PropertyList&);
// "{width, height}".
std::optional<CGSize> sizeValue(const PropertyList&);
// "red green blue alpha" (0 to 1) or a colour name.
std::shared_ptr<UIColor> colorValue(const PropertyList&);
// "NAME SIZE", with "system" and "boldSystem" for the system fonts.
std::shared_ptr<UIFont> fontValue(const PropertyList&);
// Words out of "width height left right top bottom".
std::optional<UIViewAutoresizing> autoresizingValue(const PropertyList&);
// A control event's name ("valueChanged").
std::optional<UIControlEvents> controlEventValue(std::string_view);
std::optional<double> numberValue(const PropertyList&);
std::optional<bool> boolValue(const PropertyList&);
std::optional<int64_t> integerValue(const PropertyList&);

}

}
