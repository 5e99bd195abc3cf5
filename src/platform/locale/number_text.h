// Numbers as text under a locale, read and written as Windows' variant conversions do, so that
// a script's CDbl("2,5") and CStr(2.5) follow the user's regional settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/locale/locale.h"

namespace platform {

// Reads `text` wholly as a number under `locale`: blanks around it; a sign in front, or the
// amount in parentheses for a negative one; the locale's currency symbol before or after the
// amount; digits with the locale's decimal separator and, in the whole part only, its grouping
// separator; an exponent ("2,5E3" under a decimal comma); or the &H and &O forms ("&HFF",
// "&O17"; four hex digits or fewer make an Integer, so "&HFFFF" is -1). nullopt when the text
// is no number, or one beyond the range of a Double.
//
// A grouping separator counts only between groups of three digits: under a locale that groups
// with "." (Dutch, German), "1.234" is 1234 and "1.234.567,5" is 1234567.5, but "2.0" and
// "1.50" are no number. Windows reads those as 20 and 150; we refuse them, since a text like
// that was written under another convention, and reading its point as a decimal separator
// instead would make "1.500" and "1.50" differ by a factor of a thousand. Refused, the caller
// learns of the mismatch (13 Type mismatch in a script) rather than going on with a wrong
// value. Where the grouping separator is a space (French, Swedish), the space, the no-break
// space and the narrow no-break space all count as it.
std::optional<double> parseLocaleNumber(std::u16string_view text, const Locale& locale);

// A number as CStr writes it, in the locale's decimal separator and without grouping: the
// shortest form of at most `digits` significant digits (15 for a Double, 7 for a Single),
// with an exponent where that is shorter ("1E+20", "1E-05").
std::u16string formatLocaleNumber(double value, const Locale& locale, int digits = 15);

// How FormatNumber, FormatCurrency and FormatPercent write an amount.
struct AmountStyle {
  int fractionDigits = 2;    // digits after the decimal separator, 0 or more
  bool leadingZero = true;   // "0.5" rather than ".5"
  bool parentheses = false;  // "(1.00)" rather than "-1.00"
  bool grouped = true;       // "1,000.00" rather than "1000.00"
};

// `value` rounded half away from zero to the style's fraction digits (on its 15 significant
// decimal digits, so 2.675 gives "2.68"), with the locale's separators. An amount that rounds
// to zero has no sign.
std::u16string formatAmount(double value, const AmountStyle& style, const Locale& locale);

// The same amount with the locale's currency symbol where the locale puts it: "$1,234.50",
// "€ 1.234,50", "1.234,50 €"; a negative one with the minus sign first, or in parentheses.
std::u16string formatMoney(double value, const AmountStyle& style, const Locale& locale);

}  // namespace platform
