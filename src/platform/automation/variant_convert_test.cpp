#include "platform/automation/variant_convert.h"

#include <gtest/gtest.h>

#include "error_testing.h"
#include "platform/automation/calendar.h"
#include "platform/base/error.h"
#include "platform/locale/locale.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

TEST(ToText, WritesEachKindTheVisualBasicWay) {
  EXPECT_EQ(toText(Variant()), u"");
  EXPECT_EQ(toText(Variant(true)), u"True");
  EXPECT_EQ(toText(Variant(int32_t{-7})), u"-7");
  EXPECT_EQ(toText(Variant(0.5)), u"0.5");
  EXPECT_EQ(toText(Variant(1e20)), u"1E+20");
  EXPECT_EQ(toText(Variant(1.0 / 3)), u"0.333333333333333");
  EXPECT_EQ(errorNumberOf([] { toText(Variant::null()); }), numberOf(ErrorCode::kInvalidUseOfNull));
}

TEST(ToText, WritesNumbersAndDatesInTheLocale) {
  const Locale english = Locale::english();
  const Locale dutch = Locale::named("nl_NL.UTF-8");
  ASSERT_FALSE(dutch.name.empty()) << "nl_NL.UTF-8 is not installed (scripts/setup)";
  const Date friday{daySerial(2026, 3, 6) + 0.75};
  EXPECT_EQ(toText(Variant(2.5), dutch), u"2,5");
  EXPECT_EQ(toText(Variant(2.5f), dutch), u"2,5");
  EXPECT_EQ(toText(Variant(1234567.0), dutch), u"1234567");
  EXPECT_EQ(toText(Variant(Currency{-12345000}), english), u"-1234.5");
  EXPECT_EQ(toText(Variant(Currency{10000}), dutch), u"1");
  EXPECT_EQ(toText(Variant(Currency{1}), dutch), u"0,0001");
  EXPECT_EQ(toText(Variant(friday), english), u"3/6/2026 6:00:00 PM");
  EXPECT_EQ(toText(Variant(friday), dutch), u"06-03-2026 18:00:00");
  EXPECT_EQ(toText(Variant(Date{0}), english), u"12:00:00 AM");
  EXPECT_EQ(toText(Variant(int32_t{1234}), dutch), u"1234");
}

TEST(ToDouble, ReadsTextUnderTheLocale) {
  const Locale dutch = Locale::named("nl_NL.UTF-8");
  ASSERT_FALSE(dutch.name.empty()) << "nl_NL.UTF-8 is not installed (scripts/setup)";
  EXPECT_EQ(toDouble(Variant(u"2,5"), dutch), 2.5);
  EXPECT_EQ(toDouble(Variant(u"1.234,5"), dutch), 1234.5);
  EXPECT_EQ(errorNumberOf([&] { toDouble(Variant(u"2.0"), dutch); }),
            numberOf(ErrorCode::kTypeMismatch));
  EXPECT_EQ(toDouble(Variant(u"1,000"), Locale::english()), 1000);
  EXPECT_EQ(toDouble(Variant(Date{2.25}), dutch), 2.25);
  EXPECT_TRUE(toBool(Variant(u"0,5"), dutch));
}

TEST(ToDate, TakesDatesNumbersAndTexts) {
  const Locale english = Locale::english();
  EXPECT_EQ(toDate(Variant(u"3/6/2026 6:00 PM"), english), (Date{daySerial(2026, 3, 6) + 0.75}));
  EXPECT_EQ(toDate(Variant(2.5), english), Date{2.5});
  EXPECT_EQ(toDate(Variant(), english), Date{0});
  EXPECT_EQ(toDate(Variant(true), english), Date{-1});
  EXPECT_EQ(toDate(Variant(Date{7}), english), Date{7});
  EXPECT_EQ(errorNumberOf([&] { toDate(Variant(u"soon"), english); }),
            numberOf(ErrorCode::kTypeMismatch));
  EXPECT_EQ(errorNumberOf([&] { toDate(Variant(u"45000"), english); }),
            numberOf(ErrorCode::kTypeMismatch));
  EXPECT_EQ(errorNumberOf([&] { toDate(Variant(3e6), english); }), numberOf(ErrorCode::kOverflow));
  EXPECT_EQ(errorNumberOf([&] { toDate(Variant::null(), english); }),
            numberOf(ErrorCode::kInvalidUseOfNull));
}

TEST(ParseNumber, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(parseNumber(u" 12 "), 12);
  EXPECT_EQ(parseNumber(u"-1.5e2"), -150);
  EXPECT_EQ(parseNumber(u".5"), 0.5);
  EXPECT_EQ(parseNumber(u"&HFF"), 255);
  EXPECT_EQ(parseNumber(u"&HFFFF"), -1);
  EXPECT_FALSE(parseNumber(u"12a"));
  EXPECT_FALSE(parseNumber(u""));
  EXPECT_FALSE(parseNumber(u"1e"));
  EXPECT_FALSE(parseNumber(u"."));
}

TEST(ToInt32, RoundsHalfToEvenAndChecksRange) {
  EXPECT_EQ(toInt32(Variant(2.5)), 2);
  EXPECT_EQ(toInt32(Variant(3.5)), 4);
  EXPECT_EQ(toInt32(Variant(u"12")), 12);
  EXPECT_EQ(errorNumberOf([] { toInt32(Variant(3e9)); }), numberOf(ErrorCode::kOverflow));
  EXPECT_EQ(errorNumberOf([] { toInt32(Variant(u"x")); }), numberOf(ErrorCode::kTypeMismatch));
}

TEST(ToBool, ReadsNumbersAndTruthWords) {
  EXPECT_TRUE(toBool(Variant(int32_t{-1})));
  EXPECT_FALSE(toBool(Variant()));
  EXPECT_TRUE(toBool(Variant(u"true")));
  EXPECT_FALSE(toBool(Variant(u"0")));
  EXPECT_EQ(errorNumberOf([] { toBool(Variant(u"maybe")); }), numberOf(ErrorCode::kTypeMismatch));
}

}  // namespace
}  // namespace platform
