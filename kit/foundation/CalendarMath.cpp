#include "kit/foundation/CalendarMath.h"

#include <cmath>
#include <cstdio>

namespace kit {

int64_t daysFromCivil(int64_t year, unsigned month, unsigned day)
{
    // Howard Hinnant's days_from_civil.
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = unsigned(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

namespace {

void civilFromDays(int64_t z, int64_t& year, unsigned& month, unsigned& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = int64_t(yoe) + era * 400 + (month <= 2);
}

bool readDigits(std::string_view s, size_t& i, size_t count, int& out)
{
    out = 0;
    for (size_t n = 0; n < count; ++n, ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

bool expect(std::string_view s, size_t& i, char c)
{
    if (i >= s.size() || s[i] != c)
        return false;
    ++i;
    return true;
}

}

std::optional<double> parseIso8601(std::string_view s)
{
    size_t i = 0;
    int year, month, day, hour, minute, second;
    if (!readDigits(s, i, 4, year) || !expect(s, i, '-') || !readDigits(s, i, 2, month) || !expect(s, i, '-')
        || !readDigits(s, i, 2, day) || !expect(s, i, 'T') || !readDigits(s, i, 2, hour) || !expect(s, i, ':')
        || !readDigits(s, i, 2, minute) || !expect(s, i, ':') || !readDigits(s, i, 2, second) || !expect(s, i, 'Z')
        || i != s.size())
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    double unixSeconds = double(daysFromCivil(year, unsigned(month), unsigned(day))) * 86400.0 + hour * 3600.0
        + minute * 60.0 + second;
    return unixSeconds - kReferenceDateFromUnixEpoch;
}

std::string formatIso8601(double secondsSinceReferenceDate)
{
    double unixSeconds = std::floor(secondsSinceReferenceDate + kReferenceDateFromUnixEpoch);
    int64_t total = int64_t(unixSeconds);
    int64_t days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
    int64_t secondsOfDay = total - days * 86400;
    int64_t year;
    unsigned month, day;
    civilFromDays(days, year, month, day);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(year), month,
        day, static_cast<long long>(secondsOfDay / 3600), static_cast<long long>(secondsOfDay / 60 % 60),
        static_cast<long long>(secondsOfDay % 60));
    return buffer;
}

}
