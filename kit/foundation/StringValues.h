#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kit {

// The platform's string truth rule (NSString boolValue): after leading white
// space, "Y", "y", "T" or "t" is true; otherwise at most one sign, then any
// zeros, and true only when a digit 1 to 9 follows. "+000009" and "yes" are
// true; "-00000", "+t", "0t" and "++" are false.
bool boolValue(std::string_view);

// The platform's intValue: leading white space, one optional sign, decimal
// digits only (leading zeros are fine), clamped to the 32-bit range on
// overflow, 0 when there are no digits. "123a" is 123, "0x1A" is 0.
int32_t intValue(std::string_view);

// Stricter than the platform's: the whole text as a finite decimal number
// ("2", "-0.5", "1e3"), or nothing: no white space, no other characters,
// no "nan" or "inf", nothing out of range.
std::optional<double> finiteNumber(std::string_view);

}
