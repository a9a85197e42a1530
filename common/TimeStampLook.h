#pragma once

// The date stamp's look as the settings file stores it, read alike by both
// products.

#include "kit/foundation/PropertyList.h"

#include <memory>
#include <string>

namespace kit {
class UIColor;
}

namespace vantor::settings {

// The stored font name; "GillSans-Bold" when it is missing or not a string.
std::string readTimeStampFontName(const kit::PropertyList::Dictionary*);

// The stored colour archive, decoded; RGBA (1.0, 0.8, 0.0, 1.0) when it is
// missing, not data, or does not decode to a colour.
std::shared_ptr<kit::UIColor> readTimeStampColor(const kit::PropertyList::Dictionary*);

}
