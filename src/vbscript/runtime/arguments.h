// Reading the arguments of built-in functions by VBScript's conversion rules, in the locale of
// the engine that calls, and the errors VBScript raises for arguments it cannot take.
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation/variant.h"
#include "vbscript/runtime/builtins.h"

namespace vbscript {

// Whether the script gave an optional argument.
inline bool given(const platform::Variant& value) {
  return !value.isMissing();
}

// CStr's text of `value`. Raises 94 for Null.
std::u16string textArgument(const BuiltinContext& context, const platform::Variant& value);

// CDbl's number of `value`. Raises 13 for what is no number, 94 for Null.
double numberArgument(const BuiltinContext& context, const platform::Variant& value);

// CLng's whole number of `value`: rounded half to even; 6 when it does not fit 32 bits.
int32_t longArgument(const BuiltinContext& context, const platform::Variant& value);

// An optional whole-number argument; `fallback` when the script left it out.
int32_t optionalLong(const BuiltinContext& context, const platform::Variant& value,
                     int32_t fallback);

// A comparison argument (vbBinaryCompare 0, vbTextCompare 1); binary when left out. Raises 5
// for any other number, 94 for Null.
enum class Compare { kBinary, kText };
Compare compareArgument(const BuiltinContext& context, const platform::Variant& value);

// Rounds half to even, as CInt, CLng and Round do.
double roundHalfEven(double value);

// Raises error 5, "Invalid procedure call or argument".
[[noreturn]] void invalidArgument();

}  // namespace vbscript
