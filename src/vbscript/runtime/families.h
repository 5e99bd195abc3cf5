// The families of built-in functions, each defined in a file of its own; builtins.cpp joins
// them into the one table.
#pragma once

#include <span>

#include "vbscript/runtime/builtins.h"

namespace vbscript {

std::span<const Builtin> arrayFunctions();        // arrays.cpp
std::span<const Builtin> byteStringFunctions();   // byte_strings.cpp
std::span<const Builtin> conversionFunctions();   // conversions.cpp
std::span<const Builtin> dateFunctions();         // dates.cpp
std::span<const Builtin> formattingFunctions();   // formatting.cpp
std::span<const Builtin> interactionFunctions();  // interaction.cpp
std::span<const Builtin> localeFunctions();       // locale_functions.cpp
std::span<const Builtin> mathFunctions();         // maths.cpp
std::span<const Builtin> stringFunctions();       // strings.cpp

struct NamedConstant {
  std::u16string_view name;
  platform::Variant value;
};
std::span<const NamedConstant> builtinConstants();  // constants.cpp

}  // namespace vbscript
