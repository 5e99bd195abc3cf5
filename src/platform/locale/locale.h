// Locale: the user's regional settings, as Windows keeps them per user: the separators of
// numbers, the order and separator of dates, and the names of days and months. Every
// conversion between text and numbers or dates that depends on them reads them here.
#pragma once

#include <array>
#include <string>

namespace platform {

struct Locale {
  enum class DateOrder { kMonthDayYear, kDayMonthYear, kYearMonthDay };

  std::u16string name = u"C";  // the POSIX name it was read from
  char16_t decimalSeparator = u'.';
  char16_t groupSeparator = u',';  // u'\0' where the locale groups no digits
  DateOrder dateOrder = DateOrder::kMonthDayYear;
  char16_t dateSeparator = u'/';
  std::array<std::u16string, 7> dayNames;  // Sunday first
  std::array<std::u16string, 7> abbreviatedDayNames;
  std::array<std::u16string, 12> monthNames;  // January first
  std::array<std::u16string, 12> abbreviatedMonthNames;

  // How dates and times are written, as pictures in the manner of Windows' regional settings:
  // d dd ddd dddd (day, or the day's name), M MM MMM MMMM (month, or its name), yy yyyy, h hh
  // (12-hour clock) H HH (24-hour clock), m mm, s ss, t tt (the designator); text in single
  // quotes stands as written, other characters too.
  std::u16string shortDatePattern = u"M/d/yyyy";
  std::u16string longDatePattern = u"dddd, MMMM d, yyyy";
  std::u16string timePattern = u"h:mm:ss tt";
  std::u16string amDesignator = u"AM";
  std::u16string pmDesignator = u"PM";

  // Money: the symbol, whether it stands before the amount and whether a space parts them, and
  // the digits after the decimal separator.
  std::u16string currencySymbol = u"$";
  bool currencyFirst = true;
  bool currencySpaced = false;
  int currencyDigits = 2;

  // US English, which is what the plain C and POSIX locales read as (as on a Windows whose user
  // kept the defaults: "3/7/2026 3:04:05 PM", "$1,234.50").
  static Locale english();
  // The locale of the process's environment (LC_ALL, LC_NUMERIC, LC_TIME, LANG), as the C
  // library reads it; the English one where that names the C or POSIX locale or one that is
  // not installed.
  static Locale fromEnvironment();
  // The POSIX locale `name` ("nl_NL.UTF-8"); nullopt-like failure is reported as the English
  // locale with `name` kept empty, so tests can skip when a locale is not installed.
  static Locale named(const char* name);
};

// The user's locale, read from the environment once.
const Locale& userLocale();

}  // namespace platform
