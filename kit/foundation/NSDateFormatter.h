#pragma once

#include "kit/foundation/NSDate.h"

#include <memory>
#include <string>

namespace kit {

enum NSDateFormatterStyle {
    NSDateFormatterNoStyle = 0,
    NSDateFormatterShortStyle = 1,
    NSDateFormatterMediumStyle = 2,
    NSDateFormatterLongStyle = 3,
    NSDateFormatterFullStyle = 4,
};

class NSLocale {
public:
    // The user's locale, from LC_ALL, LC_TIME or LANG ("de_DE.UTF-8" gives
    // "de_DE"); "en_US" when none is set or it is "C" or "POSIX".
    static NSLocale currentLocale();
    static NSLocale localeWithLocaleIdentifier(std::string identifier) { return NSLocale(std::move(identifier)); }

    const std::string& localeIdentifier() const { return m_identifier; }

private:
    explicit NSLocale(std::string identifier) : m_identifier(std::move(identifier)) { }
    std::string m_identifier;
};

// Formats dates with the platform's styles or a fixed pattern, by ICU, in
// the process's time zone (TZ). Output is as the system of the era wrote it:
// plain spaces where newer ICU data puts narrow no-break spaces ("3:04 PM").
class NSDateFormatter {
public:
    NSDateFormatter();
    ~NSDateFormatter();

    void setDateStyle(NSDateFormatterStyle style) { m_dateStyle = style; }
    void setTimeStyle(NSDateFormatterStyle style) { m_timeStyle = style; }
    NSDateFormatterStyle dateStyle() const { return m_dateStyle; }
    NSDateFormatterStyle timeStyle() const { return m_timeStyle; }

    void setLocale(NSLocale locale) { m_locale = std::move(locale); }
    const NSLocale& locale() const { return m_locale; }

    // A fixed pattern ("ddMMyyyy-hhmmss") takes the place of the styles;
    // an empty one goes back to them.
    void setDateFormat(std::string pattern) { m_pattern = std::move(pattern); }
    const std::string& dateFormat() const { return m_pattern; }

    // An Olson name ("Europe/Berlin"); empty means the process's zone.
    void setTimeZone(std::string name) { m_timeZone = std::move(name); }

    // Empty when both styles are none and no pattern is set, as on the platform.
    std::string stringFromDate(const NSDate&) const;

private:
    NSDateFormatterStyle m_dateStyle { NSDateFormatterNoStyle };
    NSDateFormatterStyle m_timeStyle { NSDateFormatterNoStyle };
    NSLocale m_locale;
    std::string m_pattern;
    std::string m_timeZone;
};

}
