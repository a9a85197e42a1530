#pragma once

#include "hardware/camera/LinearRGB.h"

namespace hardware {

// The colour temperatures a light can have here, in kelvin.
inline constexpr double kLowestKelvin = 1500;
inline constexpr double kHighestKelvin = 15000;
// Daylight: the light under which a picture's colours are as stored.
inline constexpr double kDaylightKelvin = 5500;

// The colour of light of a correlated colour temperature (on the Planckian
// locus), as linear sRGB with luminance 1, relative to daylight at 5500 K:
// lightColour(5500) is (1, 1, 1); lower temperatures are redder, higher
// ones bluer. Temperatures outside 1500 to 15000 K are clamped; one that
// is not a number is daylight.
LinearRGB lightColour(double kelvin);

}
