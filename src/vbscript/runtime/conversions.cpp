// Conversion functions (CBool ... CStr) and the tests of what a value is (IsArray ... VarType).
#include <cmath>
#include <limits>

#include "platform/automation/automation_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
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

Variant cBool(BuiltinContext&, Args args) {
  return Variant(platform::toBool(args[0]));
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
      return platform::parseNumber(value.string()).has_value();
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
    {u"CBool", 1, 1, cBool},       {u"CDbl", 1, 1, cDbl},         {u"CInt", 1, 1, cInt},
    {u"CLng", 1, 1, cLng},         {u"CStr", 1, 1, cStr},         {u"IsArray", 1, 1, isArray},
    {u"IsEmpty", 1, 1, isEmpty},   {u"IsNull", 1, 1, isNull},     {u"IsNumeric", 1, 1, isNumeric},
    {u"IsObject", 1, 1, isObject}, {u"TypeName", 1, 1, typeName}, {u"VarType", 1, 1, varType},
};

}  // namespace

std::span<const Builtin> conversionFunctions() {
  return kFunctions;
}

}  // namespace vbscript
