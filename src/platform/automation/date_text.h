// Dates as text under a locale, both ways, as Windows' variant conversions write and read them:
// CStr and CDate of a script, and every host object that takes a date as text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/locale/locale.h"

namespace platform {

// CStr's text of the date `serial`: the short date and the time ("3/7/2026 3:04:05 PM" in US
// English), the date alone when the time is midnight, the time alone on 30 December 1899 (so
// serial 0 reads "12:00:00 AM").
std::u16string formatDate(double serial, const Locale& locale);

// The date `serial` written by `picture`, in the picture letters of Locale (d, dd, ddd, dddd,
// M ... MMMM, yy, yyyy, h, hh, H, HH, m, mm, s, ss, t, tt, 'quoted text').
std::u16string formatDatePicture(double serial, std::u16string_view picture, const Locale& locale);

// Reads `text` as a date, a time of day, or both, the way CDate and IsDate do: numbers in the
// locale's date order with any of its separator, "/", "-" or "."; month names of the locale or
// of English, full or abbreviated, anywhere among the numbers ("7 March 2026", "March 7, 2026");
// names of days are passed over; a time as h:mm or h:mm:ss with an optional AM/PM designator,
// or "3 PM". Where the locale's order gives no valid date another order is tried, as Windows
// does ("13/1/2026" in US English is 13 January). A date without a year falls in
// `currentYear`; a year of two digits falls in 1930-2029. nullopt when the text is none of
// these, or lies outside the years 100 to 9999.
std::optional<double> parseLocaleDate(std::u16string_view text, const Locale& locale,
                                      int currentYear);

}  // namespace platform
