#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/RunLoop.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

// Saturday 3 May 2014, 15:04:05 UTC.
const NSDate kMoment { 1399129445 };

std::string format(const char* locale, NSDateFormatterStyle date, NSDateFormatterStyle time)
{
    NSDateFormatter formatter;
    formatter.setLocale(NSLocale::localeWithLocaleIdentifier(locale));
    formatter.setTimeZone("UTC");
    formatter.setDateStyle(date);
    formatter.setTimeStyle(time);
    return formatter.stringFromDate(kMoment);
}

}

TEST(DateFormatter, ShortStylesInTwoLocalesWithPlainSpaces)
{
    EXPECT_EQ(format("en_US", NSDateFormatterShortStyle, NSDateFormatterNoStyle), "5/3/14");
    EXPECT_EQ(format("en_US", NSDateFormatterNoStyle, NSDateFormatterShortStyle), "3:04 PM");
    EXPECT_EQ(format("en_US", NSDateFormatterShortStyle, NSDateFormatterShortStyle), "5/3/14, 3:04 PM");
    EXPECT_EQ(format("de_DE", NSDateFormatterShortStyle, NSDateFormatterNoStyle), "03.05.14");
    EXPECT_EQ(format("de_DE", NSDateFormatterShortStyle, NSDateFormatterShortStyle), "03.05.14, 15:04");
    EXPECT_EQ(format("en_US", NSDateFormatterNoStyle, NSDateFormatterNoStyle), "");
}

TEST(DateFormatter, AFixedPatternGivesTheMovieNameForm)
{
    NSDateFormatter formatter;
    formatter.setTimeZone("UTC");
    formatter.setDateFormat("ddMMyyyy-hhmmss");
    EXPECT_EQ(formatter.stringFromDate(kMoment), "03052014-030405");
}

TEST(DateFormatter, TheCurrentLocaleComesFromTheEnvironment)
{
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(NSLocale::currentLocale().localeIdentifier(), "de_DE");
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(NSLocale::currentLocale().localeIdentifier(), "en_US");
    ::unsetenv("LC_ALL");
}

TEST(DateFormatter, TheCurrentDateIsTheRunLoopsCalendarTime)
{
    RunLoop::main().resetWithVirtualClock(1399129445);
    RunLoop::main().advance(60);
    EXPECT_EQ(NSDate::date().timeIntervalSince1970, 1399129505);
}
