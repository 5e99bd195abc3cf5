#include <gtest/gtest.h>

#include <memory>

#include "platform/automation/dispatch_object.h"
#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Variant;
using testing::i16;
using testing::i32;

// The clock stands at noon on 7 March 1970 (UTC), so dates without a year fall in 1970.
class Conversions : public testing::BuiltinTest {
 protected:
  Conversions() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    clock.time = std::chrono::system_clock::time_point(std::chrono::hours(65 * 24 + 12));
  }
};

// An object whose default member gives a value, and one without.
class Valued final : public platform::DispatchObject {
 public:
  explicit Valued(Variant value) : DispatchObject(members()), value_(std::move(value)) {}
  std::u16string typeName() const override { return u"Valued"; }

 private:
  static const platform::MemberTable& members() {
    static const auto table = platform::Members<Valued>()
                                  .property(u"Value", [](Valued& v) { return v.value_; })
                                  .defaultMember(u"Value");
    return table;
  }
  Variant value_;
};

class Plain final : public platform::DispatchObject {
 public:
  Plain() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"Plain"; }

 private:
  static const platform::MemberTable& members() {
    static const auto table =
        platform::Members<Plain>().method(u"Go", 0, 0, [](Plain&, auto) { return Variant(); });
    return table;
  }
};

Variant emptyArray() {
  auto array = std::make_shared<platform::VariantArray>();
  array->bounds.push_back({0, 0});
  return Variant(array);
}

TEST_F(Conversions, WholeNumbersRoundHalfToEvenAndCheckTheirRange) {
  checkAll({
      {u"CInt", {Variant(2.5)}, i16(2)},
      {u"CInt", {Variant(3.5)}, i16(4)},
      {u"CInt", {Variant(-2.5)}, i16(-2)},
      {u"CInt", {Variant(-3.5)}, i16(-4)},
      {u"CInt", {Variant(0.5)}, i16(0)},
      {u"CInt", {Variant(1.5)}, i16(2)},
      {u"CInt", {Variant(2.51)}, i16(3)},
      {u"CInt", {Variant(u" 12 ")}, i16(12)},
      {u"CInt", {Variant(true)}, i16(-1)},
      {u"CInt", {Variant()}, i16(0)},
      {u"CInt", {Variant(32767.4)}, i16(32767)},
      {u"CInt", {Variant(32767.5)}, {}, 6},
      {u"CInt", {Variant(-32768.5)}, i16(-32768)},
      {u"CInt", {Variant(-32768.6)}, {}, 6},
      {u"CInt", {Variant(u"abc")}, {}, 13},
      {u"CInt", {Variant::null()}, {}, 94},
      {u"CLng", {Variant(2.5)}, i32(2)},
      {u"CLng", {Variant(u"-7.5")}, i32(-8)},
      {u"CLng", {Variant(2147483647.0)}, i32(2147483647)},
      {u"CLng", {Variant(2147483647.5)}, {}, 6},
      {u"CLng", {Variant(u"")}, {}, 13},
      {u"CLng", {Variant::null()}, {}, 94},
  });
}

TEST_F(Conversions, TextNumbersAndTruth) {
  checkAll({
      {u"CStr", {Variant()}, Variant(u"")},
      {u"CStr", {Variant(true)}, Variant(u"True")},
      {u"CStr", {i16(-3)}, Variant(u"-3")},
      {u"CStr", {Variant(0.1 + 0.2)}, Variant(u"0.3")},
      {u"CStr", {Variant::null()}, {}, 94},
      {u"CDbl", {Variant(u"1.5e3")}, Variant(1500.0)},
      {u"CDbl", {Variant(u"&HFF")}, Variant(255.0)},
      {u"CDbl", {i16(4)}, Variant(4.0)},
      {u"CDbl", {Variant(u"x")}, {}, 13},
      {u"CBool", {i16(0)}, Variant(false)},
      {u"CBool", {Variant(0.1)}, Variant(true)},
      {u"CBool", {Variant(u"TRUE")}, Variant(true)},
      {u"CBool", {Variant(u"0")}, Variant(false)},
      {u"CBool", {Variant(u"yes")}, {}, 13},
      {u"CBool", {Variant::null()}, {}, 94},
  });
}

TEST_F(Conversions, ByteCurrencySingleAndDate) {
  using platform::Currency;
  using platform::Date;
  checkAll({
      {u"CByte", {Variant(254.5)}, Variant(uint8_t{254})},
      {u"CByte", {Variant(255.5)}, {}, 6},
      {u"CByte", {i16(-1)}, {}, 6},
      {u"CCur", {Variant(1.23456)}, Variant(Currency{12346})},
      {u"CCur", {Variant(0.00005)}, Variant(Currency{0})},
      {u"CCur", {Variant(0.00015)}, Variant(Currency{2})},
      {u"CCur", {Variant(u"-12.5")}, Variant(Currency{-125000})},
      {u"CCur", {Variant(922337203685477.0)}, Variant(Currency{9223372036854770000})},
      {u"CCur", {Variant(-0.00025)}, Variant(Currency{-2})},
      {u"CCur", {Variant(1e-20)}, Variant(Currency{0})},
      {u"CCur", {Variant(1e15)}, {}, 6},
      {u"CSng", {Variant(0.1)}, Variant(0.1f)},
      {u"CSng", {Variant(1e39)}, {}, 6},
      {u"CDate", {Variant(u"3/7/2026")}, Variant(Date{46088})},
      {u"CDate", {Variant(u"March 7")}, Variant(Date{25634})},
      {u"CDate", {Variant(46088.5)}, Variant(Date{46088.5})},
      {u"CDate", {Variant(u"46088")}, {}, 13},
      {u"CDate", {Variant(u"2/30/2026")}, {}, 13},
      {u"CDate", {Variant(1e7)}, {}, 6},
      {u"CDate", {Variant::null()}, {}, 94},
      {u"CStr", {Variant(Date{46088.75})}, Variant(u"3/7/2026 6:00:00 PM")},
      {u"CStr", {Variant(Currency{15000})}, Variant(u"1.5")},
      {u"CStr", {Variant(1.1f)}, Variant(u"1.1")},
      {u"IsDate", {Variant(u"3/7/2026")}, Variant(true)},
      {u"IsDate", {Variant(u"7 March 2026 10:00")}, Variant(true)},
      {u"IsDate", {Variant(u"2/30/2026")}, Variant(false)},
      {u"IsDate", {Variant(u"hello")}, Variant(false)},
      {u"IsDate", {Variant(Date{1})}, Variant(true)},
      {u"IsDate", {i16(1)}, Variant(false)},
      {u"IsDate", {Variant::null()}, Variant(false)},
  });
}

TEST_F(Conversions, HexAndOctWriteTwosComplementOfTheKindsWidth) {
  checkAll({
      {u"Hex", {i16(255)}, Variant(u"FF")},
      {u"Hex", {i16(-1)}, Variant(u"FFFF")},
      {u"Hex", {i32(-1)}, Variant(u"FFFFFFFF")},
      {u"Hex", {Variant(-1.0)}, Variant(u"FFFFFFFF")},
      {u"Hex", {Variant(2.5)}, Variant(u"2")},
      {u"Hex", {Variant(u"4096")}, Variant(u"1000")},
      {u"Hex", {Variant(true)}, Variant(u"FFFF")},
      {u"Hex", {Variant()}, Variant(u"0")},
      {u"Hex", {Variant::null()}, Variant::null()},
      {u"Hex", {Variant(5e9)}, {}, 6},
      {u"Oct", {i16(8)}, Variant(u"10")},
      {u"Oct", {i16(-1)}, Variant(u"177777")},
      {u"Oct", {i32(-1)}, Variant(u"37777777777")},
      {u"Oct", {Variant(uint8_t{255})}, Variant(u"377")},
  });
}

TEST_F(Conversions, TextsReadUnderADecimalComma) {
  ASSERT_TRUE(useLocale("nl_NL.UTF-8"));
  checkAll({
      {u"CDbl", {Variant(u"2,5")}, Variant(2.5)},
      {u"CDbl", {Variant(u"1.234,5")}, Variant(1234.5)},
      {u"CDbl", {Variant(u"2.5")}, {}, 13},
      {u"CInt", {Variant(u"2,5")}, i16(2)},
      {u"CStr", {Variant(2.5)}, Variant(u"2,5")},
      {u"CStr", {Variant(platform::Date{46088.75})}, Variant(u"07-03-2026 18:00:00")},
      {u"CDate", {Variant(u"7-3-2026")}, Variant(platform::Date{46088})},
      {u"IsNumeric", {Variant(u"2,5")}, Variant(true)},
      {u"IsNumeric", {Variant(u"2.5")}, Variant(false)},
      {u"CBool", {Variant(u"0,0")}, Variant(false)},
  });
}

TEST_F(Conversions, TestsOfWhatAValueIs) {
  const Variant nothing = Variant::nothing();
  const Variant plain(platform::ObjectPtr(std::make_shared<Plain>()));
  checkAll({
      {u"IsArray", {emptyArray()}, Variant(true)},
      {u"IsArray", {Variant(u"a")}, Variant(false)},
      {u"IsEmpty", {Variant()}, Variant(true)},
      {u"IsEmpty", {Variant(u"")}, Variant(false)},
      {u"IsEmpty", {Variant::null()}, Variant(false)},
      {u"IsNull", {Variant::null()}, Variant(true)},
      {u"IsNull", {Variant()}, Variant(false)},
      {u"IsObject", {nothing}, Variant(true)},
      {u"IsObject", {plain}, Variant(true)},
      {u"IsObject", {i16(1)}, Variant(false)},
      {u"IsNumeric", {Variant()}, Variant(true)},
      {u"IsNumeric", {Variant(true)}, Variant(true)},
      {u"IsNumeric", {Variant(u" -1.5E3 ")}, Variant(true)},
      {u"IsNumeric", {Variant(u"&H1F")}, Variant(true)},
      {u"IsNumeric", {Variant(u"1.2.3")}, Variant(false)},
      {u"IsNumeric", {Variant(u"")}, Variant(false)},
      {u"IsNumeric", {Variant::null()}, Variant(false)},
      {u"IsNumeric", {Variant(platform::Date{45000})}, Variant(false)},
      {u"IsNumeric", {emptyArray()}, Variant(false)},
      {u"IsNumeric",
       {Variant(platform::ObjectPtr(std::make_shared<Valued>(Variant(u"42"))))},
       Variant(true)},
      {u"IsNumeric", {plain}, Variant(false)},
  });
}

TEST_F(Conversions, TypeNameAndVarTypeNameEveryKind) {
  const Variant valued(platform::ObjectPtr(std::make_shared<Valued>(Variant(u"text"))));
  const Variant plain(platform::ObjectPtr(std::make_shared<Plain>()));
  const struct {
    Variant value;
    std::u16string_view name;
    int type;
  } rows[] = {
      {Variant(), u"Empty", 0},
      {Variant::null(), u"Null", 1},
      {i16(1), u"Integer", 2},
      {i32(1), u"Long", 3},
      {Variant(1.0f), u"Single", 4},
      {Variant(1.0), u"Double", 5},
      {Variant(platform::Currency{10000}), u"Currency", 6},
      {Variant(platform::Date{1}), u"Date", 7},
      {Variant(u"s"), u"String", 8},
      {plain, u"Plain", 9},
      {Variant::nothing(), u"Nothing", 9},
      {valued, u"Valued", 8},
      {Variant(platform::ErrorValue{5}), u"Error", 10},
      {Variant(false), u"Boolean", 11},
      {Variant(uint8_t{1}), u"Byte", 17},
      {emptyArray(), u"Variant()", 8204},
  };
  for (const auto& row : rows) {
    check({u"TypeName", {row.value}, Variant(row.name)});
    check({u"VarType", {row.value}, i16(row.type)});
  }
}

TEST_F(Conversions, LengthIsTheLengthOfTheText) {
  checkAll({
      {u"Len", {Variant(u"abc")}, i32(3)},
      {u"Len", {Variant()}, i32(0)},
      {u"Len", {i16(-12)}, i32(3)},
      {u"Len", {Variant(u"\U0001F600")}, i32(2)},
      {u"Len", {Variant::null()}, Variant::null()},
  });
}

TEST_F(Conversions, BoundsOfArrays) {
  auto grid = std::make_shared<platform::VariantArray>();
  grid->bounds = {{0, 3}, {1, 5}};
  grid->elements.resize(15);
  const Variant matrix(grid);
  auto undimensioned = std::make_shared<platform::VariantArray>();
  checkAll({
      {u"UBound", {matrix}, i32(2)},
      {u"LBound", {matrix}, i32(0)},
      {u"UBound", {matrix, i16(2)}, i32(5)},
      {u"LBound", {matrix, i16(2)}, i32(1)},
      {u"UBound", {matrix, i16(3)}, {}, 9},
      {u"UBound", {matrix, i16(0)}, {}, 9},
      {u"UBound", {emptyArray()}, i32(-1)},
      {u"UBound", {Variant(undimensioned)}, {}, 9},
      {u"UBound", {Variant(u"abc")}, {}, 13},
      {u"LBound", {Variant()}, {}, 13},
  });
}

TEST_F(Conversions, ArrayMakesAZeroBasedListOfItsArguments) {
  const Variant list = call(u"Array", {i16(1), Variant(u"two"), Variant::null()});
  ASSERT_TRUE(list.isArray());
  ASSERT_EQ(list.array()->bounds.size(), 1u);
  EXPECT_EQ(list.array()->bounds[0].lower, 0);
  EXPECT_EQ(list.array()->bounds[0].count, 3);
  EXPECT_EQ(list.array()->elements[1], Variant(u"two"));
  EXPECT_TRUE(list.array()->elements[2].isNull());
  check({u"UBound", {call(u"Array")}, i32(-1)});
}

}  // namespace
}  // namespace vbscript
