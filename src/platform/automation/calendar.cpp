#include "platform/automation/calendar.h"

#include <cmath>
#include <ctime>

namespace platform {

namespace {

constexpr int64_t kEpochDays = -25569;  // 30 December 1899 counted from 1 January 1970
constexpr double kMsPerDay = 86400000.0;
constexpr int64_t kSecondsPerDay = 86400;

// Howard Hinnant's algorithms: days since 1 January 1970 and back.
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void civilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

int64_t floorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

bool isLeapYear(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

double daySerial(int64_t year, int64_t month, int64_t day) {
  const int64_t months = year * 12 + (month - 1);
  const int64_t wholeYear = floorDiv(months, 12);
  const auto wholeMonth = static_cast<unsigned>(months - wholeYear * 12 + 1);
  return static_cast<double>(daysFromCivil(wholeYear, wholeMonth, 1) + (day - 1) - kEpochDays);
}

double linearFromDate(double serial) {
  const double whole = std::trunc(serial);
  return whole + std::fabs(serial - whole);
}

double dateFromLinear(double linear) {
  const double whole = std::floor(linear);
  const double fraction = linear - whole;
  return whole >= 0 ? linear : whole - fraction;
}

void daysAndSeconds(double serial, int64_t& days, int64_t& seconds) {
  const auto total = static_cast<int64_t>(std::llround(linearFromDate(serial) * kSecondsPerDay));
  days = floorDiv(total, kSecondsPerDay);
  seconds = total - days * kSecondsPerDay;
}

DateParts splitDate(double serial) {
  int64_t days = 0;
  int64_t seconds = 0;
  daysAndSeconds(serial, days, seconds);
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(days + kEpochDays, year, month, day);
  DateParts parts;
  parts.year = static_cast<int>(year);
  parts.month = static_cast<int>(month);
  parts.day = static_cast<int>(day);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

int weekdayOf(double serial) {
  int64_t days = 0;
  int64_t seconds = 0;
  daysAndSeconds(serial, days, seconds);
  // Day 0, 30 December 1899, was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

double epochMsFromDate(double serial) {
  const double whole = std::trunc(serial);
  const auto msOfDay = static_cast<int64_t>(std::llround(std::fabs(serial - whole) * kMsPerDay));
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(static_cast<int64_t>(whole) + kEpochDays, year, month, day);
  std::tm local{};
  local.tm_year = static_cast<int>(year - 1900);
  local.tm_mon = static_cast<int>(month) - 1;
  local.tm_mday = static_cast<int>(day);
  local.tm_sec = static_cast<int>(msOfDay / 1000);
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  return static_cast<double>(seconds) * 1000.0 + static_cast<double>(msOfDay % 1000);
}

double dateFromEpochMs(double ms) {
  const double seconds = std::floor(ms / 1000.0);
  const double msRest = ms - seconds * 1000.0;
  const auto time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) gmtime_r(&time, &local);
  const int64_t days = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday)) -
                       kEpochDays;
  const double fraction =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + msRest / 1000.0) / 86400.0;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace platform
