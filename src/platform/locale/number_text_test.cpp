#include "platform/locale/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/text.h"

namespace platform {
namespace {

Locale installed(const char* name) {
  Locale locale = Locale::named(name);
  EXPECT_FALSE(locale.name.empty()) << name << " is not installed (scripts/setup installs it)";
  return locale;
}

TEST(ParseLocaleNumber, ReadsTheLocalesSeparatorsAndRefusesMisplacedGrouping) {
  const Locale english = Locale::english();
  const Locale dutch = installed("nl_NL.UTF-8");
  const Locale french = installed("fr_FR.UTF-8");
  const struct {
    const Locale& locale;
    std::u16string_view text;
    std::optional<double> number;
  } rows[] = {
      {english, u"2.5", 2.5},
      {english, u" -12 ", -12},
      {english, u"+.5", 0.5},
      {english, u"1,234", 1234},
      {english, u"1,234,567.25", 1234567.25},
      {english, u"1,2", std::nullopt},
      {english, u"1234,567", std::nullopt},
      {english, u",123", std::nullopt},
      {english, u"1,234.5,6", std::nullopt},
      {english, u"2,5", std::nullopt},
      {english, u"1.5e3", 1500},
      {english, u"1E-2", 0.01},
      {english, u"1e", std::nullopt},
      {english, u"$1,000.50", 1000.5},
      {english, u"-$5", -5},
      {english, u"(5)", -5},
      {english, u"(-5)", std::nullopt},
      {english, u"&HFF", 255},
      {english, u"&hffff", -1},
      {english, u"&H10000", 65536},
      {english, u"&O17", 15},
      {english, u"&H", std::nullopt},
      {english, u"&HG", std::nullopt},
      {english, u"", std::nullopt},
      {english, u"-", std::nullopt},
      {english, u".", std::nullopt},
      {english, u"1 2", std::nullopt},
      {english, u"1e999", std::nullopt},
      {english, u"\uff11", std::nullopt},
      {dutch, u"2,5", 2.5},
      {dutch, u"2.0", std::nullopt},
      {dutch, u"1.50", std::nullopt},
      {dutch, u"1.500", 1500},
      {dutch, u"1.234.567,5", 1234567.5},
      {dutch, u"2,5E3", 2500},
      {dutch, u"\u20ac 12,50", 12.5},
      {dutch, u"-\u20ac 3", -3},
      {french, u"1 234,5", 1234.5},
      {french, u"1\u00a0234,5", 1234.5},
      {french, u"1\u202f234", 1234},
      {french, u"12,5 \u20ac", 12.5},
      {french, u"1.5", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(toUtf8(row.locale.name) + " " + toUtf8(row.text));
    EXPECT_EQ(parseLocaleNumber(row.text, row.locale), row.number);
  }
}

TEST(FormatLocaleNumber, WritesTheShortestTextWithTheLocalesDecimalSeparator) {
  const Locale english = Locale::english();
  const Locale german = installed("de_DE.UTF-8");
  EXPECT_EQ(formatLocaleNumber(0.1 + 0.2, english), u"0.3");
  EXPECT_EQ(formatLocaleNumber(-2.5, german), u"-2,5");
  EXPECT_EQ(formatLocaleNumber(1234567, german), u"1234567");
  EXPECT_EQ(formatLocaleNumber(1e20, english), u"1E+20");
  EXPECT_EQ(formatLocaleNumber(0.00001, english), u"1E-05");
  EXPECT_EQ(formatLocaleNumber(1.5e-7, german), u"1,5E-07");
  EXPECT_EQ(formatLocaleNumber(123456789012345.0, english), u"123456789012345");
  EXPECT_EQ(formatLocaleNumber(1.0 / 3, english), u"0.333333333333333");
  EXPECT_EQ(formatLocaleNumber(static_cast<double>(1.1f), english, 7), u"1.1");
  EXPECT_EQ(formatLocaleNumber(0, german), u"0");
}

TEST(FormatAmount, RoundsHalfAwayFromZeroOnDecimalDigits) {
  const Locale english = Locale::english();
  const Locale dutch = installed("nl_NL.UTF-8");
  const struct {
    double value;
    AmountStyle style;
    const Locale& locale;
    std::u16string_view text;
  } rows[] = {
      {1234.5, {}, english, u"1,234.50"},
      {1234.5, {}, dutch, u"1.234,50"},
      {2.5, {0, true, false, true}, english, u"3"},
      {-2.5, {0, true, false, true}, english, u"-3"},
      {0.125, {2, true, false, true}, english, u"0.13"},
      {2.675, {2, true, false, true}, english, u"2.68"},
      {0.5, {2, false, false, true}, english, u".50"},
      {-0.5, {2, false, true, true}, english, u"(.50)"},
      {-0.001, {2, true, false, true}, english, u"0.00"},
      {999.995, {2, true, false, true}, english, u"1,000.00"},
      {1234567.0, {0, true, false, false}, english, u"1234567"},
      {1e20, {0, true, false, true}, english, u"100,000,000,000,000,000,000"},
      {0.000049, {4, true, false, true}, english, u"0.0000"},
      {0.00005, {4, true, false, true}, english, u"0.0001"},
      {123.456, {5, true, false, true}, english, u"123.45600"},
      {0, {2, true, false, true}, english, u"0.00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(formatAmount(row.value, row.style, row.locale), row.text);
  }
}

TEST(FormatMoney, PutsTheSymbolWhereTheLocaleDoes) {
  EXPECT_EQ(formatMoney(1234.5, {}, Locale::english()), u"$1,234.50");
  EXPECT_EQ(formatMoney(-1, {}, Locale::english()), u"-$1.00");
  EXPECT_EQ(formatMoney(-1, {2, true, true, true}, Locale::english()), u"($1.00)");
  EXPECT_EQ(formatMoney(1234.5, {}, installed("de_DE.UTF-8")), u"1.234,50 \u20ac");
  EXPECT_EQ(formatMoney(1234.5, {}, installed("nl_NL.UTF-8")), u"\u20ac 1.234,50");
}

}  // namespace
}  // namespace platform
