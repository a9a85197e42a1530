#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kit {

// Seconds between 1 January 1970 and 1 January 2001, both UTC.
constexpr double kReferenceDateFromUnixEpoch = 978307200.0;

// Days since 1970-01-01 of a proleptic Gregorian civil date, and back.
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day);

// The property-list date form "2014-05-03T12:30:00Z", in seconds since the
// reference date, and back (whole seconds, UTC).
std::optional<double> parseIso8601(std::string_view);
std::string formatIso8601(double secondsSinceReferenceDate);

}
