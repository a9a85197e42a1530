#include "kit/foundation/PropertyList.h"

namespace kit {

std::optional<double> PropertyList::numberValue() const
{
    if (auto* b = boolean())
        return *b ? 1.0 : 0.0;
    if (auto* i = integer())
        return double(*i);
    if (auto* r = real())
        return *r;
    return std::nullopt;
}

}
