// Dates written and read as JScript does, away from the engine: the local offset is given.
#include "platform/script/jscript_date_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/base/text.h"

namespace platform::jscript {
namespace {

// Thursday 29 February 2024, 13:05:09 UTC.
constexpr double kLeapDay = 1709211909000.0;
constexpr double kHour = 3600000.0;

LocalOffset fixedOffset(int minutes) {
  return [minutes](double) { return minutes * 60; };
}

TEST(JScriptDateText, WritesAsJScript) {
  const struct {
    double ms;
    int offset;    // minutes east of UTC in force
    int standard;  // outside daylight saving time
    std::u16string_view dateTime, date, time;
  } cases[] = {
      {kLeapDay, 0, 0, u"Thu Feb 29 13:05:09 UTC 2024", u"Thu Feb 29 2024", u"13:05:09 UTC"},
      {kLeapDay, 60, 60, u"Thu Feb 29 14:05:09 UTC+0100 2024", u"Thu Feb 29 2024",
       u"14:05:09 UTC+0100"},
      {kLeapDay, 330, 330, u"Thu Feb 29 18:35:09 UTC+0530 2024", u"Thu Feb 29 2024",
       u"18:35:09 UTC+0530"},
      {kLeapDay, -210, -210, u"Thu Feb 29 09:35:09 UTC-0330 2024", u"Thu Feb 29 2024",
       u"09:35:09 UTC-0330"},
      // North American zones go by their names, in summer too.
      {kLeapDay, -300, -300, u"Thu Feb 29 08:05:09 EST 2024", u"Thu Feb 29 2024", u"08:05:09 EST"},
      {kLeapDay, -420, -480, u"Thu Feb 29 06:05:09 PDT 2024", u"Thu Feb 29 2024", u"06:05:09 PDT"},
      {kLeapDay, -540, -540, u"Thu Feb 29 04:05:09 UTC-0900 2024", u"Thu Feb 29 2024",
       u"04:05:09 UTC-0900"},
      // Across midnight, before 1970, after 2038, before the common era.
      {kLeapDay + 11 * kHour, 60, 60, u"Fri Mar 1 01:05:09 UTC+0100 2024", u"Fri Mar 1 2024",
       u"01:05:09 UTC+0100"},
      {-1.0, 0, 0, u"Wed Dec 31 23:59:59 UTC 1969", u"Wed Dec 31 1969", u"23:59:59 UTC"},
      {-14182940000000.0, 0, 0, u"Sat Jul 24 14:26:40 UTC 1520", u"Sat Jul 24 1520",
       u"14:26:40 UTC"},
      {4102444800000.0, 0, 0, u"Fri Jan 1 00:00:00 UTC 2100", u"Fri Jan 1 2100", u"00:00:00 UTC"},
      {-62167219200000.0, 0, 0, u"Sat Jan 1 00:00:00 UTC 1 B.C.", u"Sat Jan 1 1 B.C.",
       u"00:00:00 UTC"},
  };
  for (const auto& c : cases) {
    const DateFields local = fieldsOf(c.ms, c.offset * 60);
    const std::u16string zone = zoneName(c.offset * 60, c.standard * 60);
    EXPECT_EQ(formatDateTime(local, zone), c.dateTime);
    EXPECT_EQ(formatDateOnly(local), c.date) << toUtf8(c.dateTime);
    EXPECT_EQ(formatTimeOnly(local, zone), c.time) << toUtf8(c.dateTime);
  }
  EXPECT_EQ(formatUtc(fieldsOf(kLeapDay, 0)), u"Thu, 29 Feb 2024 13:05:09 UTC");
  EXPECT_EQ(formatUtc(fieldsOf(-1.0, 0)), u"Wed, 31 Dec 1969 23:59:59 UTC");
  EXPECT_EQ(formatUtc(fieldsOf(0, 0)), u"Thu, 1 Jan 1970 00:00:00 UTC");
  // Amsterdam's mean time of 1900, +00:19:32, counts to the second; its name to the minute.
  const double newCentury = -2208988800000.0;
  EXPECT_EQ(formatDateTime(fieldsOf(newCentury, 1172), zoneName(1172, 1172)),
            u"Mon Jan 1 00:19:32 UTC+0019 1900");
  EXPECT_EQ(parseDate(u"Mon Jan 1 00:19:32 1900", [](double) { return 1172; }), newCentury);
}

TEST(JScriptDateText, WritesUnderTheLocale) {
  const Locale english = Locale::english();
  EXPECT_EQ(formatLocaleDateTime(fieldsOf(kLeapDay, 0), english),
            u"Thursday, February 29, 2024 1:05:09 PM");
  EXPECT_EQ(formatLocaleDate(fieldsOf(kLeapDay, 0), english), u"Thursday, February 29, 2024");
  EXPECT_EQ(formatLocaleTime(fieldsOf(kLeapDay - 13 * kHour, 0), english), u"12:05:09 AM");
  Locale dutch = english;
  dutch.longDatePattern = u"dddd d MMMM yyyy";
  dutch.timePattern = u"HH:mm:ss";
  dutch.dayNames[4] = u"donderdag";
  dutch.monthNames[1] = u"februari";
  EXPECT_EQ(formatLocaleDateTime(fieldsOf(kLeapDay, 3600), dutch),
            u"donderdag 29 februari 2024 14:05:09");
  // Beyond the locale's calendar the date is written as toDateString does.
  EXPECT_EQ(formatLocaleDate(fieldsOf(-62167219200000.0, 0), english), u"Sat Jan 1 1 B.C.");
}

TEST(JScriptDateText, ReadsJScriptsForms) {
  const double nan = std::nan("");
  const struct {
    std::u16string_view text;
    double expected;  // with the local offset +01:00
  } cases[] = {
      {u"2/29/2024", kLeapDay - 13 * kHour - 5 * 60000 - 9000 - kHour},
      {u"2-29-2024 13:05:09", kLeapDay - kHour},
      {u"2/29/2024 1:05:09 PM UTC", kLeapDay},
      {u"Thu Feb 29 13:05:09 UTC 2024", kLeapDay},
      {u"Thu Feb 29 14:05:09 UTC+0100 2024", kLeapDay},
      {u"Thu Feb 29 08:05:09 EST 2024", kLeapDay},
      {u"Thu Feb 29 06:05:09 PDT 2024", kLeapDay},
      {u"Thu Feb 29 08:05:09 GMT-0500 2024", kLeapDay},
      {u"Thu, 29 Feb 2024 13:05:09 UTC", kLeapDay},
      {u"Thu, 29 Feb 2024 13:05:09 GMT", kLeapDay},
      {u"Thu, 29 Feb 2024 15:05:09 +0200", kLeapDay},
      {u"Thu, 29 Feb 2024 10:35:09 -02:30", kLeapDay},
      {u"February 29, 2024 14:05:09", kLeapDay},
      {u"29 Feb 2024 14:05:09", kLeapDay},
      {u"2024 february 29 14:05:09", kLeapDay},
      {u"Feb 29 2024 2:05:09 pm", kLeapDay},
      {u"Tuesday, Feb 29, 2024 (leap day (twice)) 2:05:09 PM", kLeapDay},
      {u"Fe 29 2024 14:05:09 utc+1", kLeapDay},
      {u"Ju 4 1976", 205282800000.0},  // "Ju" is July
      {u"July 4 76", 205282800000.0},
      {u"7/4/76", 205282800000.0},
      {u"Jan 1 1970 1:", 0},
      {u"Jan 1 1970 12:00 AM UTC", 0},
      {u"Jan 1 1970 12:30 PM UTC", 12.5 * kHour},
      {u"Sat Jul 24 14:26:40 UTC 1520", -14182940000000.0},
      {u"Fri Jan 1 00:00:00 UTC 2100", 4102444800000.0},
      {u"Sat Jan 1 00:00:00 UTC 1 B.C.", -62167219200000.0},
      {u"Feb 30 2023 UTC", 1677715200000.0},  // 2 March
      // No date, or no date JScript reads.
      {u"", nan},
      {u"13:05", nan},
      {u"Feb 2024", nan},
      {u"Feb 29 24", nan},   // a year of two digits is at least 70
      {u"2024/02/29", nan},  // month/day/year only
      {u"13/1/2024", nan},
      {u"Feb 29 2024 23:15 PM", nan},
      {u"Feb Mar 29 2024", nan},
      {u"Feb 29 2024 1999", nan},
      {u"Feb 29 2024 UTC GMT", nan},
      {u"Feb 29 2024 25:00", nan},
      {u"Feb 29 2024 10:60", nan},
      {u"Feb 29 2024 +0100", nan},
      {u"tomorrow", nan},
      {u"F 29 2024", nan},
      {u"Feb 29 2024 #", nan},
      {u"Jan 1 275761", nan},
      {u"Feb 29 123456789012345678901234567890", nan},
      {u"Feb 29 2024 10:00 +1:123456789012345678901234567890", nan},
      {u"Feb 29 2024 (never closed", 1709161200000.0},
  };
  for (const auto& c : cases) {
    const std::optional<double> read = parseDate(c.text, fixedOffset(60));
    if (std::isnan(c.expected)) {
      EXPECT_FALSE(read.has_value()) << toUtf8(c.text) << " read as " << read.value_or(0);
    } else {
      EXPECT_EQ(read, std::optional<double>(c.expected)) << toUtf8(c.text);
    }
  }
}

TEST(JScriptDateText, WhatIsWrittenReadsBack) {
  for (const double ms : {kLeapDay, -1000.0, -14182940000000.0, 4102444800000.0, -62167219200000.0,
                          -8.64e15, 8.64e15}) {
    for (const int offset : {0, 60, -300, 345, -600}) {
      const DateFields local = fieldsOf(ms, offset * 60);
      const std::u16string zone = zoneName(offset * 60, offset * 60);
      const std::u16string written = formatDateTime(local, zone);
      EXPECT_EQ(parseDate(written, fixedOffset(offset)), std::optional<double>(ms))
          << toUtf8(written);
      const std::u16string utc = formatUtc(fieldsOf(ms, 0));
      EXPECT_EQ(parseDate(utc, fixedOffset(offset)), std::optional<double>(ms)) << toUtf8(utc);
    }
  }
}

}  // namespace
}  // namespace platform::jscript
