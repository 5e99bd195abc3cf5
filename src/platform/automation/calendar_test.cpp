#include "platform/automation/calendar.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Calendar, DaySerialsRollMonthsAndDaysOver) {
  const struct {
    int64_t year, month, day;
    double serial;
  } rows[] = {
      {1899, 12, 30, 0},          {1900, 1, 1, 2},        {2000, 1, 1, 36526},
      {2023, 3, 15, 45000},       {2026, 3, 7, 46088},    {2024, 2, 29, 45351},
      {2024, 2, 30, 45352},       {2026, 14, 0, 46418},   {2026, 0, 1, 45992},
      {2026, -9, 1, 45992 - 275}, {100, 1, 1, kFirstDay}, {9999, 12, 31, kLastDay},
      {2026, 3, -6, 46088 - 13},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.year << "-" << row.month << "-" << row.day);
    EXPECT_EQ(daySerial(row.year, row.month, row.day), row.serial);
  }
}

TEST(Calendar, SplitsDatesToTheNearestSecond) {
  const struct {
    double serial;
    DateParts parts;
  } rows[] = {
      {0, {1899, 12, 30, 0, 0, 0}},
      {45000.5, {2023, 3, 15, 12, 0, 0}},
      {45000.75 + 1.0 / 86400, {2023, 3, 15, 18, 0, 1}},
      {0.99999999, {1899, 12, 31, 0, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},
      {-0.5, {1899, 12, 30, 12, 0, 0}},
      {kFirstDay, {100, 1, 1, 0, 0, 0}},
      {kLastDay + 86399.0 / 86400, {9999, 12, 31, 23, 59, 59}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.serial);
    const DateParts parts = splitDate(row.serial);
    EXPECT_EQ(parts.year, row.parts.year);
    EXPECT_EQ(parts.month, row.parts.month);
    EXPECT_EQ(parts.day, row.parts.day);
    EXPECT_EQ(parts.hour, row.parts.hour);
    EXPECT_EQ(parts.minute, row.parts.minute);
    EXPECT_EQ(parts.second, row.parts.second);
  }
}

TEST(Calendar, DatesBeforeTheEpochDayCountTheirTimeForwards) {
  EXPECT_EQ(linearFromDate(-1.25), -0.75);
  EXPECT_EQ(dateFromLinear(-0.75), -1.25);
  EXPECT_EQ(linearFromDate(2.5), 2.5);
  EXPECT_EQ(dateFromLinear(2.5), 2.5);
  EXPECT_EQ(dateFromLinear(-2.0), -2.0);
  EXPECT_EQ(dateFromLinear(-0.25), -1.75);  // 29 December 1899, 18:00
  for (double serial : {-657434.5, -3.75, 0.0, 1.5, 45000.125})
    EXPECT_DOUBLE_EQ(dateFromLinear(linearFromDate(serial)), serial);
}

TEST(Calendar, WeekdaysLeapYearsAndMonthLengths) {
  EXPECT_EQ(weekdayOf(0), 7);      // Saturday
  EXPECT_EQ(weekdayOf(1), 1);      // Sunday
  EXPECT_EQ(weekdayOf(45000), 4);  // Wednesday 15 March 2023
  EXPECT_EQ(weekdayOf(-1.25), 6);  // Friday 29 December 1899
  EXPECT_EQ(weekdayOf(kFirstDay), 6);
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2023, 2), 28);
  EXPECT_EQ(daysInMonth(2023, 4), 30);
  EXPECT_EQ(daysInMonth(2023, 13), 0);
}

TEST(Calendar, LocalTimeAndEpochMillisecondsRoundTrip) {
  for (double serial : {45000.5, 36526.25, 2.5, 25569.5, 60000.125}) {
    SCOPED_TRACE(serial);
    EXPECT_NEAR(dateFromEpochMs(epochMsFromDate(serial)), serial, 1e-9);
  }
}

}  // namespace
}  // namespace platform
