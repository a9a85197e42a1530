#include "kit/foundation/PropertyListSerialization.h"

#include <cstring>

namespace kit {

std::optional<PropertyList> parsePropertyList(std::span<const uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > PropertyListLimits::maximumBytes)
        return std::nullopt;
    constexpr char binaryMagic[] = "bplist00";
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), binaryMagic, 8) == 0)
        return detail::parseBinaryPropertyList(bytes);
    return detail::parseXmlPropertyList(bytes);
}

}
