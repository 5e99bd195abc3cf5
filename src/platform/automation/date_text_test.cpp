#include "platform/automation/date_text.h"

#include <gtest/gtest.h>

#include "platform/automation/calendar.h"
#include "platform/base/text.h"

namespace platform {
namespace {

constexpr double kSaturday7March2026 = 46088;
constexpr double kAfternoon = (15 * 3600 + 4 * 60 + 5) / 86400.0;  // 15:04:05

Locale installed(const char* name) {
  Locale locale = Locale::named(name);
  EXPECT_FALSE(locale.name.empty()) << name << " is not installed (scripts/setup installs it)";
  return locale;
}

TEST(FormatDate, WritesTheShortDateAndTimeOfTheLocale) {
  const Locale english = Locale::english();
  const Locale dutch = installed("nl_NL.UTF-8");
  const Locale german = installed("de_DE.UTF-8");
  const struct {
    double serial;
    const Locale& locale;
    std::u16string_view text;
  } rows[] = {
      {kSaturday7March2026 + kAfternoon, english, u"3/7/2026 3:04:05 PM"},
      {kSaturday7March2026, english, u"3/7/2026"},
      {kAfternoon, english, u"3:04:05 PM"},
      {0, english, u"12:00:00 AM"},
      {0.5, english, u"12:00:00 PM"},
      {1, english, u"12/31/1899"},
      {-1.25, english, u"12/29/1899 6:00:00 AM"},
      {kFirstDay, english, u"1/1/0100"},
      {kSaturday7March2026 + kAfternoon, dutch, u"07-03-2026 15:04:05"},
      {kSaturday7March2026 + kAfternoon, german, u"07.03.2026 15:04:05"},
      {kSaturday7March2026 + 0.999999, english, u"3/8/2026"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.serial);
    EXPECT_EQ(formatDate(row.serial, row.locale), row.text);
  }
}

TEST(FormatDatePicture, WritesEveryPictureLetter) {
  const Locale english = Locale::english();
  const double when = kSaturday7March2026 + kAfternoon;
  EXPECT_EQ(formatDatePicture(when, english.longDatePattern, english), u"Saturday, March 7, 2026");
  EXPECT_EQ(formatDatePicture(when, u"ddd d MMM yy", english), u"Sat 7 Mar 26");
  EXPECT_EQ(formatDatePicture(when, u"dd/MM/yyyy HH:mm", english), u"07/03/2026 15:04");
  EXPECT_EQ(formatDatePicture(when, u"h:m:s t", english), u"3:4:5 P");
  EXPECT_EQ(formatDatePicture(when, u"'day' d 'of' MMMM", english), u"day 7 of March");
  EXPECT_EQ(formatDatePicture(kFirstDay, u"yyyy y", english), u"0100 0");
  const Locale dutch = installed("nl_NL.UTF-8");
  EXPECT_EQ(formatDatePicture(when, dutch.longDatePattern, dutch), u"zaterdag 7 maart 2026");
}

TEST(ParseLocaleDate, ReadsDatesAndTimesAsCDateDoes) {
  const Locale english = Locale::english();
  const Locale dutch = installed("nl_NL.UTF-8");
  const Locale swedish = installed("sv_SE.UTF-8");
  const double march7 = kSaturday7March2026;
  const struct {
    std::u16string_view text;
    const Locale& locale;
    std::optional<double> serial;
  } rows[] = {
      {u"3/7/2026", english, march7},
      {u"03-07-2026", english, march7},
      {u"3.7.2026", english, march7},
      {u"7/3/2026", dutch, march7},
      {u"07-03-2026", dutch, march7},
      {u"2026-03-07", english, march7},
      {u"2026-03-07", dutch, march7},
      {u"2026-03-07", swedish, march7},
      {u"13/3/2026", english, march7 + 6},
      {u"3/7/26", english, march7},
      {u"3/7/30", english, daySerial(1930, 3, 7)},
      {u"3/7", english, march7},
      {u"March 7, 2026", english, march7},
      {u"7 March 2026", english, march7},
      {u"Saturday, March 7, 2026", english, march7},
      {u"7-mar-2026", english, march7},
      {u"7 maart 2026", dutch, march7},
      {u"zaterdag 7 mrt 2026", dutch, march7},
      {u"7 March 2026", dutch, march7},
      {u"March 2026", english, daySerial(2026, 3, 1)},
      {u"3/2026", english, daySerial(2026, 3, 1)},
      {u"3/7/2026 3:04:05 PM", english, march7 + kAfternoon},
      {u"3/7/2026 15:04:05", english, march7 + kAfternoon},
      {u"15:04:05 3/7/2026", english, march7 + kAfternoon},
      {u"07-03-2026 15:04:05", dutch, march7 + kAfternoon},
      {u"3:04:05 PM", english, kAfternoon},
      {u"3:04:05 pm", english, kAfternoon},
      {u"3 PM", english, 0.625},
      {u"12:00 AM", english, 0.0},
      {u"12:30 PM", english, 12.5 / 24},
      {u"0:00", english, 0.0},
      {u"2/29/2024", english, daySerial(2024, 2, 29)},
      {u"2/29/2023", english, std::nullopt},
      {u"2/30/2024", english, std::nullopt},
      {u"12/31/9999", english, kLastDay},
      {u"1/1/10000", english, std::nullopt},
      {u"1/1/99", english, daySerial(1999, 1, 1)},
      {u"1/1/100", english, kFirstDay},
      {u"25:00", english, std::nullopt},
      {u"10:60", english, std::nullopt},
      {u"13 PM", english, std::nullopt},
      {u"5", english, std::nullopt},
      {u"", english, std::nullopt},
      {u"hello", english, std::nullopt},
      {u"March", english, std::nullopt},
      {u"1/2/3/4", english, std::nullopt},
      {u"3/7/2026 x", english, std::nullopt},
      {u"10:", english, std::nullopt},
      {u"123456/1/1", english, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(toUtf8(row.locale.name) + " " + toUtf8(row.text));
    const std::optional<double> serial = parseLocaleDate(row.text, row.locale, 2026);
    ASSERT_EQ(serial.has_value(), row.serial.has_value());
    if (serial) {
      EXPECT_NEAR(*serial, *row.serial, 1e-9);
    }
  }
}

TEST(ParseLocaleDate, ReadsBackWhatFormatDateWrote) {
  for (const char* name : {"C", "en_US.UTF-8", "nl_NL.UTF-8", "de_DE.UTF-8", "sv_SE.UTF-8",
                           "en_GB.UTF-8", "fr_FR.UTF-8", "ja_JP.UTF-8"}) {
    const Locale locale = installed(name);
    for (double serial : {kSaturday7March2026 + kAfternoon, 36526.0, 45351.75, kAfternoon}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(serial));
      const std::u16string text = formatDate(serial, locale);
      const std::optional<double> back = parseLocaleDate(text, locale, 2026);
      ASSERT_TRUE(back.has_value()) << toUtf8(text);
      EXPECT_NEAR(*back, serial, 1e-9) << toUtf8(text);
    }
  }
}

}  // namespace
}  // namespace platform
