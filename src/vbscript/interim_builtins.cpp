// The few built-ins the interpreter's own tests use, until the runtime library (runtime/)
// provides the whole table. Built only when that library is absent; see CMakeLists.txt.
#include <array>
#include <cmath>

#include "platform/automation/automation_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "vbscript/runtime/builtins.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::Variant;
using platform::VarType;

Variant typeNameOf(BuiltinContext&, std::span<Variant> args) {
  const Variant& v = args[0];
  switch (v.type()) {
    case VarType::kEmpty:
      return Variant(u"Empty");
    case VarType::kNull:
      return Variant(u"Null");
    case VarType::kBoolean:
      return Variant(u"Boolean");
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
      return Variant(v.object() ? v.object()->typeName() : std::u16string(u"Nothing"));
    case VarType::kError:
      return Variant(u"Error");
    case VarType::kByte:
      return Variant(u"Byte");
    default:
      return Variant(u"Variant()");
  }
}

Variant varTypeOf(BuiltinContext&, std::span<Variant> args) {
  auto type = static_cast<int16_t>(args[0].type());
  if (args[0].isArray()) type |= static_cast<int16_t>(VarType::kVariant);
  return Variant(type);
}

const platform::VariantArray& arrayArgument(const Variant& v) {
  if (!v.isArray() || !v.array()) platform::raise(ErrorCode::kTypeMismatch);
  return *v.array();
}

const platform::VariantArray::Bound& dimension(std::span<Variant> args) {
  const platform::VariantArray& array = arrayArgument(args[0]);
  const int32_t which = args[1].isMissing() ? 1 : platform::toInt32(args[1]);
  if (which < 1 || static_cast<size_t>(which) > array.bounds.size())
    platform::raise(ErrorCode::kSubscriptOutOfRange);
  return array.bounds[static_cast<size_t>(which) - 1];
}

Variant upperBound(BuiltinContext&, std::span<Variant> args) {
  const auto& bound = dimension(args);
  return Variant(bound.lower + bound.count - 1);
}

Variant lowerBound(BuiltinContext&, std::span<Variant> args) {
  return Variant(dimension(args).lower);
}

Variant arrayOf(BuiltinContext&, std::span<Variant> args) {
  size_t count = args.size();
  while (count > 0 && args[count - 1].isMissing())
    --count;
  auto array = std::make_shared<platform::VariantArray>();
  array->bounds.push_back({0, static_cast<int32_t>(count)});
  array->elements.assign(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(count));
  return Variant(array);
}

Variant toInteger(BuiltinContext&, std::span<Variant> args) {
  const double value = std::nearbyint(platform::toDouble(args[0]));
  if (!(value >= -32768 && value <= 32767)) platform::raise(ErrorCode::kOverflow);
  return Variant(static_cast<int16_t>(value));
}

Variant createObject(BuiltinContext& context, std::span<Variant> args) {
  return Variant(context.services.objects.create(platform::toText(args[0])));
}

// Reaching objects outside the script (files, running programs) is not for parsers.
Variant getObject(BuiltinContext&, std::span<Variant>) {
  platform::raise(ErrorCode::kCannotCreateObject);
}

constexpr std::array kBuiltins = {
    Builtin{u"Array", 0, 255, arrayOf},
    Builtin{u"CBool", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(platform::toBool(a[0])); }},
    Builtin{
        u"CDbl", 1, 1,
        [](BuiltinContext&, std::span<Variant> a) { return Variant(platform::toDouble(a[0])); }},
    Builtin{u"CInt", 1, 1, toInteger},
    Builtin{u"CLng", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(platform::toInt32(a[0])); }},
    Builtin{u"CreateObject", 1, 2, createObject},
    Builtin{u"CStr", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(platform::toText(a[0])); }},
    Builtin{u"GetObject", 0, 2, getObject},
    Builtin{u"IsArray", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(a[0].isArray()); }},
    Builtin{u"IsEmpty", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(a[0].isEmpty()); }},
    Builtin{u"IsNull", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(a[0].isNull()); }},
    Builtin{u"IsObject", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) { return Variant(a[0].isObject()); }},
    Builtin{u"LBound", 1, 2, lowerBound},
    Builtin{u"Len", 1, 1,
            [](BuiltinContext&, std::span<Variant> a) {
              if (a[0].isNull()) return Variant::null();
              return Variant(static_cast<int32_t>(platform::toText(a[0]).size()));
            }},
    Builtin{u"TypeName", 1, 1, typeNameOf},
    Builtin{u"UBound", 1, 2, upperBound},
    Builtin{u"VarType", 1, 1, varTypeOf},
};

struct Constant {
  std::u16string_view name;
  Variant value;
};

const std::array<Constant, 8>& constants() {
  static const std::array<Constant, 8> table = {
      Constant{u"vbCr", Variant(u"\r")},
      Constant{u"vbCrLf", Variant(u"\r\n")},
      Constant{u"vbLf", Variant(u"\n")},
      Constant{u"vbTab", Variant(u"\t")},
      Constant{u"vbNullString", Variant(u"")},
      Constant{u"vbObjectError", Variant(static_cast<int32_t>(0x80040000))},
      Constant{u"vbTrue", Variant(int16_t{-1})},
      Constant{u"vbFalse", Variant(int16_t{0})},
  };
  return table;
}

}  // namespace

std::span<const Builtin> builtins() {
  return kBuiltins;
}

const Builtin* findBuiltin(std::u16string_view name) {
  for (const Builtin& builtin : kBuiltins) {
    if (platform::equalsIgnoreCase(builtin.name, name)) return &builtin;
  }
  return nullptr;
}

const platform::Variant* findBuiltinConstant(std::u16string_view name) {
  for (const Constant& constant : constants()) {
    if (platform::equalsIgnoreCase(constant.name, name)) return &constant.value;
  }
  return nullptr;
}

}  // namespace vbscript
