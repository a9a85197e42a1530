#pragma once

#include <compare>
#include <cstdint>

namespace kit {

// A row in a section of a table.
struct NSIndexPath {
    int64_t section { 0 };
    int64_t row { 0 };

    static NSIndexPath indexPathForRow(int64_t row, int64_t section) { return { section, row }; }
    auto operator<=>(const NSIndexPath&) const = default;
};

}
