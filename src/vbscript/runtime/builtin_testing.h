// Calling built-in functions from C++ tests as the interpreter does: by name, with the left-out
// optional arguments padded as missing, in an engine context whose clock, user interface and
// locale the test controls.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

#include "error_testing.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/ui/scripted_ui.h"
#include "vbscript/runtime/builtins.h"

namespace vbscript::testing {

using platform::Variant;

class BuiltinTest : public ::testing::Test {
 protected:
  // Calls built-in `name` with `args`; fails the test when there is no such function or the
  // count of arguments is outside what it takes.
  Variant call(std::u16string_view name, std::vector<Variant> args = {}) {
    const Builtin* builtin = findBuiltin(name);
    if (builtin == nullptr) {
      ADD_FAILURE() << "no built-in " << std::string(name.begin(), name.end());
      return {};
    }
    EXPECT_GE(args.size(), builtin->minArgs);
    EXPECT_LE(args.size(), builtin->maxArgs);
    std::vector<Variant> padded = std::move(args);
    padded.resize(builtin->maxArgs, Variant::missing());
    BuiltinContext context{services, random, locale};
    return builtin->body(context, padded);
  }

  // The error number that calling `name` raises, or 0.
  int32_t errorOf(std::u16string_view name, std::vector<Variant> args = {}) {
    return juvo::testing::errorNumberOf([&] { call(name, std::move(args)); });
  }

  // One call and what it must give: a value of the same kind, or an error.
  struct Case {
    std::u16string_view function;
    std::vector<Variant> args;
    Variant expected;
    int error = 0;  // VBScript's run-time error number, 0 for none
  };

  void check(const Case& row) {
    std::string trace(row.function.begin(), row.function.end());
    for (const Variant& arg : row.args)
      trace += " | " + describe(arg);
    SCOPED_TRACE(trace);
    if (row.error != 0) {
      EXPECT_EQ(errorOf(row.function, row.args), vbError(row.error));
    } else {
      const Variant result = call(row.function, row.args);
      EXPECT_EQ(result, row.expected)
          << "got " << describe(result) << ", expected " << describe(row.expected);
    }
  }

  void checkAll(std::initializer_list<Case> rows) {
    for (const Case& row : rows)
      check(row);
  }

  // The kind and value of `value`, for failure messages.
  static std::string describe(const Variant& value) {
    std::string text = "VarType " + std::to_string(static_cast<int>(value.type()));
    try {
      if (!value.isArray() && !value.isObject() && !value.isNull()) {
        text += " " + platform::toUtf8(platform::toText(value));
      }
    } catch (...) {
    }
    return text;
  }

  static int32_t vbError(int number) {
    return static_cast<int32_t>(0x800A0000u | static_cast<uint32_t>(number));
  }

  // Makes the engine's locale the POSIX locale `name`; false when it is not installed
  // (scripts/setup installs them): ASSERT_TRUE(useLocale("nl_NL.UTF-8")).
  bool useLocale(const char* name) {
    locale = platform::Locale::named(name);
    return !locale.name.empty();
  }

  platform::ObjectCatalogue objects;
  platform::ScriptedUi ui;
  platform::FixedClock clock{std::chrono::system_clock::time_point()};
  platform::Locale locale = platform::Locale::english();
  platform::ScriptServices services{objects, ui, clock, locale};
  RandomState random;
};

inline Variant i16(int value) {
  return Variant(static_cast<int16_t>(value));
}
inline Variant i32(int32_t value) {
  return Variant(value);
}

}  // namespace vbscript::testing
