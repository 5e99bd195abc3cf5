#include "vbscript/runtime/arguments.h"

#include <chrono>
#include <cmath>
#include <memory>

#include "platform/automation/calendar.h"
#include "platform/automation/date_text.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"

namespace vbscript {

using platform::ErrorCode;
using platform::Variant;

std::u16string textArgument(const BuiltinContext& context, const Variant& value) {
  return platform::toText(value, context.services.locale);
}

TextArgument::TextArgument(const BuiltinContext& context, const Variant& value) {
  if (value.isString()) {
    view_ = value.string();
  } else {
    converted_ = textArgument(context, value);
    view_ = converted_;
  }
}

double numberArgument(const BuiltinContext& context, const Variant& value) {
  return platform::toDouble(value, context.services.locale);
}

int32_t longArgument(const BuiltinContext& context, const Variant& value) {
  const double number = roundHalfEven(numberArgument(context, value));
  if (!(number >= -2147483648.0 && number <= 2147483647.0)) platform::raise(ErrorCode::kOverflow);
  return static_cast<int32_t>(number);
}

size_t countArgument(const BuiltinContext& context, const Variant& value) {
  const int32_t count = longArgument(context, value);
  if (count < 0) invalidArgument();
  return static_cast<size_t>(count);
}

size_t positionArgument(const BuiltinContext& context, const Variant& value) {
  const int32_t position = longArgument(context, value);
  if (position < 1) invalidArgument();
  return static_cast<size_t>(position);
}

int32_t optionalLong(const BuiltinContext& context, const Variant& value, int32_t fallback) {
  return given(value) ? longArgument(context, value) : fallback;
}

bool boolArgument(const BuiltinContext& context, const Variant& value) {
  return platform::toBool(value, context.services.locale);
}

double nowSerial(const BuiltinContext& context) {
  const auto sinceEpoch = context.services.clock.now().time_since_epoch();
  return platform::dateFromEpochMs(static_cast<double>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count()));
}

double dateArgument(const BuiltinContext& context, const Variant& value) {
  if (value.isString()) {
    const int year = platform::splitDate(nowSerial(context)).year;
    const std::optional<double> serial =
        platform::parseLocaleDate(value.string(), context.services.locale, year);
    if (!serial) platform::raise(ErrorCode::kTypeMismatch);
    return *serial;
  }
  return platform::toDate(value, context.services.locale).days;
}

Compare compareArgument(const BuiltinContext& context, const Variant& value) {
  switch (optionalLong(context, value, 0)) {
    case 0:
      return Compare::kBinary;
    case 1:
      return Compare::kText;
    default:
      invalidArgument();
  }
}

double roundHalfEven(double value) {
  return std::nearbyint(value);  // the default rounding mode rounds half to even
}

void checkTextLength(size_t length) {
  if (length > kMaxTextLength) platform::raise(ErrorCode::kOutOfMemoryVb);
}

Variant arrayOf(std::vector<Variant> elements) {
  auto array = std::make_shared<platform::VariantArray>();
  array->bounds.push_back({0, static_cast<int32_t>(elements.size())});
  array->elements = std::move(elements);
  return Variant(std::move(array));
}

void invalidArgument() {
  platform::raise(ErrorCode::kInvalidProcedureCall);
}

}  // namespace vbscript
