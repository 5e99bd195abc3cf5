// Conversions of Variants by the rules of Visual Basic's CStr, CDbl, CLng, CBool and CDate.
//
// Numbers and dates meet text under a locale, as on Windows. The script engines convert under
// the locale of their services (ScriptServices::locale). Host objects convert the arguments they
// receive from either script language with the overloads without a locale, which use the user's
// locale (userLocale()): that is what Windows' VariantChangeType does for a host object that
// asks for the user's default, so `engine.output 2.5` gives "2,5" to a Dutch user there too.
#pragma once

#include <optional>
#include <string>

#include "platform/automation/variant.h"

namespace platform {

struct Locale;

// Text of a value: Empty gives "", Boolean "True"/"False", numbers in the shortest form of at
// most 15 significant digits (7 for a Single) with the locale's decimal separator ("0.5",
// "1E+20"), a date in the locale's short date and time ("3/7/2026 3:04:05 PM"). Null raises
// kInvalidUseOfNull; an object gives its default member's text, or kTypeMismatch without one.
std::u16string toText(const Variant& value, const Locale& locale);
std::u16string toText(const Variant& value);

// Number of a value: Empty is 0, Boolean True is -1, a date its serial, a text must read
// wholly as a number under the locale (parseLocaleNumber). Raises kTypeMismatch otherwise,
// kInvalidUseOfNull for Null.
double toDouble(const Variant& value, const Locale& locale);
double toDouble(const Variant& value);

// Date of a value, as CDate: a date itself, a number as a serial (kOverflow outside the years
// 100 to 9999), Empty as 30 December 1899, a text read as a date under the locale
// (parseLocaleDate; a date without a year falls in this year) or kTypeMismatch.
// kInvalidUseOfNull for Null.
Date toDate(const Variant& value, const Locale& locale);

// toDouble rounded half to even into 32 bits; kOverflow when it does not fit.
int32_t toInt32(const Variant& value);

// Truth of a value: numbers are true when not zero; texts "True"/"False" (any case) or a
// number. Raises kTypeMismatch otherwise.
bool toBool(const Variant& value, const Locale& locale);
bool toBool(const Variant& value);

// Reads `text` wholly as a number in the notation of program code, whatever the locale: blanks
// around it, a sign, digits with one decimal point, an exponent, or &H / &O forms. nullopt
// when it is not one.
std::optional<double> parseNumber(std::u16string_view text);

// The text of a double by the rules of toText, with a decimal point.
std::u16string formatNumber(double value);

}  // namespace platform
