// Conversion functions (CBool ... CStr) and the tests of what a value is (IsArray ... VarType).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/automation/automation_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/locale/number_text.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::Variant;
using platform::VarType;
using Args = std::span<Variant>;

// The whole number of `value` rounded half to even, which must lie in [low, high].
double wholeInRange(const BuiltinContext& context, const Variant& value, double low, double high) {
  const double number = roundHalfEven(numberArgument(context, value));
  if (!(number >= low && number <= high)) platform::raise(ErrorCode::kOverflow);
  return number;
}

Variant cBool(BuiltinContext& context, Args args) {
  return Variant(boolArgument(context, args[0]));
}

Variant cByte(BuiltinContext& context, Args args) {
  return Variant(static_cast<uint8_t>(wholeInRange(context, args[0], 0, 255)));
}

// Currency keeps four decimals: the amount in ten-thousandths, rounded half to even on its 15
// significant digits, so that 0.00015 (a hair below that in binary) gives 0.0002. The digits
// are scaled as a decimal integer: a multiplication in binary would turn 922337203685477 into
// 922337203685476.9664.
int64_t tenThousandthsOf(double number) {
  if (!std::isfinite(number)) platform::raise(ErrorCode::kOverflow);
  if (number == 0) return 0;
  char text[32];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(number));  // D.DDDDDDDDDDDDDDe+XX
  uint64_t digits = 0;
  const char* at = text;
  for (; *at != 'e'; ++at) {
    if (*at != '.') digits = digits * 10 + static_cast<uint64_t>(*at - '0');
  }
  // number = digits * 10^(exponent - 14), so in ten-thousandths digits * 10^(exponent - 10).
  const int shift = std::atoi(at + 1) - 10;
  uint64_t scaled = digits;
  if (shift > 4) platform::raise(ErrorCode::kOverflow);  // at least 10^19
  for (int i = 0; i < shift; ++i)
    scaled *= 10;
  if (shift < 0) {
    if (shift < -15) return 0;  // below half a ten-thousandth
    uint64_t divisor = 1;
    for (int i = 0; i < -shift; ++i)
      divisor *= 10;
    scaled = digits / divisor;
    const uint64_t rest = digits % divisor;
    if (rest * 2 > divisor || (rest * 2 == divisor && scaled % 2 == 1)) ++scaled;
  }
  const uint64_t limit = number < 0 ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  if (scaled > limit) platform::raise(ErrorCode::kOverflow);
  return number < 0 ? static_cast<int64_t>(0 - scaled) : static_cast<int64_t>(scaled);
}

Variant cCur(BuiltinContext& context, Args args) {
  if (args[0].type() == VarType::kCurrency) return args[0];
  return Variant(platform::Currency{tenThousandthsOf(numberArgument(context, args[0]))});
}

Variant cDate(BuiltinContext& context, Args args) {
  return Variant(platform::Date{dateArgument(context, args[0])});
}

Variant cSng(BuiltinContext& context, Args args) {
  const double number = numberArgument(context, args[0]);
  if (std::fabs(number) > std::numeric_limits<float>::max()) platform::raise(ErrorCode::kOverflow);
  return Variant(static_cast<float>(number));
}

Variant cInt(BuiltinContext& context, Args args) {
  return Variant(static_cast<int16_t>(wholeInRange(context, args[0], -32768, 32767)));
}

Variant cLng(BuiltinContext& context, Args args) {
  return Variant(longArgument(context, args[0]));
}

Variant cDbl(BuiltinContext& context, Args args) {
  return Variant(numberArgument(context, args[0]));
}

Variant cStr(BuiltinContext& context, Args args) {
  return Variant(textArgument(context, args[0]));
}

// Hex and Oct write negative numbers in two's complement: 16 bits for the 16-bit kinds
// (Integer, Byte, Boolean), 32 bits for the others, which are first rounded to a Long.
Variant inRadix(BuiltinContext& context, const Variant& value, int bitsPerDigit) {
  if (value.isNull()) return Variant::null();
  uint32_t bits = 0;
  switch (value.type()) {
    case VarType::kInteger:
      bits = static_cast<uint16_t>(value.integer());
      break;
    case VarType::kBoolean:
      bits = value.boolean() ? 0xFFFF : 0;
      break;
    case VarType::kByte:
      bits = value.byte();
      break;
    default:
      bits = static_cast<uint32_t>(longArgument(context, value));
      break;
  }
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  const uint32_t mask = (1u << bitsPerDigit) - 1;
  std::u16string text;
  do {
    text.insert(text.begin(), kDigits[bits & mask]);
    bits >>= bitsPerDigit;
  } while (bits != 0);
  return Variant(std::move(text));
}

Variant hex(BuiltinContext& context, Args args) {
  return inRadix(context, args[0], 4);
}

Variant oct(BuiltinContext& context, Args args) {
  return inRadix(context, args[0], 3);
}

// An object's default value, when it has one that can be read without arguments.
std::optional<Variant> defaultValueOf(const platform::ObjectPtr& object) {
  if (!object) return std::nullopt;
  try {
    return object->invoke(platform::kDefaultMember, platform::kPropertyGet, {});
  } catch (const platform::Error&) {
    return std::nullopt;
  }
}

Variant isArray(BuiltinContext&, Args args) {
  return Variant(args[0].isArray());
}

Variant isDate(BuiltinContext& context, Args args) {
  const Variant& value = args[0];
  if (value.type() == VarType::kDate) return Variant(true);
  if (!value.isString()) return Variant(false);
  try {
    dateArgument(context, value);
    return Variant(true);
  } catch (const platform::Error&) {
    return Variant(false);
  }
}

Variant isEmpty(BuiltinContext&, Args args) {
  return Variant(args[0].isEmpty());
}

Variant isNull(BuiltinContext&, Args args) {
  return Variant(args[0].isNull());
}

Variant isObject(BuiltinContext&, Args args) {
  return Variant(args[0].isObject());
}

bool isNumericValue(const BuiltinContext& context, const Variant& value) {
  switch (value.type()) {
    case VarType::kEmpty:
    case VarType::kBoolean:
    case VarType::kInteger:
    case VarType::kLong:
    case VarType::kSingle:
    case VarType::kDouble:
    case VarType::kCurrency:
    case VarType::kByte:
      return true;
    case VarType::kString:
      return platform::parseLocaleNumber(value.string(), context.services.locale).has_value();
    case VarType::kObject: {
      const std::optional<Variant> inner = defaultValueOf(value.object());
      return inner && !inner->isObject() && isNumericValue(context, *inner);
    }
    default:  // Null, dates, errors and arrays
      return false;
  }
}

Variant isNumeric(BuiltinContext& context, Args args) {
  return Variant(isNumericValue(context, args[0]));
}

Variant typeName(BuiltinContext&, Args args) {
  const Variant& value = args[0];
  switch (value.type()) {
    case VarType::kEmpty:
      return Variant(u"Empty");
    case VarType::kNull:
      return Variant(u"Null");
    case VarType::kInteger:
      return Variant(u"Integer");
    case VarType::kLong:
      return Variant(u"Long");
    case VarType::kSingle:
      return Variant(u"Single");
    case VarType::kDouble:
      return Variant(u"Double");
    case VarType::kCurrency:
      return Variant(u"Currency");
    case VarType::kDate:
      return Variant(u"Date");
    case VarType::kString:
      return Variant(u"String");
    case VarType::kObject:
      return Variant(value.object() ? value.object()->typeName() : u"Nothing");
    case VarType::kError:
      return Variant(u"Error");
    case VarType::kBoolean:
      return Variant(u"Boolean");
    case VarType::kByte:
      return Variant(u"Byte");
    case VarType::kArray:
      return Variant(u"Variant()");
    default:
      return Variant(u"Unknown");
  }
}

// An object with a default value reports that value's type, as the language reference says.
Variant varType(BuiltinContext&, Args args) {
  const Variant& value = args[0];
  if (value.isArray()) {
    return Variant(static_cast<int16_t>(static_cast<int>(VarType::kArray) |
                                        static_cast<int>(VarType::kVariant)));
  }
  if (value.isObject()) {
    const std::optional<Variant> inner = defaultValueOf(value.object());
    if (inner && !inner->isObject() && !inner->isArray()) {
      return Variant(static_cast<int16_t>(inner->type()));
    }
  }
  return Variant(static_cast<int16_t>(value.type()));
}

constexpr Builtin kFunctions[] = {
    {u"CBool", 1, 1, cBool},       {u"CByte", 1, 1, cByte},
    {u"CCur", 1, 1, cCur},         {u"CDate", 1, 1, cDate},
    {u"CDbl", 1, 1, cDbl},         {u"CInt", 1, 1, cInt},
    {u"CLng", 1, 1, cLng},         {u"CSng", 1, 1, cSng},
    {u"CStr", 1, 1, cStr},         {u"Hex", 1, 1, hex},
    {u"Oct", 1, 1, oct},           {u"IsArray", 1, 1, isArray},
    {u"IsDate", 1, 1, isDate},     {u"IsEmpty", 1, 1, isEmpty},
    {u"IsNull", 1, 1, isNull},     {u"IsNumeric", 1, 1, isNumeric},
    {u"IsObject", 1, 1, isObject}, {u"TypeName", 1, 1, typeName},
    {u"VarType", 1, 1, varType},
};

}  // namespace

std::span<const Builtin> conversionFunctions() {
  return kFunctions;
}

}  // namespace vbscript
