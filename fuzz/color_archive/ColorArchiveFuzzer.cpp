// Feeds arbitrary bytes to the colour unarchiver, as the date-stamp colour
// of a settings file reaches it. Whatever it accepts archives again and
// unarchives to the same colour.

#include "kit/foundation/ColorArchive.h"

#include <cmath>
#include <cstdlib>

namespace {

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool same(const kit::ArchivedColor& a, const kit::ArchivedColor& b)
{
    return a.space == b.space && same(a.red, b.red) && same(a.green, b.green) && same(a.blue, b.blue)
        && same(a.white, b.white) && same(a.alpha, b.alpha);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto colour = kit::unarchiveColor(std::span(data, size));
    if (!colour)
        return 0;
    auto again = kit::unarchiveColor(kit::archiveColor(*colour));
    if (!again || !same(*again, *colour))
        std::abort();
    return 0;
}
