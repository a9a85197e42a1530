#pragma once

#include "kit/foundation/PropertyList.h"

#include <optional>
#include <span>

namespace kit {

// A colour as the platform's keyed archiver stores a UIColor: RGBA, or a
// grey with its white level, which keeps its own colour space.
struct ArchivedColor {
    enum class Space { RGB, Grey };
    Space space { Space::RGB };
    double red { 0 }, green { 0 }, blue { 0 };
    double white { 0 };
    double alpha { 1 };

    static ArchivedColor rgba(double r, double g, double b, double a) { return { Space::RGB, r, g, b, 0, a }; }
    static ArchivedColor grey(double w, double a) { return { Space::Grey, w, w, w, w, a }; }
    bool operator==(const ArchivedColor&) const = default;
};

// +[NSKeyedArchiver archivedDataWithRootObject:] of a colour: a binary
// property list with $archiver, $version, $top and $objects, the colour's
// component keys and its class "UIColor".
Data archiveColor(const ArchivedColor&);

// +[NSKeyedUnarchiver unarchiveObjectWithData:] for a colour: nothing for
// data that is not a keyed archive of a UIColor. References may be binary
// UIDs or {CF$UID: n} dictionaries; components may be integers or reals.
std::optional<ArchivedColor> unarchiveColor(std::span<const uint8_t>);

}
