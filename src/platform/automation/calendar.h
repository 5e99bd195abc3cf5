// The calendar of automation dates (platform::Date) for both script languages: days since
// 30 December 1899 in the proleptic Gregorian calendar, the time of day as the fraction. Before
// that day the fraction still counts forwards: -1.25 is 29 December 1899, 06:00.
#pragma once

#include <cstdint>

namespace platform {

// The first and the last day a date may lie on: 1 January 100 and 31 December 9999.
inline constexpr double kFirstDay = -657434;
inline constexpr double kLastDay = 2958465;

// A date taken apart, to the second.
struct DateParts {
  int year = 1899;
  int month = 12;  // 1 January
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

bool isLeapYear(int64_t year);
// Days in `month` (1-12) of `year`.
int daysInMonth(int64_t year, int month);

// The serial of a day, as DateSerial counts: a month beyond 12 or below 1 rolls into the
// years around it and a day beyond the month's (or below 1) into the months around it, so
// (2026, 14, 0) is 31 January 2027. No range check.
double daySerial(int64_t year, int64_t month, int64_t day);

// The serials on a straight line and back: -1.25 (29 December 1899, 06:00) is -0.75 on it.
// Differences and sums of dates are worked out on the line.
double linearFromDate(double serial);
double dateFromLinear(double linear);

// The parts of `serial`, rounded to the nearest second, as Windows shows dates.
DateParts splitDate(double serial);
// Whole days and seconds of `serial` on the line, rounded to the nearest second.
void daysAndSeconds(double serial, int64_t& days, int64_t& seconds);

// The day of the week of `serial`: 1 Sunday ... 7 Saturday.
int weekdayOf(double serial);

// Local time in the process's time zone and milliseconds since 1970, UTC, both ways.
double dateFromEpochMs(double ms);
double epochMsFromDate(double serial);

}  // namespace platform
