// The VBScript built-in functions and constants, one registration table each. The interpreter
// looks names up here (without regard to case) and calls the bodies with the arguments
// evaluated; each family of functions lives in a file of its own.
//
// A body receives exactly `maxArgs` arguments: optional ones the script left out arrive as
// platform::Variant::missing(). Array, which takes any number of arguments, has maxArgs 255 and
// drops the missing ones at the end. A body raises platform::Error with VBScript's numbers (13 Type
// mismatch, 5 Invalid procedure call or argument, 94 Invalid use of Null, ...).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/automation/variant.h"
#include "platform/locale/locale.h"
#include "platform/script/script_engine.h"

namespace vbscript {

// Rnd's generator state, one per engine: Randomize and Rnd of one script never touch another's.
struct RandomState {
  uint32_t seed = 0x50000;  // the documented start value of the generator
  float last = 0;           // the last number Rnd gave (Rnd 0 repeats it)
};

// What a built-in may use of the engine that calls it.
struct BuiltinContext {
  const platform::ScriptServices& services;  // catalogue, ui, clock, locale
  RandomState& random;
  platform::Locale& locale;  // services.locale, which SetLocale changes for the engine
};

using BuiltinBody = platform::Variant (*)(BuiltinContext& context,
                                          std::span<platform::Variant> args);

struct Builtin {
  std::u16string_view name;  // as the documentation spells it: "InStrRev"
  uint8_t minArgs;
  uint8_t maxArgs;
  BuiltinBody body;
};

// Every built-in function.
std::span<const Builtin> builtins();

// The built-in function called `name` (any letter case), or nullptr.
const Builtin* findBuiltin(std::u16string_view name);

// The value of the built-in constant `name` (vbCrLf, vbTextCompare, vbSunday, ...; any letter
// case), or nullptr when there is none.
const platform::Variant* findBuiltinConstant(std::u16string_view name);

}  // namespace vbscript
