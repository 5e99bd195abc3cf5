// ScriptControl: the script host that runs parser scripts. It holds one language's code and
// named objects, calls the script's procedures, keeps the last script error and raises the
// Error and Timeout events. The JScript engine is built in; others are registered by name.
//
// Calls into the script nest: while Run (or AddCode) is in progress, a host object called by
// the script may call Run again. One deadline covers the outermost call and everything nested
// in it.
//
// Failures:
// - A script error (compile or run time) that leaves the script into AddCode or Run fills
//   Error(), raises onError while the failing call is still in progress, then the call throws
//   platform::Error with the script error's number, description and source, marked reported.
//   So each error raises one event: one the script handles raises none, and a nested Run's
//   error raises its event there, then reaches the calling script as an ordinary error that
//   raises no further event, whether that script handles it or not (script_engine.h tells
//   how every engine keeps to this). Script code run through ScriptSite::enter (a toString
//   the bridge calls, a script function a host object holds) raises no event at all.
// - The time-out stops the script wherever it is, nested calls included; once everything
//   has unwound, onTimeout is raised (its handler may Reset) and the outermost call throws
//   kTimeout. Nested calls that are stopped throw kTimeout without an event. onError is not
//   raised for a time-out.
// - Run of a procedure that does not exist throws kUnknownName, without an event and without
//   touching Error(). So does every failure that is no script error (no engine for the
//   language, calls nested too deep).
// - Reset during a call stops the script; the code and objects are discarded once the
//   outermost call has unwound, and that call throws kAborted.
//
// The control must not be destroyed while a call into it is in progress.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/script/script_engine.h"
#include "platform/script/script_error.h"

namespace platform {

// The longest Text and Description the Error object holds.
inline constexpr size_t kLongestErrorText = 500;

class ScriptControl {
 public:
  // `timeout` bounds one outermost call into the script; `services` are handed to every
  // engine. The language starts as "VBScript".
  ScriptControl(std::chrono::milliseconds timeout, ScriptServices services);
  ~ScriptControl();
  ScriptControl(const ScriptControl&) = delete;
  ScriptControl& operator=(const ScriptControl&) = delete;

  // Makes `factory` the engine of `language` (compared without regard to case; "javascript"
  // and "JScript" name one language). Until an engine is registered for "VBScript", adding
  // VBScript code fails with "VBScript engine not available".
  void registerEngine(std::u16string_view language, ScriptEngineFactory factory);

  // Discards all code and named objects. During a call, stops the script (see above).
  void Reset();

  // "VBScript", "JScript" or "javascript", any letter case; an unknown language raises
  // kInvalidArg. Changing to another language discards code and objects as Reset does;
  // setting the current one keeps them. Raises kFail while a call is in progress.
  void setLanguage(std::u16string_view language);
  // The language as it was last set.
  std::u16string language() const;

  // Compiles `source` and runs its top-level statements.
  void AddCode(std::u16string_view source);
  // Adds `object` under `name`; the script reaches its members through that name only.
  void AddObject(std::u16string_view name, ObjectPtr object);
  // Calls the global procedure `procedure` with `args` and returns its result.
  Variant Run(std::u16string_view procedure, std::span<Variant> args = {});

  // The global procedures of the code added so far; none before any code. No script code runs.
  // Raises kNotImplemented when the language's engine cannot list them.
  std::vector<ScriptProcedure> Procedures();

  // The last script error. Its Text and Description are cut to kLongestErrorText UTF-16
  // units, so that a box can show them: a longer one keeps its start and ends in "…".
  ScriptError& Error();

  std::chrono::milliseconds timeout() const;

  // A check that is true while a call into the script is in progress and must stop (the
  // time-out has passed, or Reset was called). Long blocking work done for the script, such as
  // a web transfer, polls it and gives up. It stays safe to call after the control is gone.
  StopCheck stopCheck();

  // The Error event: a script error occurred; the failing call is still in progress.
  std::function<void()> onError;
  // The Timeout event: one call into the script ran longer than the time-out.
  std::function<void()> onTimeout;

  // Asked whenever a call into the script checks whether it must stop; true makes the control
  // Reset itself there, as if Reset had been called (a person's interrupt, such as Ctrl-C,
  // which cannot call Reset itself from a signal handler). Nothing is asked between calls.
  std::function<bool()> resetRequested;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
