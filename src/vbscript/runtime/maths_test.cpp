#include <gtest/gtest.h>

#include <cmath>

#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Variant;
using testing::i16;
using testing::i32;

class Maths : public testing::BuiltinTest {};

const Variant kNull = Variant::null();

TEST_F(Maths, RoundingFunctionsKeepTheKindOfTheirNumber) {
  using platform::Currency;
  checkAll({
      {u"Round", {Variant(2.5)}, Variant(2.0)},
      {u"Round", {Variant(3.5)}, Variant(4.0)},
      {u"Round", {Variant(-2.5)}, Variant(-2.0)},
      {u"Round", {Variant(0.5)}, Variant(0.0)},
      {u"Round", {Variant(1.25), i16(1)}, Variant(1.2)},
      {u"Round", {Variant(1.35), i16(1)}, Variant(1.4)},
      {u"Round", {Variant(1.2345), i16(3)}, Variant(1.234)},
      {u"Round", {Variant(123.0), i16(30)}, Variant(123.0)},
      {u"Round", {i16(7)}, i16(7)},
      {u"Round", {Variant(u"2.5")}, Variant(2.0)},
      {u"Round", {Variant(2.5f)}, Variant(2.0f)},
      {u"Round", {Variant(Currency{25000})}, Variant(Currency{20000})},
      {u"Round", {kNull}, kNull},
      {u"Round", {Variant(2.5), i16(-1)}, {}, 5},
      {u"Int", {Variant(-2.5)}, Variant(-3.0)},
      {u"Fix", {Variant(-2.5)}, Variant(-2.0)},
      {u"Int", {Variant(2.9)}, Variant(2.0)},
      {u"Fix", {i32(-7)}, i32(-7)},
      {u"Int", {Variant(u"-0.5")}, Variant(-1.0)},
      {u"Int", {Variant(true)}, i16(-1)},
      {u"Int", {Variant()}, i16(0)},
      {u"Int", {kNull}, kNull},
      {u"Int", {Variant(platform::Date{46088.75})}, Variant(platform::Date{46088})},
      {u"Abs", {i16(-3)}, i16(3)},
      {u"Abs", {i16(-32768)}, i32(32768)},
      {u"Abs", {i32(-2147483647 - 1)}, Variant(2147483648.0)},
      {u"Abs", {Variant(-1.5)}, Variant(1.5)},
      {u"Abs", {Variant(u"-4")}, Variant(4.0)},
      {u"Abs", {kNull}, kNull},
      {u"Abs", {Variant(u"x")}, {}, 13},
      {u"Sgn", {Variant(-0.1)}, i16(-1)},
      {u"Sgn", {Variant()}, i16(0)},
      {u"Sgn", {i32(9)}, i16(1)},
      {u"Sgn", {kNull}, {}, 94},
  });
}

TEST_F(Maths, FunctionsOfNumbersAndTheirDomains) {
  checkAll({
      {u"Sqr", {i16(16)}, Variant(4.0)},
      {u"Sqr", {i16(0)}, Variant(0.0)},
      {u"Sqr", {i16(-1)}, {}, 5},
      {u"Log", {i16(1)}, Variant(0.0)},
      {u"Log", {i16(0)}, {}, 5},
      {u"Log", {i16(-1)}, {}, 5},
      {u"Exp", {i16(0)}, Variant(1.0)},
      {u"Exp", {i16(710)}, {}, 6},
      {u"Atn", {i16(0)}, Variant(0.0)},
      {u"Cos", {i16(0)}, Variant(1.0)},
      {u"Sin", {kNull}, kNull},
      {u"Tan", {Variant(u"x")}, {}, 13},
  });
  EXPECT_DOUBLE_EQ(call(u"Atn", {i16(1)}).dbl() * 4, M_PI);
  EXPECT_DOUBLE_EQ(call(u"Log", {Variant(M_E)}).dbl(), 1.0);
}

TEST_F(Maths, RndFollowsTheDocumentedGenerator) {
  // The first numbers of a fresh engine, and what Rnd(-1) always gives.
  EXPECT_FLOAT_EQ(call(u"Rnd").single(), 0.7055475f);
  const float second = call(u"Rnd").single();
  EXPECT_FLOAT_EQ(second, 0.533424f);
  EXPECT_EQ(call(u"Rnd", {i16(0)}), Variant(second));
  EXPECT_FLOAT_EQ(call(u"Rnd", {i16(-1)}).single(), 0.224007f);
  EXPECT_FLOAT_EQ(call(u"Rnd", {i16(-1)}).single(), 0.224007f);
  EXPECT_EQ(call(u"Rnd", {i16(5)}).type(), platform::VarType::kSingle);
  EXPECT_EQ(errorOf(u"Rnd", {kNull}), vbError(94));
}

// As the language reference says, Randomize with the same number repeats a sequence only after
// Rnd with a negative number.
TEST_F(Maths, RandomizeRepeatsASequenceAfterRndOfANegativeNumber) {
  call(u"Rnd", {i16(-1)});
  call(u"Randomize", {i16(42)});
  const Variant first = call(u"Rnd");
  const Variant second = call(u"Rnd");
  call(u"Randomize", {i16(42)});
  EXPECT_NE(call(u"Rnd"), first);
  call(u"Rnd", {i16(-1)});
  call(u"Randomize", {i16(42)});
  EXPECT_EQ(call(u"Rnd"), first);
  EXPECT_EQ(call(u"Rnd"), second);
  call(u"Rnd", {i16(-1)});
  call(u"Randomize", {i16(43)});
  EXPECT_NE(call(u"Rnd"), first);
  // Every number lies in [0, 1), engine by engine.
  RandomState other;
  std::swap(other, random);
  for (int i = 0; i < 1000; ++i) {
    const float number = call(u"Rnd").single();
    ASSERT_GE(number, 0.0f);
    ASSERT_LT(number, 1.0f);
  }
  std::swap(other, random);
  EXPECT_FLOAT_EQ(call(u"Rnd", {i16(-1)}).single(), 0.224007f);
}

}  // namespace
}  // namespace vbscript
