// Array, LBound and UBound.
#include <memory>

#include "platform/base/error.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::Variant;
using Args = std::span<Variant>;

// Array takes any number of arguments: the table gives it the most it can, and the ones the
// script did not write arrive missing at the end.
Variant array(BuiltinContext&, Args args) {
  size_t count = args.size();
  while (count > 0 && args[count - 1].isMissing())
    --count;
  auto result = std::make_shared<platform::VariantArray>();
  result->bounds.push_back({0, static_cast<int32_t>(count)});
  result->elements.assign(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(count));
  return Variant(std::move(result));
}

// Dimension `dimension` (1 the first) of the array `value`. Dimensions are kept first to last.
const platform::VariantArray::Bound& boundOf(const BuiltinContext& context, const Variant& value,
                                             const Variant& dimension) {
  if (!value.isArray() || !value.array()) platform::raise(ErrorCode::kTypeMismatch);
  const int32_t which = optionalLong(context, dimension, 1);
  const auto& bounds = value.array()->bounds;
  if (which < 1 || static_cast<size_t>(which) > bounds.size()) {
    platform::raise(ErrorCode::kSubscriptOutOfRange);
  }
  return bounds[static_cast<size_t>(which) - 1];
}

Variant lBound(BuiltinContext& context, Args args) {
  return Variant(boundOf(context, args[0], args[1]).lower);
}

Variant uBound(BuiltinContext& context, Args args) {
  const platform::VariantArray::Bound& bound = boundOf(context, args[0], args[1]);
  return Variant(bound.lower + bound.count - 1);
}

constexpr Builtin kFunctions[] = {
    {u"Array", 0, 255, array},
    {u"LBound", 1, 2, lBound},
    {u"UBound", 1, 2, uBound},
};

}  // namespace

std::span<const Builtin> arrayFunctions() {
  return kFunctions;
}

}  // namespace vbscript
