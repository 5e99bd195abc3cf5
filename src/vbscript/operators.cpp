#include "vbscript/operators.h"

#include <cmath>
#include <limits>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace vbscript::ops {

namespace {

using platform::ErrorCode;
using platform::raise;

// The numeric kinds in the order arithmetic widens them.
enum class Kind : uint8_t { kByte, kInteger, kLong, kSingle, kDouble, kCurrency, kDate };

// An operand of arithmetic, read once: its kind and its value.
struct Number {
  Kind kind;
  int64_t whole = 0;  // kByte, kInteger, kLong; kCurrency scaled by 10,000
  double real = 0;    // kSingle, kDouble, kDate
  double asDouble() const {
    switch (kind) {
      case Kind::kSingle:
      case Kind::kDouble:
      case Kind::kDate:
        return real;
      case Kind::kCurrency:
        return static_cast<double>(whole) / 10000.0;
      default:
        return static_cast<double>(whole);
    }
  }
};

double parseText(std::u16string_view text) {
  std::optional<double> number = platform::parseNumber(text);
  if (!number) raise(ErrorCode::kTypeMismatch);
  return *number;
}

// Reads `v` as an arithmetic operand; the caller has dealt with Null.
Number numberOf(const Value& v) {
  switch (v.type()) {
    case Type::kEmpty:
      return {Kind::kInteger, 0};
    case Type::kBoolean:
      return {Kind::kInteger, v.asBoolean() ? -1 : 0};
    case Type::kByte:
      return {Kind::kByte, v.asByte()};
    case Type::kInteger:
      return {Kind::kInteger, v.asInteger()};
    case Type::kLong:
      return {Kind::kLong, v.asLong()};
    case Type::kSingle:
      return {Kind::kSingle, 0, v.asSingle()};
    case Type::kDouble:
      return {Kind::kDouble, 0, v.asDouble()};
    case Type::kCurrency:
      return {Kind::kCurrency, v.asCurrency()};
    case Type::kDate:
      return {Kind::kDate, 0, v.asDouble()};
    case Type::kString:
      return {Kind::kDouble, 0, parseText(v.asString())};
    default:
      raise(ErrorCode::kTypeMismatch);
  }
}

bool isWhole(Kind kind) {
  return kind == Kind::kByte || kind == Kind::kInteger || kind == Kind::kLong;
}

// The kind of a + b, a - b, a * b before overflow widens it.
Kind resultKind(Kind a, Kind b) {
  if (a == Kind::kDate || b == Kind::kDate) return Kind::kDate;
  if (a == Kind::kDouble || b == Kind::kDouble) return Kind::kDouble;
  if (a == Kind::kCurrency || b == Kind::kCurrency) return Kind::kCurrency;
  if (a == Kind::kSingle || b == Kind::kSingle) {
    return (a == Kind::kLong || b == Kind::kLong) ? Kind::kDouble : Kind::kSingle;
  }
  return a > b ? a : b;
}

// A whole result in the narrowest kind at or above `kind` that holds it.
Value wholeResult(int64_t value, Kind kind) {
  if (kind == Kind::kByte && value >= 0 && value <= 255)
    return Value::byte(static_cast<uint8_t>(value));
  if (kind <= Kind::kInteger && value >= -32768 && value <= 32767)
    return Value::integer(static_cast<int16_t>(value));
  if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
    return Value::longValue(static_cast<int32_t>(value));
  return Value::dbl(static_cast<double>(value));
}

Value realResult(double value, Kind kind) {
  if (!std::isfinite(value)) raise(ErrorCode::kOverflow);
  switch (kind) {
    case Kind::kSingle:
      if (std::fabs(value) <= std::numeric_limits<float>::max())
        return Value::single(static_cast<float>(value));
      return Value::dbl(value);
    case Kind::kDate:
      if (value < -657434.0 || value >= 2958466.0) raise(ErrorCode::kOverflow);
      return Value::date(value);
    case Kind::kCurrency: {
      const double scaled = std::nearbyint(value * 10000.0);
      if (!(std::fabs(scaled) < 9.2233720368547758e18)) raise(ErrorCode::kOverflow);
      return Value::currency(static_cast<int64_t>(scaled));
    }
    default:
      return Value::dbl(value);
  }
}

enum class Arith { kAdd, kSubtract, kMultiply };

Value arithmetic(const Value& a, const Value& b, Arith op) {
  if (a.isNull() || b.isNull()) return Value::null();
  const Number x = numberOf(a);
  const Number y = numberOf(b);
  Kind kind = resultKind(x.kind, y.kind);
  if (isWhole(kind)) {
    const int64_t l = x.whole;
    const int64_t r = y.whole;
    switch (op) {
      case Arith::kAdd:
        return wholeResult(l + r, kind);
      case Arith::kSubtract:
        return wholeResult(l - r, kind);
      case Arith::kMultiply:
        return wholeResult(l * r, kind);
    }
  }
  if (kind == Kind::kCurrency && x.kind != Kind::kSingle && y.kind != Kind::kSingle &&
      op != Arith::kMultiply) {
    const int64_t l = x.kind == Kind::kCurrency ? x.whole : x.whole * 10000;
    const int64_t r = y.kind == Kind::kCurrency ? y.whole : y.whole * 10000;
    int64_t result = 0;
    const bool overflow = op == Arith::kAdd ? __builtin_add_overflow(l, r, &result)
                                            : __builtin_sub_overflow(l, r, &result);
    if (overflow) raise(ErrorCode::kOverflow);
    return Value::currency(result);
  }
  if (kind == Kind::kDate) {
    // Date - Date is a number of days; a product of dates is no date.
    if ((op == Arith::kSubtract && x.kind == Kind::kDate && y.kind == Kind::kDate) ||
        op == Arith::kMultiply)
      kind = Kind::kDouble;
  }
  const double l = x.asDouble();
  const double r = y.asDouble();
  switch (op) {
    case Arith::kAdd:
      return realResult(l + r, kind);
    case Arith::kSubtract:
      return realResult(l - r, kind);
    case Arith::kMultiply:
      return realResult(l * r, kind);
  }
  return {};
}

// An operand of \ and Mod: rounded into a whole number; its kind decides the result's.
struct Whole {
  int64_t value;
  bool narrow;  // Byte, Integer, Boolean or Empty
  bool byte;
};

Whole wholeOf(const Value& v) {
  switch (v.type()) {
    case Type::kEmpty:
      return {0, true, false};
    case Type::kBoolean:
      return {v.asBoolean() ? -1 : 0, true, false};
    case Type::kByte:
      return {v.asByte(), true, true};
    case Type::kInteger:
      return {v.asInteger(), true, false};
    case Type::kLong:
      return {v.asLong(), false, false};
    default:
      return {roundToLong(toNumber(v)), false, false};
  }
}

Value wholeDivision(const Value& a, const Value& b, bool remainder) {
  if (a.isNull() || b.isNull()) return Value::null();
  const Whole x = wholeOf(a);
  const Whole y = wholeOf(b);
  if (y.value == 0) raise(ErrorCode::kDivisionByZero);
  const int64_t result = remainder ? x.value % y.value : x.value / y.value;
  if (x.byte && y.byte) return Value::byte(static_cast<uint8_t>(result));
  if (x.narrow && y.narrow && result >= -32768 && result <= 32767)
    return Value::integer(static_cast<int16_t>(result));
  if (result < std::numeric_limits<int32_t>::min() || result > std::numeric_limits<int32_t>::max())
    raise(ErrorCode::kOverflow);
  return Value::longValue(static_cast<int32_t>(result));
}

// An operand of the logical operators: Booleans stay Booleans, the rest become whole numbers.
struct Bits {
  int32_t value;
  bool boolean;
  bool narrow;  // Integer, Byte, Empty or Boolean
  bool byte;
};

Bits bitsOf(const Value& v) {
  switch (v.type()) {
    case Type::kBoolean:
      return {v.asBoolean() ? -1 : 0, true, true, false};
    case Type::kEmpty:
      return {0, false, true, false};
    case Type::kByte:
      return {v.asByte(), false, true, true};
    case Type::kInteger:
      return {v.asInteger(), false, true, false};
    case Type::kLong:
      return {v.asLong(), false, false, false};
    case Type::kString:
      if (platform::equalsIgnoreCase(v.asString(), u"True")) return {-1, true, true, false};
      if (platform::equalsIgnoreCase(v.asString(), u"False")) return {0, true, true, false};
      return {roundToLong(parseText(v.asString())), false, false, false};
    default:
      return {roundToLong(toNumber(v)), false, false, false};
  }
}

Value bitsResult(int32_t value, const Bits& x, const Bits& y) {
  if (x.boolean && y.boolean) return Value::boolean(value != 0);
  if (x.byte && y.byte) return Value::byte(static_cast<uint8_t>(value));
  if (x.narrow && y.narrow) return Value::integer(static_cast<int16_t>(value));
  return Value::longValue(value);
}

enum class Logic { kAnd, kOr, kXor, kEqv, kImp };

int32_t apply(Logic op, int32_t x, int32_t y) {
  switch (op) {
    case Logic::kAnd:
      return x & y;
    case Logic::kOr:
      return x | y;
    case Logic::kXor:
      return x ^ y;
    case Logic::kEqv:
      return ~(x ^ y);
    case Logic::kImp:
      return ~x | y;
  }
  return 0;
}

Value logical(const Value& a, const Value& b, Logic op) {
  if (a.isNull() || b.isNull()) {
    // Null is "unknown": the result is known only when the other side decides it.
    if (a.isNull() && b.isNull()) return Value::null();
    const bool leftNull = a.isNull();
    const Bits known = bitsOf(leftNull ? b : a);
    const Bits unknown{0, known.boolean, known.narrow, known.byte};
    switch (op) {
      case Logic::kAnd:
        if (known.value == 0) return bitsResult(0, known, unknown);
        return Value::null();
      case Logic::kOr:
        if (known.value == -1) return bitsResult(-1, known, unknown);
        return Value::null();
      case Logic::kImp:
        if (leftNull && known.value == -1) return bitsResult(-1, known, unknown);
        if (!leftNull && known.value == 0) return bitsResult(-1, known, unknown);
        return Value::null();
      default:
        return Value::null();
    }
  }
  const Bits x = bitsOf(a);
  const Bits y = bitsOf(b);
  return bitsResult(apply(op, x.value, y.value), x, y);
}

bool isNumericKind(Type type) {
  switch (type) {
    case Type::kBoolean:
    case Type::kInteger:
    case Type::kLong:
    case Type::kSingle:
    case Type::kDouble:
    case Type::kCurrency:
    case Type::kDate:
    case Type::kByte:
      return true;
    default:
      return false;
  }
}

int compareNumbers(double x, double y) {
  return x < y ? -1 : (x > y ? 1 : 0);
}

int compareTexts(std::u16string_view x, std::u16string_view y) {
  const int order = x.compare(y);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

int32_t roundToLong(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode is half to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) raise(ErrorCode::kOverflow);
  return static_cast<int32_t>(rounded);
}

Value negate(const Value& a) {
  switch (a.type()) {
    case Type::kNull:
      return Value::null();
    case Type::kEmpty:
      return Value::integer(0);
    case Type::kBoolean:
      return Value::integer(a.asBoolean() ? 1 : 0);
    case Type::kByte:
      return Value::integer(static_cast<int16_t>(-a.asByte()));
    case Type::kInteger:
      return wholeResult(-static_cast<int64_t>(a.asInteger()), Kind::kInteger);
    case Type::kLong:
      return wholeResult(-static_cast<int64_t>(a.asLong()), Kind::kLong);
    case Type::kSingle:
      return Value::single(-a.asSingle());
    case Type::kDouble:
      return Value::dbl(-a.asDouble());
    case Type::kCurrency:
      if (a.asCurrency() == std::numeric_limits<int64_t>::min()) raise(ErrorCode::kOverflow);
      return Value::currency(-a.asCurrency());
    case Type::kDate:
      return realResult(-a.asDouble(), Kind::kDate);
    case Type::kString:
      return Value::dbl(-parseText(a.asString()));
    default:
      raise(ErrorCode::kTypeMismatch);
  }
}

Value add(const Value& a, const Value& b) {
  if (a.isString() && (b.isString() || b.isEmpty())) {
    Value result = a;
    if (b.isString()) appendText(result.ownString(), b);
    return result;
  }
  if (a.isEmpty() && b.isString()) return b;
  return arithmetic(a, b, Arith::kAdd);
}

Value subtract(const Value& a, const Value& b) {
  return arithmetic(a, b, Arith::kSubtract);
}

Value multiply(const Value& a, const Value& b) {
  return arithmetic(a, b, Arith::kMultiply);
}

Value divide(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value::null();
  const double x = numberOf(a).asDouble();
  const double y = numberOf(b).asDouble();
  if (y == 0) raise(x == 0 ? ErrorCode::kOverflow : ErrorCode::kDivisionByZero);
  return realResult(x / y, Kind::kDouble);
}

Value intDivide(const Value& a, const Value& b) {
  return wholeDivision(a, b, false);
}

Value modulo(const Value& a, const Value& b) {
  return wholeDivision(a, b, true);
}

Value power(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value::null();
  const double x = numberOf(a).asDouble();
  const double y = numberOf(b).asDouble();
  if (x == 0 && y < 0) raise(ErrorCode::kInvalidProcedureCall);
  const double result = std::pow(x, y);
  if (std::isnan(result)) raise(ErrorCode::kInvalidProcedureCall);
  return realResult(result, Kind::kDouble);
}

Value concat(const Value& a, const Value& b) {
  if (a.isNull() && b.isNull()) return Value::null();
  Value result = a.isString() ? a : Value::string(a.isNull() ? std::u16string() : toText(a));
  appendText(result.ownString(), b);
  return result;
}

Value logicalNot(const Value& a) {
  switch (a.type()) {
    case Type::kNull:
      return Value::null();
    case Type::kBoolean:
      return Value::boolean(!a.asBoolean());
    case Type::kEmpty:
      return Value::integer(-1);
    case Type::kByte:
      return Value::byte(static_cast<uint8_t>(~a.asByte()));
    case Type::kInteger:
      return Value::integer(static_cast<int16_t>(~a.asInteger()));
    default: {
      const Bits bits = bitsOf(a);
      if (bits.boolean) return Value::boolean(bits.value == 0);
      return Value::longValue(~bits.value);
    }
  }
}

Value logicalAnd(const Value& a, const Value& b) {
  return logical(a, b, Logic::kAnd);
}
Value logicalOr(const Value& a, const Value& b) {
  return logical(a, b, Logic::kOr);
}
Value logicalXor(const Value& a, const Value& b) {
  return logical(a, b, Logic::kXor);
}
Value logicalEqv(const Value& a, const Value& b) {
  return logical(a, b, Logic::kEqv);
}
Value logicalImp(const Value& a, const Value& b) {
  return logical(a, b, Logic::kImp);
}

std::optional<int> compare(const Value& a, const Value& b, bool aLiteral, bool bLiteral) {
  if (a.isNull() || b.isNull()) return std::nullopt;
  const Type x = a.type();
  const Type y = b.type();
  if (x == Type::kString && y == Type::kString) return compareTexts(a.asString(), b.asString());
  if (x == Type::kEmpty && y == Type::kEmpty) return 0;
  if (x == Type::kEmpty && y == Type::kString) return compareTexts(u"", b.asString());
  if (x == Type::kString && y == Type::kEmpty) return compareTexts(a.asString(), u"");
  const bool xNumber = x == Type::kEmpty || isNumericKind(x);
  const bool yNumber = y == Type::kEmpty || isNumericKind(y);
  if (xNumber && yNumber) {
    if (x == Type::kCurrency && y == Type::kCurrency) {
      return a.asCurrency() < b.asCurrency() ? -1 : (a.asCurrency() > b.asCurrency() ? 1 : 0);
    }
    return compareNumbers(numberOf(a).asDouble(), numberOf(b).asDouble());
  }
  if (xNumber && y == Type::kString) {
    if (aLiteral || bLiteral) {
      if (std::optional<double> number = platform::parseNumber(b.asString()))
        return compareNumbers(numberOf(a).asDouble(), *number);
    }
    return -1;
  }
  if (x == Type::kString && yNumber) {
    if (aLiteral || bLiteral) {
      if (std::optional<double> number = platform::parseNumber(a.asString()))
        return compareNumbers(*number, numberOf(b).asDouble());
    }
    return 1;
  }
  raise(ErrorCode::kTypeMismatch);
}

std::u16string toText(const Value& value) {
  switch (value.type()) {
    case Type::kString:
      return std::u16string(value.asString());
    case Type::kEmpty:
      return {};
    case Type::kInteger:
      return platform::decimal(value.asInteger());
    case Type::kLong:
      return platform::decimal(value.asLong());
    case Type::kArray:
    case Type::kRef:
      raise(ErrorCode::kTypeMismatch);
    default:
      return platform::toText(toVariant(value));
  }
}

void appendText(std::u16string& out, const Value& value) {
  if (value.isNull()) return;
  if (value.isString()) {
    checkStringLength(out.size() + value.asString().size());
    out.append(value.asString());
    return;
  }
  const std::u16string text = toText(value);
  checkStringLength(out.size() + text.size());
  out.append(text);
}

double toNumber(const Value& value) {
  if (value.isNull()) raise(ErrorCode::kInvalidUseOfNull);
  return numberOf(value).asDouble();
}

int32_t toLong(const Value& value) {
  switch (value.type()) {
    case Type::kInteger:
      return value.asInteger();
    case Type::kLong:
      return value.asLong();
    default:
      return roundToLong(toNumber(value));
  }
}

bool isTrue(const Value& value) {
  switch (value.type()) {
    case Type::kBoolean:
      return value.asBoolean();
    case Type::kNull:
    case Type::kEmpty:
      return false;
    case Type::kInteger:
      return value.asInteger() != 0;
    case Type::kLong:
      return value.asLong() != 0;
    case Type::kString:
      if (platform::equalsIgnoreCase(value.asString(), u"True")) return true;
      if (platform::equalsIgnoreCase(value.asString(), u"False")) return false;
      return parseText(value.asString()) != 0;
    default:
      return numberOf(value).asDouble() != 0;
  }
}

}  // namespace vbscript::ops
