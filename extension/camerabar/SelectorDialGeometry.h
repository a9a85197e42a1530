#pragma once

// The fixed layout and scales of the selection dial: where its 30 marks sit,
// how many degrees one unit of value takes, and which marks light up.

#include "kit/ui/Geometry.h"

#include <cstdint>

namespace vantor::dial {

inline constexpr int markCount = 30;
// Mark i (1..30) carries the tag markTagBase + i inside the outer ring.
inline constexpr int64_t markTagBase = 100;

// How turning maps to values for a dial of the given largest value: 60 takes
// 6 degrees per unit and lights one mark per 2 units, 120 takes 3 degrees and
// one mark per 4 units, every other largest value 12 degrees and one mark per
// unit. Angles are in degrees, clockwise from the top.
struct Scale {
    double degreesPerUnit;
    int32_t markStep;
};
Scale scaleForMaxTime(int32_t maxTime);

// Mark i (1..30) shows exactly when value >= i * step; with a step of 2 or 4
// a value of 1 also shows mark 1, so the smallest value is never dark.
bool isMarkVisible(int index, int32_t value, int32_t markStep);

// The centre of mark i (1..30) in the outer ring's coordinates, in points.
// The marks run clockwise from the top. Outside 1..30: the ring's origin.
kit::CGPoint markCentre(int index);

// The dial window's frame on the main screen: 295 x 295, centred
// horizontally and lifted above the middle (more on 480-point screens and on
// phones, which have bars above and below the preview).
kit::CGRect windowFrame(bool isPad);

}
