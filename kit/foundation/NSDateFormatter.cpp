#include "kit/foundation/NSDateFormatter.h"

#include "kit/foundation/RunLoop.h"

#include <cstdlib>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace kit {

NSDate NSDate::date()
{
    return { RunLoop::main().wallTime() };
}

NSLocale NSLocale::currentLocale()
{
    std::string value;
    for (auto name : { "LC_ALL", "LC_TIME", "LANG" }) {
        if (const char* v = std::getenv(name); v && *v) {
            value = v;
            break;
        }
    }
    // "de_DE.UTF-8@euro" -> "de_DE"
    value = value.substr(0, value.find_first_of(".@"));
    if (value.empty() || value == "C" || value == "POSIX")
        value = "en_US";
    return NSLocale(value);
}

NSDateFormatter::NSDateFormatter()
    : m_locale(NSLocale::currentLocale())
{
}

NSDateFormatter::~NSDateFormatter() = default;

namespace {

icu::DateFormat::EStyle icuStyle(NSDateFormatterStyle style)
{
    switch (style) {
    case NSDateFormatterShortStyle:
        return icu::DateFormat::kShort;
    case NSDateFormatterMediumStyle:
        return icu::DateFormat::kMedium;
    case NSDateFormatterLongStyle:
        return icu::DateFormat::kLong;
    case NSDateFormatterFullStyle:
        return icu::DateFormat::kFull;
    case NSDateFormatterNoStyle:
        break;
    }
    return icu::DateFormat::kNone;
}

// Newer CLDR data separates the time from AM/PM, and some parts of dates,
// with narrow or thin no-break spaces; the platform wrote plain spaces.
std::string withPlainSpaces(std::string text)
{
    for (std::string_view special : { "\u202F", "\u2009", "\u00A0" }) {
        for (size_t at = text.find(special); at != std::string::npos; at = text.find(special, at + 1))
            text.replace(at, special.size(), " ");
    }
    return text;
}

}

std::string NSDateFormatter::stringFromDate(const NSDate& date) const
{
    icu::Locale locale(m_locale.localeIdentifier().c_str());
    std::unique_ptr<icu::DateFormat> format;
    UErrorCode status = U_ZERO_ERROR;
    if (!m_pattern.empty()) {
        format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(m_pattern), locale, status);
    } else {
        if (m_dateStyle == NSDateFormatterNoStyle && m_timeStyle == NSDateFormatterNoStyle)
            return {};
        format.reset(icu::DateFormat::createDateTimeInstance(icuStyle(m_dateStyle), icuStyle(m_timeStyle), locale));
    }
    if (!format || U_FAILURE(status))
        return {};
    if (!m_timeZone.empty())
        format->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(m_timeZone)));
    icu::UnicodeString text;
    format->format(UDate(date.timeIntervalSince1970 * 1000.0), text);
    std::string utf8;
    text.toUTF8String(utf8);
    return withPlainSpaces(std::move(utf8));
}

}
