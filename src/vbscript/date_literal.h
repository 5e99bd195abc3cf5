// Date literals (#...#): the text between the hashes read as a date, a time or both, always in
// the United States order whatever the user's locale, as VBScript reads them.
#pragma once

#include <optional>
#include <string_view>

namespace vbscript {

// The automation date (days since 30 December 1899, the time of day as the fraction) that
// `text` spells, or nullopt. Accepted: "m/d/yyyy", "m-d-yyyy", "yyyy-m-d", "yyyy/m/d" (a
// two-digit year is 1930-2029; a month above 12 swaps with the day), month names
// ("January 2, 2003", "2 Jan 2003"), and a time "h[:mm[:ss]] [AM|PM]" alone or after the date.
std::optional<double> parseDateLiteral(std::u16string_view text);

// The automation date of a calendar day and time of day; nullopt for a day that does not
// exist.
std::optional<double> automationDate(int year, int month, int day, int hour = 0, int minute = 0,
                                     int second = 0);

}  // namespace vbscript
