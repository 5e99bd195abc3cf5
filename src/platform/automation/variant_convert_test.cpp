#include "platform/automation/variant_convert.h"

#include <gtest/gtest.h>

#include "error_testing.h"
#include "platform/base/error.h"

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
