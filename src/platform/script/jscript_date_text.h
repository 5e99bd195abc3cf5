// Dates as JScript writes and reads them: the texts of Date's toString, toDateString,
// toTimeString, toUTCString and toLocale* methods, and the dates Date.parse and new Date(text)
// read besides ISO 8601. Works on time values (milliseconds since 1970, UTC) taken apart into
// fields; knows nothing of the engine.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/locale/locale.h"

namespace platform::jscript {

// A time value taken apart, in local time or UTC as the caller chose.
struct DateFields {
  double year = 1970;  // astronomical: 0 is 1 B.C.
  int month = 1;       // 1 January
  int day = 1;
  int weekday = 4;  // 0 Sunday
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The fields of `ms` shifted by `offsetSeconds` (local time when that is the local offset; zones
// kept their local mean time, to the second, before they took a standard one).
DateFields fieldsOf(double ms, int offsetSeconds);

// The local time zone as JScript names it: EST, EDT, CST, CDT, MST, MDT, PST and PDT where the
// zone's standard offset is a whole number of hours from -5 to -8; UTC+hhmm or UTC-hhmm
// otherwise (whole minutes), and UTC alone for an offset of zero. `offsetSeconds` is the offset in
// force, `standardSeconds` the zone's offset outside daylight saving time.
std::u16string zoneName(int offsetSeconds, int standardSeconds);

// "Thu Feb 29 13:05:09 UTC+0100 2024": toString.
std::u16string formatDateTime(const DateFields& local, std::u16string_view zone);
// "Thu Feb 29 2024": toDateString.
std::u16string formatDateOnly(const DateFields& local);
// "13:05:09 UTC+0100": toTimeString.
std::u16string formatTimeOnly(const DateFields& local, std::u16string_view zone);
// "Thu, 29 Feb 2024 13:05:09 UTC" ("Thu, 1 Jan 1970 ..."): toUTCString and toGMTString.
std::u16string formatUtc(const DateFields& utc);

// The locale's long date ("Thursday, February 29, 2024" in US English), its time
// ("1:05:09 PM"), and both parted by a space: toLocaleDateString, toLocaleTimeString and
// toLocaleString. Years the locale's calendar does not hold (before 1 or after 9999) are written
// as toDateString writes them.
std::u16string formatLocaleDate(const DateFields& local, const Locale& locale);
std::u16string formatLocaleTime(const DateFields& local, const Locale& locale);
std::u16string formatLocaleDateTime(const DateFields& local, const Locale& locale);

// The local offset in seconds at the UTC time value `ms`.
using LocalOffset = std::function<int(double ms)>;

// Reads `text` as JScript's Date.parse does: a short date month/day/year with "/" or "-"; a
// long date with an English month name (two letters or more, "Ju" is July) and the day and year
// in any order, a year of two digits being 19xx and at least 70; day names passed over; a time
// h:mm[:ss] ("10:" too) with AM or PM; a zone UTC, GMT, UT, EST, EDT, CST, CDT, MST, MDT, PST or
// PDT, optionally followed by an offset +hhmm, -hh or +hh:mm (an offset alone counts from UTC);
// B.C. and A.D. after a year; commas and spaces between the parts, text in (nested)
// parentheses left out. A date without a zone is local time. nullopt when the text is no such
// date, or lies outside the range of time values.
std::optional<double> parseDate(std::u16string_view text, const LocalOffset& localOffset);

}  // namespace platform::jscript
