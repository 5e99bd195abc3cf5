#include "platform/script/jscript_date_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/automation/calendar.h"
#include "platform/automation/date_text.h"
#include "platform/base/text.h"

namespace platform::jscript {

namespace {

constexpr double kMsPerDay = 86400000.0;
// Time values reach 100,000,000 days either side of 1970.
constexpr double kMaxTimeValue = 8.64e15;

constexpr std::array<std::u16string_view, 7> kDays = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 12> kMonths = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

// Days since 1 January 1970 of a day of the proleptic Gregorian calendar, and back.
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, int64_t& year, int& month, int& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shifted = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  year = yearOfEra + era * 400 + (month <= 2);
}

std::u16string twoDigits(int value) {
  std::u16string text = decimal(value);
  if (text.size() < 2) text.insert(0, 1, u'0');
  return text;
}

std::u16string abbreviation(std::u16string_view name) {
  return std::u16string(name.substr(0, 3));
}

// Years before 1 as JScript writes them: "1 B.C." is the year 0.
std::u16string yearText(double year) {
  if (year >= 1) return decimal(static_cast<int64_t>(year));
  return decimal(static_cast<int64_t>(1 - year)) + u" B.C.";
}

std::u16string clockText(const DateFields& fields) {
  return twoDigits(fields.hour) + u':' + twoDigits(fields.minute) + u':' + twoDigits(fields.second);
}

// The automation date of local `fields`, whole seconds, for the locale's pictures.
double serialOf(const DateFields& fields) {
  const double seconds = fields.hour * 3600.0 + fields.minute * 60.0 + fields.second;
  return dateFromLinear(daySerial(static_cast<int64_t>(fields.year), fields.month, fields.day) +
                        seconds / 86400);
}

bool inLocaleCalendar(const DateFields& fields) {
  return fields.year >= 1 && fields.year <= 9999;
}

// --- Reading -------------------------------------------------------------------------------

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Whether `word` (lower case, two letters or more) begins `name`.
bool abbreviates(std::u16string_view word, std::u16string_view name) {
  if (word.size() < 2 || word.size() > name.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != lower(name[i])) return false;
  }
  return true;
}

struct Zone {
  std::u16string_view name;
  int offsetMinutes;
};

constexpr std::array<Zone, 11> kZones = {{{u"utc", 0},
                                          {u"gmt", 0},
                                          {u"ut", 0},
                                          {u"est", -300},
                                          {u"edt", -240},
                                          {u"cst", -360},
                                          {u"cdt", -300},
                                          {u"mst", -420},
                                          {u"mdt", -360},
                                          {u"pst", -480},
                                          {u"pdt", -420}}};

struct Number {
  int64_t value;
  size_t digits;
  bool isYear = false;  // marked by B.C. or A.D.
  bool beforeChrist = false;
};

class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text) {}

  bool read();

  std::optional<int> month;
  std::optional<int> day;
  std::optional<int64_t> year;
  std::optional<int> offsetMinutes;  // set by a zone or an offset
  int hour = -1;
  int minute = 0;
  int second = 0;
  enum class Half { kNone, kAm, kPm } half = Half::kNone;
  std::vector<Number> numbers;  // of a long date

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char16_t peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : u'\0';
  }
  bool skipComment();
  // The number at the reading position; nullopt when there is none or it is too large to be
  // any part of a date.
  std::optional<int64_t> number(size_t* digits = nullptr);
  bool word();
  bool offset(char16_t sign);
  bool time(int64_t hours);
  bool shortDate(int64_t first);

  std::u16string_view text_;
  size_t pos_ = 0;
};

bool Reader::skipComment() {
  int depth = 0;
  while (!atEnd()) {
    const char16_t c = text_[pos_++];
    if (c == u'(') ++depth;
    if (c == u')' && --depth == 0) return true;
  }
  return true;  // a comment left open runs to the end
}

std::optional<int64_t> Reader::number(size_t* digits) {
  const size_t start = pos_;
  int64_t value = 0;
  while (!atEnd() && isDigit(peek())) {
    if (value > 100000000) return std::nullopt;
    value = value * 10 + (peek() - u'0');
    ++pos_;
  }
  if (pos_ == start) return std::nullopt;
  if (digits != nullptr) *digits = pos_ - start;
  return value;
}

bool Reader::time(int64_t hours) {
  if (hour >= 0 || hours > 23) return false;
  hour = static_cast<int>(hours);
  ++pos_;                             // the colon after the hours
  if (!isDigit(peek())) return true;  // "10:"
  const auto minutes = number();
  if (!minutes || *minutes > 59) return false;
  minute = static_cast<int>(*minutes);
  if (peek() != u':') return true;
  ++pos_;
  if (!isDigit(peek())) return true;
  const auto seconds = number();
  if (!seconds || *seconds > 59) return false;
  second = static_cast<int>(*seconds);
  return true;
}

bool Reader::shortDate(int64_t first) {
  if (month || day || year) return false;
  const char16_t separator = peek();
  ++pos_;
  const auto second = number();
  if (!second || peek() != separator) return false;
  ++pos_;
  size_t digits = 0;
  const auto third = number(&digits);
  if (!third || first < 1 || first > 12 || *second < 1 || *second > 31) return false;
  month = static_cast<int>(first);
  day = static_cast<int>(*second);
  year = digits <= 2 ? *third + 1900 : *third;
  return true;
}

bool Reader::offset(char16_t sign) {
  size_t digits = 0;
  const auto value = number(&digits);
  if (!value) return false;
  int64_t hours = *value;
  int64_t minutes = 0;
  if (digits > 2) {
    hours = *value / 100;
    minutes = *value % 100;
  } else if (peek() == u':' && isDigit(peek(1))) {
    ++pos_;
    const std::optional<int64_t> written = number();
    if (!written) return false;
    minutes = *written;
  }
  if (hours > 24 || minutes > 59) return false;
  const int shift = static_cast<int>(hours * 60 + minutes) * (sign == u'-' ? -1 : 1);
  offsetMinutes = offsetMinutes.value_or(0) + shift;
  return true;
}

bool Reader::word() {
  std::u16string letters;
  while (!atEnd() && (isLetter(peek()) || peek() == u'.')) {
    if (peek() != u'.') letters += lower(peek());
    ++pos_;
  }
  if (letters == u"am" || letters == u"pm") {
    if (half != Half::kNone) return false;
    half = letters == u"am" ? Half::kAm : Half::kPm;
    return true;
  }
  if (letters == u"bc" || letters == u"ad") {
    if (numbers.empty() || numbers.back().isYear) return false;
    numbers.back().isYear = true;
    numbers.back().beforeChrist = letters == u"bc";
    return true;
  }
  for (const Zone& zone : kZones) {
    if (letters == zone.name) {
      if (offsetMinutes) return false;
      offsetMinutes = zone.offsetMinutes;
      // UTC+0100: the offset belongs to the zone.
      if ((peek() == u'+' || peek() == u'-') && isDigit(peek(1))) {
        const char16_t sign = peek();
        ++pos_;
        return offset(sign);
      }
      return true;
    }
  }
  // Two-letter names that fit more than one month are the last of them ("Ju" is July).
  int found = -1;
  for (size_t i = 0; i < kMonths.size(); ++i) {
    if (abbreviates(letters, kMonths[i])) found = static_cast<int>(i);
  }
  if (found >= 0) {
    if (month) return false;
    month = found + 1;
    return true;
  }
  for (std::u16string_view name : kDays) {
    if (abbreviates(letters, name)) return true;
  }
  return false;
}

bool Reader::read() {
  while (!atEnd()) {
    const char16_t c = peek();
    if (c == u' ' || c == u',' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0) {
      ++pos_;
    } else if (c == u'(') {
      skipComment();
    } else if (isLetter(c)) {
      if (!word()) return false;
    } else if ((c == u'+' || c == u'-') && isDigit(peek(1))) {
      // An offset follows a time or a zone.
      if (hour < 0 && !offsetMinutes) return false;
      ++pos_;
      if (!offset(c)) return false;
    } else if (isDigit(c)) {
      size_t digits = 0;
      const std::optional<int64_t> value = number(&digits);
      if (!value) return false;
      if (peek() == u':') {
        if (!time(*value)) return false;
      } else if (peek() == u'/' || peek() == u'-') {
        if (!shortDate(*value)) return false;
      } else {
        numbers.push_back(Number{*value, digits});
      }
    } else {
      return false;
    }
  }
  return true;
}

// Gives the numbers of a long date their places: a year is marked by B.C. or A.D., written with
// three digits or more, or at least 70; the day is the number that is none of these.
bool placeNumbers(Reader& reader) {
  for (Number& number : reader.numbers) {
    const bool isYear = number.isYear || number.digits > 2 || number.value >= 70;
    if (isYear) {
      if (reader.year) return false;
      int64_t year = number.value;
      if (number.digits <= 2 && !number.isYear) year += 1900;
      if (number.beforeChrist) year = 1 - year;
      reader.year = year;
    } else {
      if (reader.day || number.value < 1) return false;
      reader.day = static_cast<int>(number.value);
    }
  }
  return true;
}

}  // namespace

DateFields fieldsOf(double ms, int offsetSeconds) {
  const double local = ms + offsetSeconds * 1000.0;
  const double days = std::floor(local / kMsPerDay);
  const auto secondOfDay = static_cast<int64_t>((local - days * kMsPerDay) / 1000);
  DateFields fields;
  int64_t year = 0;
  civilFromDays(static_cast<int64_t>(days), year, fields.month, fields.day);
  fields.year = static_cast<double>(year);
  fields.weekday = static_cast<int>(((static_cast<int64_t>(days) % 7) + 11) % 7);
  fields.hour = static_cast<int>(secondOfDay / 3600);
  fields.minute = static_cast<int>(secondOfDay / 60 % 60);
  fields.second = static_cast<int>(secondOfDay % 60);
  return fields;
}

std::u16string zoneName(int offsetSeconds, int standardSeconds) {
  const int offsetMinutes = offsetSeconds / 60;
  const int standardMinutes = standardSeconds / 60;
  static constexpr std::array<std::u16string_view, 4> kNorthAmerican = {u"E", u"C", u"M", u"P"};
  if (standardSeconds % 3600 == 0 && standardMinutes <= -300 && standardMinutes >= -480) {
    const std::u16string_view letter = kNorthAmerican[(-standardMinutes - 300) / 60];
    return std::u16string(letter) + (offsetMinutes == standardMinutes ? u"ST" : u"DT");
  }
  if (offsetMinutes == 0) return u"UTC";
  const int size = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  return std::u16string(u"UTC") + (offsetMinutes < 0 ? u'-' : u'+') + twoDigits(size / 60) +
         twoDigits(size % 60);
}

std::u16string formatDateTime(const DateFields& local, std::u16string_view zone) {
  return abbreviation(kDays[local.weekday]) + u' ' + abbreviation(kMonths[local.month - 1]) + u' ' +
         decimal(local.day) + u' ' + clockText(local) + u' ' + std::u16string(zone) + u' ' +
         yearText(local.year);
}

std::u16string formatDateOnly(const DateFields& local) {
  return abbreviation(kDays[local.weekday]) + u' ' + abbreviation(kMonths[local.month - 1]) + u' ' +
         decimal(local.day) + u' ' + yearText(local.year);
}

std::u16string formatTimeOnly(const DateFields& local, std::u16string_view zone) {
  return clockText(local) + u' ' + std::u16string(zone);
}

std::u16string formatUtc(const DateFields& utc) {
  return abbreviation(kDays[utc.weekday]) + u", " + decimal(utc.day) + u' ' +
         abbreviation(kMonths[utc.month - 1]) + u' ' + yearText(utc.year) + u' ' + clockText(utc) +
         u" UTC";
}

std::u16string formatLocaleDate(const DateFields& local, const Locale& locale) {
  if (!inLocaleCalendar(local)) return formatDateOnly(local);
  return formatDatePicture(serialOf(local), locale.longDatePattern, locale);
}

std::u16string formatLocaleTime(const DateFields& local, const Locale& locale) {
  DateFields clock = local;
  clock.year = 1899;
  clock.month = 12;
  clock.day = 30;
  return formatDatePicture(serialOf(clock), locale.timePattern, locale);
}

std::u16string formatLocaleDateTime(const DateFields& local, const Locale& locale) {
  return formatLocaleDate(local, locale) + u' ' + formatLocaleTime(local, locale);
}

std::optional<double> parseDate(std::u16string_view text, const LocalOffset& localOffset) {
  Reader reader(text);
  if (!reader.read() || !placeNumbers(reader)) return std::nullopt;
  if (!reader.month || !reader.day || !reader.year || *reader.day > 31) return std::nullopt;
  int hour = reader.hour < 0 ? 0 : reader.hour;
  if (reader.half != Reader::Half::kNone) {
    // A 24-hour clock takes no designator: "23:15 PM" is no time.
    if (reader.hour < 0 || hour > 12) return std::nullopt;
    if (hour == 12) hour = 0;
    if (reader.half == Reader::Half::kPm) hour += 12;
  }
  if (*reader.year < -300000 || *reader.year > 300000) return std::nullopt;
  // A day beyond the month's runs into the next, as the Date constructor counts.
  const double days =
      static_cast<double>(daysFromCivil(*reader.year, *reader.month, 1)) + (*reader.day - 1);
  const double clock = (hour * 3600.0 + reader.minute * 60.0 + reader.second) * 1000;
  double ms = days * kMsPerDay + clock;
  if (reader.offsetMinutes) {
    ms -= *reader.offsetMinutes * 60000.0;
  } else {
    // The offset at the local time read, found as the offset where it would fall.
    double utc = ms - localOffset(ms) * 1000.0;
    utc = ms - localOffset(utc) * 1000.0;
    ms = utc;
  }
  if (!(std::fabs(ms) <= kMaxTimeValue)) return std::nullopt;
  return ms;
}

}  // namespace platform::jscript
