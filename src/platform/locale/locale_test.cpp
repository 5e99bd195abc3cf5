#include "platform/locale/locale.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Locale, ReadsSeparatorsDateOrderAndNamesOfAnInstalledLocale) {
  const struct {
    const char* name;
    char16_t decimal;
    char16_t group;
    Locale::DateOrder order;
    std::u16string_view firstMonth;
  } rows[] = {
      {"C", u'.', u',', Locale::DateOrder::kMonthDayYear, u"January"},
      {"en_US.UTF-8", u'.', u',', Locale::DateOrder::kMonthDayYear, u"January"},
      {"nl_NL.UTF-8", u',', u'.', Locale::DateOrder::kDayMonthYear, u"januari"},
      {"de_DE.UTF-8", u',', u'.', Locale::DateOrder::kDayMonthYear, u"Januar"},
      {"sv_SE.UTF-8", u',', u'\u202F', Locale::DateOrder::kYearMonthDay, u"januari"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Locale locale = Locale::named(row.name);
    ASSERT_FALSE(locale.name.empty()) << "locale not installed (scripts/setup installs them)";
    EXPECT_EQ(locale.decimalSeparator, row.decimal);
    EXPECT_EQ(locale.groupSeparator, row.group);
    EXPECT_EQ(locale.dateOrder, row.order);
    EXPECT_EQ(locale.monthNames[0], row.firstMonth);
  }
  EXPECT_EQ(Locale::named("nl_NL.UTF-8").dayNames[0], u"zondag");
  EXPECT_EQ(Locale::named("de_DE.UTF-8").dateSeparator, u'.');
  EXPECT_TRUE(Locale::named("xx_NOWHERE.UTF-8").name.empty());
}

TEST(Locale, DatePicturesAndMoneyFollowTheLocalesFormats) {
  const struct {
    const char* name;
    std::u16string_view shortDate;
    std::u16string_view time;
    std::u16string_view currency;
    bool currencyFirst;
  } rows[] = {
      {"C", u"M/d/yyyy", u"h:mm:ss tt", u"$", true},
      {"en_US.UTF-8", u"MM/dd/yyyy", u"hh:mm:ss tt", u"$", true},
      {"nl_NL.UTF-8", u"dd-MM-yyyy", u"HH:mm:ss", u"\u20ac", true},
      {"de_DE.UTF-8", u"dd.MM.yyyy", u"HH:mm:ss", u"\u20ac", false},
      {"sv_SE.UTF-8", u"yyyy-MM-dd", u"HH:mm:ss", u"kr", false},
      {"ja_JP.UTF-8", u"yyyy\u5e74MM\u6708dd\u65e5", u"HH\u6642mm\u5206ss\u79d2", u"\uffe5", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Locale locale = Locale::named(row.name);
    ASSERT_FALSE(locale.name.empty()) << "locale not installed (scripts/setup installs them)";
    EXPECT_EQ(locale.shortDatePattern, row.shortDate);
    EXPECT_EQ(locale.timePattern, row.time);
    EXPECT_EQ(locale.currencySymbol, row.currency);
    EXPECT_EQ(locale.currencyFirst, row.currencyFirst);
  }
  EXPECT_EQ(Locale::named("nl_NL.UTF-8").longDatePattern, u"dddd d MMMM yyyy");
  EXPECT_EQ(Locale::named("en_US.UTF-8").amDesignator, u"AM");
}

TEST(Locale, TheEnvironmentDecidesPerCategory) {
  ::setenv("LC_ALL", "", 1);
  ::setenv("LANG", "nl_NL.UTF-8", 1);
  ::setenv("LC_NUMERIC", "C", 1);
  const Locale mixed = Locale::fromEnvironment();
  EXPECT_EQ(mixed.decimalSeparator, u'.');
  EXPECT_EQ(mixed.monthNames[2], u"maart");
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(Locale::fromEnvironment().decimalSeparator, u',');
  ::setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_EQ(Locale::fromEnvironment().monthNames[0], u"January");
}

}  // namespace
}  // namespace platform
