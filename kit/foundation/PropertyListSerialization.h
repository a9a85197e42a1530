#pragma once

#include "kit/foundation/PropertyList.h"

#include <span>

namespace kit {

enum class PropertyListFormat { Xml, Binary };

// Input that a reader refuses outright, so that a hostile file is rejected
// quickly and in bounded memory and stack.
struct PropertyListLimits {
    static constexpr size_t maximumBytes = 8 * 1024 * 1024;
    static constexpr size_t maximumDepth = 128;
    // Values in the fully expanded tree; binary lists can share objects, so a
    // small file could otherwise expand exponentially.
    static constexpr size_t maximumValues = 1'000'000;
};

// Reads either form ("bplist00" marks binary). Nothing for input that is not
// a whole, well-formed property list within the limits.
std::optional<PropertyList> parsePropertyList(std::span<const uint8_t>);

// Writes the platform's XML form (header, DOCTYPE, sorted keys) or binary form.
std::string serializePropertyListXml(const PropertyList&);
Data serializePropertyListBinary(const PropertyList&);

namespace detail {
std::optional<PropertyList> parseXmlPropertyList(std::span<const uint8_t>);
std::optional<PropertyList> parseBinaryPropertyList(std::span<const uint8_t>);
}

}
