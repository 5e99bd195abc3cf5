// The seam between the script host and one language's engine. The host keeps the time-out,
// the nesting of calls, the Error object and the events; an engine compiles and runs code and
// bridges its values to automation objects.
//
// One error, one Error event. The event fires once for each error that leaves script code
// into one of the host's own calls: AddCode, Run, and so a Run that a host object makes while
// the script calls it (getXML calling the parser's callback procedures). Never for an error
// the script handles, never once per level of nesting. Every engine keeps to it thus:
// - An error the script handles (try/catch, On Error Resume Next) is no failure: addCode and
//   run complete. They throw ScriptFailure only for an error that leaves the script.
// - A host object's failure reaches the script as an ordinary run-time error of its language,
//   with its number, description and source; the script may handle it.
// - When that failure is a platform::Error with reported() set (a nested Run whose error has
//   raised its event already), the error stays marked while it travels through the script:
//   caught and thrown again (throw e; Err.Raise of the same Err) it is the same error, and
//   when it leaves the script the ScriptFailure carries `reported`, so that the host raises
//   no second event. An error the script makes anew is a new error.
// - Script code that the engine runs for a host object outside AddCode and Run (a toString or
//   valueOf the bridge calls, a script function the host was handed) goes through
//   ScriptSite::enter, which raises no event: its error belongs to the script code whose
//   call led there, and comes back to it as a host object's failure.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "platform/base/stop_check.h"
#include "platform/script/script_error.h"

namespace platform {

class Clock;
class ObjectCatalogue;
class Ui;
struct Locale;

// The services every engine may use besides its host: the catalogue of creatable objects
// (CreateObject, new ActiveXObject), the user interface (MsgBox, InputBox), the time of day
// and the user's locale. They outlive every engine.
struct ScriptServices {
  ObjectCatalogue& objects;
  Ui& ui;
  Clock& clock;
  const Locale& locale;
};

// Thrown by an engine when a call into the script failed: an error the script did not
// handle, or a stop that the host asked for through ScriptSite::shouldStop(). The host turns
// it into its Error event and a platform::Error; it never leaves the host.
struct ScriptFailure : std::exception {
  enum class Kind { kError, kStopped };
  Kind kind = Kind::kError;
  ScriptErrorInfo info;  // for kError
  // For kError: the error came from a host object as a platform::Error marked reported (see
  // above); the host raises no Error event for it again.
  bool reported = false;

  const char* what() const noexcept override { return "script failure"; }
};

// A global procedure of the code added so far, as the Script Control's Procedures collection
// describes it.
struct ScriptProcedure {
  std::u16string name;  // as the script spells it
  int32_t numArgs = 0;  // the parameters it declares
};

// What an engine needs from the host that owns it.
class ScriptSite {
 public:
  virtual ~ScriptSite() = default;

  // Polled while script code runs. True once the time-out has passed during a call into the
  // script, or the host was reset during one; stays true until the engine has unwound to the
  // host. A stop is no script error: no script code may catch it. An engine that catches an
  // error on behalf of the script (try/catch, On Error Resume Next) asks here first and
  // unwinds instead while this is true.
  virtual bool shouldStop() = 0;

  // shouldStop() as a check for work done for the script that may outlive the call or even
  // this host (an object the script created keeps it): once the host is gone it answers false.
  virtual StopCheck stopCheck() = 0;

  // Makes `call` a call into the script under the host's time-out and nesting, for script
  // code run outside AddCode and Run: a toString or valueOf the engine's bridge calls, a
  // script function a host object was handed. It is no host call: a ScriptFailure thrown by
  // `call` raises no Error event and leaves the Error object alone; it comes back as a
  // platform::Error (its number, description and source), for the script code that caused
  // the call to handle or to fail with.
  virtual Variant enter(const std::function<Variant()>& call) = 0;
};

class ScriptEngine {
 public:
  virtual ~ScriptEngine() = default;

  // Compiles `source` and runs its top-level statements. Called inside ScriptSite::enter.
  // Throws ScriptFailure for a compile or run-time error.
  virtual void addCode(std::u16string_view source) = 0;

  // Makes `object` reachable from the script as the global `name`; its members stay
  // behind that name. Called inside ScriptSite::enter.
  virtual void addObject(std::u16string_view name, ObjectPtr object) = 0;

  // Calls the global procedure `name`. Called inside ScriptSite::enter. Throws ScriptFailure
  // when it fails, platform::Error kUnknownName when there is no such procedure.
  virtual Variant run(std::u16string_view name, std::span<Variant> args) = 0;

  // The global procedures of the code added so far, in no particular order: those `run` can
  // call. Runs no script code, so it needs no ScriptSite::enter. An engine that cannot tell
  // raises kNotImplemented.
  virtual std::vector<ScriptProcedure> procedures() {
    raise(ErrorCode::kNotImplemented, u"This script engine cannot list its procedures");
  }
};

// Makes an engine for one script host; the engine keeps the site for its whole life.
using ScriptEngineFactory =
    std::function<std::unique_ptr<ScriptEngine>(ScriptSite& site, const ScriptServices& services)>;

}  // namespace platform
