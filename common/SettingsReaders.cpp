#include "common/SettingsReaders.h"

#include "kit/foundation/StringValues.h"

#include <cmath>
#include <limits>

namespace vantor::settings {

namespace {

const kit::PropertyList* find(std::string_view key, const kit::PropertyList::Dictionary* dictionary)
{
    if (!dictionary)
        return nullptr;
    auto entry = dictionary->find(key);
    return entry == dictionary->end() ? nullptr : &entry->second;
}

// A real outside the 32-bit range would be undefined to convert; the
// platform saturates, and so do we. Not-a-number reads as 0.
int32_t truncatedInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

}

bool readBool(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    const auto* value = find(key, dictionary);
    if (!value)
        return defaultValue;
    if (auto number = value->numberValue())
        return *number != 0;
    if (const auto* string = value->string())
        return kit::boolValue(*string);
    return defaultValue;
}

int32_t readInt(std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    const auto* value = find(key, dictionary);
    if (!value)
        return defaultValue;
    if (const auto* integer = value->integer())
        return truncatedInt32(double(*integer));
    if (auto number = value->numberValue())
        return truncatedInt32(*number);
    if (const auto* string = value->string())
        return kit::intValue(*string);
    return defaultValue;
}

}
