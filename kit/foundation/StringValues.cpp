#include "kit/foundation/StringValues.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kit {

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

size_t skipWhiteSpace(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && isWhiteSpace(s[i]))
        ++i;
    return i;
}

}

bool boolValue(std::string_view s)
{
    size_t i = skipWhiteSpace(s);
    if (i == s.size())
        return false;
    char c = s[i];
    if (c == 'Y' || c == 'y' || c == 'T' || c == 't')
        return true;
    if (c == '+' || c == '-')
        ++i;
    while (i < s.size() && s[i] == '0')
        ++i;
    return i < s.size() && s[i] >= '1' && s[i] <= '9';
}

int32_t intValue(std::string_view s)
{
    size_t i = skipWhiteSpace(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int64_t magnitude = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return magnitude >= limit ? std::numeric_limits<int32_t>::min() : int32_t(-magnitude);
    return magnitude >= limit ? std::numeric_limits<int32_t>::max() : int32_t(magnitude);
}

std::optional<double> finiteNumber(std::string_view text)
{
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}
