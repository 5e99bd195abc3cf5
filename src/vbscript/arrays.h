// Element access in arrays: the position of an element from its subscripts, and the array
// statements' shapes (ReDim, Erase).
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "vbscript/value.h"

namespace vbscript {

// The position in `array.elements` of the element at `subscripts` (one per dimension, each
// within its bounds); 9 Subscript out of range otherwise.
size_t elementIndex(const ArrayRep& array, std::span<const Value> subscripts);

// Bounds 0..upper for each of `upperBounds`; 9 Subscript out of range below -1.
std::vector<platform::VariantArray::Bound> boundsOf(std::span<const int32_t> upperBounds);

// `array` given the shape of `bounds`, keeping the elements that still fit: only the last
// dimension may change (9 Subscript out of range otherwise).
void preserveInto(Value& array, std::vector<platform::VariantArray::Bound> bounds);

}  // namespace vbscript
