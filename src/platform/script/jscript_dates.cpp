#include "platform/script/jscript_dates.h"

#include <cmath>
#include <cstdint>
#include <ctime>

namespace platform::jscript {

namespace {

constexpr int64_t kOleEpochDays = -25569;  // 1899-12-30 counted from 1970-01-01
constexpr double kMsPerDay = 86400000.0;

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

}  // namespace

double oleToEpochMs(double ole) {
  const double whole = std::trunc(ole);
  const auto msOfDay = static_cast<int64_t>(std::llround(std::fabs(ole - whole) * kMsPerDay));
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(static_cast<int64_t>(whole) + kOleEpochDays, year, month, day);
  std::tm local{};
  local.tm_year = static_cast<int>(year - 1900);
  local.tm_mon = static_cast<int>(month) - 1;
  local.tm_mday = static_cast<int>(day);
  local.tm_sec = static_cast<int>(msOfDay / 1000);
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  return static_cast<double>(seconds) * 1000.0 + static_cast<double>(msOfDay % 1000);
}

double epochMsToOle(double ms) {
  const double seconds = std::floor(ms / 1000.0);
  const double msRest = ms - seconds * 1000.0;
  const auto time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) gmtime_r(&time, &local);
  const int64_t days = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday)) -
                       kOleEpochDays;
  const double fraction =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + msRest / 1000.0) / 86400.0;
  // Before the epoch the time still counts forwards: -1.25 is 29 December 1899, 06:00.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace platform::jscript
