// Conversion between the raw VARIANT of the module boundary and platform::Variant. Objects
// cross as adapters: an IDispatch becomes an AutomationObject and back, and an object that
// has crossed once comes back as itself rather than wrapped twice.
#pragma once

#include "platform/automation/variant.h"
#include "platform/com/variant_abi.h"

namespace platform {

// The value `raw` holds; a by-reference VARIANT gives the value it points at. Kinds without a
// Variant of their own become the nearest one (VT_I1 an Integer, VT_UI4 a Long or a Double).
// Raises kBadVarType for what does not cross (arrays, records, decimals), kTypeMismatchDisp
// for an IUnknown that offers no IDispatch.
Variant fromRaw(const VARIANT& raw);

// Fills `raw`, whose old content is ignored, with a copy of `value` that the caller then owns
// (VariantClear releases it). Raises kBadVarType for arrays, kOutOfMemory.
void toRaw(const Variant& value, VARIANT& raw);

// Stores `value` where the by-reference VARIANT `target` points, converted to the type it
// points at (by Visual Basic's rules), releasing what was there. Raises kTypeMismatch /
// kOverflow when the value does not convert, kBadVarType when `target` is no reference.
void storeThrough(const VARIANT& target, const Variant& value);

}  // namespace platform
