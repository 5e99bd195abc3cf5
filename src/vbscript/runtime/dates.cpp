// Date and time functions. The current date and time come from the engine's clock, in the
// process's time zone; dates from and to text follow the engine's locale.
#include <cmath>
#include <string>

#include "platform/automation/calendar.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::DateParts;
using platform::ErrorCode;
using platform::Variant;
using Args = std::span<Variant>;

constexpr double kSecondsPerDay = 86400.0;

Variant integer(int value) {
  return Variant(static_cast<int16_t>(value));
}

// A date result: error 5 outside the years 100 to 9999.
Variant dateResult(double serial) {
  if (!(serial > platform::kFirstDay - 1 && serial < platform::kLastDay + 1)) invalidArgument();
  return Variant(platform::Date{serial});
}

// Whole days and seconds on the line of dates.
struct Moment {
  int64_t days = 0;
  int64_t seconds = 0;
  explicit Moment(double serial) { platform::daysAndSeconds(serial, days, seconds); }
  int64_t totalSeconds() const { return days * 86400 + seconds; }
};

int64_t floorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// --- The current date and time -----------------------------------------------------------------

Variant now(BuiltinContext& context, Args) {
  return Variant(platform::Date{nowSerial(context)});
}

Variant date(BuiltinContext& context, Args) {
  return Variant(platform::Date{static_cast<double>(Moment(nowSerial(context)).days)});
}

Variant time(BuiltinContext& context, Args) {
  return Variant(
      platform::Date{static_cast<double>(Moment(nowSerial(context)).seconds) / kSecondsPerDay});
}

// Seconds since midnight, to the hundredth, as a Single.
Variant timer(BuiltinContext& context, Args) {
  const double now = platform::linearFromDate(nowSerial(context));
  const auto ms = std::llround((now - std::floor(now)) * kSecondsPerDay * 1000.0);
  return Variant(static_cast<float>(static_cast<double>(ms / 10) / 100.0));
}

// --- Parts of a date -----------------------------------------------------------------------------

template <int DateParts::*Part>
Variant part(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return integer(platform::splitDate(dateArgument(context, args[0])).*Part);
}

// A first-day-of-week argument: 1 Sunday ... 7 Saturday; 0, the system's, is Sunday.
int firstDayArgument(const BuiltinContext& context, const Variant& value) {
  const int32_t day = optionalLong(context, value, 1);
  if (day < 0 || day > 7) invalidArgument();
  return day == 0 ? 1 : day;
}

// The weekday of `serial` counted from `firstDay` (1 for that day itself).
int weekdayFrom(double serial, int firstDay) {
  return (platform::weekdayOf(serial) - firstDay + 7) % 7 + 1;
}

Variant weekday(BuiltinContext& context, Args args) {
  const int firstDay = firstDayArgument(context, args[1]);
  if (args[0].isNull()) return Variant::null();
  return integer(weekdayFrom(dateArgument(context, args[0]), firstDay));
}

Variant weekdayName(BuiltinContext& context, Args args) {
  const int32_t day = longArgument(context, args[0]);
  const bool abbreviate = given(args[1]) && boolArgument(context, args[1]);
  const int firstDay = firstDayArgument(context, args[2]);
  if (day < 1 || day > 7) invalidArgument();
  const size_t index = static_cast<size_t>((day - 1 + firstDay - 1) % 7);
  const platform::Locale& locale = context.services.locale;
  return Variant(abbreviate ? locale.abbreviatedDayNames[index] : locale.dayNames[index]);
}

Variant monthName(BuiltinContext& context, Args args) {
  const int32_t month = longArgument(context, args[0]);
  const bool abbreviate = given(args[1]) && boolArgument(context, args[1]);
  if (month < 1 || month > 12) invalidArgument();
  const platform::Locale& locale = context.services.locale;
  const size_t index = static_cast<size_t>(month - 1);
  return Variant(abbreviate ? locale.abbreviatedMonthNames[index] : locale.monthNames[index]);
}

// The week of the year of `serial`, the weeks beginning on `firstDay`; week 1 is the one with
// 1 January (vbFirstJan1), the first with four days of the year (vbFirstFourDays) or the first
// whole week (vbFirstFullWeek).
int weekOfYear(double serial, int firstDay, int firstWeek) {
  const DateParts parts = platform::splitDate(serial);
  for (int year = parts.year;; --year) {
    const double january1 = platform::daySerial(year, 1, 1);
    const int offset = weekdayFrom(january1, firstDay) - 1;  // days of its week before 1 January
    double weekOne = january1 - offset;
    if ((firstWeek == 2 && offset > 3) || (firstWeek == 3 && offset > 0)) weekOne += 7;
    const double day = static_cast<double>(Moment(serial).days);
    if (day >= weekOne || year <= 100) {
      return static_cast<int>(std::floor((day - weekOne) / 7)) + 1;
    }
  }
}

int firstWeekArgument(const BuiltinContext& context, const Variant& value) {
  const int32_t week = optionalLong(context, value, 1);
  if (week < 0 || week > 3) invalidArgument();
  return week == 0 ? 1 : week;
}

// The interval letters of DateAdd, DateDiff and DatePart.
enum class Interval {
  kYear,
  kQuarter,
  kMonth,
  kDayOfYear,
  kDay,
  kWeekday,
  kWeek,
  kHour,
  kMinute,
  kSecond
};

Interval intervalArgument(const BuiltinContext& context, const Variant& value) {
  const std::u16string name = platform::toLower(textArgument(context, value));
  static constexpr struct {
    std::u16string_view name;
    Interval interval;
  } kNames[] = {
      {u"yyyy", Interval::kYear},   {u"q", Interval::kQuarter}, {u"m", Interval::kMonth},
      {u"y", Interval::kDayOfYear}, {u"d", Interval::kDay},     {u"w", Interval::kWeekday},
      {u"ww", Interval::kWeek},     {u"h", Interval::kHour},    {u"n", Interval::kMinute},
      {u"s", Interval::kSecond},
  };
  for (const auto& entry : kNames) {
    if (entry.name == name) return entry.interval;
  }
  invalidArgument();
}

Variant datePart(BuiltinContext& context, Args args) {
  const Interval interval = intervalArgument(context, args[0]);
  const int firstDay = firstDayArgument(context, args[2]);
  const int firstWeek = firstWeekArgument(context, args[3]);
  if (args[1].isNull()) return Variant::null();
  const double serial = dateArgument(context, args[1]);
  const DateParts parts = platform::splitDate(serial);
  switch (interval) {
    case Interval::kYear:
      return integer(parts.year);
    case Interval::kQuarter:
      return integer((parts.month - 1) / 3 + 1);
    case Interval::kMonth:
      return integer(parts.month);
    case Interval::kDayOfYear:
      return integer(static_cast<int>(Moment(serial).days - platform::daySerial(parts.year, 1, 1)) +
                     1);
    case Interval::kDay:
      return integer(parts.day);
    case Interval::kWeekday:
      return integer(weekdayFrom(serial, firstDay));
    case Interval::kWeek:
      return integer(weekOfYear(serial, firstDay, firstWeek));
    case Interval::kHour:
      return integer(parts.hour);
    case Interval::kMinute:
      return integer(parts.minute);
    case Interval::kSecond:
      return integer(parts.second);
  }
  invalidArgument();
}

// DateAdd(interval, number, date): months, quarters and years keep the day where the month
// has it and take the month's last day where it has not (31 January + 1 month is 28 or 29
// February); the other intervals add on the line of dates.
Variant dateAdd(BuiltinContext& context, Args args) {
  const Interval interval = intervalArgument(context, args[0]);
  const int64_t number = longArgument(context, args[1]);
  if (args[2].isNull()) return Variant::null();
  const double serial = dateArgument(context, args[2]);
  const double line = platform::linearFromDate(serial);
  auto plusSeconds = [&](double seconds) {
    return dateResult(platform::dateFromLinear(line + seconds / kSecondsPerDay));
  };
  int64_t months = 0;
  switch (interval) {
    case Interval::kYear:
      months = number * 12;
      break;
    case Interval::kQuarter:
      months = number * 3;
      break;
    case Interval::kMonth:
      months = number;
      break;
    case Interval::kDayOfYear:
    case Interval::kDay:
    case Interval::kWeekday:
      return plusSeconds(static_cast<double>(number) * kSecondsPerDay);
    case Interval::kWeek:
      return plusSeconds(static_cast<double>(number) * 7 * kSecondsPerDay);
    case Interval::kHour:
      return plusSeconds(static_cast<double>(number) * 3600);
    case Interval::kMinute:
      return plusSeconds(static_cast<double>(number) * 60);
    case Interval::kSecond:
      return plusSeconds(static_cast<double>(number));
  }
  const DateParts parts = platform::splitDate(serial);
  const int64_t total = int64_t{parts.year} * 12 + (parts.month - 1) + months;
  const int64_t year = floorDiv(total, 12);
  const int month = static_cast<int>(total - year * 12) + 1;
  if (year < 100 || year > 9999) invalidArgument();
  const int day = std::min(parts.day, platform::daysInMonth(year, month));
  const double timeOfDay = static_cast<double>(Moment(serial).seconds) / kSecondsPerDay;
  return dateResult(platform::dateFromLinear(platform::daySerial(year, month, day) + timeOfDay));
}

// DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]]): how many interval
// boundaries lie between the dates ("w" counts whole weeks, "ww" the firstdayofweek days).
Variant dateDiff(BuiltinContext& context, Args args) {
  const Interval interval = intervalArgument(context, args[0]);
  const int firstDay = firstDayArgument(context, args[3]);
  firstWeekArgument(context, args[4]);
  if (args[1].isNull() || args[2].isNull()) return Variant::null();
  const double from = dateArgument(context, args[1]);
  const double to = dateArgument(context, args[2]);
  const DateParts a = platform::splitDate(from);
  const DateParts b = platform::splitDate(to);
  const Moment start(from);
  const Moment end(to);
  int64_t difference = 0;
  switch (interval) {
    case Interval::kYear:
      difference = b.year - a.year;
      break;
    case Interval::kQuarter:
      difference =
          (int64_t{b.year} * 4 + (b.month - 1) / 3) - (int64_t{a.year} * 4 + (a.month - 1) / 3);
      break;
    case Interval::kMonth:
      difference = (int64_t{b.year} * 12 + b.month) - (int64_t{a.year} * 12 + a.month);
      break;
    case Interval::kDayOfYear:
    case Interval::kDay:
      difference = end.days - start.days;
      break;
    case Interval::kWeekday:
      difference = (end.days - start.days) / 7;
      break;
    case Interval::kWeek: {
      auto weekStart = [firstDay](const Moment& m) {
        return m.days - (weekdayFrom(static_cast<double>(m.days), firstDay) - 1);
      };
      difference = (weekStart(end) - weekStart(start)) / 7;
      break;
    }
    case Interval::kHour:
      difference = floorDiv(end.totalSeconds(), 3600) - floorDiv(start.totalSeconds(), 3600);
      break;
    case Interval::kMinute:
      difference = floorDiv(end.totalSeconds(), 60) - floorDiv(start.totalSeconds(), 60);
      break;
    case Interval::kSecond:
      difference = end.totalSeconds() - start.totalSeconds();
      break;
  }
  if (difference < INT32_MIN || difference > INT32_MAX) platform::raise(ErrorCode::kOverflow);
  return Variant(static_cast<int32_t>(difference));
}

// --- Making dates --------------------------------------------------------------------------------

// A whole-number argument of DateSerial and TimeSerial, which take Integers.
int64_t integerArgument(const BuiltinContext& context, const Variant& value) {
  const int32_t number = longArgument(context, value);
  if (number < -32768 || number > 32767) platform::raise(ErrorCode::kOverflow);
  return number;
}

// DateSerial(year, month, day): months and days outside their ranges roll over; a year from 0
// to 99 is one of 1900 to 1999.
Variant dateSerial(BuiltinContext& context, Args args) {
  int64_t year = integerArgument(context, args[0]);
  const int64_t month = integerArgument(context, args[1]);
  const int64_t day = integerArgument(context, args[2]);
  if (year >= 0 && year <= 99) year += 1900;
  return dateResult(platform::daySerial(year, month, day));
}

Variant timeSerial(BuiltinContext& context, Args args) {
  const int64_t seconds = integerArgument(context, args[0]) * 3600 +
                          integerArgument(context, args[1]) * 60 +
                          integerArgument(context, args[2]);
  return dateResult(platform::dateFromLinear(static_cast<double>(seconds) / kSecondsPerDay));
}

Variant dateValue(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return Variant(platform::Date{static_cast<double>(Moment(dateArgument(context, args[0])).days)});
}

Variant timeValue(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  const Moment moment(dateArgument(context, args[0]));
  return Variant(platform::Date{static_cast<double>(moment.seconds) / kSecondsPerDay});
}

constexpr Builtin kFunctions[] = {
    {u"Date", 0, 0, date},
    {u"DateAdd", 3, 3, dateAdd},
    {u"DateDiff", 3, 5, dateDiff},
    {u"DatePart", 2, 4, datePart},
    {u"DateSerial", 3, 3, dateSerial},
    {u"DateValue", 1, 1, dateValue},
    {u"Day", 1, 1, part<&DateParts::day>},
    {u"Hour", 1, 1, part<&DateParts::hour>},
    {u"Minute", 1, 1, part<&DateParts::minute>},
    {u"Month", 1, 1, part<&DateParts::month>},
    {u"MonthName", 1, 2, monthName},
    {u"Now", 0, 0, now},
    {u"Second", 1, 1, part<&DateParts::second>},
    {u"Time", 0, 0, time},
    {u"Timer", 0, 0, timer},
    {u"TimeSerial", 3, 3, timeSerial},
    {u"TimeValue", 1, 1, timeValue},
    {u"Weekday", 1, 2, weekday},
    {u"WeekdayName", 1, 3, weekdayName},
    {u"Year", 1, 1, part<&DateParts::year>},
};

}  // namespace

std::span<const Builtin> dateFunctions() {
  return kFunctions;
}

}  // namespace vbscript
