// VBScript's operators on values, with its coercion rules: Empty as 0 or "", Null
// propagating, texts read as numbers where a number is needed, results widening Byte ->
// Integer -> Long -> Double when they overflow, and Boolean results of logical operators on
// Booleans. Operands are plain values: the caller has taken the default value of objects and
// followed references. Failures raise platform::Error with VBScript's numbers (13 Type
// mismatch, 11 Division by zero, 6 Overflow, 94 Invalid use of Null, 5 Invalid procedure call).
#pragma once

#include <optional>
#include <string>

#include "vbscript/value.h"

namespace vbscript::ops {

Value negate(const Value& a);
Value add(const Value& a, const Value& b);
Value subtract(const Value& a, const Value& b);
Value multiply(const Value& a, const Value& b);
Value divide(const Value& a, const Value& b);
Value intDivide(const Value& a, const Value& b);
Value modulo(const Value& a, const Value& b);
Value power(const Value& a, const Value& b);
// a & b: Null only when both are Null.
Value concat(const Value& a, const Value& b);

Value logicalNot(const Value& a);
Value logicalAnd(const Value& a, const Value& b);
Value logicalOr(const Value& a, const Value& b);
Value logicalXor(const Value& a, const Value& b);
Value logicalEqv(const Value& a, const Value& b);
Value logicalImp(const Value& a, const Value& b);

// Orders a and b: negative, zero or positive; nullopt when either is Null. Numbers compare
// numerically, texts by their code units; a number is less than a text, unless one of the two
// was written as a literal and the text reads as a number, which then compares as one.
std::optional<int> compare(const Value& a, const Value& b, bool aLiteral = false,
                           bool bLiteral = false);

// The text of a value as CStr gives it; Null raises 94.
std::u16string toText(const Value& value);
// Appends the text of `value` (Null as nothing) to `out`, minding the length limit.
void appendText(std::u16string& out, const Value& value);
// The number of a value as a Double: Empty is 0, True -1, texts must read as numbers.
double toNumber(const Value& value);
// The value rounded half to even into a Long; 6 Overflow outside its range.
int32_t toLong(const Value& value);
// The truth of a condition: Null is False; texts "True"/"False" or numbers.
bool isTrue(const Value& value);

// Rounds half to even into a Long; 6 Overflow outside its range.
int32_t roundToLong(double value);

}  // namespace vbscript::ops
