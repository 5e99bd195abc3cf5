// Conversions of Variants by the rules of Visual Basic's CStr, CDbl, CLng and CBool, which
// host objects apply to the arguments they receive from either script language.
#pragma once

#include <optional>
#include <string>

#include "platform/automation/variant.h"

namespace platform {

// Text of a value: Empty gives "", Boolean "True"/"False", numbers in the shortest form of at
// most 15 significant digits ("0.5", "1E+20"). Null raises kInvalidUseOfNull; an object its
// default member's text, or kTypeMismatch without one.
std::u16string toText(const Variant& value);

// Number of a value: Empty is 0, Boolean True is -1, a text must read wholly as a number.
// Raises kTypeMismatch otherwise, kInvalidUseOfNull for Null.
double toDouble(const Variant& value);

// toDouble rounded half to even into 32 bits; kOverflow when it does not fit.
int32_t toInt32(const Variant& value);

// Truth of a value: numbers are true when not zero; texts "True"/"False" (any case) or a
// number. Raises kTypeMismatch otherwise.
bool toBool(const Variant& value);

// Reads `text` wholly as a number the way IsNumeric does: blanks around it, a sign, digits
// with one decimal point, an exponent, or &H / &O forms. nullopt when it is not one.
std::optional<double> parseNumber(std::u16string_view text);

// The text of a double by the rules of toText.
std::u16string formatNumber(double value);

}  // namespace platform
