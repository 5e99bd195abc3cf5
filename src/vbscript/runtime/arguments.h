// Reading the arguments of built-in functions by VBScript's conversion rules, in the locale of
// the engine that calls, and the errors VBScript raises for arguments it cannot take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation/variant.h"
#include "vbscript/runtime/builtins.h"

namespace vbscript {

// Whether the script gave an optional argument.
inline bool given(const platform::Variant& value) {
  return !value.isMissing();
}

// CStr's text of `value`. Raises 94 for Null.
std::u16string textArgument(const BuiltinContext& context, const platform::Variant& value);

// CStr's text of `value` without copying a String: a view of the string the Variant holds, or
// of the text converted from another kind. Raises 94 for Null. Lives no longer than `value`.
class TextArgument {
 public:
  TextArgument(const BuiltinContext& context, const platform::Variant& value);
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;

  std::u16string_view view() const { return view_; }
  operator std::u16string_view() const { return view_; }
  size_t size() const { return view_.size(); }
  bool empty() const { return view_.empty(); }
  char16_t operator[](size_t i) const { return view_[i]; }

 private:
  std::u16string converted_;
  std::u16string_view view_;
};

// CDbl's number of `value`. Raises 13 for what is no number, 94 for Null.
double numberArgument(const BuiltinContext& context, const platform::Variant& value);

// CLng's whole number of `value`: rounded half to even; 6 when it does not fit 32 bits.
int32_t longArgument(const BuiltinContext& context, const platform::Variant& value);

// A count or length that must not be negative (5 when it is).
size_t countArgument(const BuiltinContext& context, const platform::Variant& value);

// A position in a text, counted from 1 (5 when below 1).
size_t positionArgument(const BuiltinContext& context, const platform::Variant& value);

// An optional whole-number argument; `fallback` when the script left it out.
int32_t optionalLong(const BuiltinContext& context, const platform::Variant& value,
                     int32_t fallback);

// CBool's truth of `value`.
bool boolArgument(const BuiltinContext& context, const platform::Variant& value);

// CDate's serial of `value`; a date written without a year falls in the engine clock's year.
double dateArgument(const BuiltinContext& context, const platform::Variant& value);

// The engine clock's local date and time as a serial.
double nowSerial(const BuiltinContext& context);

// A comparison argument (vbBinaryCompare 0, vbTextCompare 1); binary when left out. Raises 5
// for any other number, 94 for Null.
enum class Compare { kBinary, kText };
Compare compareArgument(const BuiltinContext& context, const platform::Variant& value);

// Rounds half to even, as CInt, CLng and Round do.
double roundHalfEven(double value);

// The longest text a built-in makes, in UTF-16 code units: beyond it, error 7 "Out of memory"
// rather than an allocation that takes the machine down.
inline constexpr size_t kMaxTextLength = size_t{1} << 26;
void checkTextLength(size_t length);

// A zero-based one-dimensional array of `elements`.
platform::Variant arrayOf(std::vector<platform::Variant> elements);

// Raises error 5, "Invalid procedure call or argument".
[[noreturn]] void invalidArgument();

}  // namespace vbscript
