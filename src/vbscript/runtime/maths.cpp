// Mathematical functions and the random numbers of Randomize and Rnd.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/base/error.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::Variant;
using platform::VarType;
using Args = std::span<Variant>;

// A Double result; 6 Overflow when it is out of range.
Variant finite(double value) {
  if (!std::isfinite(value)) platform::raise(ErrorCode::kOverflow);
  return Variant(value);
}

// --- Functions of one number that keep Null ---------------------------------------------------

template <double (*F)(double)>
Variant ofNumber(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return finite(F(numberArgument(context, args[0])));
}

double atn(double x) {
  return std::atan(x);
}
double cosine(double x) {
  return std::cos(x);
}
double sine(double x) {
  return std::sin(x);
}
double tangent(double x) {
  return std::tan(x);
}
double exponential(double x) {
  return std::exp(x);
}

Variant log(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  const double x = numberArgument(context, args[0]);
  if (!(x > 0)) invalidArgument();
  return Variant(std::log(x));
}

Variant sqr(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  const double x = numberArgument(context, args[0]);
  if (x < 0) invalidArgument();
  return Variant(std::sqrt(x));
}

// --- Functions that keep the kind of their number ---------------------------------------------

// Applies `whole` (floor, trunc, a rounding) to a number of any kind and gives back the same
// kind where the result fits it: Integers stay Integers, a Currency a Currency, a date a date;
// texts become Doubles, Booleans Integers.
template <class Whole>
Variant sameKind(BuiltinContext& context, const Variant& value, Whole whole) {
  switch (value.type()) {
    case VarType::kNull:
      return Variant::null();
    case VarType::kEmpty:
      return Variant(int16_t{0});
    case VarType::kBoolean:
      return Variant(static_cast<int16_t>(whole(value.boolean() ? -1.0 : 0.0)));
    case VarType::kByte:
      return Variant(static_cast<uint8_t>(whole(value.byte())));
    case VarType::kInteger: {
      const double result = whole(value.integer());
      if (result > 32767) return Variant(static_cast<int32_t>(result));
      return Variant(static_cast<int16_t>(result));
    }
    case VarType::kLong: {
      const double result = whole(value.longValue());
      if (result > 2147483647.0) return Variant(result);
      return Variant(static_cast<int32_t>(result));
    }
    case VarType::kSingle:
      return Variant(static_cast<float>(whole(value.single())));
    case VarType::kCurrency: {
      const double result = whole(static_cast<double>(value.currency().scaled) / 10000.0);
      return Variant(platform::Currency{static_cast<int64_t>(std::llround(result * 10000.0))});
    }
    case VarType::kDate:
      return Variant(platform::Date{whole(value.date().days)});
    default:
      return finite(whole(numberArgument(context, value)));
  }
}

Variant abs(BuiltinContext& context, Args args) {
  return sameKind(context, args[0], [](double x) { return std::fabs(x); });
}

Variant fix(BuiltinContext& context, Args args) {
  return sameKind(context, args[0], [](double x) { return std::trunc(x); });
}

Variant intPart(BuiltinContext& context, Args args) {
  return sameKind(context, args[0], [](double x) { return std::floor(x); });
}

// Round(expression[, numdecimalplaces]): half to even, on the binary value of the number.
Variant round(BuiltinContext& context, Args args) {
  const int32_t places = optionalLong(context, args[1], 0);
  if (places < 0) invalidArgument();
  if (places == 0) return sameKind(context, args[0], roundHalfEven);
  const double scale = std::pow(10.0, places > 22 ? 22 : places);
  return sameKind(context, args[0], [scale](double x) {
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return x;  // 2^52
    return roundHalfEven(scaled) / scale;
  });
}

Variant sgn(BuiltinContext& context, Args args) {
  const double x = numberArgument(context, args[0]);
  return Variant(static_cast<int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
}

// --- Random numbers ---------------------------------------------------------------------------
//
// The generator the language reference documents: seed' = (seed * 1140671485 + 12820163)
// mod 2^24, and Rnd gives seed' / 2^24. Rnd of a negative number seeds from the bits of that
// number as a Single, so it gives the same number each time; Randomize mixes the upper bits
// of its Double into the middle bytes of the seed.

constexpr uint32_t kSeedMask = 0xFFFFFF;

float nextRandom(RandomState& random) {
  random.seed =
      static_cast<uint32_t>((uint64_t{random.seed} * 1140671485u + 12820163u) & kSeedMask);
  random.last = static_cast<float>(random.seed) / 16777216.0f;
  return random.last;
}

Variant rnd(BuiltinContext& context, Args args) {
  RandomState& random = context.random;
  if (!given(args[0])) return Variant(nextRandom(random));
  const double number = numberArgument(context, args[0]);
  if (number == 0) return Variant(random.last);
  if (number < 0) {
    const uint32_t bits = std::bit_cast<uint32_t>(static_cast<float>(number));
    random.seed = (bits + (bits >> 24)) & kSeedMask;
  }
  return Variant(nextRandom(random));
}

double secondsSinceMidnight(const BuiltinContext& context) {
  const double now = nowSerial(context);
  return (now - std::floor(now)) * 86400.0;
}

Variant randomize(BuiltinContext& context, Args args) {
  const double number =
      given(args[0]) ? numberArgument(context, args[0]) : secondsSinceMidnight(context);
  const auto upper = static_cast<uint32_t>(std::bit_cast<uint64_t>(number) >> 32);
  const uint32_t mixed = ((upper & 0xFFFF) ^ (upper >> 16)) << 8;
  context.random.seed = (context.random.seed & 0xFF) | (mixed & 0xFFFF00);
  return Variant();
}

constexpr Builtin kFunctions[] = {
    {u"Abs", 1, 1, abs},
    {u"Atn", 1, 1, ofNumber<atn>},
    {u"Cos", 1, 1, ofNumber<cosine>},
    {u"Exp", 1, 1, ofNumber<exponential>},
    {u"Fix", 1, 1, fix},
    {u"Int", 1, 1, intPart},
    {u"Log", 1, 1, log},
    {u"Randomize", 0, 1, randomize},
    {u"Rnd", 0, 1, rnd},
    {u"Round", 1, 2, round},
    {u"Sgn", 1, 1, sgn},
    {u"Sin", 1, 1, ofNumber<sine>},
    {u"Sqr", 1, 1, sqr},
    {u"Tan", 1, 1, ofNumber<tangent>},
};

}  // namespace

std::span<const Builtin> mathFunctions() {
  return kFunctions;
}

}  // namespace vbscript
