#include "vbscript/arrays.h"

#include "platform/base/error.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using platform::ErrorCode;

}  // namespace

size_t elementIndex(const ArrayRep& array, std::span<const Value> subscripts,
                    const platform::Locale& locale) {
  // One dimension, a whole subscript: the common case.
  if (subscripts.size() == 1 && array.bounds.size() == 1) {
    const Value& subscript = subscripts[0];
    if (subscript.type() == Type::kInteger || subscript.type() == Type::kLong) {
      const int64_t offset =
          static_cast<int64_t>(subscript.type() == Type::kInteger ? subscript.asInteger()
                                                                  : subscript.asLong()) -
          array.bounds[0].lower;
      if (offset < 0 || offset >= array.bounds[0].count)
        platform::raise(ErrorCode::kSubscriptOutOfRange);
      return static_cast<size_t>(offset);
    }
  }
  if (subscripts.size() != array.bounds.size()) platform::raise(ErrorCode::kSubscriptOutOfRange);
  size_t position = 0;
  size_t stride = 1;
  for (size_t i = 0; i < subscripts.size(); ++i) {
    const Value& subscript = subscripts[i].deref();
    const int64_t at = subscript.type() == Type::kInteger ? subscript.asInteger()
                       : subscript.type() == Type::kLong  ? subscript.asLong()
                                                          : ops::toLong(subscript, locale);
    const auto& bound = array.bounds[i];
    const int64_t offset = at - bound.lower;
    if (offset < 0 || offset >= bound.count) platform::raise(ErrorCode::kSubscriptOutOfRange);
    position += static_cast<size_t>(offset) * stride;
    stride *= static_cast<size_t>(bound.count);
  }
  return position;
}

std::vector<platform::VariantArray::Bound> boundsOf(std::span<const int32_t> upperBounds) {
  std::vector<platform::VariantArray::Bound> bounds;
  bounds.reserve(upperBounds.size());
  for (int32_t upper : upperBounds) {
    if (upper < -1) platform::raise(ErrorCode::kSubscriptOutOfRange);
    bounds.push_back({0, upper + 1});
  }
  return bounds;
}

void preserveInto(Value& array, std::vector<platform::VariantArray::Bound> bounds) {
  const ArrayRep& old = *array.arrayRep();
  // A dynamic array not yet sized (Dim a(), or one Erase freed) has nothing to keep: it takes
  // any number of dimensions, as a ReDim without Preserve would give it.
  if (old.bounds.empty()) {
    array = makeArray(bounds);
    return;
  }
  if (old.bounds.size() != bounds.size()) platform::raise(ErrorCode::kSubscriptOutOfRange);
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    if (old.bounds[i].lower != bounds[i].lower || old.bounds[i].count != bounds[i].count)
      platform::raise(ErrorCode::kSubscriptOutOfRange);
  }
  Value resized = makeArray(bounds);
  ArrayRep& target = *resized.arrayRep();
  // Column-major: the last dimension's slices lie one after another, so the elements that
  // still fit are a prefix.
  const size_t keep = std::min(old.elements.size(), target.elements.size());
  if (array.arrayRep()->refs == 1) {
    ArrayRep& source = array.ownArray();
    for (size_t i = 0; i < keep; ++i)
      target.elements[i] = std::move(source.elements[i]);
  } else {
    for (size_t i = 0; i < keep; ++i)
      target.elements[i] = old.elements[i];
  }
  array = std::move(resized);
}

}  // namespace vbscript
