#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "platform/automation/calendar.h"
#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Date;
using platform::daySerial;
using platform::Variant;
using testing::i16;
using testing::i32;

// The engine's clock stands at Saturday 7 March 2026, 15:04:05.25 in the time zone UTC.
class Dates : public testing::BuiltinTest {
 protected:
  Dates() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    using namespace std::chrono;
    clock.time = system_clock::time_point(sys_days(year(2026) / March / 7) + hours(15) +
                                          minutes(4) + seconds(5) + milliseconds(250));
  }

  static Variant on(int year, int month, int day, double hours = 0) {
    const double seconds = std::round(hours * 3600);
    return Variant(Date{platform::dateFromLinear(daySerial(year, month, day) + seconds / 86400)});
  }
};

const Variant kNull = Variant::null();

TEST_F(Dates, TheCurrentDateAndTimeComeFromTheEnginesClock) {
  const double afternoon = (15 * 3600 + 4 * 60 + 5.25) / 86400.0;
  EXPECT_NEAR(call(u"Now").date().days, daySerial(2026, 3, 7) + afternoon, 1e-9);
  EXPECT_EQ(call(u"Date"), on(2026, 3, 7));
  EXPECT_NEAR(call(u"Time").date().days, (15 * 3600 + 4 * 60 + 5) / 86400.0, 1e-9);
  EXPECT_EQ(call(u"Timer"), Variant(54245.25f));
  check({u"Year", {call(u"Now")}, i16(2026)});
}

TEST_F(Dates, PartsOfDates) {
  const Variant when = on(2026, 3, 7, 15.5);
  checkAll({
      {u"Year", {when}, i16(2026)},
      {u"Month", {when}, i16(3)},
      {u"Day", {when}, i16(7)},
      {u"Hour", {when}, i16(15)},
      {u"Minute", {when}, i16(30)},
      {u"Second", {when}, i16(0)},
      {u"Weekday", {when}, i16(7)},
      {u"Weekday", {when, i16(2)}, i16(6)},
      {u"Weekday", {when, i16(7)}, i16(1)},
      {u"Weekday", {when, i16(8)}, {}, 5},
      {u"Day", {Variant(u"12/31/1999")}, i16(31)},
      {u"Hour", {Variant(u"10:45 PM")}, i16(22)},
      {u"Month", {Variant(45000.0)}, i16(3)},
      {u"Year", {kNull}, kNull},
      {u"Day", {Variant(u"soon")}, {}, 13},
      {u"MonthName", {i16(3)}, Variant(u"March")},
      {u"MonthName", {i16(3), Variant(true)}, Variant(u"Mar")},
      {u"MonthName", {i16(13)}, {}, 5},
      {u"MonthName", {i16(0)}, {}, 5},
      {u"WeekdayName", {i16(1)}, Variant(u"Sunday")},
      {u"WeekdayName", {i16(1), Variant(true)}, Variant(u"Sun")},
      {u"WeekdayName", {i16(1), Variant(false), i16(2)}, Variant(u"Monday")},
      {u"WeekdayName", {i16(7), Variant(false), i16(2)}, Variant(u"Sunday")},
      {u"WeekdayName", {i16(8)}, {}, 5},
  });
}

TEST_F(Dates, DatePartCountsQuartersDaysOfTheYearAndWeeks) {
  checkAll({
      {u"DatePart", {Variant(u"q"), on(2026, 3, 31)}, i16(1)},
      {u"DatePart", {Variant(u"q"), on(2026, 4, 1)}, i16(2)},
      {u"DatePart", {Variant(u"y"), on(2024, 12, 31)}, i16(366)},
      {u"DatePart", {Variant(u"y"), on(2026, 3, 7)}, i16(66)},
      {u"DatePart", {Variant(u"YYYY"), on(2026, 3, 7)}, i16(2026)},
      {u"DatePart", {Variant(u"w"), on(2026, 3, 7), i16(2)}, i16(6)},
      {u"DatePart", {Variant(u"ww"), on(2026, 1, 1)}, i16(1)},
      {u"DatePart", {Variant(u"ww"), on(2026, 1, 4)}, i16(2)},
      {u"DatePart", {Variant(u"ww"), on(2026, 12, 31)}, i16(53)},
      // 1 January 2021 was a Friday: ISO-like weeks put it in the last week of 2020.
      {u"DatePart", {Variant(u"ww"), on(2021, 1, 1), i16(2), i16(2)}, i16(53)},
      {u"DatePart", {Variant(u"ww"), on(2021, 1, 4), i16(2), i16(2)}, i16(1)},
      {u"DatePart", {Variant(u"ww"), on(2021, 1, 4), i16(2), i16(3)}, i16(1)},
      {u"DatePart", {Variant(u"ww"), on(2026, 1, 5), i16(2), i16(3)}, i16(1)},
      {u"DatePart", {Variant(u"ww"), on(2026, 1, 4), i16(2), i16(3)}, i16(52)},
      {u"DatePart", {Variant(u"h"), on(2026, 3, 7, 15.5)}, i16(15)},
      {u"DatePart", {Variant(u"n"), on(2026, 3, 7, 15.5)}, i16(30)},
      {u"DatePart", {Variant(u"x"), on(2026, 3, 7)}, {}, 5},
      {u"DatePart", {Variant(u"d"), kNull}, kNull},
      {u"DatePart", {kNull, on(2026, 3, 7)}, {}, 94},
  });
}

TEST_F(Dates, DateAddAcrossMonthEndsYearEndsAndLeapDays) {
  checkAll({
      {u"DateAdd", {Variant(u"m"), i16(1), on(2026, 1, 31)}, on(2026, 2, 28)},
      {u"DateAdd", {Variant(u"m"), i16(1), on(2024, 1, 31)}, on(2024, 2, 29)},
      {u"DateAdd", {Variant(u"m"), i16(-1), on(2026, 3, 31)}, on(2026, 2, 28)},
      {u"DateAdd", {Variant(u"m"), i16(13), on(2025, 12, 15, 6)}, on(2027, 1, 15, 6)},
      {u"DateAdd", {Variant(u"yyyy"), i16(1), on(2024, 2, 29)}, on(2025, 2, 28)},
      {u"DateAdd", {Variant(u"yyyy"), i16(4), on(2024, 2, 29)}, on(2028, 2, 29)},
      {u"DateAdd", {Variant(u"q"), i16(1), on(2026, 11, 30)}, on(2027, 2, 28)},
      {u"DateAdd", {Variant(u"d"), i16(1), on(2025, 12, 31)}, on(2026, 1, 1)},
      {u"DateAdd", {Variant(u"d"), i16(1), on(2024, 2, 28)}, on(2024, 2, 29)},
      {u"DateAdd", {Variant(u"y"), i16(-1), on(2026, 1, 1)}, on(2025, 12, 31)},
      {u"DateAdd", {Variant(u"w"), i16(3), on(2026, 3, 7)}, on(2026, 3, 10)},
      {u"DateAdd", {Variant(u"ww"), i16(2), on(2026, 12, 25)}, on(2027, 1, 8)},
      {u"DateAdd", {Variant(u"h"), i16(10), on(2025, 12, 31, 20)}, on(2026, 1, 1, 6)},
      {u"DateAdd", {Variant(u"n"), i16(-90), on(2026, 3, 7, 1)}, on(2026, 3, 6, 23.5)},
      {u"DateAdd",
       {Variant(u"s"), i16(60), on(1899, 12, 29, 23.5)},
       on(1899, 12, 29, 23.5 + 1.0 / 60)},
      {u"DateAdd", {Variant(u"d"), Variant(1.5), on(2026, 3, 7)}, on(2026, 3, 9)},
      {u"DateAdd", {Variant(u"d"), i16(1), Variant(u"3/7/2026")}, on(2026, 3, 8)},
      {u"DateAdd", {Variant(u"yyyy"), i16(1), on(9999, 6, 1)}, {}, 5},
      {u"DateAdd", {Variant(u"d"), i16(-1), on(100, 1, 1)}, {}, 5},
      {u"DateAdd", {Variant(u"fortnight"), i16(1), on(2026, 3, 7)}, {}, 5},
      {u"DateAdd", {Variant(u"d"), kNull, on(2026, 3, 7)}, {}, 94},
      {u"DateAdd", {Variant(u"d"), i16(1), kNull}, kNull},
  });
}

TEST_F(Dates, DateDiffCountsBoundaries) {
  checkAll({
      {u"DateDiff", {Variant(u"yyyy"), on(2025, 12, 31), on(2026, 1, 1)}, i32(1)},
      {u"DateDiff", {Variant(u"m"), on(2026, 1, 31), on(2026, 2, 1)}, i32(1)},
      {u"DateDiff", {Variant(u"m"), on(2026, 3, 1), on(2025, 12, 31)}, i32(-3)},
      {u"DateDiff", {Variant(u"q"), on(2025, 12, 31), on(2026, 4, 1)}, i32(2)},
      {u"DateDiff", {Variant(u"d"), on(2024, 2, 28), on(2024, 3, 1)}, i32(2)},
      {u"DateDiff", {Variant(u"d"), on(2023, 2, 28), on(2023, 3, 1)}, i32(1)},
      {u"DateDiff", {Variant(u"d"), on(2026, 3, 7, 23.9), on(2026, 3, 8, 0.1)}, i32(1)},
      {u"DateDiff", {Variant(u"y"), on(2026, 1, 1), on(2025, 1, 1)}, i32(-365)},
      {u"DateDiff", {Variant(u"w"), on(2026, 3, 1), on(2026, 3, 14)}, i32(1)},
      {u"DateDiff", {Variant(u"ww"), on(2026, 3, 7), on(2026, 3, 8)}, i32(1)},
      {u"DateDiff", {Variant(u"ww"), on(2026, 3, 8), on(2026, 3, 14)}, i32(0)},
      {u"DateDiff", {Variant(u"ww"), on(2026, 3, 8), on(2026, 3, 9), i16(2)}, i32(1)},
      {u"DateDiff", {Variant(u"h"), on(2026, 3, 7, 10 + 59.0 / 60), on(2026, 3, 7, 11)}, i32(1)},
      {u"DateDiff", {Variant(u"n"), on(2026, 3, 7, 10), on(2026, 3, 7, 9)}, i32(-60)},
      {u"DateDiff", {Variant(u"s"), on(2025, 12, 31, 23.99), on(2026, 1, 1)}, i32(36)},
      {u"DateDiff", {Variant(u"d"), on(1899, 12, 29, 12), on(1899, 12, 31)}, i32(2)},
      {u"DateDiff", {Variant(u"s"), on(100, 1, 1), on(9999, 12, 31)}, {}, 6},
      {u"DateDiff", {Variant(u"d"), kNull, on(2026, 3, 7)}, kNull},
      {u"DateDiff", {Variant(u"z"), on(2026, 3, 7), on(2026, 3, 7)}, {}, 5},
  });
}

TEST_F(Dates, SerialsAndValuesRollOverAndCheckTheirRange) {
  checkAll({
      {u"DateSerial", {i16(2026), i16(3), i16(7)}, on(2026, 3, 7)},
      {u"DateSerial", {i16(2026), i16(14), i16(1)}, on(2027, 2, 1)},
      {u"DateSerial", {i16(2026), i16(3), i16(0)}, on(2026, 2, 28)},
      {u"DateSerial", {i16(2024), i16(3), i16(0)}, on(2024, 2, 29)},
      {u"DateSerial", {i16(2026), i16(1), i16(-1)}, on(2025, 12, 30)},
      {u"DateSerial", {i16(1990 - 10), i16(8 - 2), i16(1 - 1)}, on(1980, 5, 31)},
      {u"DateSerial", {i16(2026), i16(0), i16(1)}, on(2025, 12, 1)},
      {u"DateSerial", {i16(99), i16(1), i16(1)}, on(1999, 1, 1)},
      {u"DateSerial", {i16(0), i16(1), i16(1)}, on(1900, 1, 1)},
      {u"DateSerial", {i16(100), i16(1), i16(1)}, on(100, 1, 1)},
      {u"DateSerial", {i16(10000), i16(1), i16(1)}, {}, 5},
      {u"DateSerial", {i32(40000), i16(1), i16(1)}, {}, 6},
      {u"DateSerial", {kNull, i16(1), i16(1)}, {}, 94},
      {u"TimeSerial", {i16(15), i16(4), i16(5)}, on(1899, 12, 30, 15 + 4 / 60.0 + 5 / 3600.0)},
      {u"TimeSerial", {i16(12 - 6), i16(-15), i16(0)}, on(1899, 12, 30, 5.75)},
      {u"TimeSerial", {i16(25), i16(0), i16(0)}, on(1899, 12, 31, 1)},
      {u"TimeSerial", {i16(0), i16(0), i16(-1)}, on(1899, 12, 29, 24 - 1 / 3600.0)},
      {u"DateValue", {Variant(u"3/7/2026 3:04 PM")}, on(2026, 3, 7)},
      {u"DateValue", {on(2026, 3, 7, 18)}, on(2026, 3, 7)},
      {u"DateValue", {Variant(u"March 7")}, on(2026, 3, 7)},
      {u"DateValue", {kNull}, kNull},
      {u"DateValue", {Variant(u"x")}, {}, 13},
      {u"TimeValue", {Variant(u"3/7/2026 6:00 PM")}, on(1899, 12, 30, 18)},
      {u"TimeValue", {Variant(u"18:30")}, on(1899, 12, 30, 18.5)},
  });
  check({u"CStr", {call(u"TimeSerial", {i16(15), i16(4), i16(5)})}, Variant(u"3:04:05 PM")});
}

TEST_F(Dates, NamesAndTextsFollowTheEnginesLocale) {
  ASSERT_TRUE(useLocale("nl_NL.UTF-8"));
  checkAll({
      {u"MonthName", {i16(3)}, Variant(u"maart")},
      {u"WeekdayName", {i16(1)}, Variant(u"zondag")},
      {u"Day", {Variant(u"7-3-2026")}, i16(7)},
      {u"Month", {Variant(u"7 maart 2026")}, i16(3)},
      {u"DateValue", {Variant(u"13-1-2026")}, on(2026, 1, 13)},
  });
}

}  // namespace
}  // namespace vbscript
