#pragma once

#include "kit/foundation/PropertyList.h"

#include <optional>
#include <string>
#include <string_view>

namespace kit {

// Standard base64 with padding. Decoding skips white space, as property
// lists wrap their data lines; anything else outside the alphabet fails.
std::string base64Encode(const Data&);
std::optional<Data> base64Decode(std::string_view);

}
