#include <gtest/gtest.h>

#include "platform/automation/calendar.h"
#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Variant;
using testing::i16;

class Formatting : public testing::BuiltinTest {};

const Variant kTrue = i16(-1);
const Variant kFalse = i16(0);
const Variant kDefault = i16(-2);
const Variant kLocaleDigits = i16(-1);

TEST_F(Formatting, FormatNumberRoundsHalfAwayFromZeroAndGroups) {
  checkAll({
      {u"FormatNumber", {Variant(1234567.891)}, Variant(u"1,234,567.89")},
      {u"FormatNumber", {Variant(2.5), i16(0)}, Variant(u"3")},
      {u"FormatNumber", {Variant(0.125), i16(2)}, Variant(u"0.13")},
      {u"FormatNumber", {Variant(0.5), i16(2), kFalse}, Variant(u".50")},
      {u"FormatNumber", {Variant(-3), i16(1), kDefault, kTrue}, Variant(u"(3.0)")},
      {u"FormatNumber", {Variant(-3), i16(1), kDefault, kFalse}, Variant(u"-3.0")},
      {u"FormatNumber",
       {Variant(1234.5), kLocaleDigits, kDefault, kDefault, kFalse},
       Variant(u"1234.50")},
      {u"FormatNumber", {Variant(u"1234")}, Variant(u"1,234.00")},
      {u"FormatNumber", {Variant()}, Variant(u"0.00")},
      {u"FormatNumber", {Variant(1), i16(-3)}, {}, 5},
      {u"FormatNumber", {Variant(u"lots")}, {}, 13},
      {u"FormatNumber", {Variant::null()}, {}, 94},
      {u"FormatPercent", {Variant(0.256)}, Variant(u"25.60%")},
      {u"FormatPercent", {Variant(0.256), i16(0)}, Variant(u"26%")},
      {u"FormatPercent", {Variant(-0.5), i16(0), kDefault, kTrue}, Variant(u"(50)%")},
      {u"FormatCurrency", {Variant(1234.5)}, Variant(u"$1,234.50")},
      {u"FormatCurrency", {Variant(-1234.5)}, Variant(u"-$1,234.50")},
      {u"FormatCurrency", {Variant(-1234.5), i16(0), kDefault, kTrue}, Variant(u"($1,235)")},
  });
}

TEST_F(Formatting, NumbersFollowTheEnginesLocale) {
  ASSERT_TRUE(useLocale("de_DE.UTF-8"));
  checkAll({
      {u"FormatNumber", {Variant(1234567.891)}, Variant(u"1.234.567,89")},
      {u"FormatNumber", {Variant(u"1,5"), i16(3)}, Variant(u"1,500")},
      {u"FormatCurrency", {Variant(1234.5)}, Variant(u"1.234,50 \u20ac")},
      {u"FormatPercent", {Variant(0.5)}, Variant(u"50,00%")},
  });
}

TEST_F(Formatting, FormatDateTimeNamedFormats) {
  const Variant when(platform::Date{platform::daySerial(2026, 3, 7) + 0.75 + 5.0 / 86400});
  checkAll({
      {u"FormatDateTime", {when}, Variant(u"3/7/2026 6:00:05 PM")},
      {u"FormatDateTime", {when, i16(1)}, Variant(u"Saturday, March 7, 2026")},
      {u"FormatDateTime", {when, i16(2)}, Variant(u"3/7/2026")},
      {u"FormatDateTime", {when, i16(3)}, Variant(u"6:00:05 PM")},
      {u"FormatDateTime", {when, i16(4)}, Variant(u"18:00")},
      {u"FormatDateTime", {Variant(u"3/7/2026"), i16(1)}, Variant(u"Saturday, March 7, 2026")},
      {u"FormatDateTime", {when, i16(5)}, {}, 5},
      {u"FormatDateTime", {Variant(u"nonsense")}, {}, 13},
      {u"FormatDateTime", {Variant::null()}, {}, 94},
  });
  ASSERT_TRUE(useLocale("nl_NL.UTF-8"));
  checkAll({
      {u"FormatDateTime", {when, i16(1)}, Variant(u"zaterdag 7 maart 2026")},
      {u"FormatDateTime", {when, i16(2)}, Variant(u"07-03-2026")},
      {u"FormatDateTime", {when, i16(3)}, Variant(u"18:00:05")},
  });
}

}  // namespace
}  // namespace vbscript
