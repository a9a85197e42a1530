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
bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The truth rule of a flag stored as a string. Letters are accepted after a
// sign and zeros too, so "+YES" and "00T" read true as "YES" and "T" do; the
// platform's own rule would read them false and silently turn the flag off.
bool stringIsTrue(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && isWhiteSpace(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    while (i < s.size() && s[i] == '0')
        ++i;
    if (i == s.size())
        return false;
    char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

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
        return stringIsTrue(*string);
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
