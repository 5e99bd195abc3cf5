// Errors between JScript and the host: JScript's error numbers, host failures thrown into the
// script, and thrown values described for the Error object.
#pragma once

#include <cstdint>
#include <new>
#include <optional>

#include "duktape.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_error.h"

namespace platform::jscript {

class Runtime;

inline constexpr int32_t kSyntaxErrorNumber = static_cast<int32_t>(0x800A03EA);        // 1002
inline constexpr int32_t kUndefinedNameNumber = static_cast<int32_t>(0x800A1391);      // 5009
inline constexpr int32_t kTypeErrorNumber = static_cast<int32_t>(0x800A01B6);          // 438
inline constexpr int32_t kRangeErrorNumber = static_cast<int32_t>(0x800A001C);         // 28
inline constexpr int32_t kUncaughtExceptionNumber = static_cast<int32_t>(0x800A139E);  // 5022

inline constexpr char16_t kCompilationErrorSource[] = u"Microsoft JScript compilation error";
inline constexpr char16_t kRuntimeErrorSource[] = u"Microsoft JScript runtime error";

// Adds what scripts and error reports rely on: `number` and `description` on every Error,
// and a hook that notes where values that are no Error objects are thrown.
void installErrorSupport(duk_context* ctx);

// Runs host code; its failure comes back as the Error to throw into the script (with
// throwHostError, once the C++ frames that hold it are left).
template <class Body>
std::optional<Error> callHost(Body&& body) {
  try {
    body();
    return std::nullopt;
  } catch (const Error& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return Error(static_cast<int32_t>(ErrorCode::kOutOfMemory),
                 std::u16string(describe(ErrorCode::kOutOfMemory)));
  } catch (const std::exception& error) {
    return Error(static_cast<int32_t>(ErrorCode::kFail), fromUtf8(error.what()));
  }
}

// Throws a host failure into the script as an Error: its message is the description, its
// `number` the error's number (dispatch failures as the run-time errors they stand for, see
// dispatch_errors.h); the script line that called the host is blamed. An error marked reported
// keeps the mark on the Error, through catch and throw, so that it raises no second Error
// event when it leaves the script.
[[noreturn]] void throwHostError(duk_context* ctx, const Error& error);

// Throws an Error of `code` raised by our native code into the script, blaming the script
// line that called it: the line and e.fileName are the script's, never a file of ours.
[[noreturn]] void throwScriptError(duk_context* ctx, duk_errcode_t code, const char* message);

// Stops the script from a host call when the time-out has passed or the host was reset.
void stopIfAsked(duk_context* ctx);

// Describes the thrown value on the stack top, which is consumed. `compiling` when the
// compiler threw it. `reported`, when given, tells whether it is a host failure the user has
// been told of already (see throwHostError).
ScriptErrorInfo describeThrown(Runtime& runtime, bool compiling, bool* reported = nullptr);

// After a failed protected call, with the thrown value on the stack top (consumed): throws
// the ScriptFailure that reports it, or a stop when the script was being stopped.
[[noreturn]] void throwScriptFailure(Runtime& runtime, bool compiling);

}  // namespace platform::jscript
