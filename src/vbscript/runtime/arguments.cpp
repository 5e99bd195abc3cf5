#include "vbscript/runtime/arguments.h"

#include <cmath>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"

namespace vbscript {

using platform::ErrorCode;
using platform::Variant;

std::u16string textArgument(const BuiltinContext&, const Variant& value) {
  return platform::toText(value);
}

double numberArgument(const BuiltinContext&, const Variant& value) {
  return platform::toDouble(value);
}

int32_t longArgument(const BuiltinContext& context, const Variant& value) {
  const double number = roundHalfEven(numberArgument(context, value));
  if (!(number >= -2147483648.0 && number <= 2147483647.0)) platform::raise(ErrorCode::kOverflow);
  return static_cast<int32_t>(number);
}

int32_t optionalLong(const BuiltinContext& context, const Variant& value, int32_t fallback) {
  return given(value) ? longArgument(context, value) : fallback;
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

void invalidArgument() {
  platform::raise(ErrorCode::kInvalidProcedureCall);
}

}  // namespace vbscript
