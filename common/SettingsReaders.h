#pragma once

// The typed readers of the settings file, with the same rules on both sides.
// A value of the wrong kind never fails: it gives the default.

#include "kit/foundation/PropertyList.h"

#include <cstdint>
#include <string_view>

namespace vantor::settings {

// Missing: the default. A number (integer, real or boolean): true when not
// zero. A string: true when, after leading white space, an optional sign and
// leading zeros, it goes on with "Y", "y", "T", "t" or a digit 1 to 9 ("YES",
// "true", "1", "+YES", "00T"); false otherwise. Anything else (date, data,
// array, dictionary): the default.
bool readBool(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary*);

// Missing: the default. A number: its value as a 32-bit integer (reals
// truncated toward zero and clamped, booleans 1 or 0). A string: the
// platform's intValue. Anything else: the default.
int32_t readInt(std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary*);

}
