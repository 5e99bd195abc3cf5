#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/text.h"
#include "platform/locale/locale.h"

namespace platform {

namespace {

// The first character of a separator the C library gives (UTF-8), or u'\0' for none. A
// separator of more than one character (a narrow no-break space is three bytes) still counts
// as one character.
char16_t separatorOf(const char* text) {
  if (text == nullptr || *text == '\0') return u'\0';
  const std::u16string converted = fromUtf8(text);
  return converted.empty() ? u'\0' : converted.front();
}

Locale::DateOrder dateOrderOf(std::string_view format, char16_t& separator) {
  // The short date format ("%d-%m-%Y", "%m/%d/%y", "%Y-%m-%d"): the order of its fields and the
  // first character between them. "%D" and "%F" stand for whole formats.
  if (format.find("%D") != std::string_view::npos) {
    separator = u'/';
    return Locale::DateOrder::kMonthDayYear;
  }
  if (format.find("%F") != std::string_view::npos) {
    separator = u'-';
    return Locale::DateOrder::kYearMonthDay;
  }
  size_t day = format.find("%d");
  if (day == std::string_view::npos) day = format.find("%e");
  const size_t month = format.find("%m");
  size_t year = format.find("%Y");
  if (year == std::string_view::npos) year = format.find("%y");
  if (day == std::string_view::npos || month == std::string_view::npos ||
      year == std::string_view::npos) {
    return Locale::DateOrder::kMonthDayYear;
  }
  const size_t first = std::min({day, month, year});
  if (first + 2 < format.size() && format[first + 2] != '%') {
    separator = static_cast<char16_t>(static_cast<unsigned char>(format[first + 2]));
  }
  if (year == first) return Locale::DateOrder::kYearMonthDay;
  return day < month ? Locale::DateOrder::kDayMonthYear : Locale::DateOrder::kMonthDayYear;
}

// Appends `text` to a picture, quoting the letters a picture would read as fields.
void appendLiteral(std::string& picture, std::string_view text) {
  for (char c : text) {
    if (std::string_view("dMyhHmst").find(c) != std::string_view::npos) {
      picture += '\'';
      picture += c;
      picture += '\'';
    } else {
      picture += c;
    }
  }
}

// The Windows-style picture of a strftime format: "%d-%m-%y" gives "dd-MM-yyyy". Years get four
// digits, since a two-digit year read back would need its century guessed; fields a picture
// cannot hold (time zones, week numbers) are left out. `ampm` is what %r stands for.
std::string pictureOf(std::string_view format, std::string_view ampm, int depth = 0) {
  std::string picture;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      appendLiteral(picture, format.substr(i, 1));
      continue;
    }
    char field = format[++i];
    while ((field == 'E' || field == 'O' || field == '-' || field == '_' || field == '0') &&
           i + 1 < format.size()) {
      field = format[++i];
    }
    switch (field) {
      case 'd':
        picture += "dd";
        break;
      case 'e':
        picture += "d";
        break;
      case 'm':
        picture += "MM";
        break;
      case 'Y':
      case 'y':
      case 'G':
        picture += "yyyy";
        break;
      case 'b':
      case 'h':
        picture += "MMM";
        break;
      case 'B':
        picture += "MMMM";
        break;
      case 'a':
        picture += "ddd";
        break;
      case 'A':
        picture += "dddd";
        break;
      case 'H':
        picture += "HH";
        break;
      case 'k':
        picture += "H";
        break;
      case 'I':
        picture += "hh";
        break;
      case 'l':
        picture += "h";
        break;
      case 'M':
        picture += "mm";
        break;
      case 'S':
        picture += "ss";
        break;
      case 'p':
      case 'P':
        picture += "tt";
        break;
      case 'T':
        picture += "HH:mm:ss";
        break;
      case 'R':
        picture += "HH:mm";
        break;
      case 'D':
        picture += "MM/dd/yyyy";
        break;
      case 'F':
        picture += "yyyy-MM-dd";
        break;
      case 'r':
        if (depth == 0) picture += pictureOf(ampm.empty() ? "%I:%M:%S %p" : ampm, {}, 1);
        break;
      case 'n':
      case 't':
        picture += ' ';
        break;
      case '%':
        picture += '%';
        break;
      default:
        break;
    }
  }
  const size_t first = picture.find_first_not_of(' ');
  const size_t last = picture.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : picture.substr(first, last - first + 1);
}

// Windows writes long dates with the names of the day and the month, in the order of the short
// date; POSIX locales have no such format, so it follows from that order.
std::u16string longDatePatternOf(Locale::DateOrder order) {
  switch (order) {
    case Locale::DateOrder::kDayMonthYear:
      return u"dddd d MMMM yyyy";
    case Locale::DateOrder::kYearMonthDay:
      return u"dddd, yyyy MMMM d";
    case Locale::DateOrder::kMonthDayYear:
      break;
  }
  return u"dddd, MMMM d, yyyy";
}

// A one-byte numeric item of the monetary category; CHAR_MAX where the locale leaves it open.
int monetaryItem(locale_t locale, nl_item item) {
  const char* value = nl_langinfo_l(item, locale);
  return value == nullptr ? CHAR_MAX : static_cast<signed char>(*value);
}

Locale read(locale_t numeric, locale_t time, std::u16string name) {
  Locale result = Locale::english();
  result.name = std::move(name);
  result.decimalSeparator = separatorOf(nl_langinfo_l(RADIXCHAR, numeric));
  if (result.decimalSeparator == u'\0') result.decimalSeparator = u'.';
  result.groupSeparator = separatorOf(nl_langinfo_l(THOUSEP, numeric));
  result.dateOrder = dateOrderOf(nl_langinfo_l(D_FMT, time), result.dateSeparator);
  const std::string_view ampm = nl_langinfo_l(T_FMT_AMPM, time);
  const std::string shortDate = pictureOf(nl_langinfo_l(D_FMT, time), ampm);
  if (!shortDate.empty()) result.shortDatePattern = fromUtf8(shortDate);
  result.longDatePattern = longDatePatternOf(result.dateOrder);
  const std::string timeOfDay = pictureOf(nl_langinfo_l(T_FMT, time), ampm);
  if (!timeOfDay.empty()) result.timePattern = fromUtf8(timeOfDay);
  result.amDesignator = fromUtf8(nl_langinfo_l(AM_STR, time));
  result.pmDesignator = fromUtf8(nl_langinfo_l(PM_STR, time));
  const std::u16string symbol = fromUtf8(nl_langinfo_l(CURRENCY_SYMBOL, numeric));
  if (!symbol.empty()) {
    result.currencySymbol = symbol;
    const int first = monetaryItem(numeric, P_CS_PRECEDES);
    const int spaced = monetaryItem(numeric, P_SEP_BY_SPACE);
    const int digits = monetaryItem(numeric, FRAC_DIGITS);
    if (first != CHAR_MAX) result.currencyFirst = first != 0;
    if (spaced != CHAR_MAX) result.currencySpaced = spaced != 0;
    if (digits >= 0 && digits <= 9) result.currencyDigits = digits;
  }
  for (int i = 0; i < 7; ++i) {
    result.dayNames[i] = fromUtf8(nl_langinfo_l(static_cast<nl_item>(DAY_1 + i), time));
    result.abbreviatedDayNames[i] =
        fromUtf8(nl_langinfo_l(static_cast<nl_item>(ABDAY_1 + i), time));
  }
  for (int i = 0; i < 12; ++i) {
    result.monthNames[i] = fromUtf8(nl_langinfo_l(static_cast<nl_item>(MON_1 + i), time));
    result.abbreviatedMonthNames[i] =
        fromUtf8(nl_langinfo_l(static_cast<nl_item>(ABMON_1 + i), time));
  }
  return result;
}

bool isPlainC(std::string_view name) {
  return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// The value the C library would use for `category`: LC_ALL, then the category, then LANG.
std::string environmentName(const char* category) {
  for (const char* variable : {"LC_ALL", category, "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

}  // namespace

Locale Locale::english() {
  Locale english;
  english.dayNames = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                      u"Thursday", u"Friday", u"Saturday"};
  english.abbreviatedDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  english.monthNames = {u"January",   u"February", u"March",    u"April",
                        u"May",       u"June",     u"July",     u"August",
                        u"September", u"October",  u"November", u"December"};
  english.abbreviatedMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                   u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  return english;
}

Locale Locale::named(const char* name) {
  if (isPlainC(name)) return english();
  locale_t handle = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
  if (handle == static_cast<locale_t>(0)) {
    Locale missing = english();
    missing.name.clear();
    return missing;
  }
  Locale result = read(handle, handle, fromUtf8(name));
  freelocale(handle);
  return result;
}

Locale Locale::fromEnvironment() {
  const std::string numericName = environmentName("LC_NUMERIC");
  const std::string timeName = environmentName("LC_TIME");
  if (isPlainC(numericName) && isPlainC(timeName)) return english();
  locale_t numeric = newlocale(LC_ALL_MASK, isPlainC(numericName) ? "C" : numericName.c_str(),
                               static_cast<locale_t>(0));
  locale_t time =
      newlocale(LC_ALL_MASK, isPlainC(timeName) ? "C" : timeName.c_str(), static_cast<locale_t>(0));
  Locale result = english();
  if (numeric != static_cast<locale_t>(0) && time != static_cast<locale_t>(0)) {
    result = read(numeric, time, fromUtf8(numericName));
    const Locale english = Locale::english();
    if (isPlainC(numericName)) {
      result.decimalSeparator = english.decimalSeparator;
      result.groupSeparator = english.groupSeparator;
      result.currencySymbol = english.currencySymbol;
      result.currencyFirst = english.currencyFirst;
      result.currencySpaced = english.currencySpaced;
      result.currencyDigits = english.currencyDigits;
    }
    if (isPlainC(timeName)) {
      result.shortDatePattern = english.shortDatePattern;
      result.longDatePattern = english.longDatePattern;
      result.timePattern = english.timePattern;
      result.amDesignator = english.amDesignator;
      result.pmDesignator = english.pmDesignator;
      result.dateOrder = english.dateOrder;
      result.dateSeparator = english.dateSeparator;
      result.dayNames = english.dayNames;
      result.abbreviatedDayNames = english.abbreviatedDayNames;
      result.monthNames = english.monthNames;
      result.abbreviatedMonthNames = english.abbreviatedMonthNames;
    }
  }
  if (numeric != static_cast<locale_t>(0)) freelocale(numeric);
  if (time != static_cast<locale_t>(0)) freelocale(time);
  return result;
}

const Locale& userLocale() {
  static const Locale locale = Locale::fromEnvironment();
  return locale;
}

}  // namespace platform
